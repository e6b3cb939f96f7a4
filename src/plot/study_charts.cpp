// A study's charts on the page: histograms, exceedance curves and the map.
#include "plot/study_charts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "plot/colour_scale.h"
#include "plot/page_text.h"
#include "plot/project_page_input.h"
#include "study/result_statistics.h"

namespace plot {
namespace {

constexpr double kWidth = 380.0, kHeight = 230.0;
constexpr double kLeft = 52.0, kRight = 14.0, kTop = 24.0, kBottom = 42.0;

// A chart's frame: the settlement along x over [low, high], `y_top` up.
struct Frame {
  double low = 0.0, high = 1.0, y_top = 1.0;
  double x(double s) const { return kLeft + (s - low) / (high - low) * (kWidth - kLeft - kRight); }
  double y(double v) const { return kHeight - kBottom - v / y_top * (kHeight - kTop - kBottom); }
};

// The settlement axis of a point's values: round ticks round them, with
// room for the limit when it lies near.
Frame settlement_frame(const std::vector<double>& values, const std::optional<double>& limit) {
  double low = *std::min_element(values.begin(), values.end());
  double high = *std::max_element(values.begin(), values.end());
  if (limit && *limit >= low - (high - low) && *limit <= high + (high - low)) {
    low = std::min(low, *limit);
    high = std::max(high, *limit);
  }
  if (!(high > low)) {
    const double pad = std::max(std::abs(low) * 0.05, 1e-6);
    low -= pad;
    high += pad;
  }
  const double step = round_step(high - low, 5);
  Frame frame;
  frame.low = std::floor(low / step) * step;
  frame.high = std::ceil(high / step) * step;
  if (!(frame.high > frame.low)) frame.high = frame.low + step;
  return frame;
}

void write_axes(XmlWriter& out, const Frame& frame, const std::string& x_title,
                const std::string& y_title, double y_step) {
  const double bottom = kHeight - kBottom;
  out.open("g", {{"class", "axes"}, {"font-size", "10"}, {"stroke", "none"}});
  out.empty("line", {{"x1", px(kLeft)},
                     {"y1", px(bottom)},
                     {"x2", px(kWidth - kRight)},
                     {"y2", px(bottom)},
                     {"stroke", "#333333"}});
  out.empty("line", {{"x1", px(kLeft)},
                     {"y1", px(kTop)},
                     {"x2", px(kLeft)},
                     {"y2", px(bottom)},
                     {"stroke", "#333333"}});
  const double x_step = round_step(frame.high - frame.low, 5);
  const int x_decimals = decimals_for(x_step);
  for (const double t : ticks(frame.low, frame.high, x_step)) {
    out.empty("line", {{"x1", px(frame.x(t))},
                       {"y1", px(bottom)},
                       {"x2", px(frame.x(t))},
                       {"y2", px(bottom + 4.0)},
                       {"stroke", "#333333"}});
    out.element("text",
                {{"x", px(frame.x(t))}, {"y", px(bottom + 15.0)}, {"text-anchor", "middle"}},
                decimal(static_cast<float>(t), x_decimals));
  }
  const int y_decimals = decimals_for(y_step);
  for (const double t : ticks(0.0, frame.y_top, y_step)) {
    out.empty("line", {{"x1", px(kLeft - 4.0)},
                       {"y1", px(frame.y(t))},
                       {"x2", px(kLeft)},
                       {"y2", px(frame.y(t))},
                       {"stroke", "#333333"}});
    out.element("text",
                {{"x", px(kLeft - 6.0)}, {"y", px(frame.y(t) + 3.5)}, {"text-anchor", "end"}},
                decimal(static_cast<float>(t), y_decimals));
  }
  out.element("text",
              {{"x", px((kLeft + kWidth - kRight) / 2.0)},
               {"y", px(kHeight - 8.0)},
               {"text-anchor", "middle"}},
              x_title);
  out.element("text",
              {{"x", px(12.0)},
               {"y", px((kTop + bottom) / 2.0)},
               {"text-anchor", "middle"},
               {"transform", "rotate(-90 12 " + px((kTop + bottom) / 2.0) + ")"}},
              y_title);
  out.close();
}

void write_limit(XmlWriter& out, const Frame& frame, const std::optional<double>& limit) {
  if (!limit || *limit < frame.low || *limit > frame.high) return;
  out.empty("line", {{"class", "limit"},
                     {"x1", px(frame.x(*limit))},
                     {"y1", px(kTop)},
                     {"x2", px(frame.x(*limit))},
                     {"y2", px(kHeight - kBottom)},
                     {"stroke", "#c00000"},
                     {"stroke-dasharray", "4 3"}});
  out.element("text",
              {{"x", px(frame.x(*limit))},
               {"y", px(kTop - 6.0)},
               {"text-anchor", "middle"},
               {"font-size", "10"},
               {"fill", "#c00000"}},
              "limit");
}

std::vector<Attribute> chart_attributes(const std::string& css_class, const std::string& label) {
  return {{"xmlns", "http://www.w3.org/2000/svg"},
          {"class", css_class},
          {"width", px(kWidth)},
          {"height", px(kHeight)},
          {"viewBox", "0 0 " + px(kWidth) + " " + px(kHeight)},
          {"data-point", label}};
}

void write_histogram(XmlWriter& out, const std::vector<double>& values, const Frame& axis,
                     const std::optional<double>& limit, const std::string& label,
                     const std::string& units) {
  const int bins = std::clamp(static_cast<int>(std::ceil(std::sqrt(values.size()))), 5, 30);
  const double width = (axis.high - axis.low) / bins;
  std::vector<int> counts(static_cast<std::size_t>(bins), 0);
  for (const double v : values) {
    const int b = std::clamp(static_cast<int>(std::floor((v - axis.low) / width)), 0, bins - 1);
    ++counts[static_cast<std::size_t>(b)];
  }
  const int most = *std::max_element(counts.begin(), counts.end());
  const double y_step = std::max(1.0, std::ceil(round_step(std::max(most, 1), 4)));
  Frame frame = axis;
  frame.y_top = std::ceil(std::max(most, 1) / y_step) * y_step;
  out.open("svg", chart_attributes("study-histogram", label));
  out.open("g", {{"class", "bars"}, {"fill", "#7fa7d9"}, {"stroke", "#2b5d9b"}});
  for (int b = 0; b < bins; ++b) {
    const int count = counts[static_cast<std::size_t>(b)];
    if (count == 0) continue;
    const double x1 = frame.x(axis.low + width * b), x2 = frame.x(axis.low + width * (b + 1));
    out.empty("rect", {{"x", px(x1)},
                       {"y", px(frame.y(count))},
                       {"width", px(x2 - x1)},
                       {"height", px(frame.y(0.0) - frame.y(count))},
                       {"data-count", std::to_string(count)}});
  }
  out.close();
  write_axes(out, frame, "Settlement (" + units + ")", "Samples", y_step);
  write_limit(out, frame, limit);
  out.close();
}

void write_exceedance_curve(XmlWriter& out, const std::vector<double>& values, const Frame& axis,
                            const std::optional<double>& limit, const std::string& label,
                            const std::string& units) {
  Frame frame = axis;
  frame.y_top = 1.0;
  const std::vector<ExceedanceStep> steps = exceedance_steps(values);
  // From the axis's left end at 1, each step down at its value, to the right end.
  std::string points = px(frame.x(frame.low)) + "," + px(frame.y(1.0));
  double share = 1.0;
  for (const ExceedanceStep& step : steps) {
    points += " " + px(frame.x(step.value)) + "," + px(frame.y(share));
    points += " " + px(frame.x(step.value)) + "," + px(frame.y(step.share_above));
    share = step.share_above;
  }
  points += " " + px(frame.x(frame.high)) + "," + px(frame.y(share));
  std::vector<Attribute> attributes = chart_attributes("study-exceedance", label);
  attributes.push_back({"data-first", std::to_string(1.0)});
  attributes.push_back({"data-last", std::to_string(share)});
  if (limit) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", study::share_above(values, *limit));
    attributes.push_back({"data-p-exceed", text});
  }
  out.open("svg", attributes);
  out.empty("polyline", {{"class", "exceedance"},
                         {"points", points},
                         {"fill", "none"},
                         {"stroke", "#2b5d9b"},
                         {"stroke-width", "1.5"}});
  write_axes(out, frame, "Settlement s (" + units + ")", "P(settlement > s)", 0.2);
  write_limit(out, frame, limit);
  if (limit && *limit >= frame.low && *limit <= frame.high) {
    const double p = study::share_above(values, *limit);
    out.empty("circle", {{"class", "at-limit"},
                         {"cx", px(frame.x(*limit))},
                         {"cy", px(frame.y(p))},
                         {"r", "3"},
                         {"fill", "#c00000"}});
    out.element("text",
                {{"x", px(frame.x(*limit) + 5.0)},
                 {"y", px(frame.y(p) - 5.0)},
                 {"font-size", "10"},
                 {"fill", "#c00000"}},
                "P = " + decimal(static_cast<float>(p), 3));
  }
  out.close();
}

}  // namespace

