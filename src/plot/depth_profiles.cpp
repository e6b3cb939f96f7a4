// One chart per point: two panels side by side on one depth axis that grows
// downward, pressures on the left, cumulative settlement on the right.
#include "plot/depth_profiles.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "plot/colour_scale.h"
#include "plot/page_text.h"

namespace plot {
namespace {

constexpr double kWidth = 330.0;
constexpr double kPressureLeft = 50.0, kPressureRight = 164.0;
constexpr double kSettlementLeft = 200.0, kSettlementRight = 314.0;

constexpr const char* kStressColour = "#1f4e9c";
constexpr const char* kOverburdenColour = "#555555";
constexpr const char* kSettlementColour = "#b2182b";

// One horizontal axis of a panel: its value range and its pixel range.
struct Axis {
  double low, high, left, right;
  double at(double value) const { return left + (value - low) / (high - low) * (right - left); }
};

Axis value_axis(double smallest, double largest, double left, double right, double& step) {
  const double low = std::min(smallest, 0.0);
  double high = std::max(largest, 0.0);
  if (high <= low) high = low + 1.0;
  // Three to six steps: the tick values of a panel 114 pixels wide stay apart.
  step = round_step(high - low, 3);
  return {std::floor(low / step + 1e-9) * step, std::ceil(high / step - 1e-9) * step, left, right};
}

void write_value_axis(XmlWriter& out, const Axis& axis, double step, const std::string& title) {
  const int decimals = decimals_for(step);
  for (const double value : ticks(axis.low, axis.high, step)) {
    const std::string x = px(axis.at(value));
    out.empty("line", {{"x1", x},
                       {"y1", px(kProfileTop)},
                       {"x2", x},
                       {"y2", px(kProfileBottom)},
                       {"stroke", "#e0e0e0"}});
    out.element("text", {{"x", x}, {"y", px(kProfileTop - 6)}, {"text-anchor", "middle"}},
                decimal(static_cast<float>(value), decimals));
  }
  out.element("text",
              {{"x", px((axis.left + axis.right) / 2)},
               {"y", px(kProfileTop - 22)},
               {"text-anchor", "middle"}},
              title);
  out.empty("rect", {{"x", px(axis.left)},
                     {"y", px(kProfileTop)},
                     {"width", px(axis.right - axis.left)},
                     {"height", px(kProfileBottom - kProfileTop)},
                     {"fill", "none"},
                     {"stroke", "#000000"}});
}

std::string polyline(const std::vector<std::pair<double, double>>& pixels) {
  std::string text;
  for (const auto& [x, y] : pixels) {
    if (!text.empty()) text += ' ';
    text += px(x) + "," + px(y);
  }
  return text;
}

// A value that is not finite (the settlement above a sublayer that settles
// without end) leaves its place out of the line.
void write_line(XmlWriter& out, std::vector<std::pair<double, double>> pixels, const char* colour,
                const char* dashes) {
  std::erase_if(pixels, [](const std::pair<double, double>& p) {
    return !std::isfinite(p.first) || !std::isfinite(p.second);
  });
  if (pixels.size() < 2) return;
  out.empty("polyline", {{"points", polyline(pixels)},
                         {"fill", "none"},
                         {"stroke", colour},
                         {"stroke-width", "2"},
                         {"stroke-dasharray", dashes}});
}

}  // namespace

DepthAxis profile_depth_axis(const problem::ProblemData& problem,
                             const analysis::ClassicProfile& profile) {
  const int n = profile.sublayer_count();
  double bottom_depth = n > 0 ? static_cast<double>(profile.sublayers[n].bottom_depth) : 0.0;
  bottom_depth = std::max(
      {bottom_depth, static_cast<double>(problem.boundary_depths[std::max(problem.layer_count, 0)]),
       1.0});
  const double step = round_step(bottom_depth, 6);
  return {std::ceil(bottom_depth / step - 1e-9) * step, step};
}

double DepthAxis::at(double depth) const {
  return kProfileTop + depth / deepest * (kProfileBottom - kProfileTop);
}

void write_profile_key(XmlWriter& out, std::int32_t unit_system) {
  const UnitNames units = unit_names(unit_system);
  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "key"},
                   {"width", "900"},
                   {"height", "24"},
                   {"viewBox", "0 0 900 24"},
                   {"font-family", "Helvetica, Arial, 'Liberation Sans', sans-serif"},
                   {"font-size", "13"}});
  const struct {
    double x;
    const char* colour;
    const char* dashes;
    std::string text;
  } entries[] = {
      {0, kStressColour, "none", "average stress increase (" + std::string(units.pressure) + ")"},
      {250, kOverburdenColour, "6 4", "overburden pressure (" + std::string(units.pressure) + ")"},
      {470, kSettlementColour, "none",
       "settlement of the soil below (" + std::string(units.settlement) + ")"},
      {740, "#808080", "2 3", "layer boundary"},
  };
  for (const auto& entry : entries) {
    out.empty("line", {{"x1", px(entry.x + 2)},
                       {"y1", "12"},
                       {"x2", px(entry.x + 32)},
                       {"y2", "12"},
                       {"stroke", entry.colour},
                       {"stroke-width", "2"},
                       {"stroke-dasharray", entry.dashes}});
    out.element("text", {{"x", px(entry.x + 38)}, {"y", "16"}}, entry.text);
  }
  out.close();
}

