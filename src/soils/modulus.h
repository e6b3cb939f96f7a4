// A soil given by a constant compressibility.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "site/diagnostic.h"
#include "site/fields.h"
#include "soils/strain_change.h"

namespace soils {

// Exactly one of the two: mv in strain per pressure unit, or the constrained
// modulus M = 1 / mv in pressure units.
struct Modulus {
  static constexpr std::string_view kModel = "modulus";
  std::optional<double> mv;
  std::optional<double> constrained_modulus;
};

// The strain from the effective stress `initial` to `final`; `e0` is the
// soil's initial void ratio where it gives one.
// REQUIRES: initial > 0, and final > 0 where the model is logarithmic.
StrainChange strain_change(const Modulus& model, std::optional<double> e0, double initial,
                           double final);

// True when the strain follows the logarithm of the stress, so that a final
// effective stress must stay above 0.
bool is_logarithmic(const Modulus& model);

// The tangent compressibility d(strain)/d(sigma') at `initial`, strain per
// pressure unit. REQUIRES: initial > 0.
double tangent_compressibility(const Modulus& model, std::optional<double> e0, double initial);

// What is wrong with the model's values, each naming its key in the soil's table.
std::vector<site::Diagnostic> check_model(const Modulus& model, bool archived = false);

// The model's fields of the soil's table, in its order.
template <typename Visitor, site::RecordOf<Modulus> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("mv", r.mv);
  v.field("constrained_modulus", r.constrained_modulus);
}

}  // namespace soils