std::string_view study_style() {
  return ".study-point{display:flex;flex-wrap:wrap;gap:4mm;break-inside:avoid}"
         ".study-point h3{width:100%;margin:4mm 0 0;font-size:1em;font-weight:normal}"
         ".study-point svg{display:inline-block;width:95mm;height:auto}"
         "svg.exceedance-map{width:auto;max-width:100%;height:auto;break-inside:avoid}";
}

std::vector<ExceedanceStep> exceedance_steps(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::vector<ExceedanceStep> steps;
  const double n = static_cast<double>(values.size());
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (k + 1 < values.size() && values[k + 1] == values[k]) continue;
    steps.push_back({values[k], static_cast<double>(values.size() - k - 1) / n});
  }
  return steps;
}

void write_point_study_charts(XmlWriter& out, const site::Project& project, std::size_t point,
                              const StudyPageInput& figures) {
  const std::vector<double>& values = figures.settlements[point];
  if (values.empty()) return;
  const std::string label = point_label(project, point);
  const std::string units(project_units(project).settlement);
  const Frame axis = settlement_frame(values, figures.settlement_limit);
  const study::Summary summary = study::summary_of(values);
  out.open("div", {{"class", "study-point"}});
  std::string words = label + ": mean " + settlement_text(static_cast<float>(summary.mean)) +
                      ", sd " + settlement_text(static_cast<float>(summary.sd)) + ", 5 % " +
                      settlement_text(static_cast<float>(summary.p05)) + ", 95 % " +
                      settlement_text(static_cast<float>(summary.p95)) + " " + units;
  if (figures.settlement_limit)
    words += "; P(settlement > " + decimal(static_cast<float>(*figures.settlement_limit), 3) +
             ") = " +
             decimal(static_cast<float>(study::share_above(values, *figures.settlement_limit)), 3);
  out.element("h3", {}, words);
  write_histogram(out, values, axis, figures.settlement_limit, label, units);
  write_exceedance_curve(out, values, axis, figures.settlement_limit, label, units);
  out.close();
}