void write_depth_profile(XmlWriter& out, const problem::ProblemData& problem,
                         const analysis::ClassicProfile& profile,
                         const analysis::AnalysisResults& results, int point) {
  const auto& record = problem.points[point];
  const UnitNames units = unit_names(problem.unit_system);
  const int n = profile.sublayer_count();
  const int first = std::max(profile.points[point].start_sublayer, 1);
  const auto& sublayers = profile.sublayers;

  // Settlement of the soil below each sublayer top, summed from the bottom up.
  std::vector<double> below(static_cast<std::size_t>(n) + 2, 0.0);
  for (int m = n; m >= 1; --m) {
    below[static_cast<std::size_t>(m)] = below[static_cast<std::size_t>(m) + 1] +
                                         static_cast<double>(results.sublayer_settlement[point][m]);
  }

  double largest_pressure = 0.0, smallest_pressure = 0.0;
  for (int m = 1; m <= n; ++m) {
    for (const float pressure :
         {sublayers[m].overburden_pressure, results.average_stress_increase[point][m]}) {
      if (!std::isfinite(pressure)) continue;
      largest_pressure = std::max(largest_pressure, static_cast<double>(pressure));
      smallest_pressure = std::min(smallest_pressure, static_cast<double>(pressure));
    }
  }
  double least_below = 0.0, most_below = 0.0;
  for (const double value : below) {
    if (!std::isfinite(value)) continue;
    least_below = std::min(least_below, value);
    most_below = std::max(most_below, value);
  }
  double pressure_step = 1.0, settlement_step = 1.0;
  const Axis pressure =
      value_axis(smallest_pressure, largest_pressure, kPressureLeft, kPressureRight, pressure_step);
  const Axis settlement =
      value_axis(least_below, most_below, kSettlementLeft, kSettlementRight, settlement_step);
  const DepthAxis depth_axis = profile_depth_axis(problem, profile);
  const double depth_step = depth_axis.step;
  const Axis depth{0.0, depth_axis.deepest, kProfileTop, kProfileBottom};

  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "profile"},
                   {"data-position", std::to_string(point)},
                   {"width", px(kWidth)},
                   {"height", px(kProfileHeight)},
                   {"viewBox", "0 0 " + px(kWidth) + " " + px(kProfileHeight)},
                   {"font-family", "Helvetica, Arial, 'Liberation Sans', sans-serif"},
                   {"font-size", "12"}});
  // One line of markup: a line break between spans would be drawn as a space.
  out.open_inline("text", {{"x", "4"}, {"y", "15"}, {"font-size", "13"}});
  out.element_inline("tspan", {{"font-weight", "bold"}},
                     "Point " + std::to_string(record.point_number));
  out.element_inline("tspan", {},
                     " at (" + decimal(record.x, 2) + ", " + decimal(record.y, 2) + "): ");
  out.element_inline(
      "tspan",
      {{"class", "settlement"}, {"data-position", std::to_string(point)}, {"font-weight", "bold"}},
      settlement_text(results.total_settlement[point]));
  out.element_inline("tspan", {}, " " + std::string(units.settlement));
  out.close();

  for (const double d : ticks(depth.low, depth.high, depth_step)) {
    out.element("text",
                {{"x", px(kPressureLeft - 5)}, {"y", px(depth.at(d) + 4)}, {"text-anchor", "end"}},
                decimal(static_cast<float>(d), decimals_for(depth_step)));
  }
  const std::string middle = px((kProfileTop + kProfileBottom) / 2);
  out.element("text",
              {{"x", "12"},
               {"y", middle},
               {"text-anchor", "middle"},
               {"transform", "rotate(-90 12 " + middle + ")"}},
              "Depth (" + std::string(units.length) + ")");
  write_value_axis(out, pressure, pressure_step, "Pressure (" + std::string(units.pressure) + ")");
  write_value_axis(out, settlement, settlement_step,
                   "Settlement (" + std::string(units.settlement) + ")");
  if (first > 1 && first <= n) {
    // The soil above the start layer takes no part in this point's settlement.
    const double top = depth.at(sublayers[first - 1].bottom_depth);
    for (const Axis* panel : {&pressure, &settlement}) {
      out.empty("rect", {{"x", px(panel->left)},
                         {"y", px(kProfileTop)},
                         {"width", px(panel->right - panel->left)},
                         {"height", px(top - kProfileTop)},
                         {"fill", "#000000"},
                         {"fill-opacity", "0.08"}});
    }
    out.element("text", {{"x", px(kPressureLeft + 4)}, {"y", px(kProfileTop + 12)}},
                "not included");
  }
  for (int layer = 1; layer < problem.layer_count; ++layer) {
    const std::string y = px(depth.at(problem.boundary_depths[layer]));
    for (const Axis* panel : {&pressure, &settlement}) {
      out.empty("line", {{"class", "layer-boundary"},
                         {"data-depth", decimal(problem.boundary_depths[layer], 2)},
                         {"x1", px(panel->left)},
                         {"y1", y},
                         {"x2", px(panel->right)},
                         {"y2", y},
                         {"stroke", "#808080"},
                         {"stroke-width", "1.5"},
                         {"stroke-dasharray", "2 3"}});
    }
  }

  std::vector<std::pair<double, double>> overburden{{pressure.at(0.0), depth.at(0.0)}};
  std::vector<std::pair<double, double>> stress;
  std::vector<std::pair<double, double>> cumulative;
  for (int m = 1; m <= n; ++m) {
    const double centre = depth.at(profile.stress_depths[2 * m]);
    overburden.emplace_back(pressure.at(sublayers[m].overburden_pressure), centre);
    if (m >= first)
      stress.emplace_back(pressure.at(results.average_stress_increase[point][m]), centre);
    cumulative.emplace_back(settlement.at(below[static_cast<std::size_t>(m)]),
                            depth.at(sublayers[m].bottom_depth - sublayers[m].thickness));
  }
  if (n > 0) cumulative.emplace_back(settlement.at(0.0), depth.at(sublayers[n].bottom_depth));
  write_line(out, overburden, kOverburdenColour, "6 4");
  write_line(out, stress, kStressColour, "none");
  write_line(out, cumulative, kSettlementColour, "none");
  out.close();
}

}  // namespace plot
