// The modes of one drainage stretch worked out so far, with what the time
// solution needs of each: the mode's value at every sublayer centre, the
// projection of each load increment on it, and its weighted sum over each
// group of counted sublayers. Modes are added in order, as the times asked
// for need them.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "consolidation/stretch_modes.h"

namespace consolidation {

// A sublayer of the stretch: in layer `layer` of the stretch, its centre
// `centre` below that layer's top, its `thickness`; `settlement_per_stress`
// (its final settlement over its final Δσ) counts in group `group`, or in none.
struct TableSublayer {
  std::size_t layer = 0;
  double centre = 0.0;
  double thickness = 0.0;
  double settlement_per_stress = 0.0;
  std::size_t group = kNoGroup;
  static constexpr std::size_t kNoGroup = static_cast<std::size_t>(-1);
};

class ModeTable {
 public:
  // `stress_increase` holds each increment's Δσ of every sublayer of the
  // stretch, increment after increment. REQUIRES: stress_increase.size() ==
  // increment_count × sublayers.size(), every group below group_count.
  ModeTable(Stretch stretch, std::vector<TableSublayer> sublayers,
            std::vector<double> stress_increase, std::size_t increment_count,
            std::size_t group_count);

  std::size_t size() const { return decay_rates_.size(); }
  std::size_t sublayer_count() const { return sublayers_.size(); }

  // Works out the modes up to `count` (from the first).
  void extend_to(std::size_t count);

  // Mode n (from 0): its decay rate λ in 1 / time unit; its value at each
  // sublayer centre (the modes are orthonormal in Σ mv ∫ φ φ dz); the
  // projection Σ mv h Δσ φ̄ of increment `increment`, φ̄ the sublayer mean;
  // the sum Σ settlement_per_stress φ̄ over group `group`.
  double decay_rate(std::size_t n) const { return decay_rates_[n]; }
  std::span<const double> centre_values(std::size_t n) const;
  double projection(std::size_t n, std::size_t increment) const {
    return projections_[n * increment_count_ + increment];
  }
  double group_sum(std::size_t n, std::size_t group) const {
    return group_sums_[n * group_count_ + group];
  }

  // What the first `count` modes leave of increment `increment`'s initial
  // excess pore pressure, Σ mv ∫ u0² dz − Σ projection², never below 0.
  double remainder(std::size_t count, std::size_t increment) const;
  // Σ mv ∫ u0² dz of increment `increment`.
  double initial_norm2(std::size_t increment) const { return initial_norms_[increment]; }

 private:
  void add_mode();

  Stretch stretch_;
  std::vector<TableSublayer> sublayers_;
  std::vector<double> stress_increase_;
  std::size_t increment_count_;
  std::size_t group_count_;
  struct Spacing {
    bool new_layer = true;
    bool new_step = true;
    bool new_thickness = true;
  };
  std::vector<double> slowness_;   // 1 / √cv of each layer
  std::vector<Spacing> spacings_;  // of each sublayer from the one above
  std::vector<double> weights_;    // mv h of each sublayer
  std::vector<double> initial_norms_;
  std::vector<double> frequencies_;
  std::vector<double> decay_rates_;
  std::vector<double> centre_values_;              // mode after mode
  std::vector<double> projections_;                // mode after mode
  std::vector<double> projected_squares_;          // running sums, mode after mode
  std::vector<double> group_sums_;                 // mode after mode
  std::vector<double> shape_a_, shape_b_, means_;  // scratch
};

}  // namespace consolidation
