// A study's samples: each a copy of the project with the sample's values set
// at their places, checked as a project file is and analysed by the one run
// sequence of a project.
#include "study/study_run.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "analysis/point_workers.h"
#include "run/project_analysis.h"
#include "site/project_checks.h"

namespace study {
namespace {

std::string text_of(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.10g", value);
  return buffer;
}

SampleFault fault_of(const StudySetup& setup, std::int64_t index, const std::vector<double>& values,
                     site::Diagnostic diagnostic) {
  std::string drawn;
  for (std::size_t k = 0; k < values.size(); ++k)
    drawn += (k == 0 ? "" : ", ") + setup.study.parameters[k].target + " = " + text_of(values[k]);
  diagnostic.message =
      "sample " + std::to_string(index) + " of the study (" + drawn + "): " + diagnostic.message;
  diagnostic.line = 0;
  return {index, std::move(diagnostic)};
}

const site::Diagnostic& first_error(const std::vector<site::Diagnostic>& diagnostics) {
  for (const site::Diagnostic& d : diagnostics)
    if (d.severity == site::Severity::kError) return d;
  return diagnostics.front();
}

}  // namespace

std::vector<PointPair> neighbouring_points(const std::vector<site::Point>& points) {
  std::vector<PointPair> pairs;
  for (std::size_t i = 0; i < points.size(); ++i) {
    std::optional<std::size_t> nearest;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t j = 0; j < points.size(); ++j) {
      if (j == i) continue;
      const double d = std::hypot(points[j].x - points[i].x, points[j].y - points[i].y);
      if (d > 0.0 && d < best) {
        best = d;
        nearest = j;
      }
    }
    if (!nearest) continue;
    PointPair pair{std::min(i, *nearest), std::max(i, *nearest), best};
    bool known = false;
    for (const PointPair& p : pairs) known = known || (p.a == pair.a && p.b == pair.b);
    if (!known) pairs.push_back(pair);
  }
  std::sort(pairs.begin(), pairs.end(), [](const PointPair& l, const PointPair& r) {
    return l.a != r.a ? l.a < r.a : l.b < r.b;
  });
  return pairs;
}

PreparedStudy prepare_study(const site::Project& project) {
  PreparedStudy out;
  if (!project.study) {
    out.diagnostics.push_back({site::Severity::kError, "study",
                               "the project has no [study] table: a study needs its samples, "
                               "seed and uncertain values",
                               0});
    return out;
  }
  ProjectDesign design = project_design(project);
  if (site::has_errors(design.diagnostics)) {
    out.diagnostics = std::move(design.diagnostics);
    return out;
  }
  StudySetup setup;
  setup.base = project;
  setup.base.study.reset();
  setup.study = *project.study;
  setup.places = std::move(design.places);
  setup.plan = prepare_samples(design.design);
  setup.with_time = project.consolidation.has_value();
  setup.pairs = neighbouring_points(project.points);
  out.setup = std::move(setup);
  return out;
}

std::int64_t results_per_sample(const StudySetup& setup) {
  const auto points = static_cast<std::int64_t>(setup.base.points.size());
  return setup.with_time ? 2 * points : points;
}

Batch run_batch(const StudySetup& setup, std::int64_t first, std::int64_t count) {
  // The samples are what is shared over the cores; each is analysed on
  // the thread that runs its batch.
  const analysis::SerialPoints serial;
  Batch batch;
  const std::size_t points = setup.base.points.size();
  batch.indices.reserve(static_cast<std::size_t>(count));
  batch.values.reserve(static_cast<std::size_t>(count * results_per_sample(setup)));
  std::vector<double> values(setup.places.size());
  for (std::int64_t index = first; index < first + count; ++index) {
    values_of_sample(setup.plan, index, values);
    project::ProjectReading reading;
    reading.project = setup.base;
    for (std::size_t k = 0; k < values.size(); ++k)
      number_at(reading.project, setup.places[k]) = values[k];
    reading.diagnostics = site::check_project(reading.project);
    if (!reading.ok()) {
      batch.fault = fault_of(setup, index, values, first_error(reading.diagnostics));
      return batch;
    }
    const run::ProjectAnalysis analysis = run::analyse_project(std::move(reading));
    if (analysis.stopped()) {
      batch.fault = fault_of(setup, index, values, first_error(analysis.diagnostics));
      return batch;
    }
    batch.indices.push_back(index);
    for (std::size_t j = 0; j < points; ++j)
      batch.values.push_back(analysis.results->points[j].settlement);
    if (setup.with_time) {
      for (std::size_t j = 0; j < points; ++j) {
        const auto& time = analysis.results->points[j].time;
        batch.values.push_back(time && time->t90 ? *time->t90
                                                 : std::numeric_limits<double>::quiet_NaN());
      }
    }
  }
  return batch;
}

}  // namespace study
