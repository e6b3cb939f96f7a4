// The results of a study's samples gathered by sample index from batches that
// arrive in any order and grouping, so that the statistics computed from it
// are the serial run's, bit for bit, whatever the executor.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace study {

// `quantities` results per sample (one per point, pair, time...).
struct ResultStore {
  std::int64_t samples = 0;
  std::int64_t quantities = 0;
  std::vector<double> values;  // quantity-major: quantity q of sample i at q * samples + i
  std::vector<bool> stored;    // by sample
  std::int64_t stored_count = 0;
};

// An empty store. REQUIRES: samples >= 1, quantities >= 0.
ResultStore make_result_store(std::int64_t samples, std::int64_t quantities);

enum class BatchProblem {
  kWrongLength,        // values.size() is not indices.size() * quantities
  kIndexOutOfRange,    // an index below 0 or not below the sample count
  kStoredDifferently,  // a sample already stored with other bits
};

struct BatchFault {
  BatchProblem problem = BatchProblem::kWrongLength;
  std::int64_t index = 0;  // the sample concerned (kWrongLength: the batch's length)
};

// Stores the batch: sample indices[j] with values[j * quantities + q] for
// each quantity q. A sample given again with the same bits (a task run
// twice) is accepted. The lengths and every index are checked before
// anything is stored; a sample stored differently stops the batch there.
std::optional<BatchFault> add_batch(ResultStore& store, std::span<const std::int64_t> indices,
                                    std::span<const double> values);

// Whether every sample is stored.
bool complete(const ResultStore& store);

// Quantity q of every sample, in sample order. REQUIRES: complete(store);
// 0 <= quantity < quantities.
std::span<const double> quantity_values(const ResultStore& store, std::int64_t quantity);

}  // namespace study
