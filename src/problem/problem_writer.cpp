// The problem data file written from a problem, record by record in the
// order of problem_reader.cpp.
#include "problem/problem_writer.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>
#include <utility>

#include "layout/decimal_text.h"

namespace problem {
namespace {

using layout::shortest_text;

constexpr std::string_view kLineEnd = "\r\n";

// Ulps searched either way of the first guess for a value read: a division
// by 100 or a product with 101.972 moves the answer less than two ulps.
constexpr int kSearchSteps = 8;

// The reader's signed zeros and every bit of a value count.
bool same_bits(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// The finite value read, nearest to `guess`, that `convert` turns into
// `stored` bit for bit; none when no finite single-precision value does.
template <typename Convert>
std::optional<float> value_read_for(float stored, float guess, const Convert& convert) {
  if (std::isnan(stored)) return std::nullopt;
  // An infinite product came from a finite value read near the largest.
  constexpr float kLargest = std::numeric_limits<float>::max();
  const float start = std::isfinite(guess) ? guess : std::copysign(kLargest, guess);
  if (same_bits(convert(start), stored)) return start;
  float below = start;
  float above = start;
  for (int step = 0; step < kSearchSteps; ++step) {
    below = std::nextafter(below, -kLargest);
    above = std::nextafter(above, kLargest);
    for (const float candidate : {below, above}) {
      if (same_bits(convert(candidate), stored)) return candidate;
    }
  }
  return std::nullopt;
}

// The text of the problem file as it is built, and the first value that
// could not be written.
class ProblemText {
 public:
  std::string text;
  std::optional<UnwritableValue> fault;

  // The table entry whose values follow, for naming a fault.
  void entry(std::string table, int position) {
    table_ = std::move(table);
    position_ = position;
  }

  void fail(std::string_view field, std::string reason, int index = 0) {
    if (!fault) {
      fault = UnwritableValue{table_, position_, std::string(field), index, std::move(reason)};
    }
  }

  // A fixed record of one line: `text` in all its columns.
  void fixed(std::string_view field, std::string_view chars) {
    if (chars.find('\n') != std::string_view::npos) fail(field, "holds a line feed");
    text.append(chars);
    text.append(kLineEnd);
  }

  // Values of a free-form record, one line, separated by blanks.
  void integer(std::int32_t value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    put(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
  }
  void real(std::string_view field, float value, int index = 0) {
    if (!std::isfinite(value)) fail(field, "is not a finite number", index);
    put(shortest_text(value));
  }
  // A value kept as convert(value read): the value read is written.
  template <typename Convert>
  void converted(std::string_view field, float stored, float guess, const Convert& convert,
                 std::string_view how, int index = 0) {
    const std::optional<float> read = value_read_for(stored, guess, convert);
    if (!read) {
      fail(field, "no value read, " + std::string(how) + ", gives " + shortest_text(stored), index);
      put("0");
      return;
    }
    put(shortest_text(*read));
  }
  void end_record() {
    text.append(kLineEnd);
    first_value_ = true;
  }

 private:
  void put(std::string_view value) {
    if (!first_value_) text.push_back(' ');
    text.append(value);
    first_value_ = false;
  }

  std::string table_;
  int position_ = 0;
  bool first_value_ = true;
};

// The counts must leave every entry they name inside its table.
void check_capacities(const ProblemData& problem, ProblemText& out) {
  const auto check = [&out](std::string_view field, std::int64_t count, int capacity,
                            std::string_view entries) {
    if (count <= capacity) return;
    out.fail(field, std::to_string(count) + " is more than the " + std::to_string(capacity) + " " +
                        std::string(entries) + " the table holds");
  };
  check("layer_count", problem.layer_count, kMaxLayers, "layers");
  check("curve_count", problem.curve_count, kMaxCurves, "curves");
  check("point_count", problem.point_count, kMaxPoints, "points");
  check("area_count", problem.area_count, kMaxAreas, "areas");
  check("spread_area_count",
        std::int64_t{problem.area_count} + std::int64_t{problem.spread_area_count}, kMaxAreas,
        "areas (regular and spread)");
  for (int k = 1; k <= std::min(problem.curve_count, kMaxCurves); ++k) {
    out.entry("curves", k);
    check("point_count", problem.curves[k].point_count, kMaxCurvePoints, "points");
  }
  out.entry("", 0);
}

void write_layers(const ProblemData& problem, ProblemText& out) {
  const bool si = problem.unit_system == kSiAbsolute;
  for (int i = 1; i <= problem.layer_count; ++i) {
    const SoilLayer& layer = problem.layers[i];
    out.entry("layers", i);
    out.integer(layer.layer_number);
    out.real("bottom_depth", layer.bottom_depth);
    if (si) {
      // Kept as the kN/m3 read times 101.972, in single precision.
      out.converted(
          "unit_weight", layer.unit_weight, layer.unit_weight / kMassDensityPerUnitWeight,
          [](float read) { return read * kMassDensityPerUnitWeight; }, "times 101.972");
    } else {
      out.real("unit_weight", layer.unit_weight);
    }
    out.integer(layer.curve_index);
    out.real("thickness_factor", layer.thickness_factor);
    out.end_record();
  }
}

void write_percent(ProblemText& out, std::string_view field, float fraction, int index = 0) {
  out.converted(
      field, fraction, fraction * kPercent, [](float read) { return read / kPercent; },
      "divided by 100", index);
}

void write_curves(const ProblemData& problem, ProblemText& out) {
  for (int k = 1; k <= problem.curve_count; ++k) {
    const CompressibilityCurve& curve = problem.curves[k];
    out.entry("curves", k);
    out.integer(curve.curve_number);
    out.integer(curve.point_count);
    out.end_record();
    out.fixed("source_text", curve.source_text.view());
    if (is_slope_line(curve)) {
      write_percent(out, "slope", curve.slope);
      out.end_record();
      continue;
    }
    for (int j = 1; j <= curve.point_count; ++j) {
      write_percent(out, "strain", curve.strain[j], j);
      out.real("pressure", curve.pressure[j], j);
      out.end_record();
    }
  }
}

void write_points(const ProblemData& problem, ProblemText& out) {
  for (int p = 1; p <= problem.point_count; ++p) {
    const SettlementPoint& point = problem.points[p];
    out.entry("points", p);
    out.integer(point.point_number);
    out.real("x", point.x);
    out.real("y", point.y);
    out.integer(point.start_layer);
    out.end_record();
  }
}

void write_regular_areas(const ProblemData& problem, ProblemText& out) {
  for (int a = 1; a <= problem.area_count; ++a) {
    const LoadedArea& area = problem.areas[a];
    out.entry("areas", a);
    out.fixed("area_id", area.area_id.view());
    out.integer(area.shape);
    out.real("x", area.x);
    out.real("y", area.y);
    out.real("x_length", area.x_length);
    out.real("y_length", area.y_length);
    out.real("area_slope", area.area_slope);
    out.real("loading", area.loading);
    out.real("elevation", area.elevation);
    out.end_record();
  }
}

void write_spread_areas(const ProblemData& problem, ProblemText& out) {
  out.integer(problem.spread_area_count);
  out.end_record();
  out.integer(problem.spread_depth_reference);
  out.end_record();
  for (int m = 1; m <= problem.spread_area_count; ++m) {
    const int a = problem.area_count + m;
    out.integer(m);  // the file numbers them; the reader drops the number
    if (a < 1) {
      // Before the table (a negative regular-area count): read and dropped.
      for (int v = 0; v < 8; ++v) out.integer(0);
      out.end_record();
      continue;
    }
    const LoadedArea& area = problem.areas[a];
    out.entry("areas", a);
    out.real("x", area.x);
    out.real("y", area.y);
    out.real("x_length", area.x_length);
    out.real("y_length", area.y_length);
    out.real("elevation", area.elevation);
    out.real("upper_depth", area.upper_depth);
    out.real("lower_depth", area.lower_depth);
    out.real("loading", area.loading);
    out.end_record();
  }
}

}  // namespace

std::string describe(const UnwritableValue& value) {
  std::string where;
  if (!value.table.empty()) where = value.table + "[" + std::to_string(value.position) + "].";
  where += value.field;
  if (value.index > 0) where += "[" + std::to_string(value.index) + "]";
  return where + ": " + value.reason;
}

std::optional<UnwritableValue> write_problem(std::ostream& out, const ProblemData& problem) {
  ProblemText file;
  check_capacities(problem, file);
  if (file.fault) return file.fault;

  file.fixed("title[0]", problem.title[0].view());
  file.fixed("title[1]", problem.title[1].view());
  file.integer(problem.unit_system);
  file.end_record();
  file.integer(problem.layer_count);
  file.integer(problem.curve_count);
  file.integer(problem.point_count);
  file.integer(problem.area_count);
  file.end_record();
  write_layers(problem, file);
  write_curves(problem, file);
  write_points(problem, file);
  write_regular_areas(problem, file);
  write_spread_areas(problem, file);
  if (file.fault) return file.fault;
  out << file.text;
  return std::nullopt;
}

}  // namespace problem
