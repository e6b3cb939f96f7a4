#include "analysis/point_workers.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

// Sets SETTLE_THREADS for the life of the object, or clears it for nullptr.
// Windows has no empty environment variable: there "" clears it too, which
// the program takes the same way (one thread per core).
class ThreadSetting {
 public:
  explicit ThreadSetting(const char* value) { set(value); }
  ~ThreadSetting() { set(nullptr); }

 private:
  static void set(const char* value) {
#ifdef _WIN32
    _putenv_s("SETTLE_THREADS", value == nullptr ? "" : value);
#else
    if (value == nullptr) {
      unsetenv("SETTLE_THREADS");
    } else {
      setenv("SETTLE_THREADS", value, 1);
    }
#endif
  }
};

int cores() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

TEST(WorkerCount, FollowsTheSettingWithinThePointCount) {
  struct Case {
    int line;
    const char* setting;
    int points;
    int expected;  // 0: one per core, up to the points
  };
  const Case cases[] = {
      {__LINE__, "1", 150, 1},
      {__LINE__, "3", 150, 3},
      {__LINE__, "8", 5, 5},
      {__LINE__, "4", 0, 1},
      {__LINE__, nullptr, 150, 0},
      {__LINE__, "", 150, 0},
      {__LINE__, "0", 150, 0},
      {__LINE__, "-2", 150, 0},
      {__LINE__, "2x", 150, 0},
      {__LINE__, "many", 150, 0},
      {__LINE__, "99999999999999999999", 150, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "line " << c.line);
    const ThreadSetting setting(c.setting);
    const int expected = c.expected != 0 ? c.expected : std::min(cores(), c.points);
    EXPECT_EQ(analysis::worker_count(c.points), expected);
  }
}

TEST(ForEachPoint, CallsEveryPointOnce) {
  for (const char* threads : {"1", "2", "5"}) {
    SCOPED_TRACE(threads);
    const ThreadSetting setting(threads);
    std::array<std::atomic<int>, 151> calls{};
    analysis::for_each_point(150, [&](int point) { calls[static_cast<std::size_t>(point)]++; });
    EXPECT_EQ(calls[0].load(), 0);
    for (std::size_t point = 1; point <= 150; ++point) EXPECT_EQ(calls[point].load(), 1) << point;
  }
}

TEST(ForEachPoint, NoPointsNoCall) {
  const ThreadSetting setting("4");
  int calls = 0;
  analysis::for_each_point(0, [&](int) { ++calls; });
  EXPECT_EQ(calls, 0);
}

TEST(ForEachPoint, ExceptionOfAWorkerReachesTheCaller) {
  for (const char* threads : {"1", "3"}) {
    SCOPED_TRACE(threads);
    const ThreadSetting setting(threads);
    EXPECT_THROW(analysis::for_each_point(40,
                                          [](int point) {
                                            if (point == 17) throw std::runtime_error("point 17");
                                          }),
                 std::runtime_error);
  }
}

}  // namespace
