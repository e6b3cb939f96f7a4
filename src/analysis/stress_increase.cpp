// The stress increase below a plan point, load by load, and its average over
// each sublayer. Single precision throughout, step by step.
#include "analysis/stress_increase.h"

namespace analysis {

void stress_increase_at(const ClassicProfile& profile, float x, float y,
                        IndexedVector<float>& row) {
  row.resize(profile.depth_count());
  for (float& value : row) value = 0.0f;
  // The loads in the project's order, so that the sums are the same wherever
  // and in whatever order the points are worked on.
  for (const loads::ClassicLoad& load : profile.loads)
    loads::add_classic_stress(load, x, y, profile.stress_depths.values(), row.values());
}

void average_over_sublayers(const ClassicProfile& profile, const IndexedVector<float>& stress,
                            std::int32_t start_sublayer, IndexedVector<float>& average) {
  average.resize(profile.sublayer_count());
  for (int m = 1; m <= profile.sublayer_count(); ++m) {
    // Simpson's rule over the sublayer: top, centre and bottom.
    average[m] = m < start_sublayer
                     ? 0.0f
                     : (4.0f * stress[2 * m] + stress[2 * m - 1] + stress[2 * m + 1]) / 6.0f;
  }
}

}  // namespace analysis
