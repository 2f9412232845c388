#pragma once
// The tools of the tool bar, by button index: the one place where a new
// tool is plugged into the engine's routing table.

#include "canvas/Tool.h"

#include <memory>

namespace pictavo {

// The tool of button `index` (0..21); a plain Tool (does nothing) for a
// tool not built yet or an index out of range. A tool that needs Qt (text
// drawing) cannot be made here, in the Qt-free core: the main window plugs
// it in with ToolEngine::setTool.
std::unique_ptr<Tool> makeTool(int index);

}  // namespace pictavo
