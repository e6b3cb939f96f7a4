// Settlement points worked on side by side: the results of one point depend
// on the shared problem alone, so the points are spread over the cores.
#pragma once

namespace analysis {

// The number of threads for `point_count` points: SETTLE_THREADS when it holds
// a whole number from 1 up, else one per core; at least 1, at most one a point;
// 1 where a SerialPoints lives on the calling thread.
int worker_count(int point_count);

// While one lives, the points of analyses on its thread run on that thread
// alone: for callers that share their own work over the cores already (the
// samples of a study), where a thread per point would only compete with them.
class SerialPoints {
 public:
  SerialPoints();
  ~SerialPoints();
  SerialPoints(const SerialPoints&) = delete;
  SerialPoints& operator=(const SerialPoints&) = delete;

 private:
  bool was_serial_;
};

// Calls `call(work, j)` once for every point j = 1..point_count, on up to
// worker_count(point_count) threads (1: on the calling thread alone), and
// returns when all calls are done. An exception from a call is rethrown here.
using PointCall = void (*)(const void* work, int point);
void run_on_points(int point_count, PointCall call, const void* work);

// As run_on_points, for any callable `work(int point)`.
template <typename Work>
void for_each_point(int point_count, const Work& work) {
  run_on_points(
      point_count,
      [](const void* context, int point) { (*static_cast<const Work*>(context))(point); }, &work);
}

}  // namespace analysis
