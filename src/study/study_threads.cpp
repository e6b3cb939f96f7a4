// The threads of a study take batches by a shared counter and hand them to
// the collection under one lock; the collection orders them by index.
#include "study/study_threads.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace study {

std::int64_t batch_size_for(std::int64_t samples, unsigned threads) {
  const std::int64_t share = samples / (16 * static_cast<std::int64_t>(std::max(1u, threads)));
  return std::clamp<std::int64_t>(share, 1, 256);
}

StudyCollection run_on_threads(const StudySetup& setup, unsigned threads) {
  threads = std::max(1u, threads);
  StudyCollection collection = start_collection(setup);
  const std::int64_t samples = setup.plan.design.samples;
  const std::int64_t size = batch_size_for(samples, threads);
  std::atomic<std::int64_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex lock;
  std::exception_ptr failure;
  const auto work = [&] {
    try {
      while (!stop.load()) {
        const std::int64_t first = next.fetch_add(size);
        if (first >= samples) return;
        const Batch batch = run_batch(setup, first, std::min(size, samples - first));
        const std::lock_guard<std::mutex> hold(lock);
        collect(collection, batch);
        // No batch is taken after a fault; those taken before all start
        // earlier and run on, so the fault kept is the earliest, as in a
        // serial run.
        if (batch.fault) next.store(samples);
      }
    } catch (...) {
      const std::lock_guard<std::mutex> hold(lock);
      if (!failure) failure = std::current_exception();
      stop.store(true);
    }
  };
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
  return collection;
}

}  // namespace study
