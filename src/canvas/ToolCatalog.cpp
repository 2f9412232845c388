#include "canvas/ToolCatalog.h"

#include "canvas/PencilTool.h"

namespace pictavo {

std::unique_ptr<Tool> makeTool(int index) {
  switch (index) {
    case kPencilTool: return std::make_unique<PencilTool>();
    default: return std::make_unique<Tool>();
  }
}

}  // namespace pictavo
