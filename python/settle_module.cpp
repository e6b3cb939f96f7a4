// settle._settle: the C++ side of the Python module. It reads, checks,
// analyses and writes problems given as plain values (raw_problem.h) and
// returns what it finds as plain values too; the Python side (settle/__init__.py)
// turns them into objects and exceptions.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "analysis/classic_analysis.h"
#include "analysis/result_checks.h"
#include "analysis/settlement_grid.h"
#include "layout/fatal_error.h"
#include "problem/built_problem.h"
#include "problem/input_checks.h"
#include "problem/input_warning.h"
#include "problem/problem_reader.h"
#include "problem/problem_writer.h"
#include "project_binding.h"
#include "raw_problem.h"
#include "report/message_texts.h"
#include "run/file_set.h"
#include "run/problem_analysis.h"

namespace settle_python {
namespace {

using problem::InputFault;
using problem::ProblemData;

const char* limit_name(problem::Limit limit) {
  switch (limit) {
    case problem::Limit::kLayers:
      return "layers";
    case problem::Limit::kCurves:
      return "curves";
    case problem::Limit::kPoints:
      return "points";
    case problem::Limit::kRegularAreas:
      return "regular areas";
    case problem::Limit::kCurveIndex:
      return "curve index";
    case problem::Limit::kSublayers:
      return "sublayers";
    case problem::Limit::kCurvePoints:
      return "curve points";
    case problem::Limit::kTotalAreas:
      return "total areas";
    case problem::Limit::kDepthReference:
      return "depth reference";
  }
  return "unknown";
}

const char* value_fault_name(problem::ValueFaultKind kind) {
  switch (kind) {
    case problem::ValueFaultKind::kCurveStrain:
      return "curve strain";
    case problem::ValueFaultKind::kNegativeThicknessFactor:
      return "thickness factor";
    case problem::ValueFaultKind::kAreaVanishes:
      return "area vanishes";
    case problem::ValueFaultKind::kStressNotFinite:
      return "stress";
    case problem::ValueFaultKind::kPressureNotPositive:
      return "final pressure";
    case problem::ValueFaultKind::kSublayerStrain:
      return "sublayer strain";
    case problem::ValueFaultKind::kSettlementNotFinite:
      return "settlement";
    case problem::ValueFaultKind::kTotalNotFinite:
      return "total";
    case problem::ValueFaultKind::kPlaceNotFinite:
      return "place";
  }
  return "unknown";
}

py::list listed_areas(const std::vector<problem::ListedArea>& areas) {
  py::list list;
  for (const problem::ListedArea& area : areas) {
    list.append(py::make_tuple(area.position - 1,
                               py::bytes(area.area_id.chars.data(), area.area_id.chars.size()),
                               area.shape, area.elevation, area.line));
  }
  return list;
}

// What stopped the problem, with the program's own words for it. Positions
// count from 0, as the Python tables do; numbers and lines are as in the file.
// Texts go as bytes: they quote the file's own, which need not be UTF-8.
py::dict stop_values(const ProblemData& problem, const InputFault& fault) {
  py::dict stop;
  py::list texts;
  for (const report::FaultText& text : report::input_fault_texts(problem, fault)) {
    texts.append(py::make_tuple(text.line, py::bytes(text.text)));
  }
  stop["texts"] = texts;
  if (const auto* errors = std::get_if<problem::DataErrors>(&fault)) {
    stop["kind"] = "data errors";
    stop["wrong_shape"] = listed_areas(errors->wrong_shape);
    stop["off_boundary"] = listed_areas(errors->off_boundary);
  } else if (const auto* limit = std::get_if<problem::LimitFault>(&fault)) {
    stop["kind"] = "limit";
    stop["limit"] = limit_name(limit->limit);
    stop["value"] = limit->value;
    stop["item"] = limit->item;
    stop["line"] = limit->line;
  } else if (const auto* pressure = std::get_if<problem::PressureFault>(&fault)) {
    stop["kind"] = "pressure";
    stop["curve"] = pressure->curve - 1;
    stop["row"] = pressure->row - 1;
    stop["pressure"] = pressure->pressure;
    stop["line"] = pressure->line;
  } else {
    // The position of the curve, layer, area or point in its table, and the
    // curve's point or the sublayer, from 0; the values as found.
    const auto& value = std::get<problem::ValueFault>(fault);
    stop["kind"] = "value";
    stop["fault"] = value_fault_name(value.kind);
    stop["position"] = value.position - 1;
    stop["number"] = value.number;
    stop["row"] = value.row - 1;
    stop["values"] =
        py::make_tuple(value.value, value.other, value.third, value.fourth, value.fifth);
    stop["line"] = value.line;
  }
  return stop;
}

const char* kind_name(layout::FatalKind kind) {
  switch (kind) {
    case layout::FatalKind::kEndOfFile:
      return "end of file";
    case layout::FatalKind::kConversion:
      return "conversion";
    case layout::FatalKind::kListSyntax:
      return "list syntax";
    case layout::FatalKind::kFileNotFound:
      return "file not found";
    case layout::FatalKind::kPermissionDenied:
      return "permission denied";
    case layout::FatalKind::kOpenFailure:
      return "open failure";
    case layout::FatalKind::kWriteError:
      return "write error";
    case layout::FatalKind::kReadError:
      return "read error";
    case layout::FatalKind::kNameClash:
      return "name clash";
  }
  return "unknown";
}

py::dict fatal_values(const layout::FatalError& error) {
  py::dict fatal;
  fatal["kind"] = kind_name(error.kind());
  fatal["number"] = error.number();
  fatal["report"] = py::bytes(error.report());
  fatal["where"] = py::bytes(error.where());
  fatal["file"] = py::bytes(error.path());
  if (const auto& at = error.location()) {
    fatal["line"] = at->line;
    fatal["text"] = py::bytes(at->text);
    fatal["at_end"] = at->at_end;
  } else {
    fatal["line"] = py::none();
    fatal["text"] = py::none();
    fatal["at_end"] = false;
  }
  return fatal;
}

py::dict read_problem_file(const py::bytes& path) {
  const std::string name = path;
  py::dict outcome;
  try {
    run::InputFile input(run::kInputUnit, name);
    run::ProblemAnalysis read;
    {
      const py::gil_scoped_release release;
      read = run::prepare_problem(problem::read_problem(input.reader(), nullptr));
    }
    const ProblemData& problem = *read.problem;
    py::list warnings;
    for (const problem::InputWarning& warning : read.warnings) {
      warnings.append(py::make_tuple(
          warning.line, py::bytes(report::input_warning_text(warning, problem.unit_system))));
    }
    outcome["warnings"] = warnings;
    outcome["stop"] = read.stop ? py::object(stop_values(problem, *read.stop)) : py::none();
    // A pressure or value fault stops a problem read to its end; the others stop the reading.
    const bool complete = !read.stop ||
                          std::holds_alternative<problem::PressureFault>(*read.stop) ||
                          std::holds_alternative<problem::ValueFault>(*read.stop);
    outcome["problem"] = complete ? py::object(raw_problem(problem)) : py::none();
  } catch (const layout::FatalError& error) {
    outcome["fatal"] = fatal_values(error);
  }
  return outcome;
}

// The problem of `raw`, checked as the reader checks, taken through the one
// preparation of every run (and analysed when `analyse`); or the stop that the
// program would make on it.
struct Prepared {
  run::ProblemAnalysis analysis;
  py::list warnings;  // the reader's, as (line, text) pairs: lines are 0
};

Prepared prepare(const py::dict& raw, bool analyse = false) {
  problem::ReadResult read{problem_of(raw), {}, std::nullopt, {}};
  read.stop = problem::check_built_problem(*read.problem);
  Prepared prepared;
  // Past a limit the reader looks no further; data errors it warns of still.
  if (!read.stop || std::holds_alternative<problem::DataErrors>(*read.stop)) {
    for (const problem::InputWarning& warning :
         problem::find_input_warnings(*read.problem, problem::SourceLines{})) {
      prepared.warnings.append(py::make_tuple(
          0, py::bytes(report::input_warning_text(warning, read.problem->unit_system))));
    }
  }
  {
    const py::gil_scoped_release release;
    prepared.analysis =
        analyse ? run::analyse_problem(std::move(read)) : run::prepare_problem(std::move(read));
  }
  return prepared;
}

py::dict stopped(const Prepared& prepared) {
  py::dict outcome;
  outcome["stop"] = stop_values(*prepared.analysis.problem, *prepared.analysis.stop);
  outcome["warnings"] = prepared.warnings;
  return outcome;
}

template <typename Row>
py::array_t<float> rows_of(const Row& rows, int count, int columns) {
  py::array_t<float> array({count, columns});
  auto values = array.mutable_unchecked<2>();
  for (int j = 0; j < count; ++j) {
    for (int c = 0; c < columns; ++c) values(j, c) = rows[j + 1][c + 1];
  }
  return array;
}

py::dict analyse(const py::dict& raw) {
  const Prepared prepared = prepare(raw, true);
  if (prepared.analysis.stopped()) return stopped(prepared);
  const analysis::ClassicProfile& profile = *prepared.analysis.profile;
  const analysis::AnalysisResults* results = prepared.analysis.results.get();
  const int n = profile.sublayer_count();
  const int points = profile.points.count();
  py::array_t<float> depths(2 * n + 1);
  for (int k = 0; k < 2 * n + 1; ++k) depths.mutable_at(k) = profile.stress_depths[k + 1];
  py::array_t<float> centres(n);
  py::array_t<float> overburden(n);
  py::array_t<float> initial_strain(n);
  for (int m = 0; m < n; ++m) {
    const analysis::ClassicSublayer& sublayer = profile.sublayers[m + 1];
    centres.mutable_at(m) = sublayer.centre_depth;
    overburden.mutable_at(m) = sublayer.overburden_pressure;
    initial_strain.mutable_at(m) = sublayer.initial_strain;
  }
  py::array_t<float> totals(points);
  py::array_t<std::int32_t> start_sublayers(points);
  for (int j = 0; j < points; ++j) {
    totals.mutable_at(j) = results->total_settlement[j + 1];
    start_sublayers.mutable_at(j) = profile.points[j + 1].start_sublayer;
  }
  py::list warnings;
  for (const analysis::StrainWarning& w : results->strain_warnings) {
    warnings.append(py::make_tuple(w.point - 1, w.sublayer - 1, w.curve - 1,
                                   w.side == analysis::CurveSide::kBelow ? "below" : "above",
                                   w.initial_pressure, w.final_pressure, w.curve_pressure));
  }
  py::dict outcome;
  outcome["depths"] = depths;
  outcome["centre_depths"] = centres;
  outcome["overburden_pressure"] = overburden;
  outcome["initial_strain"] = initial_strain;
  outcome["start_sublayer"] = start_sublayers;
  outcome["stress_increase"] = rows_of(results->stress_increase, points, 2 * n + 1);
  outcome["average_stress_increase"] = rows_of(results->average_stress_increase, points, n);
  outcome["sublayer_settlement"] = rows_of(results->sublayer_settlement, points, n);
  outcome["total_settlement"] = totals;
  outcome["warnings"] = prepared.warnings;
  outcome["strain_warnings"] = warnings;
  return outcome;
}

std::int32_t start_layer_or_default(const site::Project& project,
                                    std::optional<std::int32_t> start_layer) {
  return start_layer ? *start_layer : analysis::default_start_layer(project);
}

using Places = py::array_t<float, py::array::c_style | py::array::forcecast>;

py::dict settlement_at(const py::dict& raw, const Places& x, const Places& y,
                       std::optional<std::int32_t> start_layer) {
  if (x.ndim() != 1 || y.ndim() != 1 || x.size() != y.size()) {
    throw py::value_error("x and y must be one-dimensional and of one length");
  }
  const Prepared prepared = prepare(raw);
  if (prepared.analysis.stopped()) return stopped(prepared);
  const ProblemData& problem = *prepared.analysis.problem;
  const site::Project& project = prepared.analysis.project;
  py::array_t<float> totals(x.size());
  const auto count = static_cast<std::size_t>(x.size());
  {
    const py::gil_scoped_release release;
    analysis::settlement_at_places(
        project, *prepared.analysis.profile, std::span<const float>(x.data(), count),
        std::span<const float>(y.data(), count), start_layer_or_default(project, start_layer),
        std::span<float>(totals.mutable_data(), count));
  }
  py::dict outcome;
  if (const auto fault = analysis::find_place_fault(std::span<const float>(x.data(), count),
                                                    std::span<const float>(y.data(), count),
                                                    std::span<const float>(totals.data(), count))) {
    outcome["stop"] = stop_values(problem, *fault);
    outcome["warnings"] = prepared.warnings;
    return outcome;
  }
  outcome["settlement"] = totals;
  outcome["warnings"] = prepared.warnings;
  return outcome;
}

py::dict settlement_grid(const py::dict& raw, std::optional<double> spacing,
                         std::optional<std::int32_t> start_layer) {
  if (spacing && !(std::isfinite(*spacing) && *spacing > 0.0)) {
    throw py::value_error("the grid spacing must be a length greater than 0");
  }
  const Prepared prepared = prepare(raw);
  if (prepared.analysis.stopped()) return stopped(prepared);
  const ProblemData& problem = *prepared.analysis.problem;
  const site::Project& project = prepared.analysis.project;
  if (analysis::grid_node_count(project, spacing) > analysis::kMaxGridNodes) {
    throw py::value_error("a grid spacing of " + std::to_string(spacing.value_or(0.0)) +
                          " gives more than a million nodes over this plan");
  }
  const analysis::PlanGrid grid = analysis::plan_grid(project, spacing);
  const std::int32_t layer = start_layer_or_default(project, start_layer);
  std::vector<float> totals;
  {
    const py::gil_scoped_release release;
    totals = analysis::settlement_on_grid(project, *prepared.analysis.profile, grid, layer);
  }
  if (const auto fault = analysis::find_grid_fault(grid, totals)) {
    py::dict outcome;
    outcome["stop"] = stop_values(problem, *fault);
    outcome["warnings"] = prepared.warnings;
    return outcome;
  }
  py::array_t<float> x(grid.columns);
  py::array_t<float> y(grid.rows);
  for (int i = 0; i < grid.columns; ++i) x.mutable_at(i) = grid.x(i);
  for (int j = 0; j < grid.rows; ++j) y.mutable_at(j) = grid.y(j);
  py::array_t<float> settlement({grid.rows, grid.columns});
  std::copy(totals.begin(), totals.end(), settlement.mutable_data());
  py::dict outcome;
  outcome["x"] = x;
  outcome["y"] = y;
  outcome["settlement"] = settlement;
  outcome["spacing"] = grid.spacing;
  outcome["start_layer"] = layer;
  outcome["warnings"] = prepared.warnings;
  return outcome;
}

py::dict write_problem(const py::dict& raw) {
  const std::unique_ptr<ProblemData> problem = problem_of(raw);
  std::ostringstream text;
  py::dict outcome;
  if (const auto fault = problem::write_problem(text, *problem)) {
    outcome["unwritable"] =
        py::make_tuple(fault->table, fault->position, fault->field, fault->index, fault->reason);
  } else {
    outcome["text"] = py::bytes(text.str());
  }
  return outcome;
}

}  // namespace
}  // namespace settle_python

