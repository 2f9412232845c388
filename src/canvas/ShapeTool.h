#pragma once
// The rubber-band shape tools: line (2), hollow and filled rectangle (4, 5),
// circle (6, 7), ellipse (8, 9) and rounded rectangle (10, 11). Each drag
// movement restores the visible layer and draws the figure from the press
// point to the pointer there; the release draws it into the persistent image.

#include "canvas/Tool.h"

namespace pictavo {

class ShapeTool : public Tool {
 public:
  // toolIndex: kLineTool or kRectangleTool .. kFilledRoundRectTool.
  explicit ShapeTool(int toolIndex) : toolIndex_(toolIndex) {}

  void move(ToolContext& ctx, const PointerEvent& e) override;
  void release(ToolContext& ctx, const PointerEvent& e) override;

  // The circle tools' radius: the distance from the press point, worked out
  // in double precision and handed on in single precision.
  static float circleRadius(float startX, float startY, float x, float y);

 private:
  void draw(ToolContext& ctx, const PointerEvent& e);
  bool filled() const;

  int toolIndex_;
};

}  // namespace pictavo
