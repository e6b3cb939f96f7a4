// A site project as an archived problem, table by table, and the first key
// the archived file cannot hold.
#include "problem/archived_conversion.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "analysis/classic_profile.h"
#include "problem/latin1_text.h"
#include "site/value_tree.h"

namespace problem {

using analysis::classic_fraction;
using analysis::classic_mass_density;
using analysis::classic_real;

namespace {

// The archived problem of a project, table by table, and the first key the
// archived file cannot hold.
class Archiving {
 public:
  explicit Archiving(const site::Project& project) : project_(project) {}

  ArchivedConversion run() {
    out_.problem = std::make_unique<ProblemData>();
    whole();
    if (!out_.refusal) title();
    if (!out_.refusal) soils();
    if (!out_.refusal) layers();
    if (!out_.refusal) points();
    if (!out_.refusal) loads();
    if (out_.refusal) out_.problem.reset();
    return std::move(out_);
  }

 private:
  void refuse(const std::string& path, const std::string& what) {
    if (!out_.refusal)
      out_.refusal = site::Diagnostic{site::Severity::kError, path,
                                      "the archived problem file cannot hold " + what, 0};
  }
  void note(const std::string& path, const std::string& what) {
    out_.notes.push_back({path, what});
  }
  void at_most(const std::string& path, std::size_t count, int limit, const char* things) {
    if (count > static_cast<std::size_t>(limit))
      refuse(path,
             std::to_string(count) + " " + things + ", more than its " + std::to_string(limit));
  }
  // The text in its fixed columns, or a refusal of a text too long or with a
  // character the archived file's bytes have not.
  void copy_text(const std::string& path, const std::string& text, char* to, std::size_t width) {
    const std::optional<std::string> bytes = latin1_of(text);
    if (!bytes) return refuse(path, "a character beyond Latin-1");
    if (bytes->size() > width)
      return refuse(path, "a text of " + std::to_string(bytes->size()) +
                              " characters, more than its " + std::to_string(width));
    for (std::size_t i = 0; i < width; ++i) to[i] = i < bytes->size() ? (*bytes)[i] : ' ';
  }

  void whole() {
    if (project_.groundwater) refuse("groundwater", "groundwater");
    if (project_.consolidation) refuse("consolidation", "a time-rate analysis");
    if (project_.drains) refuse("drains", "drains");
    if (project_.study) refuse("study", "a study");
    if (project_.analysis.max_sublayer != 0.5)
      refuse("analysis.max_sublayer", "sublayers other than 0.5 thick");
    if (project_.analysis.method == site::Method::kExact)
      note("analysis.method", "the archived file is analysed by the classic method");
    set_unit_system(*out_.problem,
                    project_.units == site::Units::kSi ? kSiAbsolute : kUsGravitational);
  }

  void title() {
    for (std::size_t i = 0; i < project_.title.size() && i < 2; ++i)
      copy_text("title", project_.title[i], out_.problem->title[i].chars.data(), 68);
  }

