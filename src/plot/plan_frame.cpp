// The plan's frame, axes and scale bar.
#include "plot/plan_frame.h"

#include <algorithm>
#include <string>

#include "plot/colour_scale.h"
#include "plot/page_text.h"

namespace plot {

PlanFrame fit_frame(const PlanBox& world, double left, double top, double max_width,
                    double max_height) {
  PlanBox box = world;
  // A plan of no extent (one point) is drawn one unit wide.
  if (box.max_x - box.min_x <= 0.0) box.min_x -= 0.5, box.max_x += 0.5;
  if (box.max_y - box.min_y <= 0.0) box.min_y -= 0.5, box.max_y += 0.5;
  const double scale =
      std::min(max_width / (box.max_x - box.min_x), max_height / (box.max_y - box.min_y));
  return {box, left, top, scale};
}

void write_axes(XmlWriter& out, const PlanFrame& frame, std::string_view length_unit) {
  const Box area = frame.pixels();
  const double step = round_step(std::max(area.width(), area.height()) / frame.scale, 10);
  const int decimals = decimals_for(step);
  // Over the bands, faint, so that a value can be read off anywhere.
  out.open("g", {{"class", "axes"}});
  out.open("g", {{"stroke", "#000000"}, {"stroke-opacity", "0.15"}, {"stroke-width", "0.6"}});
  for (const double x : ticks(frame.world.min_x, frame.world.max_x, step)) {
    const std::string at = px(frame.px_x(x));
    out.empty("line", {{"x1", at}, {"y1", px(area.top)}, {"x2", at}, {"y2", px(area.bottom)}});
  }
  for (const double y : ticks(frame.world.min_y, frame.world.max_y, step)) {
    const std::string at = px(frame.px_y(y));
    out.empty("line", {{"x1", px(area.left)}, {"y1", at}, {"x2", px(area.right)}, {"y2", at}});
  }
  out.close();
  for (const double x : ticks(frame.world.min_x, frame.world.max_x, step)) {
    out.element("text",
                {{"x", px(frame.px_x(x))}, {"y", px(area.bottom + 16)}, {"text-anchor", "middle"}},
                decimal(static_cast<float>(x), decimals));
  }
  for (const double y : ticks(frame.world.min_y, frame.world.max_y, step)) {
    out.element("text",
                {{"x", px(area.left - 6)}, {"y", px(frame.px_y(y) + 4)}, {"text-anchor", "end"}},
                decimal(static_cast<float>(y), decimals));
  }
  out.element("text",
              {{"x", px((area.left + area.right) / 2)},
               {"y", px(area.bottom + 36)},
               {"text-anchor", "middle"}},
              "x (" + std::string(length_unit) + ")");
  const std::string middle = px((area.top + area.bottom) / 2);
  out.element("text",
              {{"x", "16"},
               {"y", middle},
               {"text-anchor", "middle"},
               {"transform", "rotate(-90 16 " + middle + ")"}},
              "y (" + std::string(length_unit) + ")");
  out.close();
}

Box write_scale_bar(XmlWriter& out, const PlanFrame& frame, std::string_view length_unit) {
  const Box area = frame.pixels();
  const double bar = round_step(area.width() / frame.scale, 8);
  const double bar_px = bar * frame.scale;
  const double right = area.right - 14;
  const double base = area.bottom - 14;
  const Box ground{right - bar_px - 8, base - 24, right + 8, base + 8};
  out.open("g", {{"class", "scale-bar"}});
  out.empty("rect", {{"x", px(ground.left)},
                     {"y", px(ground.top)},
                     {"width", px(ground.width())},
                     {"height", px(ground.height())},
                     {"fill", "#ffffff"},
                     {"stroke", "#000000"},
                     {"stroke-width", "0.5"}});
  out.empty("rect", {{"x", px(right - bar_px)},
                     {"y", px(base - 4)},
                     {"width", px(bar_px)},
                     {"height", "5"},
                     {"fill", "#000000"}});
  out.element("text",
              {{"x", px(right - bar_px / 2)}, {"y", px(base - 9)}, {"text-anchor", "middle"}},
              decimal(static_cast<float>(bar), decimals_for(bar)) + " " + std::string(length_unit));
  out.close();
  return ground;
}

}  // namespace plot
