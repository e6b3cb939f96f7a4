// The project's checks, table by table.
#include "site/project_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "loads/load.h"
#include "study/project_design.h"

namespace site {
namespace {

std::string text_of(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.10g", value);
  return buffer;
}

class Checker {
 public:
  Checker(const Project& project, const TreeLines& lines) : p_(project), lines_(lines) {}

  std::vector<Diagnostic> run() {
    check_analysis();
    check_groundwater();
    check_soils();
    check_layers();
    check_points();
    check_loads();
    check_time();
    check_study();
    if (p_.analysis.method == Method::kClassic) check_classic();
    return std::move(out_);
  }

 private:
  void error(const std::string& path, std::string message) {
    out_.push_back({Severity::kError, path, std::move(message), line_of(lines_, path)});
  }
  void warning(const std::string& path, std::string message) {
    out_.push_back({Severity::kWarning, path, std::move(message), line_of(lines_, path)});
  }
  bool classic() const { return p_.analysis.method == Method::kClassic; }
  // A value the exact method refuses, and the classic method computes as the
  // archived program does, with a warning.
  void tolerated(const std::string& path, std::string message) {
    if (!classic()) return error(path, std::move(message));
    warning(path, message + " (the classic method takes it as the archived program does)");
  }
  // The findings of a record's own check, its keys under `prefix`.
  void add_under(const std::string& prefix, std::vector<Diagnostic> found) {
    for (Diagnostic& d : found) {
      d.path = d.path.empty() ? prefix : prefix + "." + d.path;
      d.line = line_of(lines_, d.path);
      out_.push_back(std::move(d));
    }
  }

  double profile_base() const { return p_.layers.empty() ? 0.0 : p_.layers.back().bottom; }

  void check_analysis() {
    if (p_.schema_version != kSchemaVersion)
      error("schema_version", std::to_string(p_.schema_version) +
                                  " is not a version this program reads; expected " +
                                  std::to_string(kSchemaVersion));
    if (!(p_.analysis.max_sublayer > 0.0))
      error("analysis.max_sublayer",
            text_of(p_.analysis.max_sublayer) + " is not a thickness; expected more than 0");
  }

  void check_groundwater() {
    if (!p_.groundwater) return;
    const Groundwater& g = *p_.groundwater;
    if (g.water_table < 0.0)
      error("groundwater.water_table", text_of(g.water_table) +
                                           " is above the ground (ponded water); expected a "
                                           "depth of 0 or more");
    if (g.final_water_table && *g.final_water_table < 0.0)
      error("groundwater.final_water_table",
            text_of(*g.final_water_table) + " is above the ground; expected a depth of 0 or more");
    if (g.water_table > profile_base() && !p_.layers.empty())
      warning("groundwater.water_table", text_of(g.water_table) + " is below the profile's base (" +
                                             text_of(profile_base()) + "): the ground is dry");
  }

  void check_soils() {
    for (const soils::Soil& soil : p_.soils) {
      const std::string path = "soils." + soil.name;
      add_under(path, soils::check_soil(soil, classic()));
      if (p_.consolidation && !soil.free_draining && !soil.cv && used(soil.name))
        error(path + ".cv",
              "is missing: the soil consolidates in the time-rate analysis "
              "([consolidation]); give cv, or free_draining = true");
    }
  }

  bool used(const std::string& soil) const {
    return std::any_of(p_.layers.begin(), p_.layers.end(),
                       [&](const Layer& layer) { return layer.soil == soil; });
  }