  void soils() {
    ProblemData& p = *out_.problem;
    at_most("soils", project_.soils.size(), kMaxCurves, "soils");
    if (out_.refusal) return;
    p.curve_count = static_cast<std::int32_t>(project_.soils.size());
    for (std::size_t k = 0; k < project_.soils.size(); ++k) {
      const soils::Soil& soil = project_.soils[k];
      const std::string path = "soils." + soil.name;
      CompressibilityCurve& curve = p.curves[static_cast<int>(k) + 1];
      curve.curve_number = soil.number.value_or(static_cast<std::int32_t>(k) + 1);
      if (soil.e0) refuse(path + ".e0", "an initial void ratio");
      if (soil.cv) refuse(path + ".cv", "a coefficient of consolidation");
      if (soil.c_alpha) refuse(path + ".c_alpha", "a secondary compression index");
      if (soil.free_draining) refuse(path + ".free_draining", "a free-draining soil");
      copy_text(path + ".source", soil.source.value_or(""), curve.source_text.chars.data(), 60);
      std::visit(
          loads::Overloaded{
              [&](const soils::Curve& points) {
                at_most(path + ".strain", points.strain.size(), kMaxCurvePoints, "points");
                if (out_.refusal) return;
                curve.point_count = static_cast<std::int32_t>(points.strain.size());
                for (std::size_t j = 0; j < points.strain.size(); ++j) {
                  curve.strain[static_cast<int>(j) + 1] = classic_fraction(points.strain[j]);
                  curve.pressure[static_cast<int>(j) + 1] = classic_real(points.pressure[j]);
                }
              },
              [&](const soils::Slope& line) { curve.slope = classic_fraction(line.slope); },
              [&](const soils::IndexSoil&) { refuse(path + ".model", "a soil by its indices"); },
              [&](const soils::Modulus&) { refuse(path + ".model", "a soil by its modulus"); },
          },
          soil.model);
    }
  }

  void layers() {
    ProblemData& p = *out_.problem;
    at_most("layers", project_.layers.size(), kMaxLayers, "layers");
    if (out_.refusal) return;
    p.layer_count = static_cast<std::int32_t>(project_.layers.size());
    const bool si = project_.units == site::Units::kSi;
    for (std::size_t i = 0; i < project_.layers.size(); ++i) {
      const site::Layer& layer = project_.layers[i];
      const std::string path = site::indexed_path("layers", i);
      if (layer.saturated_unit_weight)
        refuse(path + ".saturated_unit_weight", "a saturated unit weight");
      if (layer.head_top || layer.head_bottom) refuse(path + ".head_top", "a piezometric head");
      SoilLayer& read = p.layers[static_cast<int>(i) + 1];
      read.layer_number = layer.number.value_or(static_cast<std::int32_t>(i) + 1);
      read.bottom_depth = classic_real(layer.bottom);
      read.unit_weight =
          si ? classic_mass_density(layer.unit_weight) : classic_real(layer.unit_weight);
      read.thickness_factor = classic_real(layer.thickness_factor);
      for (std::size_t k = 0; k < project_.soils.size(); ++k)
        if (project_.soils[k].name == layer.soil)
          read.curve_index = static_cast<std::int32_t>(k) + 1;
    }
  }

  void points() {
    ProblemData& p = *out_.problem;
    at_most("points", project_.points.size(), kMaxPoints, "points");
    if (out_.refusal) return;
    p.point_count = static_cast<std::int32_t>(project_.points.size());
    for (std::size_t j = 0; j < project_.points.size(); ++j) {
      const site::Point& point = project_.points[j];
      const std::string path = site::indexed_path("points", j);
      if (point.structure) refuse(path + ".structure", "a structure");
      if (point.name && !point.number)
        note(path + ".name", "the archived file numbers its points: the name is left out");
      SettlementPoint& read = p.points[static_cast<int>(j) + 1];
      read.point_number = point.number.value_or(static_cast<std::int32_t>(j) + 1);
      read.x = classic_real(point.x);
      read.y = classic_real(point.y);
      read.start_layer = point.start_layer;
    }
  }

  void regular_area(const std::string& path, const std::optional<std::string>& name,
                    const loads::Schedule& schedule, LoadedArea& area) {
    copy_text(path + ".name", name.value_or(""), area.area_id.chars.data(), 4);
    schedule_of(path, schedule);
  }
  void schedule_of(const std::string& path, const loads::Schedule& schedule) {
    if (schedule.start != 0.0 || schedule.ramp != 0.0) refuse(path + ".start", "a load in time");
  }

