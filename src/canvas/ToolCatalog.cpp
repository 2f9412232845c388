#include "canvas/ToolCatalog.h"

#include "canvas/BrushStampTool.h"
#include "canvas/CloneTool.h"
#include "canvas/CurveTool.h"
#include "canvas/EraserTool.h"
#include "canvas/FillTool.h"
#include "canvas/GradientTool.h"
#include "canvas/PencilTool.h"
#include "canvas/PickerTool.h"
#include "canvas/PolygonTool.h"
#include "canvas/SelectTool.h"
#include "canvas/ShapeTool.h"
#include "canvas/SprayTool.h"
#include "canvas/StarTool.h"

namespace pictavo {

std::unique_ptr<Tool> makeTool(int index) {
  switch (index) {
    case kSelectTool: return std::make_unique<SelectTool>();
    case kPencilTool: return std::make_unique<PencilTool>();
    case kLineTool:
    case kRectangleTool:
    case kFilledRectangleTool:
    case kCircleTool:
    case kFilledCircleTool:
    case kEllipseTool:
    case kFilledEllipseTool:
    case kRoundRectTool:
    case kFilledRoundRectTool: return std::make_unique<ShapeTool>(index);
    case kStarTool: return std::make_unique<StarTool>();
    case kFloodFillTool: return std::make_unique<FillTool>();
    case kSprayTool: return std::make_unique<SprayTool>();
    case kCurveTool: return std::make_unique<CurveTool>();
    case kPolygonTool: return std::make_unique<PolygonTool>();
    case kBrushStampTool: return std::make_unique<BrushStampTool>();
    case kEraserTool: return std::make_unique<EraserTool>();
    case kPickerTool: return std::make_unique<PickerTool>();
    case kCloneTool: return std::make_unique<CloneTool>();
    case kGradientTool: return std::make_unique<GradientTool>();
    default: return std::make_unique<Tool>();
  }
}

}  // namespace pictavo
