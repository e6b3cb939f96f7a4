#include "study/result_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <future>
#include <mutex>
#include <numeric>
#include <vector>

#include "study/design_checks.h"
#include "study/result_statistics.h"
#include "study/sample_plan.h"
#include "study/variance_shares.h"

namespace study {
namespace {

// Two results per sample from the sample's values, as an analysis would give.
std::vector<double> results_of(const std::vector<double>& v) {
  return {v[0] * 1000.0 / (1.0 + v[1]), v[0] * v[2] - v[1]};
}

bool same_bits(double x, double y) {
  return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
}

void expect_same_bits(const Summary& a, const Summary& b) {
  EXPECT_TRUE(same_bits(a.mean, b.mean));
  EXPECT_TRUE(same_bits(a.sd, b.sd));
  EXPECT_TRUE(same_bits(a.p05, b.p05));
  EXPECT_TRUE(same_bits(a.p50, b.p50));
  EXPECT_TRUE(same_bits(a.p95, b.p95));
}

// Batches of several sizes, handed out in a shuffled order to workers that
// each prepare their own plan, some batches delivered twice: the statistics
// and variance shares have the serial run's bits.
TEST(ResultStore, BatchesInAnyOrderGiveTheSerialStatistics) {
  Design d;
  d.samples = 3001;
  d.seed = 99;
  d.parameters = {{"cc", Lognormal{0.3, 0.3}}, {"e0", Normal{1.1, 0.1}}, {"q", Uniform{80, 120}}};
  d.correlations = {{"cc", "e0", 0.5}};
  ASSERT_TRUE(check_design(d).empty());
  const SamplePlan plan = prepare_samples(d);

  ResultStore serial = make_result_store(d.samples, 2);
  for (std::int64_t i = 0; i < d.samples; ++i) {
    const std::int64_t index[] = {i};
    ASSERT_FALSE(add_batch(serial, index, results_of(values_of_sample(plan, i))));
  }

  for (const std::int64_t batch_size : {1, 7, 250, 3001}) {
    SCOPED_TRACE(batch_size);
    std::vector<std::vector<std::int64_t>> batches;
    for (std::int64_t first = 0; first < d.samples; first += batch_size) {
      batches.emplace_back();
      for (std::int64_t i = first; i < std::min(first + batch_size, d.samples); ++i) {
        batches.back().push_back(i);
      }
    }
    std::reverse(batches.begin(), batches.end());
    for (std::size_t b = 0; b + 3 < batches.size(); b += 3) std::swap(batches[b], batches[b + 2]);
    if (batches.size() > 1) batches.push_back(batches[batches.size() / 2]);  // a task run twice

    ResultStore gathered = make_result_store(d.samples, 2);
    std::mutex store_mutex;
    std::vector<std::future<void>> workers;
    for (std::size_t w = 0; w < 2; ++w) {
      workers.push_back(std::async(std::launch::async, [&, w] {
        const SamplePlan own = prepare_samples(d);
        for (std::size_t b = w; b < batches.size(); b += 2) {
          std::vector<double> values;
          for (const std::int64_t i : batches[b]) {
            for (const double r : results_of(values_of_sample(own, i))) values.push_back(r);
          }
          const std::lock_guard<std::mutex> lock(store_mutex);
          EXPECT_FALSE(add_batch(gathered, batches[b], values));
        }
      }));
    }
    for (auto& worker : workers) worker.get();
    ASSERT_TRUE(complete(gathered));
    const auto inputs = parameter_columns(plan);
    for (std::int64_t q = 0; q < 2; ++q) {
      expect_same_bits(summary_of(quantity_values(gathered, q)),
                       summary_of(quantity_values(serial, q)));
      const auto found = variance_shares(inputs, quantity_values(gathered, q));
      const auto expected = variance_shares(inputs, quantity_values(serial, q));
      for (std::size_t k = 0; k < found.size(); ++k) EXPECT_TRUE(same_bits(found[k], expected[k]));
    }
  }
}

TEST(ResultStore, RejectsBatchesThatDoNotFit) {
  ResultStore store = make_result_store(4, 2);
  const std::int64_t two[] = {0, 1};
  const double three[] = {1, 2, 3};
  auto fault = add_batch(store, two, three);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->problem, BatchProblem::kWrongLength);

  const std::int64_t outside[] = {2, 4};
  const double four[] = {1, 2, 3, 4};
  fault = add_batch(store, outside, four);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->problem, BatchProblem::kIndexOutOfRange);
  EXPECT_EQ(fault->index, 4);
  EXPECT_EQ(store.stored_count, 0);  // nothing of a rejected batch is kept

  EXPECT_FALSE(add_batch(store, two, four));
  EXPECT_FALSE(add_batch(store, two, four));  // the same bits again
  const double other[] = {1, 2, 3, 4.5};
  fault = add_batch(store, two, other);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->problem, BatchProblem::kStoredDifferently);
  EXPECT_EQ(fault->index, 1);
  EXPECT_FALSE(complete(store));
}

}  // namespace
}  // namespace study