  void loads() {
    ProblemData& p = *out_.problem;
    at_most("loads", project_.loads.size(), kMaxAreas, "loads");
    if (out_.refusal) return;
    // The archived file lists its regular areas first, then its spread areas.
    std::vector<std::size_t> spread;
    bool spread_seen = false;
    for (std::size_t i = 0; i < project_.loads.size(); ++i) {
      const std::string path = site::indexed_path("loads", i);
      std::visit(loads::Overloaded{
                     [&](const loads::Rectangle& r) {
                       if (spread_seen)
                         note(path,
                              "the archived file lists the spread areas after the regular "
                              "ones: the loads are reordered; the report will differ");
                       LoadedArea& area = p.areas[++p.area_count];
                       regular_area(path, r.name, r.schedule, area);
                       area.shape = kRectangle;
                       area.x = classic_real(r.x);
                       area.y = classic_real(r.y);
                       area.x_length = classic_real(r.x_length);
                       area.y_length = classic_real(r.y_length);
                       area.loading = classic_real(r.pressure);
                       area.elevation = classic_real(r.depth);
                       if (r.slope) {
                         area.area_slope = classic_real(*r.slope);
                       } else if (std::fmod(std::fabs(r.angle), 180.0) == 90.0) {
                         refuse(path + ".angle", "a rectangle turned a right angle (no tangent)");
                       } else if (r.angle != 0.0) {
                         area.area_slope =
                             classic_real(std::tan(r.angle * 3.14159265358979323846 / 180.0));
                         note(path + ".angle", "written as its tangent, the archived slope");
                       }
                     },
                     [&](const loads::Circle& c) {
                       LoadedArea& area = p.areas[++p.area_count];
                       regular_area(path, c.name, c.schedule, area);
                       area.shape = kCircle;
                       area.x = classic_real(c.x);
                       area.y = classic_real(c.y);
                       area.x_length = classic_real(c.diameter);
                       area.loading = classic_real(c.pressure);
                       area.elevation = classic_real(c.depth);
                     },
                     [&](const loads::SpreadArea& s) {
                       spread_seen = true;
                       spread.push_back(i);
                       schedule_of(path, s.schedule);
                       if (s.name) note(path + ".name", "the archived file names no spread area");
                     },
                     [&](const loads::Polygon&) { refuse(path + ".kind", "a polygon"); },
                     [&](const loads::Strip&) { refuse(path + ".kind", "a strip"); },
                     [&](const loads::Embankment&) { refuse(path + ".kind", "an embankment"); },
                 },
                 project_.loads[i]);
      if (out_.refusal) return;
    }
    std::optional<loads::SpreadReference> reference;
    for (const std::size_t i : spread) {
      const auto& s = std::get<loads::SpreadArea>(project_.loads[i]);
      if (reference && *reference != s.reference)
        refuse(site::indexed_path("loads", i) + ".reference",
               "spread areas of more than one reference level");
      reference = s.reference;
      LoadedArea& area = p.areas[p.area_count + ++p.spread_area_count];
      area.shape = kSpreadArea;
      area.x = classic_real(s.x);
      area.y = classic_real(s.y);
      area.x_length = classic_real(s.x_length);
      area.y_length = classic_real(s.y_length);
      area.loading = classic_real(s.load);
      area.elevation = classic_real(s.depth);
      area.upper_depth = classic_real(s.upper_depth.value_or(s.depth));
      area.lower_depth = classic_real(s.lower_depth.value_or(s.upper_depth.value_or(s.depth)));
    }
    p.spread_depth_reference =
        reference ? loads::depth_reference_option(*reference) : std::int32_t{1};
    for (int m = 1; m <= p.spread_area_count; ++m)
      p.areas[p.area_count + m].depth_reference = p.spread_depth_reference;
    p.boundary_depths[0] = 0.0f;
    for (int l = 1; l <= p.layer_count; ++l) p.boundary_depths[l] = p.layers[l].bottom_depth;
  }

  const site::Project& project_;
  ArchivedConversion out_;
};

}  // namespace

ArchivedConversion to_archived(const site::Project& project) { return Archiving(project).run(); }

}  // namespace problem
