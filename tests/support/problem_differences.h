// Two problems compared field by field, bit for bit, for the tests of the
// writer and of problems built in memory.
#pragma once

#include <bit>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "problem/problem_data.h"

namespace testing_support {

using problem::CompressibilityCurve;
using problem::kMaxAreas;
using problem::kMaxCurvePoints;
using problem::kMaxCurves;
using problem::kMaxLayers;
using problem::kMaxPoints;
using problem::LoadedArea;
using problem::ProblemData;
using problem::SettlementPoint;
using problem::SoilLayer;

inline std::uint32_t bits(float value) { return std::bit_cast<std::uint32_t>(value); }

// The stored fields of two problems that differ, bit for bit, over every
// entry of every table (a fresh reading leaves the entries it does not fill
// zero, so two readings compare whole).
class Differences {
 public:
  std::vector<std::string> found;

  void check(const std::string& name, float a, float b) {
    if (bits(a) != bits(b)) found.push_back(name + ": " + shown(a) + " vs " + shown(b));
  }
  void check(const std::string& name, std::int32_t a, std::int32_t b) {
    if (a != b) found.push_back(name + ": " + std::to_string(a) + " vs " + std::to_string(b));
  }
  void check(const std::string& name, std::string_view a, std::string_view b) {
    if (a != b)
      found.push_back(name + ": \"" + std::string(a) + "\" vs \"" + std::string(b) + "\"");
  }

 private:
  static std::string shown(float value) {
    std::ostringstream text;
    text.precision(9);
    text << value << " (0x" << std::hex << bits(value) << ")";
    return text.str();
  }
};

inline std::string at(std::string_view table, int position, std::string_view field) {
  return std::string(table) + "[" + std::to_string(position) + "]." + std::string(field);
}

inline std::vector<std::string> differences(const ProblemData& a, const ProblemData& b) {
  Differences d;
  d.check("title[0]", a.title[0].view(), b.title[0].view());
  d.check("title[1]", a.title[1].view(), b.title[1].view());
  d.check("unit_system", a.unit_system, b.unit_system);
  d.check("layer_count", a.layer_count, b.layer_count);
  d.check("curve_count", a.curve_count, b.curve_count);
  d.check("point_count", a.point_count, b.point_count);
  d.check("area_count", a.area_count, b.area_count);
  d.check("spread_area_count", a.spread_area_count, b.spread_area_count);
  d.check("spread_depth_reference", a.spread_depth_reference, b.spread_depth_reference);
  d.check("gravity_factor", a.gravity_factor, b.gravity_factor);
  d.check("settlement_factor", a.settlement_factor, b.settlement_factor);
  for (int i = 1; i <= kMaxLayers; ++i) {
    const SoilLayer& x = a.layers[i];
    const SoilLayer& y = b.layers[i];
    d.check(at("layers", i, "layer_number"), x.layer_number, y.layer_number);
    d.check(at("layers", i, "bottom_depth"), x.bottom_depth, y.bottom_depth);
    d.check(at("layers", i, "unit_weight"), x.unit_weight, y.unit_weight);
    d.check(at("layers", i, "curve_index"), x.curve_index, y.curve_index);
    d.check(at("layers", i, "thickness_factor"), x.thickness_factor, y.thickness_factor);
  }
  for (int i = 0; i <= kMaxLayers; ++i) {
    d.check("boundary_depths[" + std::to_string(i) + "]", a.boundary_depths[i],
            b.boundary_depths[i]);
  }
  for (int k = 1; k <= kMaxCurves; ++k) {
    const CompressibilityCurve& x = a.curves[k];
    const CompressibilityCurve& y = b.curves[k];
    d.check(at("curves", k, "curve_number"), x.curve_number, y.curve_number);
    d.check(at("curves", k, "point_count"), x.point_count, y.point_count);
    d.check(at("curves", k, "source_text"), x.source_text.view(), y.source_text.view());
    d.check(at("curves", k, "slope"), x.slope, y.slope);
    for (int j = 1; j <= kMaxCurvePoints; ++j) {
      d.check(at("curves", k, "strain[" + std::to_string(j) + "]"), x.strain[j], y.strain[j]);
      d.check(at("curves", k, "pressure[" + std::to_string(j) + "]"), x.pressure[j], y.pressure[j]);
    }
  }
  for (int p = 1; p <= kMaxPoints; ++p) {
    const SettlementPoint& x = a.points[p];
    const SettlementPoint& y = b.points[p];
    d.check(at("points", p, "point_number"), x.point_number, y.point_number);
    d.check(at("points", p, "x"), x.x, y.x);
    d.check(at("points", p, "y"), x.y, y.y);
    d.check(at("points", p, "start_layer"), x.start_layer, y.start_layer);
  }
  for (int m = 1; m <= kMaxAreas; ++m) {
    const LoadedArea& x = a.areas[m];
    const LoadedArea& y = b.areas[m];
    d.check(at("areas", m, "area_id"), x.area_id.view(), y.area_id.view());
    d.check(at("areas", m, "shape"), x.shape, y.shape);
    d.check(at("areas", m, "x"), x.x, y.x);
    d.check(at("areas", m, "y"), x.y, y.y);
    d.check(at("areas", m, "x_length"), x.x_length, y.x_length);
    d.check(at("areas", m, "y_length"), x.y_length, y.y_length);
    d.check(at("areas", m, "area_slope"), x.area_slope, y.area_slope);
    d.check(at("areas", m, "loading"), x.loading, y.loading);
    d.check(at("areas", m, "elevation"), x.elevation, y.elevation);
    d.check(at("areas", m, "upper_depth"), x.upper_depth, y.upper_depth);
    d.check(at("areas", m, "lower_depth"), x.lower_depth, y.lower_depth);
    d.check(at("areas", m, "depth_reference"), x.depth_reference, y.depth_reference);
  }
  return d.found;
}

}  // namespace testing_support
