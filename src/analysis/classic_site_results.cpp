// The classic results widened to a site project's results.
#include "analysis/classic_site_results.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "site/value_tree.h"

namespace analysis {
namespace {

double wide(float value) { return static_cast<double>(value); }

std::string text_of(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", value);
  return buffer;
}

// "3 sublayers below their soil's curve, at depths 0.25 to 1.25: ..." for
// the warnings of one point on one side.
std::string side_text(const ClassicProfile& profile, const std::vector<StrainWarning>& warnings,
                      CurveSide side) {
  int count = 0;
  double top = 0.0, bottom = 0.0;
  for (const StrainWarning& w : warnings) {
    if (w.side != side) continue;
    const double depth = wide(profile.sublayers[w.sublayer].centre_depth);
    if (count++ == 0) top = depth;
    bottom = depth;
  }
  if (count == 0) return "";
  const bool below = side == CurveSide::kBelow;
  return std::to_string(count) + (count == 1 ? " sublayer lies " : " sublayers lie ") +
         (below ? "below" : "above") + " its soil's curve, at depth" +
         (count == 1 ? " " + text_of(top) : "s " + text_of(top) + " to " + text_of(bottom)) +
         (below ? ": the curve's first strain is used there"
                : ": the curve's last segment is extended there");
}

}  // namespace

SiteResults classic_site_results(const site::Project& project, const ClassicProfile& profile,
                                 const AnalysisResults& results) {
  SiteResults site;
  for (const ClassicSublayer& s : profile.sublayers) {
    const double overburden = wide(s.overburden_pressure);
    site.sublayers.push_back({static_cast<std::size_t>(std::max(s.layer - 1, 0)),
                              wide(s.bottom_depth) - wide(s.thickness), wide(s.bottom_depth),
                              wide(s.thickness_factor), overburden, 0.0, overburden, 0.0});
  }
  const int n = profile.sublayer_count();
  for (int j = 1; j <= profile.points.count(); ++j) {
    ResultPoint point;
    point.settlement = wide(results.total_settlement[j]);
    point.first_counted =
        static_cast<std::size_t>(std::max(profile.points[j].start_sublayer, 1) - 1);
    for (int m = 1; m <= n; ++m) {
      const ClassicSublayer& s = profile.sublayers[m];
      const double settlement = wide(results.sublayer_settlement[j][m]);
      const double height =
          wide(s.thickness) * wide(s.thickness_factor) * wide(profile.settlement_factor);
      point.stress_increase.push_back(wide(results.average_stress_increase[j][m]));
      point.settlement_of.push_back(settlement);
      point.strain.push_back(height != 0.0 ? settlement / height : 0.0);
      point.preconsolidation.push_back(0.0);
    }
    site.points.push_back(std::move(point));
  }
  // One warning a point, as the archived console gives them.
  std::vector<std::vector<StrainWarning>> by_point(
      static_cast<std::size_t>(profile.points.count()));
  for (const StrainWarning& w : results.strain_warnings)
    by_point[static_cast<std::size_t>(w.point - 1)].push_back(w);
  for (std::size_t p = 0; p < by_point.size(); ++p) {
    std::string text;
    for (const CurveSide side : {CurveSide::kBelow, CurveSide::kAbove}) {
      const std::string part = side_text(profile, by_point[p], side);
      if (!part.empty()) text += (text.empty() ? "" : "; ") + part;
    }
    if (!text.empty()) {
      const std::string name = project.points[p].name.value_or(std::to_string(p + 1));
      site.warnings.push_back({site::Severity::kWarning, site::indexed_path("points", p),
                               "point " + name + ": " + text, 0});
    }
  }
  return site;
}

}  // namespace analysis
