// The time solution under one settlement point: the excess pore pressure of
// every sublayer and the primary settlement of every layer at any time, from
// the exact modes of each drainage stretch of the column, the load increments
// superposed, each ramp by Duhamel's integral, and vertical drains by
// Carrillo's rule. Prepared once per point; modes are added as the times asked
// for need them, so the evaluating calls are not const.
#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "consolidation/column.h"
#include "consolidation/layer_flow.h"
#include "consolidation/mode_factors.h"
#include "consolidation/mode_table.h"

namespace consolidation {

// The state of the column at one time.
struct ColumnState {
  std::vector<double> layer_primary;         // of each layer's counted sublayers, mm or inches
  std::vector<double> excess_pore_pressure;  // at each sublayer centre, top down (if asked)
  // A bound on the error of the primary settlement that the modes left out
  // can cause, as a share of the final primary (of the whole settlement
  // where that is 0): 1e-5 or less unless the time lies so close after a
  // load's start that the most modes kept are not enough.
  double error_bound = 0.0;
};

class TimeSolution {
 public:
  // REQUIRES: check_column(column, ...) found nothing.
  explicit TimeSolution(const Column& column);

  std::size_t layer_count() const { return layers_.size(); }
  const std::vector<LayerFlow>& layer_flows() const { return flows_; }
  // The modes worked out so far, of all stretches together.
  std::size_t mode_count() const;

  // The final primary settlement of the counted sublayers of the point, and of
  // one layer; mm or inches.
  double final_primary() const;
  double final_layer_primary(std::size_t layer) const { return layers_[layer].final_primary; }

  // The state at time `time` (>= 0): the layers' primary settlements, with the
  // excess pore pressures if `with_pore_pressures`. The modes kept hold the
  // settlement to `accuracy` of `scale` (mm or inches; 0: the final primary).
  ColumnState state_at(double time, bool with_pore_pressures, double scale = 0.0,
                       double accuracy = 1e-5);

  // The times at which a load starts or ends its ramp and the drains'
  // installation (where they act), increasing.
  std::vector<double> schedule_times() const;

  // A time beyond which the primary settlement of the point (or of `layer`)
  // stays within 1e-6 of its final value, relative to that value.
  double settled_time(std::optional<std::size_t> layer = std::nullopt);

 private:
  struct SublayerTerms {
    std::size_t layer = 0;
    double settlement_per_stress = 0.0;  // final settlement over final Δσ
    bool counted = false;
    std::size_t stretch = kNone;  // kNone: free-draining
  };
  struct LayerTerms {
    bool consolidating = false;
    double final_primary = 0.0;
    std::vector<double> applied_settlement;  // Σ counted c Δσ of each increment
  };
  struct Group {
    std::size_t layer = 0;
    std::size_t radial_class = 0;
  };
  struct StretchTerms {
    explicit StretchTerms(ModeTable table) : modes(std::move(table)) {}
    ModeTable modes;
    std::vector<Group> groups;
    std::vector<double> radial_rates;  // of each class; class 0 (no drains) rate 0
    std::vector<std::size_t> class_of_sublayer;
    std::vector<std::size_t> layers;  // the column's layers in the stretch
    std::size_t first_sublayer = 0;   // in the column
    double group_norm = 0.0;          // ‖c / (mv h)‖ of the counted sublayers
    std::vector<double> class_norms;  // ‖c / (mv h)‖² of each class's counted sublayers
    // What the modes so far leave of them, ‖g‖² − Σ G_n², and of all classes'.
    std::vector<double> class_left;
    double whole_left = 0.0;
    // By the count of modes: Σ over the classes of the root of what is left,
    // and the root of what is left of all classes'.
    std::vector<double> left_by_class;
    std::vector<double> left_whole;
  };
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  static void extend(StretchTerms& stretch, std::size_t count);
  // The settlement the modes after the first `count` can add, over √R (see the
  // .cpp): `bound` on their factors, `radial` on the factors' drop by drains.
  static double settlement_left(const StretchTerms& stretch, std::size_t count, double bound,
                                double radial);
  std::size_t modes_needed(StretchTerms& stretch, std::size_t increment, double time,
                           double tolerance, bool with_pore_pressures, double& error);
  void add_modes(StretchTerms& stretch, double time, bool with_pore_pressures, double tolerance,
                 ColumnState& state);

  std::vector<LayerFlow> flows_;
  std::vector<LoadSchedule> schedules_;  // one per increment of equal schedule
  std::vector<double> stress_increase_;  // of each such increment, sublayer after sublayer
  std::vector<SublayerTerms> sublayers_;
  std::vector<LayerTerms> layers_;
  std::vector<StretchTerms> stretches_;
  std::optional<double> installed_;  // where drains act
  double whole_settlement_ = 0.0;    // Σ |c Δσ| over counted sublayers and increments
};

}  // namespace consolidation
