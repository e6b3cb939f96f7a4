// The plan's panel, top down: north arrow, the bands' bar, the samples of the
// lines and marks; the title block stands at its foot.
#include "plot/map_legend.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "plot/page_text.h"

namespace plot {
namespace {

constexpr double kFont = 11.0, kTitleFont = 10.0;
constexpr double kRow = 15.0;  // between the baselines of the panel's lines
constexpr double kBarWidth = 22.0;

// `text` cut at blanks into lines no wider than `width` at `font` pixels.
std::vector<std::string> wrapped(const std::string& text, double font, double width,
                                 bool bold = false) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t blank = std::min(text.find(' ', at), text.size());
    const std::string word = text.substr(at, blank - at);
    const std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && text_width(longer, font, bold) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
    at = blank + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// Lines of text from `y` down; returns the y below the last.
double write_lines(XmlWriter& out, const std::vector<std::string>& lines, double x, double y,
                   double font, bool bold, const std::string& css_class = "") {
  for (const std::string& line : lines) {
    std::vector<Attribute> attributes = {{"x", px(x)}, {"y", px(y)}, {"font-size", px(font)}};
    if (bold) attributes.push_back({"font-weight", "bold"});
    if (!css_class.empty()) attributes.push_back({"class", css_class});
    out.element("text", attributes, line);
    y += font * 1.3;
  }
  return y;
}

// An arrow pointing up the page, +y, with N over it.
double write_north_arrow(XmlWriter& out, const Box& panel) {
  const double x = panel.right - 24, top = panel.top + 2;
  out.open("g", {{"class", "north-arrow"}});
  out.element("text",
              {{"x", px(x)},
               {"y", px(top + 12)},
               {"text-anchor", "middle"},
               {"font-weight", "bold"},
               {"font-size", "14"}},
              "N");
  out.empty("path", {{"d", "M" + px(x) + " " + px(top + 16) + "l9 30l-9 -8l-9 8z"},
                     {"fill", "#000000"},
                     {"stroke", "#000000"},
                     {"stroke-width", "1"}});
  out.element("text",
              {{"x", px(x - 16)}, {"y", px(top + 40)}, {"text-anchor", "end"}, {"font-size", "11"}},
              "north: +y");
  out.close();
  return top + 52;
}

struct KeyItem {
  std::string text;
  std::function<void(XmlWriter&, double x, double y)> sample;  // 30 px wide, centred on y
};

void line_sample(XmlWriter& out, double x, double y, const char* colour, const std::string& width,
                 const char* dashes) {
  out.empty("line", {{"x1", px(x)},
                     {"y1", px(y)},
                     {"x2", px(x + 30)},
                     {"y2", px(y)},
                     {"stroke", colour},
                     {"stroke-width", width},
                     {"stroke-dasharray", dashes}});
}

std::vector<KeyItem> key_items(const problem::ProblemData& problem, const SettlementMap& map) {
  std::vector<KeyItem> items;
  if (map.has_grid) {
    items.push_back({"contour line", [](XmlWriter& out, double x, double y) {
                       line_sample(out, x, y, kContourColour, "0.9", "none");
                     }});
  }
  items.push_back({"loaded area", [](XmlWriter& out, double x, double y) {
                     out.empty("rect", {{"x", px(x + 3)},
                                        {"y", px(y - 7)},
                                        {"width", "24"},
                                        {"height", "14"},
                                        {"fill", "#000000"},
                                        {"fill-opacity", "0.04"},
                                        {"stroke", "#000000"},
                                        {"stroke-width", "1.2"}});
                   }});
  if (problem.spread_area_count > 0) {
    items.push_back({"spread area (total load)", [](XmlWriter& out, double x, double y) {
                       out.empty("rect", {{"x", px(x + 3)},
                                          {"y", px(y - 7)},
                                          {"width", "24"},
                                          {"height", "14"},
                                          {"fill", "none"},
                                          {"stroke", "#000000"},
                                          {"stroke-width", "1.2"},
                                          {"stroke-dasharray", "5 3"}});
                     }});
  }
  items.push_back({map.stress ? "settlement point" : "settlement point and its total",
                   [](XmlWriter& out, double x, double y) {
                     out.empty("circle", {{"cx", px(x + 15)},
                                          {"cy", px(y)},
                                          {"r", "6"},
                                          {"fill", "#ffffff"},
                                          {"stroke", "#000000"},
                                          {"stroke-width", "2"}});
                   }});
  if (!map.stress && std::any_of(map.points.begin(), map.points.end(),
                                 [&](const PagePoint& p) { return counted_otherwise(map, p); })) {
    items.push_back({"P* counted from another start layer than the map",
                     [](XmlWriter& out, double x, double y) {
                       out.empty("rect", {{"x", px(x + 9)},
                                          {"y", px(y - 6)},
                                          {"width", "12"},
                                          {"height", "12"},
                                          {"fill", "#ffffff"},
                                          {"stroke", "#000000"},
                                          {"stroke-width", "2"}});
                     }});
  }
  if (!map.stress) {
    items.push_back({"angular distortion beyond " + map.distortion_limit_text,
                     [width = flagged_pair_width(map)](XmlWriter& out, double x, double y) {
                       line_sample(out, x, y, kFlaggedPairColour, width, "none");
                     }});
  }
  if (map.section) {
    items.push_back({"section A\u2013A\u2032", [](XmlWriter& out, double x, double y) {
                       line_sample(out, x, y, kSectionColour, "1.6", "8 4");
                     }});
  }
  return items;
}

// The title block's lines, at the foot of the panel.
void write_title_block(XmlWriter& out, const problem::ProblemData& problem,
                       const SettlementMap& map, const Box& panel) {
  const UnitNames units = unit_names(problem.unit_system);
  const double width = panel.width() - 10;
  std::vector<std::pair<std::vector<std::string>, bool>> parts;  // lines, bold
  for (const auto& line : problem.title) {
    const std::string text(trimmed(line.view()));
    if (!text.empty()) parts.push_back({wrapped(text, kTitleFont + 1, width, true), true});
  }
  parts.push_back({wrapped("File: " + map.title.input_name, kTitleFont, width), false});
  parts.push_back(
      {{"SHA-256:", map.title.sha256.substr(0, 32), map.title.sha256.substr(32)}, false});
  parts.push_back(
      {wrapped("Units: " + std::string(units.length) + ", " + std::string(units.pressure) +
                   ", settlement in " + std::string(units.settlement),
               kTitleFont, width),
       false});
  parts.push_back(
      {wrapped("Settlement counted from layer " + std::to_string(map.start_layer) +
                   (map.start_layer_chosen ? " (chosen with --start-layer)"
                                           : " (the smallest start layer among the points)"),
               kTitleFont, width),
       false});
  parts.push_back({{"settle-plot " SETTLE_VERSION ", " + map.title.date}, false});
  double lines = 0;
  for (const auto& [text, bold] : parts) lines += static_cast<double>(text.size());
  const double height = lines * kTitleFont * 1.3 + 10;
  const double top = panel.bottom - height;
  out.open("g", {{"class", "title-block"}});
  out.empty("rect", {{"x", px(panel.left)},
                     {"y", px(top)},
                     {"width", px(panel.width())},
                     {"height", px(height)},
                     {"fill", "#ffffff"},
                     {"stroke", "#000000"},
                     {"stroke-width", "0.8"}});
  double y = top + 5 + kTitleFont;
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const auto& [text, bold] = parts[k];
    if (text.size() == 3 && text[0] == "SHA-256:") {
      // The digest in a fixed-width face, two lines of 32 digits.
      y = write_lines(out, {text[0]}, panel.left + 5, y, kTitleFont, false);
      out.open("g", {{"font-family", "'DejaVu Sans Mono', Menlo, Consolas, monospace"},
                     {"class", "sha256"}});
      y = write_lines(out, {text[1], text[2]}, panel.left + 5, y, kTitleFont, false);
      out.close();
      continue;
    }
    y = write_lines(out, text, panel.left + 5, y, bold ? kTitleFont + 1 : kTitleFont, bold);
  }
  out.close();
}

}  // namespace

