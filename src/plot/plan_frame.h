// The frame of the plan: the part of the plan drawn, its scale to pixels with
// equal axes, and the axes, coordinate lines and scale bar around it.
#pragma once

#include <string_view>

#include "plot/label_placer.h"
#include "plot/xml_writer.h"

namespace plot {

// A rectangle of the plan, in the problem's length unit.
struct PlanBox {
  double min_x = 0.0, max_x = 0.0, min_y = 0.0, max_y = 0.0;
};

// The world box drawn in a plot area whose top left corner is (left, top)
// in pixels, `scale` pixels a length unit, +y up the page.
struct PlanFrame {
  PlanBox world;
  double left = 0.0, top = 0.0, scale = 1.0;
  double width() const { return (world.max_x - world.min_x) * scale; }
  double height() const { return (world.max_y - world.min_y) * scale; }
  double px_x(double x) const { return left + (x - world.min_x) * scale; }
  double px_y(double y) const { return top + (world.max_y - y) * scale; }
  Box pixels() const { return {left, top, left + width(), top + height()}; }
};

// The frame that draws `world` as large as fits in `max_width` x
// `max_height` pixels at (left, top). REQUIRES: max_width, max_height > 0.
PlanFrame fit_frame(const PlanBox& world, double left, double top, double max_width,
                    double max_height);

// Coordinate lines at a round step across the plot area, their values along
// the left and lower sides, and the axes' titles.
void write_axes(XmlWriter& out, const PlanFrame& frame, std::string_view length_unit);

// A scale bar in the plot area's lower right corner, on a white ground;
// returns its box, which labels keep clear of.
Box write_scale_bar(XmlWriter& out, const PlanFrame& frame, std::string_view length_unit);

}  // namespace plot
