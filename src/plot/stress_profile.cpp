// Drawing the effective stresses with depth under a point.
#include "plot/stress_profile.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "plot/colour_scale.h"
#include "plot/project_page_input.h"

namespace plot {
namespace {

constexpr double kWidth = 640.0, kHeight = 560.0;
constexpr double kLeft = 70.0, kRight = 120.0, kTop = 60.0, kBottom = 56.0;
constexpr const char* kInitialColour = "#000000";
constexpr const char* kFinalColour = "#b2182b";
constexpr const char* kPreconsolidationColour = "#5e3c99";
constexpr const char* kWaterColour = "#2166ac";

}  // namespace

std::vector<StressAtDepth> stress_profile(const analysis::SiteResults& results, std::size_t point) {
  const analysis::ResultPoint& at = results.points[point];
  std::vector<StressAtDepth> profile;
  for (std::size_t s = 0; s < results.sublayers.size(); ++s) {
    const analysis::ResultSublayer& sublayer = results.sublayers[s];
    StressAtDepth value;
    value.depth = (sublayer.top + sublayer.bottom) / 2.0;
    value.sigma_eff0 = sublayer.sigma_eff0;
    const double increase = s < at.stress_increase.size() ? at.stress_increase[s] : 0.0;
    value.sigma_eff_final = sublayer.sigma_eff0 + increase + sublayer.water_change;
    value.sigma_p = s < at.preconsolidation.size() ? at.preconsolidation[s] : 0.0;
    value.counted = s >= at.first_counted;
    profile.push_back(value);
  }
  return profile;
}

void write_stress_profile(XmlWriter& out, const site::Project& project,
                          const analysis::SiteResults& results, std::size_t point) {
  const UnitNames units = project_units(project);
  const std::string length(units.length), pressure(units.pressure);
  const std::vector<StressAtDepth> values = stress_profile(results, point);
  double deepest = project.layers.empty() ? 1.0 : project.layers.back().bottom;
  double most = 0.0, least = 0.0;
  for (const StressAtDepth& v : values) {
    for (const double stress : {v.sigma_eff0, v.sigma_eff_final, v.sigma_p}) {
      if (!std::isfinite(stress)) continue;
      most = std::max(most, stress);
      least = std::min(least, stress);
    }
  }
  if (!(deepest > 0.0)) deepest = 1.0;
  if (!(most > least)) most = least + 1.0;
  const double stress_step = round_step(most - least, 6);
  const double low = std::floor(least / stress_step + 1e-9) * stress_step;
  const double high = std::ceil(most / stress_step - 1e-9) * stress_step;
  const double depth_step = round_step(deepest, 8);
  const double bottom_depth = std::ceil(deepest / depth_step - 1e-9) * depth_step;
  const double plot_width = kWidth - kLeft - kRight, plot_height = kHeight - kTop - kBottom;
  const auto x_at = [&](double stress) {
    return kLeft + (stress - low) / (high - low) * plot_width;
  };
  const auto y_at = [&](double depth) { return kTop + depth / bottom_depth * plot_height; };

  const std::string label = point_label(project, point);
  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "stress-profile"},
                   {"data-point", label},
                   {"width", px(kWidth)},
                   {"height", px(kHeight)},
                   {"viewBox", "0 0 " + px(kWidth) + " " + px(kHeight)},
                   {"font-family", "Helvetica, Arial, 'Liberation Sans', sans-serif"},
                   {"font-size", "12"}});
  out.element("title", {}, "Effective vertical stresses with depth under point " + label);
  out.element("text", {{"x", px(kLeft)}, {"y", "18"}, {"font-size", "14"}, {"font-weight", "bold"}},
              "Effective stresses under " + label);
  // The sublayers above the first counted one take no part: shaded.
  const analysis::ResultPoint& at = results.points[point];
  if (at.first_counted > 0 && at.first_counted <= results.sublayers.size()) {
    const double counted_top = results.sublayers[at.first_counted - 1].bottom;
    out.empty("rect", {{"class", "not-counted"},
                       {"x", px(kLeft)},
                       {"y", px(y_at(0.0))},
                       {"width", px(plot_width)},
                       {"height", px(y_at(counted_top) - y_at(0.0))},
                       {"fill", "#000000"},
                       {"fill-opacity", "0.07"}});
  }
  // Grid lines and axes' values.
  for (const double s : ticks(low, high, stress_step)) {
    const std::string x = px(x_at(s));
    out.empty("line", {{"x1", x},
                       {"y1", px(kTop)},
                       {"x2", x},
                       {"y2", px(kTop + plot_height)},
                       {"stroke", "#e0e0e0"}});
    out.element("text", {{"x", x}, {"y", px(kTop - 6)}, {"text-anchor", "middle"}},
                decimal(static_cast<float>(s), decimals_for(stress_step)));
  }
  for (const double d : ticks(0.0, bottom_depth, depth_step)) {
    const std::string y = px(y_at(d));
    out.empty("line", {{"x1", px(kLeft)},
                       {"y1", y},
                       {"x2", px(kLeft + plot_width)},
                       {"y2", y},
                       {"stroke", "#e0e0e0"}});
    out.element("text", {{"x", px(kLeft - 6)}, {"y", px(y_at(d) + 4)}, {"text-anchor", "end"}},
                decimal(static_cast<float>(d), decimals_for(depth_step)));
  }
  // The layers' bases, named at the right.
  double layer_top = 0.0;
  for (std::size_t i = 0; i < project.layers.size(); ++i) {
    const site::Layer& layer = project.layers[i];
    const std::string y = px(y_at(layer.bottom));
    out.empty("line", {{"class", "layer-base"},
                       {"x1", px(kLeft)},
                       {"y1", y},
                       {"x2", px(kLeft + plot_width)},
                       {"y2", y},
                       {"stroke", "#808080"},
                       {"stroke-dasharray", "4 3"}});
    const double middle = (y_at(layer_top) + y_at(layer.bottom)) / 2.0;
    if (y_at(layer.bottom) - y_at(layer_top) >= 14.0) {
      out.element("text", {{"x", px(kLeft + plot_width + 6)}, {"y", px(middle + 4)}},
                  layer.name.value_or("Layer " + std::to_string(i + 1)));
    }
    layer_top = layer.bottom;
  }
  // The water table at the start, and dashed at the end, where they lie in the chart.
  if (project.groundwater) {
    const auto water = [&](std::string_view css_class, double depth, std::string_view dashes,
                           const std::string& text) {
      if (!(depth >= 0.0 && depth <= bottom_depth)) return;
      const std::string y = px(y_at(depth));
      out.empty("line", {{"class", std::string(css_class)},
                         {"x1", px(kLeft)},
                         {"y1", y},
                         {"x2", px(kLeft + plot_width)},
                         {"y2", y},
                         {"stroke", kWaterColour},
                         {"stroke-width", "1.5"},
                         {"stroke-dasharray", std::string(dashes)}});
      out.element("text",
                  {{"x", px(kLeft + plot_width - 4)},
                   {"y", px(y_at(depth) - 4)},
                   {"text-anchor", "end"},
                   {"fill", kWaterColour}},
                  text);
    };
    water("water-table", project.groundwater->water_table, "none", "water table");
    if (project.groundwater->final_water_table)
      water("final-water-table", *project.groundwater->final_water_table, "7 4",
            "final water table");
  }
  // The curves: sigma'0 and sigma'f through every sublayer's centre; sigma'p
  // where the soil has one, broken where it has none.
  const auto curve = [&](std::string_view css_class, const char* colour, std::string_view dashes,
                         auto value_of) {
    std::vector<std::string> runs(1);
    for (const StressAtDepth& v : values) {
      const double stress = value_of(v);
      if (!(stress > 0.0 || css_class != "sigma-p") || !std::isfinite(stress)) {
        if (!runs.back().empty()) runs.emplace_back();
        continue;
      }
      runs.back() += (runs.back().empty() ? "" : " ") + px(x_at(stress)) + "," + px(y_at(v.depth));
    }
    out.open("g", {{"class", std::string(css_class)}, {"stroke", colour}, {"fill", "none"}});
    for (const std::string& run : runs) {
      if (run.empty()) continue;
      out.empty("polyline", {{"points", run},
                             {"stroke-width", "2"},
                             {"stroke-dasharray", std::string(dashes)},
                             {"stroke-linejoin", "round"}});
    }
    out.close();
  };
  curve("sigma-eff0", kInitialColour, "none", [](const StressAtDepth& v) { return v.sigma_eff0; });
  curve("sigma-eff-final", kFinalColour, "none",
        [](const StressAtDepth& v) { return v.sigma_eff_final; });
  curve("sigma-p", kPreconsolidationColour, "6 3",
        [](const StressAtDepth& v) { return v.sigma_p; });
  out.empty("rect", {{"x", px(kLeft)},
                     {"y", px(kTop)},
                     {"width", px(plot_width)},
                     {"height", px(plot_height)},
                     {"fill", "none"},
                     {"stroke", "#000000"}});
  out.element("text",
              {{"x", px(kLeft + plot_width / 2)}, {"y", px(kTop - 24)}, {"text-anchor", "middle"}},
              "Effective vertical stress (" + pressure + ")");
  const std::string middle = px(kTop + plot_height / 2);
  out.element("text",
              {{"x", "16"},
               {"y", middle},
               {"text-anchor", "middle"},
               {"transform", "rotate(-90 16 " + middle + ")"}},
              "Depth (" + length + ")");
  // The key, under the chart.
  double x = kLeft;
  const double y = kHeight - 18;
  for (const auto& [text, colour, dashes] :
       {std::tuple{"\u03c3\u2032\u2080 initial", kInitialColour, "none"},
        std::tuple{"\u03c3\u2032f final", kFinalColour, "none"},
        std::tuple{"\u03c3\u2032p preconsolidation", kPreconsolidationColour, "6 3"}}) {
    out.empty("line", {{"x1", px(x)},
                       {"y1", px(y - 4)},
                       {"x2", px(x + 24)},
                       {"y2", px(y - 4)},
                       {"stroke", colour},
                       {"stroke-width", "2"},
                       {"stroke-dasharray", dashes}});
    out.element("text", {{"x", px(x + 30)}, {"y", px(y)}}, text);
    x += 170;
  }
  out.close();
}

}  // namespace plot