std::string flagged_pair_width(const SettlementMap& map) {
  const auto flagged = std::count_if(map.distortion.begin(), map.distortion.end(),
                                     [](const DistortionRow& row) { return row.beyond_limit; });
  return flagged > 30 ? "2.5" : "4";
}

bool counted_otherwise(const SettlementMap& map, const PagePoint& point) {
  return point.start_layer != std::max(map.start_layer, 1);
}

void write_map_legend(XmlWriter& out, const problem::ProblemData& problem, const SettlementMap& map,
                      const Box& panel) {
  const UnitNames units = unit_names(problem.unit_system);
  out.open("g", {{"class", "legend"}, {"font-size", px(kFont)}});
  double y = write_north_arrow(out, panel);
  const ColourScale& scale = map.scale;
  const int decimals = scale_decimals(scale);
  const std::string unit(map.stress ? units.pressure : units.settlement);
  std::string heading = map.stress ? "Stress increase at depth " +
                                         decimal(static_cast<float>(map.stress_depth), 2) + " " +
                                         std::string(units.length) + " (" + unit + ")"
                                   : "Total settlement (" + unit + ")";
  const std::string every =
      map.levels_chosen && !scale.limits.empty()
          ? "contour lines at the levels chosen"
          : "contour lines every " +
                decimal(static_cast<float>(scale.step), decimals_for(scale.step)) + " " + unit;
  y = write_lines(out, wrapped(heading, kFont + 1, panel.width() - 50, true), panel.left, y,
                  kFont + 1, true);
  y = write_lines(out,
                  wrapped(every + (scale.low < 0.0 && !map.stress ? "; below 0: heave" : ""), kFont,
                          panel.width()),
                  panel.left, y, kFont, false);
  // The bar: the highest band at the top, as the basin deepens down the page.
  const std::vector<KeyItem> items = key_items(problem, map);
  double key_lines = 0;
  for (const KeyItem& item : items)
    key_lines += static_cast<double>(wrapped(item.text, kFont, panel.width() - 36).size());
  const double title_room = 190.0;
  const double room = panel.bottom - title_room - key_lines * kRow - 16 - y;
  const double band = std::clamp(room / scale.band_count, 8.0, 20.0);
  const double bar_top = y + 2;
  const int label_every = static_cast<int>(std::ceil(13.0 / band));
  for (int k = 0; k < scale.band_count; ++k) {
    const double top = bar_top + band * (scale.band_count - 1 - k);
    out.empty("rect", {{"x", px(panel.left)},
                       {"y", px(top)},
                       {"width", px(kBarWidth)},
                       {"height", px(band)},
                       {"fill", band_colour(scale, k)},
                       {"stroke", "#000000"},
                       {"stroke-width", "0.5"}});
  }
  for (int k = 0; k <= scale.band_count; k += label_every) {
    out.element("text",
                {{"class", "legend-level"},
                 {"x", px(panel.left + kBarWidth + 6)},
                 {"y", px(bar_top + band * (scale.band_count - k) + 4)}},
                decimal(static_cast<float>(scale.limit(k)), decimals));
  }
  y = bar_top + band * scale.band_count + 18;
  for (const KeyItem& item : items) {
    item.sample(out, panel.left, y - 4);
    y = write_lines(out, wrapped(item.text, kFont, panel.width() - 36), panel.left + 36, y, kFont,
                    false);
    y += kRow - kFont * 1.3;
  }
  write_title_block(out, problem, map, panel);
  out.close();
}

}  // namespace plot
