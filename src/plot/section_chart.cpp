// The section's chart: lanes of the crossed areas over a frame of distance
// against settlement.
#include "plot/section_chart.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "plot/colour_scale.h"
#include "plot/label_placer.h"
#include "plot/page_text.h"

namespace plot {
namespace {

constexpr double kWidth = 1000.0, kLeft = 72.0, kRight = 28.0;
constexpr double kLanesTop = 26.0, kLaneHeight = 20.0, kChartHeight = 470.0, kBottom = 50.0;
constexpr const char* kSettlementColour = "#b2182b";

// The lane of each crossing: the first whose last stretch ends before it starts.
std::vector<int> lanes_of(const std::vector<SectionCrossing>& crossings, int& lane_count) {
  std::vector<double> lane_end;
  std::vector<int> lanes;
  for (const SectionCrossing& crossing : crossings) {
    std::size_t lane = 0;
    while (lane < lane_end.size() && lane_end[lane] > crossing.from) ++lane;
    if (lane == lane_end.size()) lane_end.push_back(crossing.to);
    lane_end[lane] = crossing.to;
    lanes.push_back(static_cast<int>(lane));
  }
  lane_count = static_cast<int>(lane_end.size());
  return lanes;
}

}  // namespace

void write_section_chart(XmlWriter& out, const problem::ProblemData& problem,
                         const Section& section) {
  write_section_chart(
      out, unit_names(problem.unit_system), [&](int area) { return area_label(problem, area); },
      section);
}

void write_section_chart(XmlWriter& out, const UnitNames& units,
                         const std::function<std::string(int)>& label_of, const Section& section) {
  int lane_count = 0;
  const std::vector<int> lanes = lanes_of(section.crossings, lane_count);
  const double top = kLanesTop + kLaneHeight * lane_count + 8.0;
  const double bottom = top + kChartHeight;
  const double height = bottom + kBottom;
  const double length = section.length();
  const double plot_width = kWidth - kLeft - kRight;
  const auto x_at = [&](double distance) { return kLeft + distance / length * plot_width; };

  double smallest = 0.0, largest = 0.0;
  for (const SectionSample& sample : section.samples) {
    if (!std::isfinite(sample.settlement)) continue;
    smallest = std::min(smallest, static_cast<double>(sample.settlement));
    largest = std::max(largest, static_cast<double>(sample.settlement));
  }
  if (largest <= smallest) largest = smallest + 1.0;
  const double step = round_step(largest - smallest, 5);
  const double low = std::floor(smallest / step + 1e-9) * step;
  const double high = std::ceil(largest / step - 1e-9) * step;
  // Settlement grows downward: 0 (or the largest heave) at the top.
  const auto y_at = [&](double s) { return top + (s - low) / (high - low) * kChartHeight; };

  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "section-chart"},
                   {"width", px(kWidth)},
                   {"height", px(height)},
                   {"viewBox", "0 0 " + px(kWidth) + " " + px(height)},
                   {"font-family", "Helvetica, Arial, 'Liberation Sans', sans-serif"},
                   {"font-size", "12"}});
  out.element("title", {}, "Section A\u2013A\u2032: total settlement along the line");
  out.element("text", {{"x", px(kLeft)}, {"y", "16"}, {"font-weight", "bold"}},
              "Loaded areas crossed");
  // Each crossing: a bar in its lane and a light band down the chart.
  for (std::size_t k = 0; k < section.crossings.size(); ++k) {
    const SectionCrossing& crossing = section.crossings[k];
    const std::string label = label_of(crossing.area);
    const double left = x_at(crossing.from), right = x_at(crossing.to);
    const double lane_top = kLanesTop + kLaneHeight * lanes[k];
    out.open("g", {{"class", "crossing"}, {"data-area", label}});
    out.element("title", {},
                label + ": from " + decimal(static_cast<float>(crossing.from), 2) + " to " +
                    decimal(static_cast<float>(crossing.to), 2) + " " + std::string(units.length));
    out.empty("rect", {{"x", px(left)},
                       {"y", px(top)},
                       {"width", px(right - left)},
                       {"height", px(kChartHeight)},
                       {"fill", "#000000"},
                       {"fill-opacity", "0.05"}});
    out.empty("rect", {{"x", px(left)},
                       {"y", px(lane_top)},
                       {"width", px(std::max(right - left, 1.0))},
                       {"height", px(kLaneHeight - 4)},
                       {"fill", "#d9d9d9"},
                       {"stroke", "#000000"},
                       {"stroke-width", "0.8"}});
    if (text_width(label, 12.0, true) + 4.0 <= right - left) {
      out.element("text",
                  {{"x", px((left + right) / 2)},
                   {"y", px(lane_top + 13)},
                   {"text-anchor", "middle"},
                   {"font-size", "12"},
                   {"font-weight", "bold"}},
                  label);
    }
    out.close();
  }
  // Axes.
  const double distance_step = round_step(length, 10);
  for (const double d : ticks(0.0, length, distance_step)) {
    const std::string x = px(x_at(d));
    out.empty("line",
              {{"x1", x}, {"y1", px(top)}, {"x2", x}, {"y2", px(bottom)}, {"stroke", "#e0e0e0"}});
    out.element("text", {{"x", x}, {"y", px(bottom + 16)}, {"text-anchor", "middle"}},
                decimal(static_cast<float>(d), decimals_for(distance_step)));
  }
  for (const double s : ticks(low, high, step)) {
    const std::string y = px(y_at(s));
    out.empty("line", {{"x1", px(kLeft)},
                       {"y1", y},
                       {"x2", px(kWidth - kRight)},
                       {"y2", y},
                       {"stroke", "#e0e0e0"}});
    out.element("text", {{"x", px(kLeft - 6)}, {"y", px(y_at(s) + 4)}, {"text-anchor", "end"}},
                decimal(static_cast<float>(s), decimals_for(step)));
  }
  out.element(
      "text",
      {{"x", px(kLeft + plot_width / 2)}, {"y", px(bottom + 38)}, {"text-anchor", "middle"}},
      "Distance from A along A\u2013A\u2032 (" + std::string(units.length) + ")");
  const std::string middle = px((top + bottom) / 2);
  out.element("text",
              {{"x", "16"},
               {"y", middle},
               {"text-anchor", "middle"},
               {"transform", "rotate(-90 16 " + middle + ")"}},
              "Settlement (" + std::string(units.settlement) + ")");
  // The curve, and the ground between it and zero settlement; a settlement
  // that is not finite breaks the curve.
  std::vector<std::vector<const SectionSample*>> runs(1);
  for (const SectionSample& sample : section.samples) {
    if (std::isfinite(sample.settlement)) {
      runs.back().push_back(&sample);
    } else if (!runs.back().empty()) {
      runs.emplace_back();
    }
  }
  for (const auto& run : runs) {
    if (run.size() < 2) continue;
    std::string points, ground = px(x_at(run.front()->distance)) + "," + px(y_at(0.0));
    for (const SectionSample* sample : run) {
      const std::string at = px(x_at(sample->distance)) + "," + px(y_at(sample->settlement));
      points += (points.empty() ? "" : " ") + at;
      ground += " " + at;
    }
    ground += " " + px(x_at(run.back()->distance)) + "," + px(y_at(0.0));
    out.empty("polygon",
              {{"points", ground}, {"fill", kSettlementColour}, {"fill-opacity", "0.12"}});
    out.empty("polyline", {{"class", "section-curve"},
                           {"points", points},
                           {"fill", "none"},
                           {"stroke", kSettlementColour},
                           {"stroke-width", "2"},
                           {"stroke-linejoin", "round"}});
  }
  out.empty("line", {{"x1", px(kLeft)},
                     {"y1", px(y_at(0.0))},
                     {"x2", px(kWidth - kRight)},
                     {"y2", px(y_at(0.0))},
                     {"stroke", "#000000"},
                     {"stroke-width", "1"}});
  out.empty("rect", {{"x", px(kLeft)},
                     {"y", px(top)},
                     {"width", px(plot_width)},
                     {"height", px(kChartHeight)},
                     {"fill", "none"},
                     {"stroke", "#000000"}});
  // The ends' names under the distance axis, at the ends.
  for (const auto& [name, distance] : {std::pair{"A", 0.0}, std::pair{"A\u2032", length}}) {
    out.element("text",
                {{"x", px(x_at(distance))},
                 {"y", px(bottom + 38)},
                 {"text-anchor", distance == 0.0 ? "start" : "end"},
                 {"font-size", "14"},
                 {"font-weight", "bold"}},
                name);
  }
  out.close();
}

}  // namespace plot
