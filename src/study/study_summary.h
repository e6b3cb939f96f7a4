// A study's results gathered from batches in any order and grouping, and
// their statistics in the keys of PROJECT.study.json. Every figure is computed
// from whole columns in sample order, so it is the serial run's, bit for bit.
#pragma once

#include <optional>
#include <string>

#include "site/value_tree.h"
#include "study/result_store.h"
#include "study/study_run.h"

namespace study {

struct StudyCollection {
  ResultStore store;
  std::optional<SampleFault> fault;  // the earliest sample that stopped a batch
};

StudyCollection start_collection(const StudySetup& setup);

// Stores the batch's samples and keeps its fault when it is the earliest so
// far. Returns what is wrong with a batch that does not fit the study (an
// index outside it, a length that does not fit, a sample given before with
// other bits); nothing is stored then.
std::optional<std::string> collect(StudyCollection& collection, const Batch& batch);

// The samples neither stored nor stopped on, as a text for a message: ""
// when the collection is complete.
std::string missing_samples(const StudyCollection& collection);

// The study's statistics (see docs/studies.md):
//   schema_version, units, time_unit, method, seed, samples, the limits;
//   points: name, x, y, mean, sd, p05, p50, p95, p_exceed (with a
//     settlement limit), variance_shares, and with time t90 (the same
//     figures over the samples that reach it, and `reached`, their share);
//   pairs: a, b, distance, and the angular distortion |s_a - s_b| / distance
//     (settlement and distance in one unit): mean, sd, p05, p50, p95,
//     p_exceed (with a distortion limit);
//   variance_shares (and variance_shares_of): those of the point whose mean
//     settlement is the largest.
// REQUIRES: no fault and the collection complete.
site::Tree study_tree(const StudySetup& setup, const StudyCollection& collection);

}  // namespace study
