// The samples of a project's study run: what a process prepares once (the
// design, the sample plan, the project without its study), and any range of
// sample indices analysed from it, so that threads, processes or machines can
// each take batches and the results are the same bits wherever they ran.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "site/diagnostic.h"
#include "site/project.h"
#include "study/project_design.h"
#include "study/sample_plan.h"

namespace study {

// Two neighbouring points, by position from 0 (a < b), and their distance in
// plan (length units).
struct PointPair {
  std::size_t a = 0;
  std::size_t b = 0;
  double distance = 0.0;
};

// The pairs of neighbouring points: each point with its nearest other point
// at a distance above 0 (of two at the same distance, the earlier), each
// pair once, in the order of (a, b). A point with no other point apart from
// it has no pair.
std::vector<PointPair> neighbouring_points(const std::vector<site::Point>& points);

struct StudySetup {
  site::Project base;  // the project as read, without its study
  site::Study study;
  std::vector<TargetPlace> places;  // of each parameter
  SamplePlan plan;
  bool with_time = false;  // a t90 per point besides its settlement
  std::vector<PointPair> pairs;
};

struct PreparedStudy {
  std::optional<StudySetup> setup;
  std::vector<site::Diagnostic> diagnostics;  // the errors that leave no setup
};

// The setup of a project's study. REQUIRES: the project was read and checked
// without errors. Without a [study] table, or with faults in it, no setup and
// the diagnostics.
PreparedStudy prepare_study(const site::Project& project);

// The results of a sample: the settlement of each point (mm or inches), then,
// with time, each point's t90 (time units; NaN where the point never reaches
// 90 % of its primary settlement).
std::int64_t results_per_sample(const StudySetup& setup);

// A sample whose project cannot be analysed (a value drawn that the checks
// refuse, a sublayer left without effective stress...): the study stops on it.
struct SampleFault {
  std::int64_t index = 0;
  site::Diagnostic diagnostic;  // the sample's values in its message
};

struct Batch {
  std::vector<std::int64_t> indices;  // in increasing order
  std::vector<double> values;         // results_per_sample values per index, sample by sample
  std::optional<SampleFault> fault;   // the batch ended at this sample, left out
};

// Samples first .. first + count - 1 analysed in order.
// REQUIRES: 0 <= first, count >= 0, first + count <= samples.
Batch run_batch(const StudySetup& setup, std::int64_t first, std::int64_t count);

}  // namespace study
