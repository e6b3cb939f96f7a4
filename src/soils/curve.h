// A soil given by its strain-log p curve, as the archived file holds it.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "site/diagnostic.h"
#include "site/fields.h"
#include "soils/strain_change.h"

namespace soils {

// Points (strain, pressure) with pressures increasing; between points the
// strain is linear in log10 of the pressure.
struct Curve {
  static constexpr std::string_view kModel = "curve";
  std::vector<double> strain;    // percent, from the specimen's original height
  std::vector<double> pressure;  // pressure units, each > 0
};

// The strain from the effective stress `initial` to `final`; `e0` is the
// soil's initial void ratio where it gives one.
// REQUIRES: initial > 0, and final > 0 where the model is logarithmic.
StrainChange strain_change(const Curve& model, std::optional<double> e0, double initial,
                           double final);

// True when the strain follows the logarithm of the stress, so that a final
// effective stress must stay above 0.
bool is_logarithmic(const Curve& model);

// The tangent compressibility d(strain)/d(sigma') at `initial`, strain per
// pressure unit. REQUIRES: initial > 0.
double tangent_compressibility(const Curve& model, std::optional<double> e0, double initial);

// What is wrong with the model's values, each naming its key in the soil's table.
// Pressures that do not rise are an error, or a warning where `archived` (the
// classic method, which reads such a curve as the archived program does).
std::vector<site::Diagnostic> check_model(const Curve& model, bool archived = false);

// The model's fields of the soil's table, in its order.
template <typename Visitor, site::RecordOf<Curve> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("strain", r.strain);
  v.field("pressure", r.pressure);
}

}  // namespace soils