void write_study_part(XmlWriter& out, const site::Project& project, const StudyPageInput& figures) {
  const std::string units(project_units(project).settlement);
  out.open("section", {{"class", "study-part"}});
  out.element("h2", {}, "Study: settlement over the samples");
  out.element(
      "p", {},
      "The settlement of each point over the study's " + std::to_string(figures.samples) +
          " samples (" + (figures.method == "lhs" ? "Latin hypercube" : "Monte Carlo") + ", seed " +
          std::to_string(figures.seed) +
          "), as settle study draws and analyses them: the histogram of the samples, "
          "and the exceedance curve, the share of samples whose settlement is above s." +
          (figures.settlement_limit
               ? " The dashed line is the study's settlement limit, " +
                     decimal(static_cast<float>(*figures.settlement_limit), 3) + " " + units + "."
               : std::string()));
  for (std::size_t j = 0; j < figures.settlements.size(); ++j)
    write_point_study_charts(out, project, j, figures);
  if (figures.map) {
    out.element("h2", {}, "Probability of exceeding the settlement limit");
    out.element("p", {{"class", "study-map-note"}},
                "At each node of the settlement map's grid, the share of samples whose settlement "
                "there exceeds " +
                    decimal(static_cast<float>(figures.map->limit), 3) + " " + units +
                    ", over the first " + std::to_string(figures.map->samples) +
                    " of the study's " + std::to_string(figures.samples) +
                    " samples, each regenerated from the seed and analysed over the whole grid "
                    "(--study-grid-samples N sets the count used for the map, 100 by default). "
                    "The points' own figures above use every sample.");
    write_exceedance_map(out, project, *figures.map);
  } else {
    out.element("p", {{"class", "study-map-note"}},
                "The study has no settlement_limit: no map of the probability of exceeding it.");
  }
  out.close();
}

}  // namespace plot
