// Drawing the ground under the section: layers, water and heads.
#include "plot/ground_section.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "plot/colour_scale.h"
#include "plot/label_placer.h"
#include "plot/load_drawing.h"
#include "plot/page_text.h"

namespace plot {
namespace {

// The section's chart has these margins: the distances line up.
constexpr double kWidth = 1000.0, kLeft = 72.0, kRight = 28.0;
// The standpipes of the heads stand at the right end of the ground, this far apart.
constexpr double kPipeSpacing = 24.0;
constexpr double kTop = 50.0, kGroundHeight = 300.0, kBottom = 46.0;
constexpr const char* kWaterColour = "#2166ac";
constexpr std::array<const char*, 6> kTints = {"#eadfc8", "#d8e4cf", "#d5dde9",
                                               "#ecdbe1", "#e4e3c8", "#dcd6ea"};

std::size_t soil_position(const site::Project& project, const std::string& soil) {
  for (std::size_t k = 0; k < project.soils.size(); ++k)
    if (project.soils[k].name == soil) return k;
  return 0;
}

// A small triangle, point down, its tip at (x, y): the symbol of a water level.
void write_water_mark(XmlWriter& out, double x, double y) {
  out.empty("polygon", {{"class", "water-mark"},
                        {"points", px(x - 6) + "," + px(y - 9) + " " + px(x + 6) + "," + px(y - 9) +
                                       " " + px(x) + "," + px(y)},
                        {"fill", kWaterColour}});
}

}  // namespace

GroundDepths ground_depths(const site::Project& project) {
  GroundDepths depths;
  depths.bottom = project.layers.empty() ? 1.0 : project.layers.back().bottom;
  const auto cover = [&](double depth) {
    if (!std::isfinite(depth)) return;
    depths.top = std::min(depths.top, depth);
    depths.bottom = std::max(depths.bottom, depth);
  };
  if (project.groundwater) {
    cover(project.groundwater->water_table);
    if (project.groundwater->final_water_table) cover(*project.groundwater->final_water_table);
  }
  for (const site::Layer& layer : project.layers) {
    if (layer.head_top) cover(*layer.head_top);
    if (layer.head_bottom) cover(*layer.head_bottom);
  }
  if (!(depths.bottom > depths.top)) depths.bottom = depths.top + 1.0;
  return depths;
}

void write_ground_section(XmlWriter& out, const site::Project& project, const Section& section) {
  const UnitNames units = project_units(project);
  const std::string length_unit(units.length);
  const GroundDepths depths = ground_depths(project);
  const double step = round_step(depths.bottom - depths.top, 6);
  const double low = std::floor(depths.top / step + 1e-9) * step;
  const double high = std::ceil(depths.bottom / step - 1e-9) * step;
  const auto y_at = [&](double depth) {
    return kTop + (depth - low) / (high - low) * kGroundHeight;
  };
  const double ground_right = kWidth - kRight;
  const double length = section.length();
  const auto x_at = [&](double distance) {
    return kLeft + distance / length * (kWidth - kLeft - kRight);
  };
  const double height = kTop + kGroundHeight + kBottom;
  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "ground-section"},
                   {"width", px(kWidth)},
                   {"height", px(height)},
                   {"viewBox", "0 0 " + px(kWidth) + " " + px(height)},
                   {"font-family", "Helvetica, Arial, 'Liberation Sans', sans-serif"},
                   {"font-size", "12"}});
  out.element("title", {}, "Ground along section A\u2013A\u2032: layers and groundwater");
  out.element("text", {{"x", px(kLeft)}, {"y", "16"}, {"font-weight", "bold"}},
              "Ground along A\u2013A\u2032: layers, water table and piezometric heads");
  // The layers, one band each across the ground.
  double layer_top = 0.0;
  for (std::size_t i = 0; i < project.layers.size(); ++i) {
    const site::Layer& layer = project.layers[i];
    const double top = y_at(layer_top), bottom = y_at(layer.bottom);
    const std::string name = layer.name.value_or("Layer " + std::to_string(i + 1));
    out.open("g", {{"class", "layer"}, {"data-layer", std::to_string(i + 1)}});
    out.element("title", {},
                name + ": " + layer.soil + ", from " + decimal(static_cast<float>(layer_top), 2) +
                    " to " + decimal(static_cast<float>(layer.bottom), 2) + " " + length_unit);
    out.empty("rect", {{"x", px(kLeft)},
                       {"y", px(top)},
                       {"width", px(ground_right - kLeft)},
                       {"height", px(std::max(bottom - top, 0.0))},
                       {"fill", kTints[soil_position(project, layer.soil) % kTints.size()]},
                       {"stroke", "#000000"},
                       {"stroke-width", "0.8"}});
    if (bottom - top >= 15.0) {
      out.element("text", {{"x", px(kLeft + 8)}, {"y", px((top + bottom) / 2 + 4)}},
                  name + " (" + layer.soil + ")");
    }
    out.close();
    layer_top = layer.bottom;
  }
  // The loads on the surface where the line crosses them.
  for (const SectionCrossing& crossing : section.crossings) {
    const double left = x_at(crossing.from), right = std::min(x_at(crossing.to), ground_right);
    if (!(right > left)) continue;
    const auto area = static_cast<std::size_t>(crossing.area);
    const std::string label = load_label(project.loads[area - 1], area);
    out.open("g", {{"class", "crossing"}, {"data-load", label}});
    out.element("title", {}, label + " on the surface");
    out.empty("rect", {{"x", px(left)},
                       {"y", px(y_at(0.0) - 6)},
                       {"width", px(right - left)},
                       {"height", "6"},
                       {"fill", "#7f7f7f"}});
    if (text_width(label, 11.0, false) + 4.0 <= right - left) {
      out.element("text",
                  {{"x", px((left + right) / 2)},
                   {"y", px(y_at(0.0) - 9)},
                   {"text-anchor", "middle"},
                   {"font-size", "11"}},
                  label);
    }
    out.close();
  }
  out.empty("line", {{"class", "ground-surface"},
                     {"x1", px(kLeft)},
                     {"y1", px(y_at(0.0))},
                     {"x2", px(ground_right)},
                     {"y2", px(y_at(0.0))},
                     {"stroke", "#000000"},
                     {"stroke-width", "2"}});
  // The water table at the start, solid, and at the end, dashed.
  if (project.groundwater) {
    const auto water_line = [&](std::string_view css_class, double depth, std::string_view dashes,
                                const std::string& text) {
      const double y = y_at(depth);
      out.open("g", {{"class", std::string(css_class)},
                     {"data-depth", decimal(static_cast<float>(depth), 3)}});
      out.element("title", {},
                  text + " at depth " + decimal(static_cast<float>(depth), 2) + " " + length_unit);
      out.empty("line", {{"x1", px(kLeft)},
                         {"y1", px(y)},
                         {"x2", px(ground_right)},
                         {"y2", px(y)},
                         {"stroke", kWaterColour},
                         {"stroke-width", "2"},
                         {"stroke-dasharray", std::string(dashes)}});
      const double mark = css_class == "water-table" ? kLeft + 230 : kLeft + 420;
      write_water_mark(out, mark, y);
      out.element("text", {{"x", px(mark + 10)}, {"y", px(y - 4)}, {"fill", kWaterColour}}, text);
      out.close();
    };
    water_line("water-table", project.groundwater->water_table, "none", "water table");
    if (project.groundwater->final_water_table) {
      water_line("final-water-table", *project.groundwater->final_water_table, "7 4",
                 "final water table");
    }
  }
  // The heads: a standpipe to each layer's top and bottom, the water in it
  // standing at the head.
  int pipes = 0;
  for (const site::Layer& layer : project.layers)
    pipes += layer.head_top && layer.head_bottom ? 2 : 0;
  const double first_pipe = ground_right - kPipeSpacing * pipes;
  double pipe_x = first_pipe;
  layer_top = 0.0;
  for (std::size_t i = 0; i < project.layers.size(); ++i) {
    const site::Layer& layer = project.layers[i];
    if (layer.head_top && layer.head_bottom) {
      const std::string name = layer.name.value_or("Layer " + std::to_string(i + 1));
      for (const auto& [where, tip, head] :
           {std::tuple{"top", layer_top, *layer.head_top},
            std::tuple{"bottom", layer.bottom, *layer.head_bottom}}) {
        out.open("g", {{"class", "head"}, {"data-layer", std::to_string(i + 1)}});
        out.element("title", {},
                    name + ": piezometric level seen at its " + where + " (depth " +
                        decimal(static_cast<float>(tip), 2) + " " + length_unit + "), at depth " +
                        decimal(static_cast<float>(head), 2) + " " + length_unit);
        const double top = y_at(std::min(head, 0.0)) - 4.0;
        out.empty("line", {{"x1", px(pipe_x)},
                           {"y1", px(top)},
                           {"x2", px(pipe_x)},
                           {"y2", px(y_at(tip))},
                           {"stroke", "#000000"},
                           {"stroke-width", "1.2"}});
        out.empty("rect", {{"x", px(pipe_x - 3)},
                           {"y", px(y_at(tip) - 6)},
                           {"width", "6"},
                           {"height", "6"},
                           {"fill", "#000000"}});
        out.empty("line", {{"class", "head-level"},
                           {"x1", px(pipe_x - 7)},
                           {"y1", px(y_at(head))},
                           {"x2", px(pipe_x + 7)},
                           {"y2", px(y_at(head))},
                           {"stroke", kWaterColour},
                           {"stroke-width", "2"}});
        write_water_mark(out, pipe_x, y_at(head));
        out.close();
        pipe_x += kPipeSpacing;
      }
    }
    layer_top = layer.bottom;
  }
  if (pipes > 0) {
    out.element("text", {{"x", px(ground_right)}, {"y", px(kTop - 10)}, {"text-anchor", "end"}},
                "standpipes: heads of layers");
  }
  // Depth axis.
  for (const double d : ticks(low, high, step)) {
    out.element("text", {{"x", px(kLeft - 6)}, {"y", px(y_at(d) + 4)}, {"text-anchor", "end"}},
                decimal(static_cast<float>(d), decimals_for(step)));
    out.empty("line", {{"x1", px(kLeft - 3)},
                       {"y1", px(y_at(d))},
                       {"x2", px(kLeft)},
                       {"y2", px(y_at(d))},
                       {"stroke", "#000000"}});
  }
  const std::string middle = px(kTop + kGroundHeight / 2);
  out.element("text",
              {{"x", "16"},
               {"y", middle},
               {"text-anchor", "middle"},
               {"transform", "rotate(-90 16 " + middle + ")"}},
              "Depth (" + length_unit + ")");
  out.element("text",
              {{"x", px((kLeft + ground_right) / 2)},
               {"y", px(kTop + kGroundHeight + 34)},
               {"text-anchor", "middle"}},
              "The layers lie level under the whole line; depths in " + length_unit +
                  " below the ground surface");
  out.close();
}

}  // namespace plot
