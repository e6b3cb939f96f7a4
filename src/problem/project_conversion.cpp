// The archived problem to a project and back, table by table.
#include "problem/project_conversion.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "analysis/classic_profile.h"
#include "layout/decimal_text.h"
#include "site/value_tree.h"

namespace problem {
namespace {

using analysis::classic_fraction;
using analysis::classic_mass_density;
using analysis::classic_real;

bool same_bits(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

double parsed(const std::string& text) {
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// The value in the fewest digits whose classic form, by `classic`, is
// `stored`: the shortest texts of the single values near `guess` are tried,
// then `exact`, which gives it back whatever it is.
template <typename Classic>
double readable(float stored, float guess, double exact, const Classic& classic) {
  if (!std::isfinite(stored)) return exact;
  constexpr int kSteps = 8;
  std::string best;
  float below = guess;
  float above = guess;
  for (int step = 0; step <= kSteps; ++step) {
    for (const float candidate : {below, above}) {
      if (!std::isfinite(candidate)) continue;
      const std::string text = layout::shortest_text(candidate);
      if (same_bits(classic(parsed(text)), stored) && (best.empty() || text.size() < best.size()))
        best = text;
    }
    below = std::nextafter(below, -std::numeric_limits<float>::infinity());
    above = std::nextafter(above, std::numeric_limits<float>::infinity());
  }
  return best.empty() ? exact : parsed(best);
}

double real_of(float stored) {
  return readable(stored, stored, static_cast<double>(stored),
                  [](double d) { return classic_real(d); });
}

double percent_of(float fraction) {
  return readable(fraction, fraction * 100.0f, static_cast<double>(fraction) * 100.0,
                  [](double d) { return classic_fraction(d); });
}

double weight_of(float density) {
  const double divided =
      static_cast<double>(density) / static_cast<double>(analysis::kMassDensityPerUnitWeight);
  return readable(density, density / analysis::kMassDensityPerUnitWeight, divided,
                  [](double d) { return classic_mass_density(d); });
}

// The archived file's texts are bytes of Latin-1 (ISO 8859-1): each byte is
// the character of the same number, so a byte from 0x80 up is two bytes of
// UTF-8 in the project file.
std::string utf8_of(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

// The Latin-1 bytes of a UTF-8 text, or nothing when it holds a character
// beyond U+00FF (the project reader has already refused invalid UTF-8).
std::optional<std::string> latin1_of(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x80) {
      out += utf8[i];
    } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < utf8.size()) {
      const auto next = static_cast<unsigned char>(utf8[++i]);
      out += static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F));
    } else {
      return std::nullopt;
    }
  }
  return out;
}

std::string trimmed(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string() : utf8_of(text.substr(0, end + 1));
}

std::string soil_name(int position) { return "curve_" + std::to_string(position); }

struct Converting {
  const ProblemData& problem;
  ConversionPurpose purpose;
  ProjectConversion& out;

  void note(std::string path, std::string message) {
    out.notes.push_back({std::move(path), std::move(message)});
  }

  void title() {
    const std::string first = trimmed(problem.title[0].view());
    const std::string second = trimmed(problem.title[1].view());
    if (!second.empty())
      out.project.title = {first, second};
    else if (!first.empty())
      out.project.title = {first};
  }

  void soils() {
    int highest = std::max(problem.curve_count, 0);
    for (int i = 1; i <= problem.layer_count; ++i)
      highest = std::max(highest, std::min(problem.layers[i].curve_index, kMaxCurves));
    for (int k = 1; k <= highest; ++k) {
      soils::Soil soil;
      soil.name = soil_name(k);
      if (k > problem.curve_count) {
        // A position the file gives no curve for: an empty curve, a slope of 0.
        soil.model = soils::Slope{0.0};
        note("soils." + soil.name, "a layer refers to curve position " + std::to_string(k) +
                                       ", which the file does not give: written as a slope of "
                                       "0; the report will differ");
        out.project.soils.push_back(std::move(soil));
        continue;
      }
      const CompressibilityCurve& curve = problem.curves[k];
      soil.number = curve.curve_number;
      if (const std::string source = trimmed(curve.source_text.view()); !source.empty())
        soil.source = source;
      if (is_slope_line(curve)) {
        soil.model = soils::Slope{percent_of(curve.slope)};
      } else {
        soils::Curve points;
        for (int j = 1; j <= std::min(curve.point_count, kMaxCurvePoints); ++j) {
          points.strain.push_back(percent_of(curve.strain[j]));
          points.pressure.push_back(real_of(curve.pressure[j]));
        }
        soil.model = std::move(points);
      }
      out.project.soils.push_back(std::move(soil));
    }
  }

