// The results file, point by point.
#include "report/results_json.h"

#include <charconv>

namespace report {
namespace {

using site::Tree;

// The value as the method holds it: a classic value in the fewest digits
// that read back as its single-precision value.
class Numbers {
 public:
  explicit Numbers(const site::Project& project)
      : single_(project.analysis.method == site::Method::kClassic) {}

  Tree operator()(double value) const {
    if (!single_) return Tree(value);
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, static_cast<float>(value)).ptr;
    double shortest = 0.0;
    std::from_chars(text, end, shortest);
    return Tree(shortest);
  }

 private:
  bool single_;
};

Tree sublayer_tree(const Numbers& number, const analysis::ResultSublayer& sublayer,
                   const analysis::ResultPoint& point, std::size_t s) {
  Tree row = Tree::object();
  row["layer"] = sublayer.layer + 1;
  row["top"] = number(sublayer.top);
  row["bottom"] = number(sublayer.bottom);
  row["sigma_v0"] = number(sublayer.sigma_v0);
  row["u0"] = number(sublayer.u0);
  row["sigma_eff0"] = number(sublayer.sigma_eff0);
  row["stress_increase"] = number(point.stress_increase[s]);
  row["water_change"] = number(sublayer.water_change);
  row["strain"] = number(point.strain[s]);
  row["settlement"] = number(point.settlement_of[s]);
  if (point.preconsolidation[s] > 0.0) row["sigma_p"] = number(point.preconsolidation[s]);
  if (s < point.first_counted) row["counted"] = false;
  return row;
}

Tree time_tree(const Numbers& number, const consolidation::PointHistory& history) {
  Tree time = Tree::object();
  Tree times = Tree::array(), total = Tree::array(), primary = Tree::array(),
       secondary = Tree::array(), degree = Tree::array(), excess = Tree::array();
  for (const consolidation::TimeState& state : history.states) {
    times.push_back(number(state.time));
    total.push_back(number(state.total));
    primary.push_back(number(state.primary));
    secondary.push_back(number(state.secondary));
    degree.push_back(state.degree ? number(*state.degree) : Tree());
    Tree row = Tree::array();
    for (const double u : state.excess_pore_pressure) row.push_back(number(u));
    excess.push_back(row);
  }
  time["times"] = times;
  time["settlement"] = total;
  time["primary"] = primary;
  time["secondary"] = secondary;
  time["degree"] = degree;
  time["final_primary"] = number(history.final_primary);
  const auto optional_time = [&](const std::optional<double>& t) {
    return t ? number(*t) : Tree();
  };
  time["t50"] = optional_time(history.t50);
  time["t90"] = optional_time(history.t90);
  time["t95"] = optional_time(history.t95);
  time["excess_pore_pressure"] = excess;
  return time;
}

}  // namespace

std::string shown_name(const std::optional<std::string>& name, std::size_t position) {
  return name ? *name : std::to_string(position + 1);
}

Tree results_tree(const site::Project& project, const analysis::SiteResults& results,
                  const std::vector<site::Diagnostic>& warnings) {
  const Numbers number(project);
  Tree top = Tree::object();
  top["schema_version"] = site::kSchemaVersion;
  top["units"] = std::string(site::name_of(site::kUnitNames, project.units));
  top["time_unit"] = std::string(site::name_of(site::kTimeUnitNames, project.time_unit));
  top["method"] = std::string(site::name_of(site::kMethodNames, project.analysis.method));
  Tree points = Tree::array();
  for (std::size_t j = 0; j < results.points.size(); ++j) {
    const site::Point& given = project.points[j];
    const analysis::ResultPoint& point = results.points[j];
    Tree entry = Tree::object();
    entry["name"] = shown_name(given.name, j);
    if (given.structure) entry["structure"] = *given.structure;
    entry["x"] = number(given.x);
    entry["y"] = number(given.y);
    entry["settlement"] = number(point.settlement);
    Tree sublayers = Tree::array();
    for (std::size_t s = 0; s < results.sublayers.size(); ++s)
      sublayers.push_back(sublayer_tree(number, results.sublayers[s], point, s));
    entry["sublayers"] = sublayers;
    if (point.time) entry["time"] = time_tree(number, *point.time);
    points.push_back(entry);
  }
  top["points"] = points;
  Tree listed = Tree::array();
  for (const site::Diagnostic& warning : warnings) {
    if (warning.severity != site::Severity::kWarning) continue;
    Tree entry = Tree::object();
    entry["path"] = warning.path;
    entry["message"] = warning.message;
    if (warning.line > 0) entry["line"] = warning.line;
    listed.push_back(entry);
  }
  top["warnings"] = listed;
  return top;
}

void write_results_json(std::ostream& out, const site::Project& project,
                        const analysis::SiteResults& results,
                        const std::vector<site::Diagnostic>& warnings) {
  out << results_tree(project, results, warnings).dump(2) << '\n';
}

}  // namespace report
