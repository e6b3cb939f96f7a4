// The C++ side of the module's site projects: a project is a dict of the
// project file's keys, turned into the value tree and back, so that Python,
// TOML and JSON share one mapping and one set of checks.
#include "project_binding.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "analysis/settlement_grid.h"
#include "layout/fatal_error.h"
#include "project/project_file.h"
#include "report/results_json.h"
#include "run/project_analysis.h"
#include "study/study_summary.h"

namespace settle_python {
namespace {

namespace py = pybind11;
using site::Tree;

// ---- Python values to the tree and back ----------------------------------

Tree tree_of(const py::handle& value, const std::string& path) {
  if (value.is_none()) return Tree();
  if (py::isinstance<py::bool_>(value)) return Tree(value.cast<bool>());
  if (py::isinstance<py::str>(value)) return Tree(value.cast<std::string>());
  if (py::isinstance<py::dict>(value)) {
    Tree object = Tree::object();
    for (const auto& [key, item] : value.cast<py::dict>()) {
      if (!py::isinstance<py::str>(key))
        throw py::type_error((path.empty() ? std::string("the project") : path) +
                             ": a key must be a str, not " +
                             std::string(py::str(py::type::of(key).attr("__name__"))));
      const std::string name = key.cast<std::string>();
      object[name] = tree_of(item, path.empty() ? name : path + "." + name);
    }
    return object;
  }
  if (py::isinstance<py::list>(value) || py::isinstance<py::tuple>(value) ||
      py::isinstance<py::array>(value)) {
    Tree list = Tree::array();
    std::size_t i = 0;
    for (const py::handle item : value)
      list.push_back(tree_of(item, path + "[" + std::to_string(++i) + "]"));
    return list;
  }
  if (py::hasattr(value, "__index__")) {
    const py::int_ whole = py::reinterpret_steal<py::int_>(PyNumber_Index(value.ptr()));
    if (!whole) throw py::error_already_set();
    if (whole.cast<py::object>() < py::int_(0)) return Tree(whole.cast<long long>());
    return Tree(whole.cast<unsigned long long>());
  }
  if (py::hasattr(value, "__float__")) {
    const double real = PyFloat_AsDouble(value.ptr());
    if (real == -1.0 && PyErr_Occurred()) throw py::error_already_set();
    return Tree(real);
  }
  throw py::type_error((path.empty() ? std::string("the project") : path) + ": a value of type " +
                       std::string(py::str(py::type::of(value).attr("__name__"))) +
                       " has no place in a project");
}

py::object python_of(const Tree& value) {
  switch (value.type()) {
    case Tree::value_t::object: {
      py::dict out;
      for (const auto& [key, item] : value.items()) out[py::str(key)] = python_of(item);
      return out;
    }
    case Tree::value_t::array: {
      py::list out;
      for (const Tree& item : value) out.append(python_of(item));
      return out;
    }
    case Tree::value_t::string:
      return py::str(value.get<std::string>());
    case Tree::value_t::boolean:
      return py::bool_(value.get<bool>());
    case Tree::value_t::number_integer:
      return py::int_(value.get<std::int64_t>());
    case Tree::value_t::number_unsigned:
      return py::int_(value.get<std::uint64_t>());
    case Tree::value_t::number_float:
      return py::float_(value.get<double>());
    case Tree::value_t::null:
    case Tree::value_t::binary:
    case Tree::value_t::discarded:
      break;
  }
  return py::none();
}

py::list diagnostics_of(const std::vector<site::Diagnostic>& diagnostics) {
  py::list out;
  for (const site::Diagnostic& d : diagnostics)
    out.append(py::make_tuple(d.severity == site::Severity::kError ? "error" : "warning", d.path,
                              d.line, d.message));
  return out;
}

// ---- arrays of the results ------------------------------------------------

py::array_t<double> per_sublayer(const analysis::SiteResults& results,
                                 double analysis::ResultSublayer::*field) {
  py::array_t<double> out(static_cast<py::ssize_t>(results.sublayers.size()));
  for (std::size_t s = 0; s < results.sublayers.size(); ++s)
    out.mutable_at(static_cast<py::ssize_t>(s)) = results.sublayers[s].*field;
  return out;
}

py::array_t<double> per_point_and_sublayer(const analysis::SiteResults& results,
                                           std::vector<double> analysis::ResultPoint::*field) {
  const auto points = static_cast<py::ssize_t>(results.points.size());
  const auto sublayers = static_cast<py::ssize_t>(results.sublayers.size());
  py::array_t<double> out({points, sublayers});
  auto values = out.mutable_unchecked<2>();
  for (py::ssize_t j = 0; j < points; ++j)
    for (py::ssize_t s = 0; s < sublayers; ++s)
      values(j, s) =
          (results.points[static_cast<std::size_t>(j)].*field)[static_cast<std::size_t>(s)];
  return out;
}

// The time results as arrays: times (t), settlement, primary, secondary and
// degree (points x t), t50/t90/t95 (points; NaN where never reached), the
// excess pore pressure (points x t x sublayers).
py::dict time_arrays(const analysis::SiteResults& results) {
  py::dict out;
  const std::size_t points = results.points.size();
  if (points == 0 || !results.points.front().time) return out;
  const auto times = static_cast<py::ssize_t>(results.points.front().time->states.size());
  const auto sublayers = static_cast<py::ssize_t>(results.sublayers.size());
  py::array_t<double> time_of(times);
  for (py::ssize_t t = 0; t < times; ++t)
    time_of.mutable_at(t) = results.points.front().time->states[static_cast<std::size_t>(t)].time;
  const auto grid = [&]() {
    return py::array_t<double>({static_cast<py::ssize_t>(points), times});
  };
  py::array_t<double> total = grid(), primary = grid(), secondary = grid(), degree = grid();
  py::array_t<double> t50(static_cast<py::ssize_t>(points)), t90(static_cast<py::ssize_t>(points)),
      t95(static_cast<py::ssize_t>(points));
  py::array_t<double> excess({static_cast<py::ssize_t>(points), times, sublayers});
  auto total_v = total.mutable_unchecked<2>(), primary_v = primary.mutable_unchecked<2>(),
       secondary_v = secondary.mutable_unchecked<2>(), degree_v = degree.mutable_unchecked<2>();
  auto excess_v = excess.mutable_unchecked<3>();
  const double nan = std::nan("");
  for (std::size_t j = 0; j < points; ++j) {
    const consolidation::PointHistory& history = *results.points[j].time;
    const auto p = static_cast<py::ssize_t>(j);
    for (py::ssize_t t = 0; t < times; ++t) {
      const consolidation::TimeState& state = history.states[static_cast<std::size_t>(t)];
      total_v(p, t) = state.total;
      primary_v(p, t) = state.primary;
      secondary_v(p, t) = state.secondary;
      degree_v(p, t) = state.degree.value_or(nan);
      for (py::ssize_t s = 0; s < sublayers; ++s)
        excess_v(p, t, s) = state.excess_pore_pressure[static_cast<std::size_t>(s)];
    }
    t50.mutable_at(p) = history.t50.value_or(nan);
    t90.mutable_at(p) = history.t90.value_or(nan);
    t95.mutable_at(p) = history.t95.value_or(nan);
  }
  out["times"] = time_of;
  out["settlement"] = total;
  out["primary"] = primary;
  out["secondary"] = secondary;
  out["degree"] = degree;
  out["t50"] = t50;
  out["t90"] = t90;
  out["t95"] = t95;
  out["excess_pore_pressure"] = excess;
  return out;
}

py::dict arrays_of(const analysis::SiteResults& results) {
  py::dict out;
  py::array_t<double> totals(static_cast<py::ssize_t>(results.points.size()));
  py::array_t<std::int64_t> first(static_cast<py::ssize_t>(results.points.size()));
  for (std::size_t j = 0; j < results.points.size(); ++j) {
    totals.mutable_at(static_cast<py::ssize_t>(j)) = results.points[j].settlement;
    first.mutable_at(static_cast<py::ssize_t>(j)) =
        static_cast<std::int64_t>(results.points[j].first_counted);
  }
  out["settlement"] = totals;
  out["first_counted"] = first;
  out["top"] = per_sublayer(results, &analysis::ResultSublayer::top);
  out["bottom"] = per_sublayer(results, &analysis::ResultSublayer::bottom);
  out["sigma_v0"] = per_sublayer(results, &analysis::ResultSublayer::sigma_v0);
  out["u0"] = per_sublayer(results, &analysis::ResultSublayer::u0);
  out["sigma_eff0"] = per_sublayer(results, &analysis::ResultSublayer::sigma_eff0);
  out["water_change"] = per_sublayer(results, &analysis::ResultSublayer::water_change);
  py::array_t<std::int64_t> layers(static_cast<py::ssize_t>(results.sublayers.size()));
  for (std::size_t s = 0; s < results.sublayers.size(); ++s)
    layers.mutable_at(static_cast<py::ssize_t>(s)) =
        static_cast<std::int64_t>(results.sublayers[s].layer);
  out["layer"] = layers;
  out["stress_increase"] = per_point_and_sublayer(results, &analysis::ResultPoint::stress_increase);
  out["strain"] = per_point_and_sublayer(results, &analysis::ResultPoint::strain);
  out["sublayer_settlement"] =
      per_point_and_sublayer(results, &analysis::ResultPoint::settlement_of);
  out["time"] = time_arrays(results);
  return out;
}

// ---- the module's functions -------------------------------------------------

py::dict read_project_file(const py::bytes& path) {
  const std::string name = path;
  py::dict outcome;
  const std::optional<project::Form> form = project::form_of(name);
  if (!form) throw py::value_error(name + ": a project file's name ends in .toml or .json");
  try {
    run::ProjectText text;
    project::ProjectReading reading;
    {
      const py::gil_scoped_release release;
      text = run::read_project_file(name);
      if (!text.refusal) reading = project::read_project_text(text.text, *form);
    }
    if (text.refusal) reading.diagnostics.push_back(*text.refusal);
    outcome["diagnostics"] = diagnostics_of(reading.diagnostics);
    if (reading.ok()) outcome["tree"] = python_of(site::project_to_tree(reading.project));
  } catch (const layout::FatalError& error) {
    outcome["fatal"] = py::make_tuple(error.report(), error.path(), error.number());
  }
  return outcome;
}

// The project of `data` read as a file is, checks included.
project::ProjectReading reading_of(const py::dict& data) {
  const Tree tree = tree_of(data, "");
  const py::gil_scoped_release release;
  return project::read_project_tree(tree);
}

py::dict check_project(const py::dict& data) {
  const project::ProjectReading reading = reading_of(data);
  py::dict outcome;
  outcome["diagnostics"] = diagnostics_of(reading.diagnostics);
  if (reading.ok()) outcome["tree"] = python_of(site::project_to_tree(reading.project));
  return outcome;
}

py::dict write_project(const py::dict& data, const std::string& form_name) {
  const project::ProjectReading reading = reading_of(data);
  py::dict outcome;
  outcome["diagnostics"] = diagnostics_of(reading.diagnostics);
  if (reading.ok()) {
    const project::Form form = form_name == "json" ? project::Form::kJson : project::Form::kToml;
    outcome["text"] = py::bytes(project::write_project_text(reading.project, form));
  }
  return outcome;
}

py::dict analyse_project(const py::dict& data) {
  project::ProjectReading reading = reading_of(data);
  run::ProjectAnalysis analysis;
  {
    const py::gil_scoped_release release;
    analysis = run::analyse_project(std::move(reading));
  }
  py::dict outcome;
  outcome["diagnostics"] = diagnostics_of(analysis.diagnostics);
  if (analysis.stopped()) return outcome;
  outcome["results"] =
      python_of(report::results_tree(analysis.project, *analysis.results, analysis.diagnostics));
  outcome["arrays"] = arrays_of(*analysis.results);
  return outcome;
}

// ---- studies ------------------------------------------------------------------

// The value last made for a key, kept for the process: every task of one
// study or grid that reaches the process after the first reuses it.
template <typename T>
class LastMade {
 public:
  template <typename Make>
  std::shared_ptr<const T> get(std::string key, const Make& make) {
    const std::lock_guard<std::mutex> hold(lock_);
    if (made_ && key_ == key) return made_;
    made_ = make();
    key_ = std::move(key);
    return made_;
  }

