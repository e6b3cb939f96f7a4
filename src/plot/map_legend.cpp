// The plan's key: a bar of the bands, then samples of the lines and marks,
// as many to a row as the width holds.
#include "plot/map_legend.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "plot/label_placer.h"
#include "plot/page_text.h"

namespace plot {
namespace {

constexpr double kEdge = 20.0;
constexpr double kBarTop = 24.0, kBarHeight = 16.0;
constexpr double kFont = 12.0;

struct KeyItem {
  std::string text;
  std::function<void(XmlWriter&, double x, double y)> sample;  // 30 px wide, centred on y
};

void write_bar(XmlWriter& out, const SettlementMap& map, std::int32_t unit_system, double width) {
  const ColourScale& scale = map.scale;
  const UnitNames units = unit_names(unit_system);
  const std::string unit(units.settlement);
  out.element("text", {{"x", px(kEdge)}, {"y", "16"}, {"font-weight", "bold"}},
              "Total settlement (" + unit + "), contour lines every " +
                  decimal(static_cast<float>(scale.step), decimals_for(scale.step)) + " " + unit +
                  (scale.low < 0.0 ? "; negative values are heave" : ""));
  const double bar_width = std::min(640.0, width - 2 * kEdge);
  const double band_width = bar_width / scale.band_count;
  for (int band = 0; band < scale.band_count; ++band) {
    out.empty("rect", {{"x", px(kEdge + band * band_width)},
                       {"y", px(kBarTop)},
                       {"width", px(band_width)},
                       {"height", px(kBarHeight)},
                       {"fill", band_colour(scale, band)},
                       {"stroke", "#000000"},
                       {"stroke-width", "0.5"}});
  }
  // Every limit, or every other one when they would crowd.
  const int decimals = decimals_for(scale.step);
  const double widest =
      text_width(decimal(static_cast<float>(scale.high()), decimals), kFont) + 8.0;
  const int every = band_width >= widest ? 1 : band_width * 2 >= widest ? 2 : 5;
  for (int k = 0; k <= scale.band_count; k += every) {
    out.element("text",
                {{"x", px(kEdge + k * band_width)},
                 {"y", px(kBarTop + kBarHeight + 14)},
                 {"text-anchor", "middle"}},
                decimal(static_cast<float>(scale.low + scale.step * k), decimals));
  }
}

std::vector<KeyItem> key_items(const SettlementMap& map, bool has_spread_areas) {
  std::vector<KeyItem> items;
  if (map.has_grid) {
    items.push_back({"contour line", [](XmlWriter& out, double x, double y) {
                       out.empty("line", {{"x1", px(x)},
                                          {"y1", px(y)},
                                          {"x2", px(x + 30)},
                                          {"y2", px(y)},
                                          {"stroke", kContourColour},
                                          {"stroke-width", "0.9"}});
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
  if (has_spread_areas) {
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
  items.push_back({"settlement point and its total", [](XmlWriter& out, double x, double y) {
                     out.empty("circle", {{"cx", px(x + 15)},
                                          {"cy", px(y)},
                                          {"r", "6"},
                                          {"fill", "#ffffff"},
                                          {"stroke", "#000000"},
                                          {"stroke-width", "2"}});
                   }});
  items.push_back({"angular distortion beyond " + one_over_text(map.distortion_limit),
                   [width = flagged_pair_width(map)](XmlWriter& out, double x, double y) {
                     out.empty("line", {{"x1", px(x)},
                                        {"y1", px(y)},
                                        {"x2", px(x + 30)},
                                        {"y2", px(y)},
                                        {"stroke", kFlaggedPairColour},
                                        {"stroke-width", width},
                                        {"stroke-linecap", "round"}});
                   }});
  if (map.section) {
    items.push_back({"section A\u2013A\u2032", [](XmlWriter& out, double x, double y) {
                       out.empty("line", {{"x1", px(x)},
                                          {"y1", px(y)},
                                          {"x2", px(x + 30)},
                                          {"y2", px(y)},
                                          {"stroke", kSectionColour},
                                          {"stroke-width", "1.6"},
                                          {"stroke-dasharray", "8 4"}});
                     }});
  }
  if (map.steepest.found) {
    items.push_back({"steepest slope of the map", [](XmlWriter& out, double x, double y) {
                       out.empty("path", {{"d", "M" + px(x + 15) + " " + px(y - 6) + "l6 10h-12z"},
                                          {"fill", "#000000"}});
                     }});
  }
  return items;
}

}  // namespace

std::string flagged_pair_width(const SettlementMap& map) {
  const auto flagged = std::count_if(map.distortion.begin(), map.distortion.end(),
                                     [](const DistortionRow& row) { return row.beyond_limit; });
  return flagged > 30 ? "2.5" : "4";
}

double write_map_legend(XmlWriter& out, const SettlementMap& map, std::int32_t unit_system,
                        bool has_spread_areas, double width) {
  out.open("g", {{"class", "legend"}});
  write_bar(out, map, unit_system, width);
  double x = kEdge, y = kBarTop + kBarHeight + 40;
  for (const KeyItem& item : key_items(map, has_spread_areas)) {
    const double item_width = 36 + text_width(item.text, kFont) + 18;
    if (x > kEdge && x + item_width > width - kEdge) {
      x = kEdge;
      y += 22;
    }
    item.sample(out, x, y);
    out.element("text", {{"x", px(x + 36)}, {"y", px(y + 4)}}, item.text);
    x += item_width;
  }
  out.close();
  return y + 16;
}

}  // namespace plot
