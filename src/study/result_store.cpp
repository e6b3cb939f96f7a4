// The store keeps every value by its sample's index and computes nothing:
// statistics read whole columns in sample order afterwards, so no sum ever
// depends on the order in which batches came back.
#include "study/result_store.h"

#include <bit>
#include <cassert>
#include <cstddef>

namespace study {

ResultStore make_result_store(std::int64_t samples, std::int64_t quantities) {
  assert(samples >= 1 && quantities >= 0);
  const auto n = static_cast<std::size_t>(samples);
  return {samples, quantities, std::vector<double>(n * static_cast<std::size_t>(quantities), 0.0),
          std::vector<bool>(n, false), 0};
}

std::optional<BatchFault> add_batch(ResultStore& store, std::span<const std::int64_t> indices,
                                    std::span<const double> values) {
  const auto quantities = static_cast<std::size_t>(store.quantities);
  if (values.size() != indices.size() * quantities) {
    return BatchFault{BatchProblem::kWrongLength, static_cast<std::int64_t>(values.size())};
  }
  for (const std::int64_t index : indices) {
    if (index < 0 || index >= store.samples)
      return BatchFault{BatchProblem::kIndexOutOfRange, index};
  }
  const auto n = static_cast<std::size_t>(store.samples);
  for (std::size_t j = 0; j < indices.size(); ++j) {
    const auto i = static_cast<std::size_t>(indices[j]);
    const double* given = values.data() + j * quantities;
    if (store.stored[i]) {
      for (std::size_t q = 0; q < quantities; ++q) {
        if (std::bit_cast<std::uint64_t>(store.values[q * n + i]) !=
            std::bit_cast<std::uint64_t>(given[q])) {
          return BatchFault{BatchProblem::kStoredDifferently, indices[j]};
        }
      }
      continue;
    }
    for (std::size_t q = 0; q < quantities; ++q) store.values[q * n + i] = given[q];
    store.stored[i] = true;
    ++store.stored_count;
  }
  return std::nullopt;
}

bool complete(const ResultStore& store) { return store.stored_count == store.samples; }

std::span<const double> quantity_values(const ResultStore& store, std::int64_t quantity) {
  assert(complete(store) && quantity >= 0 && quantity < store.quantities);
  const auto n = static_cast<std::size_t>(store.samples);
  return {store.values.data() + static_cast<std::size_t>(quantity) * n, n};
}

}  // namespace study
