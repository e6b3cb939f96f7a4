// The points go to the threads one at a time, from a shared counter, so a
// thread slowed by other work on the machine simply takes fewer of them.
#include "analysis/point_workers.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <exception>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace analysis {
namespace {

// A count from SETTLE_THREADS, or 0 when it is unset or not a whole number from 1 up.
int forced_count() {
  const char* text = std::getenv("SETTLE_THREADS");
  if (text == nullptr || *text == '\0') return 0;
  char* end = nullptr;
  errno = 0;
  const long count = std::strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || count < 1 || count > INT_MAX) return 0;
  return static_cast<int>(count);
}

thread_local bool serial_points = false;

// The first exception raised by any call; later calls are then not started.
struct Failure {
  std::mutex lock;
  std::exception_ptr error;
  std::atomic<bool> raised{false};
};

void take_points(int point_count, PointCall call, const void* work, std::atomic<int>& next,
                 Failure& failure) {
  while (!failure.raised.load(std::memory_order_relaxed)) {
    const int point = next.fetch_add(1, std::memory_order_relaxed);
    if (point > point_count) return;
    try {
      call(work, point);
    } catch (...) {
      const std::lock_guard<std::mutex> guard(failure.lock);
      if (!failure.error) failure.error = std::current_exception();
      failure.raised.store(true, std::memory_order_relaxed);
    }
  }
}

}  // namespace

SerialPoints::SerialPoints() : was_serial_(serial_points) { serial_points = true; }
SerialPoints::~SerialPoints() { serial_points = was_serial_; }

int worker_count(int point_count) {
  if (serial_points) return 1;
  int count = forced_count();
  if (count == 0) count = static_cast<int>(std::thread::hardware_concurrency());
  return std::clamp(count, 1, std::max(point_count, 1));
}

void run_on_points(int point_count, PointCall call, const void* work) {
  const int workers = worker_count(point_count);
  if (workers == 1) {
    for (int point = 1; point <= point_count; ++point) call(work, point);
    return;
  }
  std::atomic<int> next{1};
  Failure failure;
  std::vector<std::thread> threads;
  threads.reserve(static_cast<std::size_t>(workers - 1));
  for (int t = 1; t < workers; ++t) {
    try {
      threads.emplace_back(take_points, point_count, call, work, std::ref(next), std::ref(failure));
    } catch (const std::system_error&) {
      break;  // no more threads to be had: the ones running share the points
    }
  }
  take_points(point_count, call, work, next, failure);
  for (std::thread& thread : threads) thread.join();
  if (failure.error) std::rethrow_exception(failure.error);
}

}  // namespace analysis
