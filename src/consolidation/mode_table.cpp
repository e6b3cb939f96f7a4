// The table of modes of a stretch. A mode is A cos βζ + B sin βζ in each
// layer; its sublayer mean is its centre value times sin(βh/2) / (βh/2), so
// one pass down the sublayers gives both. Within a layer the centres are
// evenly spaced, and the cosine and sine at the next centre come from the last
// by one rotation through β times the spacing.
#include "consolidation/mode_table.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace consolidation {
namespace {

// sin x / x, exact to rounding for small x too.
double sinc(double x) {
  if (std::fabs(x) < 1e-4) return 1.0 - x * x / 6.0;
  return std::sin(x) / x;
}

bool nearly_equal(double a, double b) { return std::fabs(a - b) <= 1e-12 * std::fabs(b); }

}  // namespace

ModeTable::ModeTable(Stretch stretch, std::vector<TableSublayer> sublayers,
                     std::vector<double> stress_increase, std::size_t increment_count,
                     std::size_t group_count)
    : stretch_(std::move(stretch)),
      sublayers_(std::move(sublayers)),
      stress_increase_(std::move(stress_increase)),
      increment_count_(increment_count),
      group_count_(group_count),
      initial_norms_(increment_count, 0.0),
      shape_a_(stretch_.layers.size()),
      shape_b_(stretch_.layers.size()),
      means_(sublayers_.size()) {
  assert(stress_increase_.size() == increment_count_ * sublayers_.size());
  const std::size_t count = sublayers_.size();
  for (const StretchLayer& layer : stretch_.layers) slowness_.push_back(1.0 / std::sqrt(layer.cv));
  // Where a new rotation starts: at each layer's first sublayer, and where the
  // spacing of the centres or the thickness changes.
  spacings_.resize(count);
  for (std::size_t j = 0; j < count; ++j) {
    const TableSublayer& sublayer = sublayers_[j];
    weights_.push_back(stretch_.layers[sublayer.layer].mv * sublayer.thickness);
    Spacing& spacing = spacings_[j];
    spacing.new_layer = j == 0 || sublayers_[j - 1].layer != sublayer.layer;
    spacing.new_thickness =
        spacing.new_layer || !nearly_equal(sublayer.thickness, sublayers_[j - 1].thickness);
    spacing.new_step =
        !spacing.new_layer && (spacings_[j - 1].new_layer ||
                               !nearly_equal(sublayer.centre - sublayers_[j - 1].centre,
                                             sublayers_[j - 1].centre - sublayers_[j - 2].centre));
  }
  for (std::size_t k = 0; k < increment_count_; ++k) {
    for (std::size_t j = 0; j < count; ++j) {
      const double stress = stress_increase_[k * count + j];
      initial_norms_[k] += weights_[j] * stress * stress;
    }
  }
}

std::span<const double> ModeTable::centre_values(std::size_t n) const {
  return {centre_values_.data() + n * sublayers_.size(), sublayers_.size()};
}

double ModeTable::remainder(std::size_t count, std::size_t increment) const {
  const double projected =
      count == 0 ? 0.0 : projected_squares_[(count - 1) * increment_count_ + increment];
  return std::max(0.0, initial_norms_[increment] - projected);
}

void ModeTable::extend_to(std::size_t count) {
  while (size() < count) add_mode();
}

void ModeTable::add_mode() {
  const double previous = frequencies_.empty() ? 0.0 : frequencies_.back();
  const double omega = mode_frequency(stretch_, frequencies_.size() + 1, previous);
  frequencies_.push_back(omega);
  decay_rates_.push_back(omega * omega);
  mode_shape(stretch_, omega, shape_a_, shape_b_);

  // Step 1: the centre values and the sublayer means, layer by layer.
  const std::size_t count = sublayers_.size();
  const std::size_t row = centre_values_.size();
  centre_values_.resize(row + count);
  double cos_centre = 1.0, sin_centre = 0.0;  // at the last centre
  double cos_step = 1.0, sin_step = 0.0;      // of the rotation to the next
  double beta = 0.0, mean_factor = 1.0;
  for (std::size_t j = 0; j < count; ++j) {
    const TableSublayer& sublayer = sublayers_[j];
    const Spacing& spacing = spacings_[j];
    if (spacing.new_layer) {
      beta = omega * slowness_[sublayer.layer];
      cos_centre = std::cos(beta * sublayer.centre);
      sin_centre = std::sin(beta * sublayer.centre);
    } else {
      if (spacing.new_step) {
        const double step = sublayer.centre - sublayers_[j - 1].centre;
        cos_step = std::cos(beta * step);
        sin_step = std::sin(beta * step);
      }
      const double rotated_cos = cos_centre * cos_step - sin_centre * sin_step;
      sin_centre = sin_centre * cos_step + cos_centre * sin_step;
      cos_centre = rotated_cos;
    }
    if (spacing.new_thickness) mean_factor = sinc(beta * sublayer.thickness / 2.0);
    const double value =
        shape_a_[sublayer.layer] * cos_centre + shape_b_[sublayer.layer] * sin_centre;
    centre_values_[row + j] = value;
    means_[j] = value * mean_factor;
  }

  // Step 2: the projections of the increments and their running squares.
  const std::size_t first = projections_.size();
  projections_.resize(first + increment_count_, 0.0);
  projected_squares_.resize(first + increment_count_, 0.0);
  for (std::size_t k = 0; k < increment_count_; ++k) {
    const double* stress = stress_increase_.data() + k * count;
    double projection = 0.0;
    for (std::size_t j = 0; j < count; ++j) {
      projection += weights_[j] * stress[j] * means_[j];
    }
    projections_[first + k] = projection;
    const double before = first == 0 ? 0.0 : projected_squares_[first - increment_count_ + k];
    projected_squares_[first + k] = before + projection * projection;
  }

  // Step 3: the groups' weighted sums of the means.
  const std::size_t group_row = group_sums_.size();
  group_sums_.resize(group_row + group_count_, 0.0);
  for (std::size_t j = 0; j < count; ++j) {
    const TableSublayer& sublayer = sublayers_[j];
    if (sublayer.group == TableSublayer::kNoGroup) continue;
    group_sums_[group_row + sublayer.group] += sublayer.settlement_per_stress * means_[j];
  }
}

}  // namespace consolidation