  void check_layers() {
    std::vector<std::string> soil_names;
    for (const soils::Soil& soil : p_.soils) soil_names.push_back(soil.name);
    long long sublayers = 0;
    double top = 0.0;
    if (p_.layers.empty()) tolerated("layers", "holds no layer; a profile needs one at least");
    for (std::size_t i = 0; i < p_.layers.size(); ++i) {
      const Layer& layer = p_.layers[i];
      const std::string path = indexed_path("layers", i);
      if (std::find(soil_names.begin(), soil_names.end(), layer.soil) == soil_names.end()) {
        std::string message = "\"" + layer.soil + "\" names no soil of the project";
        const std::string near = closest_key(layer.soil, soil_names);
        if (!near.empty()) message += "; did you mean \"" + near + "\"?";
        error(path + ".soil", message);
      }
      if (layer.bottom == top && i > 0) {
        tolerated(path + ".bottom", text_of(layer.bottom) + " is the bottom of " +
                                        indexed_path("layers", i - 1) +
                                        " too; each layer's bottom must lie below the one above");
      } else if (!(layer.bottom > top)) {
        tolerated(path + ".bottom", text_of(layer.bottom) + " is not below " +
                                        (i == 0 ? std::string("the ground surface (0)")
                                                : "the bottom of " + indexed_path("layers", i - 1) +
                                                      " (" + text_of(top) + ")") +
                                        "; bottoms must increase downward");
      } else if (p_.analysis.max_sublayer > 0.0) {
        sublayers += exact_sublayer_count(layer.bottom - top, p_.analysis.max_sublayer);
      }
      if (layer.head_top.has_value() != layer.head_bottom.has_value())
        error(path + (layer.head_top ? ".head_bottom" : ".head_top"),
              "is missing: a layer gives both head_top and head_bottom, or neither");
      if (layer.thickness_factor < 0.0)
        error(path + ".thickness_factor",
              text_of(layer.thickness_factor) + " is negative; expected 0 or more");
      check_unit_weight(path + ".unit_weight", layer.unit_weight);
      if (layer.saturated_unit_weight)
        check_unit_weight(path + ".saturated_unit_weight", *layer.saturated_unit_weight);
      top = layer.bottom;
    }
    if (sublayers > kMaxSublayers)
      error("analysis.max_sublayer", text_of(p_.analysis.max_sublayer) + " cuts the profile into " +
                                         std::to_string(sublayers) + " sublayers; at most " +
                                         std::to_string(kMaxSublayers) + " are analysed");
    else if (sublayers * static_cast<long long>(std::max<std::size_t>(p_.points.size(), 1)) >
             kMaxSublayerPoints)
      error("points", std::to_string(p_.points.size()) + " points on " + std::to_string(sublayers) +
                          " sublayers are more than one analysis holds (" +
                          std::to_string(kMaxSublayerPoints) + " sublayer results)");
    check_unique_names("layers", p_.layers);
  }

  // Unit weights soils have: about 6 to 27 kN/m3 (buoyant weights included),
  // or 40 to 170 lb/ft3; a density typed for a weight is a thousand times off.
  void check_unit_weight(const std::string& path, double weight) {
    const bool si = p_.units == Units::kSi;
    const double low = si ? 6.0 : 40.0;
    const double high = si ? 27.0 : 170.0;
    if (weight > 0.0 && (weight < low || weight > high))
      warning(path,
              text_of(weight) + (si ? " kN/m3" : " lb/ft3") +
                  " is outside the weights soils have (" + text_of(low) + " to " + text_of(high) +
                  (si ? " kN/m3" : " lb/ft3") + ")" +
                  (si && weight > 500.0 ? "; a density in kg/m3 given for a unit weight?" : ""));
    if (!(weight > 0.0) && p_.analysis.method == Method::kExact)
      warning(path, text_of(weight) + " gives the layer no weight");
  }

  template <typename Record>
  void check_unique_names(const char* list, const std::vector<Record>& records) {
    std::map<std::string, std::size_t> seen;
    for (std::size_t i = 0; i < records.size(); ++i) {
      const std::optional<std::string>& name = name_of(records[i]);
      if (!name) continue;
      const auto [it, fresh] = seen.emplace(*name, i);
      if (!fresh)
        error(indexed_path(list, i) + ".name", "\"" + *name + "\" is the name of " +
                                                   indexed_path(list, it->second) +
                                                   " too; names must differ");
    }
  }
  static const std::optional<std::string>& name_of(const Layer& layer) { return layer.name; }
  static const std::optional<std::string>& name_of(const Point& point) { return point.name; }
  static const std::optional<std::string>& name_of(const loads::Load& load) {
    return std::visit(
        [](const auto& kind) -> const std::optional<std::string>& { return kind.name; }, load);
  }

  void check_points() {
    const int layers = static_cast<int>(p_.layers.size());
    for (std::size_t i = 0; i < p_.points.size(); ++i) {
      const Point& point = p_.points[i];
      // The archived file may name a start layer the profile has not; the
      // classic method then counts every layer, as the archived program does.
      if (layers > 0 && (point.start_layer < 0 || point.start_layer > layers))
        tolerated(indexed_path("points", i) + ".start_layer",
                  std::to_string(point.start_layer) + " is not a layer: the profile has " +
                      std::to_string(layers) + " layers (0 counts them all)");
    }
    check_unique_names("points", p_.points);
  }

  void check_loads() {
    for (std::size_t i = 0; i < p_.loads.size(); ++i) {
      const std::string path = indexed_path("loads", i);
      std::vector<Diagnostic> found;
      for (const loads::LoadProblem& problem : loads::check_fields(p_.loads[i])) {
        const bool error = problem.severity == loads::Severity::kError;
        found.push_back(
            {error && !classic() ? Severity::kError : Severity::kWarning, problem.key,
             problem.message + (error && classic()
                                    ? " (the classic method takes it as the archived program does)"
                                    : ""),
             0});
      }
      add_under(path, std::move(found));
    }
    check_unique_names("loads", p_.loads);
  }

