// The problem to plain Python values and back.
#include "raw_problem.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "problem/built_problem.h"

namespace settle_python {
namespace {

using problem::kMaxCurvePoints;
using FloatArray = py::array_t<float, py::array::c_style | py::array::forcecast>;

template <int N>
py::bytes bytes_of(const problem::FixedText<N>& text) {
  return py::bytes(text.chars.data(), text.chars.size());
}

template <int N>
void set_text(problem::FixedText<N>& field, const py::handle& value) {
  const std::string text = value.cast<std::string>();
  if (text.size() > static_cast<std::size_t>(N)) {
    throw py::value_error("a text of " + std::to_string(text.size()) +
                          " characters for a field of " + std::to_string(N));
  }
  field = problem::FixedText<N>();
  std::copy(text.begin(), text.end(), field.chars.begin());
}

py::array_t<float> array_of(const problem::IndexedTable<float, kMaxCurvePoints>& table, int count) {
  py::array_t<float> array(count);
  auto values = array.mutable_unchecked<1>();
  for (py::ssize_t j = 0; j < count; ++j) values(j) = table[static_cast<int>(j) + 1];
  return array;
}

py::tuple area_values(const problem::LoadedArea& a) {
  return py::make_tuple(bytes_of(a.area_id), a.shape, a.x, a.y, a.x_length, a.y_length,
                        a.area_slope, a.loading, a.elevation, a.upper_depth, a.lower_depth);
}

// The entries under `key`, at most `capacity` of them.
py::list entries(const py::dict& raw, const char* key, int capacity) {
  const py::list list = raw[key].cast<py::list>();
  if (list.size() > static_cast<std::size_t>(capacity)) {
    throw py::value_error(std::string(key) + ": " + std::to_string(list.size()) +
                          " entries, more than the " + std::to_string(capacity) +
                          " the table holds");
  }
  return list;
}

py::tuple values_of(const py::handle& entry, std::size_t count) {
  const py::tuple values = entry.cast<py::tuple>();
  if (values.size() != count) {
    throw py::value_error("an entry of " + std::to_string(values.size()) + " values, not " +
                          std::to_string(count));
  }
  return values;
}

// A real as a file gives it: a finite single-precision value.
float real(const py::handle& value) {
  const float number = value.cast<float>();
  if (!std::isfinite(number)) throw py::value_error("a value that is not a finite number");
  return number;
}

// A unit weight may be infinite: an S.I. file's value times 101.972 can overflow.
float weight(const py::handle& value) {
  const float number = value.cast<float>();
  if (std::isnan(number)) throw py::value_error("a unit weight that is not a number");
  return number;
}

void set_area(problem::LoadedArea& area, const py::tuple& v) {
  set_text(area.area_id, v[0]);
  area.shape = v[1].cast<std::int32_t>();
  area.x = real(v[2]);
  area.y = real(v[3]);
  area.x_length = real(v[4]);
  area.y_length = real(v[5]);
  area.area_slope = real(v[6]);
  area.loading = real(v[7]);
  area.elevation = real(v[8]);
  area.upper_depth = real(v[9]);
  area.lower_depth = real(v[10]);
}

void set_curve(problem::CompressibilityCurve& curve, const py::tuple& v) {
  curve.curve_number = v[0].cast<std::int32_t>();
  curve.point_count = v[1].cast<std::int32_t>();
  set_text(curve.source_text, v[2]);
  curve.slope = real(v[3]);
  if (problem::is_slope_line(curve)) return;  // its tables stay empty, as read
  if (curve.point_count > kMaxCurvePoints) {
    throw py::value_error("a curve of " + std::to_string(curve.point_count) +
                          " points, more than the " + std::to_string(kMaxCurvePoints) +
                          " a curve holds");
  }
  const FloatArray strain = v[4].cast<FloatArray>();
  const FloatArray pressure = v[5].cast<FloatArray>();
  if (strain.ndim() != 1 || pressure.ndim() != 1 || strain.size() != curve.point_count ||
      pressure.size() != curve.point_count) {
    throw py::value_error("a curve of " + std::to_string(curve.point_count) +
                          " points needs as many strains and pressures");
  }
  for (int j = 1; j <= curve.point_count; ++j) {
    curve.strain[j] = strain.at(j - 1);
    curve.pressure[j] = pressure.at(j - 1);
    if (!std::isfinite(curve.strain[j]) || !std::isfinite(curve.pressure[j])) {
      throw py::value_error("a curve point that is not a finite number");
    }
  }
}

}  // namespace

py::dict raw_problem(const problem::ProblemData& p) {
  py::dict raw;
  raw["title"] = py::make_tuple(bytes_of(p.title[0]), bytes_of(p.title[1]));
  raw["unit_system"] = p.unit_system;
  py::list layers;
  for (int i = 1; i <= p.layer_count; ++i) {
    const problem::SoilLayer& l = p.layers[i];
    layers.append(py::make_tuple(l.layer_number, l.bottom_depth, l.unit_weight, l.curve_index,
                                 l.thickness_factor));
  }
  raw["layers"] = layers;
  py::list curves;
  for (int k = 1; k <= p.curve_count; ++k) {
    const problem::CompressibilityCurve& c = p.curves[k];
    const int points = problem::is_slope_line(c) ? 0 : c.point_count;
    curves.append(py::make_tuple(c.curve_number, c.point_count, bytes_of(c.source_text), c.slope,
                                 array_of(c.strain, points), array_of(c.pressure, points)));
  }
  raw["curves"] = curves;
  py::list points;
  for (int j = 1; j <= p.point_count; ++j) {
    const problem::SettlementPoint& s = p.points[j];
    points.append(py::make_tuple(s.point_number, s.x, s.y, s.start_layer));
  }
  raw["points"] = points;
  py::list areas;
  for (int a = 1; a <= p.area_count; ++a) areas.append(area_values(p.areas[a]));
  raw["areas"] = areas;
  py::list spread_areas;
  for (int a = std::max(p.area_count, 0) + 1; a <= p.total_area_count(); ++a) {
    spread_areas.append(area_values(p.areas[a]));
  }
  raw["spread_areas"] = spread_areas;
  raw["spread_depth_reference"] = p.spread_depth_reference;
  return raw;
}

std::unique_ptr<problem::ProblemData> problem_of(const py::dict& raw) {
  auto p = std::make_unique<problem::ProblemData>();
  try {
    const py::tuple title = values_of(raw["title"], 2);
    set_text(p->title[0], title[0]);
    set_text(p->title[1], title[1]);
    p->unit_system = raw["unit_system"].cast<std::int32_t>();

    const py::list layers = entries(raw, "layers", problem::kMaxLayers);
    p->layer_count = static_cast<std::int32_t>(layers.size());
    for (int i = 1; i <= p->layer_count; ++i) {
      const py::tuple v = values_of(layers[static_cast<std::size_t>(i - 1)], 5);
      p->layers[i] = {v[0].cast<std::int32_t>(), real(v[1]), weight(v[2]),
                      v[3].cast<std::int32_t>(), real(v[4])};
    }
    const py::list curves = entries(raw, "curves", problem::kMaxCurves);
    p->curve_count = static_cast<std::int32_t>(curves.size());
    for (int k = 1; k <= p->curve_count; ++k) {
      set_curve(p->curves[k], values_of(curves[static_cast<std::size_t>(k - 1)], 6));
    }
    const py::list points = entries(raw, "points", problem::kMaxPoints);
    p->point_count = static_cast<std::int32_t>(points.size());
    for (int j = 1; j <= p->point_count; ++j) {
      const py::tuple v = values_of(points[static_cast<std::size_t>(j - 1)], 4);
      problem::SettlementPoint& point = p->points[j];
      point.point_number = v[0].cast<std::int32_t>();
      point.x = real(v[1]);
      point.y = real(v[2]);
      point.start_layer = v[3].cast<std::int32_t>();
    }
    const py::list areas = entries(raw, "areas", problem::kMaxAreas);
    const py::list spread =
        entries(raw, "spread_areas", problem::kMaxAreas - static_cast<int>(areas.size()));
    p->area_count = static_cast<std::int32_t>(areas.size());
    p->spread_area_count = static_cast<std::int32_t>(spread.size());
    for (int a = 1; a <= p->area_count; ++a) {
      set_area(p->areas[a], values_of(areas[static_cast<std::size_t>(a - 1)], 11));
    }
    for (int m = 1; m <= p->spread_area_count; ++m) {
      set_area(p->areas[p->area_count + m], values_of(spread[static_cast<std::size_t>(m - 1)], 11));
    }
    p->spread_depth_reference = raw["spread_depth_reference"].cast<std::int32_t>();
  } catch (const py::cast_error& error) {
    throw py::value_error(std::string("a problem value of the wrong form: ") + error.what());
  }
  problem::derive_read_fields(*p);
  return p;
}

}  // namespace settle_python