PYBIND11_MODULE(_settle, m) {
  settle_python::register_project_functions(m);
  using namespace settle_python;
  m.doc() =
      "The C++ side of the settle module: problems as plain values in, plain values out. "
      "Use the functions of the settle package instead.";
  m.def("read_problem", &read_problem_file, py::arg("path"),
        "Reads a problem file as the program does: the problem, its warnings and its stop.");
  m.def("analyse", &analyse, py::arg("problem"),
        "Checks and analyses a problem given as plain values.");
  m.def("settlement_at", &settlement_at, py::arg("problem"), py::arg("x"), py::arg("y"),
        py::arg("start_layer"), "The total settlement at each place (x[i], y[i]).");
  m.def("settlement_grid", &settlement_grid, py::arg("problem"), py::arg("spacing"),
        py::arg("start_layer"), "The settlement map's grid of totals.");
  m.def("write_problem", &write_problem, py::arg("problem"),
        "The problem file of a problem given as plain values.");
  m.attr("MAX_LAYERS") = problem::kMaxLayers;
  m.attr("MAX_CURVES") = problem::kMaxCurves;
  m.attr("MAX_CURVE_POINTS") = problem::kMaxCurvePoints;
  m.attr("MAX_POINTS") = problem::kMaxPoints;
  m.attr("MAX_AREAS") = problem::kMaxAreas;
  m.attr("MAX_SUBLAYERS") = problem::kMaxSublayers;
  m.attr("VERSION") = SETTLE_VERSION;
}
