// The archived problem as a project, table by table.
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
#include "problem/latin1_text.h"
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

std::string trimmed(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string() : utf8_of(text.substr(0, end + 1));
}

std::string soil_name(int position) { return "curve_" + std::to_string(position); }

struct Converting {
  const ProblemData& problem;
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

ProjectConversion to_project(const ProblemData& problem) {
  ProjectConversion out;
  site::Project& project = out.project;
  project.units = problem.unit_system == kSiAbsolute ? site::Units::kSi : site::Units::kUs;
  project.analysis.method = site::Method::kClassic;
  Converting converting{problem, out};
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

}  // namespace problem
