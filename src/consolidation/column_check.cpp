// The checks of a column. Every comparison is written so that a NaN fails it.
#include "consolidation/column_check.h"

#include <vector>

#include "consolidation/drain_resistance.h"
#include "consolidation/layer_flow.h"

namespace consolidation {
namespace {

std::optional<ColumnFault> check_layers(const Column& column) {
  const std::vector<LayerFlow> flows = layer_flow(column);
  for (std::size_t l = 0; l < column.layers.size(); ++l) {
    const Layer& layer = column.layers[l];
    if (layer.free_draining) continue;
    if (!layer.cv) return CvMissing{l};
    if (!(*layer.cv > 0.0)) return CvNotPositive{l, *layer.cv};
    if (!(flows[l].mv > 0.0)) return CompressibilityNotPositive{l, layer.tangent_mv};
  }
  // A stretch of consolidating layers from the surface to the base between
  // two impermeable boundaries never drains.
  if (column.top == Boundary::kImpermeable && column.bottom == Boundary::kImpermeable &&
      !column.layers.empty()) {
    bool free_draining = false;
    for (const Layer& layer : column.layers) free_draining |= layer.free_draining;
    if (!free_draining) return NoDrainedBoundary{0, column.layers.size() - 1};
  }
  return std::nullopt;
}

std::optional<ColumnFault> check_times(std::span<const double> times) {
  for (std::size_t i = 0; i < times.size(); ++i) {
    if (!(times[i] >= 0.0)) return TimeNegative{i, times[i]};
    if (i > 0 && !(times[i] > times[i - 1])) return TimesNotIncreasing{i, times[i], times[i - 1]};
  }
  return std::nullopt;
}

std::optional<ColumnFault> check_increments(const Column& column) {
  for (std::size_t k = 0; k < column.increments.size(); ++k) {
    const Increment& increment = column.increments[k];
    if (!(increment.start >= 0.0)) return StartNegative{k, increment.start};
    if (!(increment.ramp >= 0.0)) return RampNegative{k, increment.ramp};
  }
  return std::nullopt;
}

std::optional<ColumnFault> check_drains(const Column& column) {
  if (!column.drains) return std::nullopt;
  const Drains& drains = *column.drains;
  const struct {
    DrainValue name;
    double value;
    bool fits;
  } kValues[] = {
      {DrainValue::kSpacing, drains.spacing, drains.spacing > 0.0},
      {DrainValue::kDiameter, drains.diameter, drains.diameter > 0.0},
      {DrainValue::kSmearRatio, drains.smear_ratio, drains.smear_ratio >= 1.0},
      {DrainValue::kKhOverKs, drains.kh_over_ks, drains.kh_over_ks > 0.0},
      {DrainValue::kChOverCv, drains.ch_over_cv, drains.ch_over_cv > 0.0},
      {DrainValue::kDischargeCapacity, drains.discharge_capacity.value_or(1.0),
       drains.discharge_capacity.value_or(1.0) > 0.0},
      {DrainValue::kBottom, drains.bottom, drains.bottom > 0.0},
      {DrainValue::kInstalled, drains.installed, drains.installed >= 0.0},
  };
  for (const auto& entry : kValues) {
    if (!entry.fits) return DrainValueOutOfRange{entry.name, entry.value};
  }
  const double column_bottom = column.layers.empty() || column.layers.back().sublayers.empty()
                                   ? 0.0
                                   : column.layers.back().sublayers.back().bottom;
  if (drains.bottom > column_bottom) return DrainsBelowColumn{drains.bottom, column_bottom};
  const double influence = influence_diameter(drains.pattern, drains.spacing);
  const double smear = drains.smear_ratio * drains.diameter;
  if (!(smear < influence)) return SmearBeyondInfluence{smear, influence};
  return std::nullopt;
}

}  // namespace

std::optional<ColumnFault> check_column(const Column& column, std::span<const double> times) {
  if (auto fault = check_layers(column)) return fault;
  if (auto fault = check_times(times)) return fault;
  if (auto fault = check_increments(column)) return fault;
  return check_drains(column);
}

}  // namespace consolidation
