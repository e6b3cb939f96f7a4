// The statistics of a study, point by point and pair by pair, from the
// store's columns in sample order.
#include "study/study_summary.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "report/results_json.h"
#include "study/result_statistics.h"
#include "study/variance_shares.h"

namespace study {
namespace {

using site::Tree;

void put_summary(Tree& row, std::span<const double> values) {
  const Summary s = summary_of(values);
  row["mean"] = s.mean;
  row["sd"] = s.sd;
  row["p05"] = s.p05;
  row["p50"] = s.p50;
  row["p95"] = s.p95;
}

Tree shares_tree(const StudySetup& setup, const std::vector<std::vector<double>>& inputs,
                 std::span<const double> output) {
  const std::vector<double> shares = variance_shares(inputs, output);
  Tree out = Tree::object();
  for (std::size_t k = 0; k < shares.size(); ++k) out[setup.study.parameters[k].target] = shares[k];
  return out;
}

// Settlement units (mm, inches) per length unit (m, ft).
double settlement_per_length(site::Units units) {
  return units == site::Units::kSi ? 1000.0 : 12.0;
}

}  // namespace

StudyCollection start_collection(const StudySetup& setup) {
  return {make_result_store(setup.plan.design.samples, results_per_sample(setup)), std::nullopt};
}

std::optional<std::string> collect(StudyCollection& collection, const Batch& batch) {
  if (const auto fault = add_batch(collection.store, batch.indices, batch.values)) {
    switch (fault->problem) {
      case BatchProblem::kWrongLength:
        return "a batch of " + std::to_string(fault->index) + " samples holds " +
               std::to_string(batch.values.size()) + " values, not " +
               std::to_string(fault->index * collection.store.quantities);
      case BatchProblem::kIndexOutOfRange:
        return "sample " + std::to_string(fault->index) + " is not a sample of the study's " +
               std::to_string(collection.store.samples);
      case BatchProblem::kStoredDifferently:
        return "sample " + std::to_string(fault->index) +
               " came back twice with different results: the workers do not run the same build";
    }
  }
  if (batch.fault && (!collection.fault || batch.fault->index < collection.fault->index))
    collection.fault = batch.fault;
  return std::nullopt;
}

std::string missing_samples(const StudyCollection& collection) {
  const ResultStore& store = collection.store;
  if (complete(store)) return "";
  std::int64_t first = 0;
  while (store.stored[static_cast<std::size_t>(first)]) ++first;
  return std::to_string(store.samples - store.stored_count) + " of the study's " +
         std::to_string(store.samples) + " samples are missing, sample " + std::to_string(first) +
         " the first";
}

Tree study_tree(const StudySetup& setup, const StudyCollection& collection) {
  const site::Project& project = setup.base;
  const site::Study& study = setup.study;
  const ResultStore& store = collection.store;
  const std::vector<std::vector<double>> inputs = parameter_columns(setup.plan);
  const auto points = static_cast<std::int64_t>(project.points.size());

  Tree out = Tree::object();
  out["schema_version"] = site::kSchemaVersion;
  out["units"] = std::string(name_of(site::kUnitNames, project.units));
  out["time_unit"] = std::string(name_of(site::kTimeUnitNames, project.time_unit));
  out["method"] = std::string(name_of(site::kSamplingMethodNames, study.method));
  out["seed"] = study.seed;
  out["samples"] = store.samples;
  if (study.settlement_limit) out["settlement_limit"] = *study.settlement_limit;
  if (study.distortion_limit) out["distortion_limit"] = *study.distortion_limit;

  Tree point_rows = Tree::array();
  std::int64_t largest = 0;
  double largest_mean = -std::numeric_limits<double>::infinity();
  for (std::int64_t j = 0; j < points; ++j) {
    const site::Point& point = project.points[static_cast<std::size_t>(j)];
    const std::span<const double> settlement = quantity_values(store, j);
    Tree row = Tree::object();
    row["name"] = report::shown_name(point.name, static_cast<std::size_t>(j));
    row["x"] = point.x;
    row["y"] = point.y;
    put_summary(row, settlement);
    if (row["mean"].get<double>() > largest_mean) {
      largest_mean = row["mean"].get<double>();
      largest = j;
    }
    if (study.settlement_limit) row["p_exceed"] = share_above(settlement, *study.settlement_limit);
    row["variance_shares"] = shares_tree(setup, inputs, settlement);
    if (setup.with_time) {
      std::vector<double> reached;
      for (const double t : quantity_values(store, points + j))
        if (std::isfinite(t)) reached.push_back(t);
      Tree t90 = Tree::object();
      if (!reached.empty()) put_summary(t90, reached);
      t90["reached"] = static_cast<double>(reached.size()) / static_cast<double>(store.samples);
      row["t90"] = std::move(t90);
    }
    point_rows.push_back(std::move(row));
  }

  Tree pair_rows = Tree::array();
  const double scale = settlement_per_length(project.units);
  for (const PointPair& pair : setup.pairs) {
    const auto a = quantity_values(store, static_cast<std::int64_t>(pair.a));
    const auto b = quantity_values(store, static_cast<std::int64_t>(pair.b));
    std::vector<double> distortion(a.size());
    for (std::size_t i = 0; i < a.size(); ++i)
      distortion[i] = std::abs(a[i] - b[i]) / (pair.distance * scale);
    Tree row = Tree::object();
    row["a"] = point_rows[pair.a]["name"];
    row["b"] = point_rows[pair.b]["name"];
    row["distance"] = pair.distance;
    put_summary(row, distortion);
    if (study.distortion_limit) row["p_exceed"] = share_above(distortion, *study.distortion_limit);
    pair_rows.push_back(std::move(row));
  }

  out["points"] = std::move(point_rows);
  out["pairs"] = std::move(pair_rows);
  if (points > 0) {
    out["variance_shares"] = out["points"][static_cast<std::size_t>(largest)]["variance_shares"];
    out["variance_shares_of"] = out["points"][static_cast<std::size_t>(largest)]["name"];
  }
  return out;
}

}  // namespace study