  void layers() {
    const bool si = problem.unit_system == kSiAbsolute;
    for (int i = 1; i <= std::min(problem.layer_count, kMaxLayers); ++i) {
      const SoilLayer& read = problem.layers[i];
      site::Layer layer;
      layer.number = read.layer_number;
      layer.bottom = real_of(read.bottom_depth);
      layer.soil = soil_name(read.curve_index);
      layer.unit_weight = si ? weight_of(read.unit_weight) : real_of(read.unit_weight);
      layer.thickness_factor = real_of(read.thickness_factor);
      out.project.layers.push_back(std::move(layer));
    }
  }

  void points() {
    for (int p = 1; p <= std::min(problem.point_count, kMaxPoints); ++p) {
      const SettlementPoint& read = problem.points[p];
      site::Point point;
      point.number = read.point_number;
      point.x = real_of(read.x);
      point.y = real_of(read.y);
      point.start_layer = read.start_layer;
      out.project.points.push_back(point);
    }
  }

  void loads() {
    const int total = std::min(std::max(problem.total_area_count(), 0), kMaxAreas);
    std::vector<std::string> names;
    for (int a = 1; a <= total; ++a) {
      const LoadedArea& area = problem.areas[a];
      const std::string path = site::indexed_path("loads", static_cast<std::size_t>(a - 1));
      if (area.shape == kSpreadArea) {
        loads::SpreadArea spread;
        spread.x = real_of(area.x);
        spread.y = real_of(area.y);
        spread.x_length = real_of(area.x_length);
        spread.y_length = real_of(area.y_length);
        spread.load = real_of(area.loading);
        spread.depth = real_of(area.elevation);
        spread.upper_depth = real_of(area.upper_depth);
        spread.lower_depth = real_of(area.lower_depth);
        spread.reference = area.depth_reference == 2   ? loads::SpreadReference::kTwoThirds
                           : area.depth_reference == 3 ? loads::SpreadReference::kLower
                                                       : loads::SpreadReference::kUpper;
        out.project.loads.push_back(spread);
        continue;
      }
      std::optional<std::string> name;
      if (std::string id = trimmed(area.area_id.view()); !id.empty()) {
        if (std::find(names.begin(), names.end(), id) != names.end()) {
          note(path + ".name", "the identifier \"" + id + "\" is given twice: written as \"" + id +
                                   "#" + std::to_string(a) + "\"; the report will differ");
          id += "#" + std::to_string(a);
        }
        names.push_back(id);
        name = id;
      }
      if (area.shape == kCircle) {
        loads::Circle circle;
        circle.name = name;
        circle.x = real_of(area.x);
        circle.y = real_of(area.y);
        circle.diameter = real_of(area.x_length);
        circle.pressure = real_of(area.loading);
        circle.depth = real_of(area.elevation);
        if (area.y_length != 0.0f || area.area_slope != 0.0f)
          note(path,
               "a circle's y length and slope mean nothing: left out; the report will "
               "differ");
        out.project.loads.push_back(circle);
        continue;
      }
      // Every other shape is a rectangle to the archived stress computation.
      loads::Rectangle rectangle;
      rectangle.name = name;
      rectangle.x = real_of(area.x);
      rectangle.y = real_of(area.y);
      rectangle.x_length = real_of(area.x_length);
      rectangle.y_length = real_of(area.y_length);
      if (area.area_slope != 0.0f) rectangle.slope = real_of(area.area_slope);
      rectangle.pressure = real_of(area.loading);
      rectangle.depth = real_of(area.elevation);
      out.project.loads.push_back(rectangle);
    }
  }
};

}  // namespace

ProjectConversion to_project(const ProblemData& problem, ConversionPurpose purpose) {
  ProjectConversion out;
  site::Project& project = out.project;
  project.units = problem.unit_system == kSiAbsolute ? site::Units::kSi : site::Units::kUs;
  project.analysis.method = site::Method::kClassic;
  Converting converting{problem, purpose, out};
  if (problem.unit_system != kUsGravitational && problem.unit_system != kSiAbsolute)
    converting.note("units", "unit system " + std::to_string(problem.unit_system) +
                                 " is neither 1 nor 2: written as \"US\", the units it is "
                                 "computed in; the report will differ");
  converting.title();
  converting.soils();
  converting.layers();
  converting.points();
  converting.loads();
  return out;
}

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