 private:
  std::mutex lock_;
  std::string key_;
  std::shared_ptr<const T> made_;
};

// The study of a project dict, prepared once per process (the sample plan of
// a Latin hypercube costs a pass over all samples); its key, the project's
// tree as JSON.
std::shared_ptr<const study::PreparedStudy> prepared_study(const py::dict& data) {
  static LastMade<study::PreparedStudy> last;
  const Tree tree = tree_of(data, "");
  const py::gil_scoped_release release;
  return last.get(tree.dump(), [&] {
    auto prepared = std::make_shared<study::PreparedStudy>();
    project::ProjectReading reading = project::read_project_tree(tree);
    prepared->diagnostics = reading.diagnostics;
    if (reading.ok()) {
      study::PreparedStudy made = study::prepare_study(reading.project);
      prepared->setup = std::move(made.setup);
      prepared->diagnostics.insert(prepared->diagnostics.end(), made.diagnostics.begin(),
                                   made.diagnostics.end());
    }
    return prepared;
  });
}

py::dict study_prepare(const py::dict& data) {
  const auto prepared = prepared_study(data);
  py::dict outcome;
  outcome["diagnostics"] = diagnostics_of(prepared->diagnostics);
  if (prepared->setup) {
    outcome["samples"] = prepared->setup->plan.design.samples;
    outcome["seed"] = prepared->setup->plan.design.seed;
  }
  return outcome;
}

// A batch as plain values that pickle: the indices and the values as the
// bytes of int64 and double arrays, and the fault as (index, path, message).
py::tuple study_batch(const py::dict& data, std::int64_t first, std::int64_t count) {
  const auto prepared = prepared_study(data);
  if (!prepared->setup) throw py::value_error("the project's study does not pass its checks");
  const study::StudySetup& setup = *prepared->setup;
  if (first < 0 || count < 0 || first + count > setup.plan.design.samples)
    throw py::value_error("samples " + std::to_string(first) + " to " +
                          std::to_string(first + count - 1) + " are not all of the study's " +
                          std::to_string(setup.plan.design.samples));
  study::Batch batch;
  {
    const py::gil_scoped_release release;
    batch = study::run_batch(setup, first, count);
  }
  py::object fault = py::none();
  if (batch.fault)
    fault = py::make_tuple(batch.fault->index, batch.fault->diagnostic.path,
                           batch.fault->diagnostic.message);
  const auto bytes_of = [](const auto& values) {
    return py::bytes(reinterpret_cast<const char*>(values.data()),
                     values.size() * sizeof(values[0]));
  };
  return py::make_tuple(bytes_of(batch.indices), bytes_of(batch.values), fault);
}

template <typename T>
std::vector<T> values_of_bytes(const py::handle& item) {
  const std::string bytes = item.cast<py::bytes>();
  if (bytes.size() % sizeof(T) != 0) throw py::value_error("a batch's bytes do not fit");
  std::vector<T> out(bytes.size() / sizeof(T));
  std::memcpy(out.data(), bytes.data(), bytes.size());
  return out;
}

// The study's figures from batches in any order: the study file's values,
// or the diagnostic of the earliest sample that stopped.
py::dict study_combine(const py::dict& data, const py::list& batches) {
  const auto prepared = prepared_study(data);
  if (!prepared->setup) throw py::value_error("the project's study does not pass its checks");
  const study::StudySetup& setup = *prepared->setup;
  study::StudyCollection collection = study::start_collection(setup);
  for (const py::handle item : batches) {
    const py::tuple parts = item.cast<py::tuple>();
    study::Batch batch;
    batch.indices = values_of_bytes<std::int64_t>(parts[0]);
    batch.values = values_of_bytes<double>(parts[1]);
    if (!parts[2].is_none()) {
      const py::tuple fault = parts[2].cast<py::tuple>();
      batch.fault = study::SampleFault{
          fault[0].cast<std::int64_t>(),
          {site::Severity::kError, fault[1].cast<std::string>(), fault[2].cast<std::string>(), 0}};
    }
    if (const auto problem = study::collect(collection, batch)) throw py::value_error(*problem);
  }
  py::dict outcome;
  if (collection.fault) {
    outcome["diagnostics"] = diagnostics_of({collection.fault->diagnostic});
    return outcome;
  }
  const std::string missing = study::missing_samples(collection);
  if (!missing.empty()) throw py::value_error(missing);
  Tree tree;
  {
    const py::gil_scoped_release release;
    tree = study::study_tree(setup, collection);
  }
  outcome["diagnostics"] = py::list();
  outcome["study"] = python_of(tree);
  return outcome;
}

// ---- the settlement map's grid -------------------------------------------------

// A project's analysis, its grid and start layer, made once per process for
// all the tasks of one grid that reach it (as a study's setup is).
struct PreparedGrid {
  std::vector<site::Diagnostic> diagnostics;  // an error among them: no grid
  std::optional<run::ProjectAnalysis> analysis;
  analysis::PlanGrid grid;
  std::int32_t start_layer = 1;
};

// The shortest text that reads back as the same spacing.
std::string spacing_key(std::optional<double> spacing) {
  if (!spacing) return "default";
  char buffer[32];
  const auto [end, code] = std::to_chars(buffer, buffer + sizeof buffer, *spacing);
  return std::string(buffer, end);
}

// The grid of a project dict, prepared once per process; its key, the
// project's tree as JSON, the spacing and the start layer.
std::shared_ptr<const PreparedGrid> prepared_grid(const py::dict& data,
                                                  std::optional<double> spacing,
                                                  std::optional<std::int32_t> start_layer) {
  static LastMade<PreparedGrid> last;
  if (spacing && !(std::isfinite(*spacing) && *spacing > 0.0))
    throw py::value_error("spacing " + std::to_string(*spacing) + " is not a length above 0");
  const Tree tree = tree_of(data, "");
  std::string key = tree.dump() + "|" + spacing_key(spacing) + "|" +
                    (start_layer ? std::to_string(*start_layer) : "default");
  const py::gil_scoped_release release;
  return last.get(std::move(key), [&] {
    auto prepared = std::make_shared<PreparedGrid>();
    project::ProjectReading reading = project::read_project_tree(tree);
    if (!reading.ok()) {
      prepared->diagnostics = std::move(reading.diagnostics);
      return prepared;
    }
    const site::Project& project = reading.project;
    const std::int32_t layers = static_cast<std::int32_t>(project.layers.size());
    if (start_layer && (*start_layer < 1 || *start_layer > layers)) {
      throw py::value_error("start_layer " + std::to_string(*start_layer) +
                            " is not a layer of the project (1 to " + std::to_string(layers) + ")");
    }
    if (analysis::grid_node_count(project, spacing) > analysis::kMaxGridNodes)
      throw py::value_error("the spacing gives more than a million nodes over the plan");
    prepared->grid = analysis::plan_grid(project, spacing);
    prepared->start_layer = start_layer.value_or(analysis::default_start_layer(project));
    prepared->analysis = run::analyse_project(std::move(reading));
    prepared->diagnostics = prepared->analysis->diagnostics;
    return prepared;
  });
}

py::dict grid_prepare(const py::dict& data, std::optional<double> spacing,
                      std::optional<std::int32_t> start_layer) {
  const auto prepared = prepared_grid(data, spacing, start_layer);
  py::dict outcome;
  outcome["diagnostics"] = diagnostics_of(prepared->diagnostics);
  if (prepared->analysis && !prepared->analysis->stopped()) {
    const analysis::PlanGrid& grid = prepared->grid;
    outcome["x0"] = grid.x0;
    outcome["y0"] = grid.y0;
    outcome["spacing"] = grid.spacing;
    outcome["columns"] = grid.columns;
    outcome["rows"] = grid.rows;
    outcome["start_layer"] = prepared->start_layer;
    py::array_t<float> x(grid.columns), y(grid.rows);
    for (int i = 0; i < grid.columns; ++i) x.mutable_at(i) = grid.x(i);
    for (int j = 0; j < grid.rows; ++j) y.mutable_at(j) = grid.y(j);
    outcome["x"] = x;
    outcome["y"] = y;
  }
  return outcome;
}

py::array_t<float> float_rows(const std::vector<float>& values, int rows, int columns) {
  py::array_t<float> out({rows, columns});
  std::memcpy(out.mutable_data(), values.data(), values.size() * sizeof(float));
  return out;
}

const run::ProjectAnalysis& analysed(const PreparedGrid& prepared) {
  if (!prepared.analysis || prepared.analysis->stopped())
    throw py::value_error("the project does not pass its checks or its analysis stops");
  return *prepared.analysis;
}

// Rows first_row .. first_row + count - 1 of the grid, each node as the whole
// grid's computation takes it: the same single-precision coordinates, the
// same start sublayer, so that rows from anywhere fit together bit for bit.
py::array_t<float> grid_rows(const py::dict& data, std::optional<double> spacing,
                             std::optional<std::int32_t> start_layer, int first_row, int count) {
  const auto prepared = prepared_grid(data, spacing, start_layer);
  const run::ProjectAnalysis& run = analysed(*prepared);
  const analysis::PlanGrid& grid = prepared->grid;
  if (first_row < 0 || count < 0 || first_row > grid.rows - count)
    throw py::value_error("rows " + std::to_string(first_row) + " to " +
                          std::to_string(first_row + count - 1) + " are not all of the grid's " +
                          std::to_string(grid.rows));
  const auto columns = static_cast<std::size_t>(grid.columns);
  std::vector<float> x, y, total(columns * static_cast<std::size_t>(count), 0.0f);
  for (int j = first_row; j < first_row + count; ++j)
    for (int i = 0; i < grid.columns; ++i) {
      x.push_back(grid.x(i));
      y.push_back(grid.y(j));
    }
  {
    const py::gil_scoped_release release;
    if (run.exact)
      analysis::settlement_at_places(*run.exact, x, y, prepared->start_layer, total);
    else
      analysis::settlement_at_places(run.project, *run.classic, x, y, prepared->start_layer, total);
  }
  return float_rows(total, count, grid.columns);
}

// The whole grid in this process, row by row over its cores, as settle-plot
// computes its map.
py::array_t<float> grid_here(const py::dict& data, std::optional<double> spacing,
                             std::optional<std::int32_t> start_layer) {
  const auto prepared = prepared_grid(data, spacing, start_layer);
  const run::ProjectAnalysis& run = analysed(*prepared);
  std::vector<float> total;
  {
    const py::gil_scoped_release release;
    total = run.exact
                ? analysis::settlement_on_grid(*run.exact, prepared->grid, prepared->start_layer)
                : analysis::settlement_on_grid(run.project, *run.classic, prepared->grid,
                                               prepared->start_layer);
  }
  return float_rows(total, prepared->grid.rows, prepared->grid.columns);
}

}  // namespace

void register_project_functions(py::module_& m) {
  m.def("study_prepare", &study_prepare, py::arg("data"),
        "Checks a project's study: its diagnostics, and its samples and seed when it passes.");
  m.def("study_batch", &study_batch, py::arg("data"), py::arg("first"), py::arg("count"),
        "Runs samples first .. first + count - 1 of a project's study: (indices, values, fault).");
  m.def("study_combine", &study_combine, py::arg("data"), py::arg("batches"),
        "The statistics of a study from its batches, in any order.");
  m.def("grid_prepare", &grid_prepare, py::arg("data"), py::arg("spacing"), py::arg("start_layer"),
        "Checks a project for its settlement grid: its diagnostics, and the grid when it passes.");
  m.def("grid_rows", &grid_rows, py::arg("data"), py::arg("spacing"), py::arg("start_layer"),
        py::arg("first_row"), py::arg("count"),
        "Rows first_row .. first_row + count - 1 of a project's settlement grid.");
  m.def("grid_here", &grid_here, py::arg("data"), py::arg("spacing"), py::arg("start_layer"),
        "A project's whole settlement grid, computed in this process.");
  m.def("read_project", &read_project_file, py::arg("path"),
        "Reads and checks a project file: its tree of values, or its diagnostics.");
  m.def("check_project", &check_project, py::arg("data"),
        "Checks a project given as a dict of the file's keys.");
  m.def("write_project", &write_project, py::arg("data"), py::arg("form"),
        "The text of a project file of the form 'toml' or 'json'.");
  m.def("analyse_project", &analyse_project, py::arg("data"),
        "Checks and analyses a project: its results as the results file holds them, and arrays.");
}

}  // namespace settle_python
