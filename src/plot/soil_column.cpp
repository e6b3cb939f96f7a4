// The soil column: one band per layer on the profiles' depth axis.
#include "plot/soil_column.h"

#include <array>
#include <string>

#include "plot/colour_scale.h"
#include "plot/depth_profiles.h"
#include "plot/page_text.h"

namespace plot {
namespace {

constexpr double kWidth = 176.0;
constexpr double kColumnLeft = 46.0, kColumnRight = 106.0;

// Light tints, one per curve position, so that layers of one soil look alike.
constexpr std::array<const char*, 6> kTints = {"#eadfc8", "#d8e4cf", "#d5dde9",
                                               "#ecdbe1", "#e4e3c8", "#dcd6ea"};

}  // namespace

void write_soil_column(XmlWriter& out, const problem::ProblemData& problem,
                       const analysis::ClassicProfile& profile) {
  const UnitNames units = unit_names(problem.unit_system);
  const DepthAxis depth = profile_depth_axis(problem, profile);
  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "soil-column"},
                   {"width", px(kWidth)},
                   {"height", px(kProfileHeight)},
                   {"viewBox", "0 0 " + px(kWidth) + " " + px(kProfileHeight)},
                   {"font-family", "Helvetica, Arial, 'Liberation Sans', sans-serif"},
                   {"font-size", "11"}});
  out.element("text", {{"x", "4"}, {"y", "15"}, {"font-size", "13"}, {"font-weight", "bold"}},
              "Soil column");
  out.element("text", {{"x", px(kColumnRight + 4)}, {"y", px(kProfileTop - 6)}},
              "bottom (" + std::string(units.length) + ")");
  for (const double d : ticks(0.0, depth.deepest, depth.step)) {
    out.element("text",
                {{"x", px(kColumnLeft - 5)}, {"y", px(depth.at(d) + 4)}, {"text-anchor", "end"}},
                decimal(static_cast<float>(d), decimals_for(depth.step)));
  }
  const std::string middle = px((kProfileTop + kProfileBottom) / 2);
  out.element("text",
              {{"x", "12"},
               {"y", middle},
               {"text-anchor", "middle"},
               {"transform", "rotate(-90 12 " + middle + ")"}},
              "Depth (" + std::string(units.length) + ")");
  for (int i = 1; i <= problem.layer_count; ++i) {
    const auto& layer = problem.layers[i];
    const double top = depth.at(static_cast<double>(problem.boundary_depths[i - 1]));
    const double bottom = depth.at(static_cast<double>(problem.boundary_depths[i]));
    const int curve = layer.curve_index;
    const std::string tint =
        kTints[static_cast<std::size_t>(curve > 0 ? curve - 1 : 0) % kTints.size()];
    out.open("g", {{"class", "layer"}, {"data-layer", std::to_string(i)}});
    std::string about = "Layer " + std::to_string(i) + ": down to " +
                        decimal(problem.boundary_depths[i], 2) + " " + std::string(units.length) +
                        ", curve " + std::to_string(curve);
    if (curve >= 1 && curve <= problem.curve_count) {
      about += " (no. " + std::to_string(problem.curves[curve].curve_number) + ", " +
               std::string(trimmed(problem.curves[curve].source_text.view())) + ")";
    }
    out.element("title", {}, about);
    out.empty("rect", {{"x", px(kColumnLeft)},
                       {"y", px(top)},
                       {"width", px(kColumnRight - kColumnLeft)},
                       {"height", px(std::max(bottom - top, 0.0))},
                       {"fill", tint},
                       {"stroke", "#000000"},
                       {"stroke-width", "0.8"}});
    const double centre = (kColumnLeft + kColumnRight) / 2;
    // Two lines where the band has room, else the number and the curve on one.
    if (bottom - top >= 28.0) {
      out.element("text",
                  {{"x", px(centre)},
                   {"y", px((top + bottom) / 2 - 2)},
                   {"text-anchor", "middle"},
                   {"font-weight", "bold"}},
                  "Layer " + std::to_string(i));
      out.element(
          "text",
          {{"x", px(centre)}, {"y", px((top + bottom) / 2 + 11)}, {"text-anchor", "middle"}},
          "curve " + std::to_string(curve));
    } else if (bottom - top >= 11.0) {
      out.element("text",
                  {{"x", px(centre)}, {"y", px((top + bottom) / 2 + 4)}, {"text-anchor", "middle"}},
                  std::to_string(i) + ": curve " + std::to_string(curve));
    }
    out.element("text",
                {{"class", "layer-bottom"}, {"x", px(kColumnRight + 4)}, {"y", px(bottom + 4)}},
                decimal(problem.boundary_depths[i], 2));
    out.close();
  }
  const int n = profile.sublayer_count();
  if (n > 0 && problem.layer_count > 0 &&
      profile.sublayers[n].bottom_depth < problem.boundary_depths[problem.layer_count]) {
    // The profile ends with the last sublayer: the soil below is not analysed.
    const double end = depth.at(static_cast<double>(profile.sublayers[n].bottom_depth));
    out.empty("line", {{"class", "sublayers-end"},
                       {"x1", px(kColumnLeft - 2)},
                       {"y1", px(end)},
                       {"x2", px(kColumnRight + 2)},
                       {"y2", px(end)},
                       {"stroke", "#b2182b"},
                       {"stroke-width", "2"},
                       {"stroke-dasharray", "4 2"}});
    // Named under the column, where no layer's label stands.
    out.element("text", {{"x", "4"}, {"y", px(kProfileBottom + 13)}, {"fill", "#b2182b"}},
                "- - sublayers end at " + decimal(profile.sublayers[n].bottom_depth, 2));
  }
  out.close();
}

}  // namespace plot