  void check_time() {
    if (p_.consolidation) {
      const std::vector<double>& times = p_.consolidation->times;
      for (std::size_t i = 0; i < times.size(); ++i) {
        const std::string path = indexed_path("consolidation.times", i);
        if (times[i] < 0.0)
          error(path, text_of(times[i]) + " is before time 0");
        else if (i > 0 && !(times[i] > times[i - 1]))
          error(path, text_of(times[i]) + " does not come after the time before (" +
                          text_of(times[i - 1]) + "); output times must increase");
      }
    }
    if (p_.drains) {
      if (!p_.consolidation)
        error("drains", "acts in the time-rate analysis only: add a [consolidation] table");
      if (p_.drains->bottom && *p_.drains->bottom > profile_base())
        error("drains.bottom", text_of(*p_.drains->bottom) +
                                   " is deeper than the profile (its base is at " +
                                   text_of(profile_base()) + ")");
    }
  }

  void check_study() {
    if (!p_.study) return;
    // The targets, the distributions' figures, the correlations and the
    // limits, as the study's design finds them.
    for (site::Diagnostic& d : study::project_design(p_).diagnostics) {
      d.line = line_of(lines_, d.path);
      out_.push_back(std::move(d));
    }
  }

  // What the archived file can hold and the archived arithmetic can take.
  void check_classic() {
    const auto refuse = [&](const std::string& path, const std::string& what) {
      error(path, what + " the classic method cannot take; use method = \"exact\"");
    };
    if (p_.analysis.max_sublayer != 0.5)
      refuse("analysis.max_sublayer", "a sublayer thickness other than 0.5 is something");
    if (p_.groundwater) refuse("groundwater", "groundwater is something");
    if (p_.consolidation) refuse("consolidation", "a time-rate analysis is something");
    if (p_.drains) refuse("drains", "drains are something");
    if (p_.study) refuse("study", "a study is something");
    for (const soils::Soil& soil : p_.soils) {
      const std::string path = "soils." + soil.name;
      if (std::holds_alternative<soils::IndexSoil>(soil.model) ||
          std::holds_alternative<soils::Modulus>(soil.model))
        refuse(path + ".model",
               "a soil of model \"" +
                   std::string(std::visit([](const auto& m) { return m.kModel; }, soil.model)) +
                   "\" is something");
    }
    for (std::size_t i = 0; i < p_.layers.size(); ++i) {
      const std::string path = indexed_path("layers", i);
      if (p_.layers[i].saturated_unit_weight)
        refuse(path + ".saturated_unit_weight", "a saturated unit weight is something");
      if (p_.layers[i].head_top) refuse(path + ".head_top", "a piezometric head is something");
    }
    std::optional<loads::SpreadReference> reference;
    for (std::size_t i = 0; i < p_.loads.size(); ++i) {
      const std::string path = indexed_path("loads", i);
      std::visit(
          loads::Overloaded{
              [&](const loads::Rectangle& r) { check_classic_level(path, r.depth); },
              [&](const loads::Circle& c) { check_classic_level(path, c.depth); },
              [&](const loads::SpreadArea& s) {
                if (reference && *reference != s.reference)
                  refuse(path + ".reference",
                         "a reference other than the first spread area's is something");
                reference = s.reference;
              },
              [&](const loads::Polygon&) { refuse(path + ".kind", "a polygon is something"); },
              [&](const loads::Strip&) { refuse(path + ".kind", "a strip is something"); },
              [&](const loads::Embankment&) {
                refuse(path + ".kind", "an embankment is something");
              },
          },
          p_.loads[i]);
    }
  }

  // A rectangle or circle acts at the ground surface or at a layer boundary,
  // as the archived file requires (compared in single precision).
  void check_classic_level(const std::string& path, double depth) {
    const auto level = static_cast<float>(depth);
    if (level == 0.0f) return;
    for (const Layer& layer : p_.layers)
      if (static_cast<float>(layer.bottom) == level) return;
    error(path + ".depth", text_of(depth) +
                               " is not a layer boundary; the classic method loads rectangles "
                               "and circles at the ground surface or a layer's bottom");
  }

  const Project& p_;
  const TreeLines& lines_;
  std::vector<Diagnostic> out_;
};

}  // namespace

long long exact_sublayer_count(double thickness, double max_sublayer) {
  const double n = std::ceil(thickness / max_sublayer - 1e-9);
  if (!(n < 9.0e15)) return static_cast<long long>(9.0e15);
  return std::max(1LL, static_cast<long long>(n));
}

std::vector<Diagnostic> check_project(const Project& project, const TreeLines& lines) {
  return Checker(project, lines).run();
}

}  // namespace site
