// A soil given by a single slope: strain per tenfold pressure, or per unit of
// pressure.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "site/diagnostic.h"
#include "site/fields.h"
#include "soils/strain_change.h"

namespace soils {

// slope >= 0: percent strain per tenfold increase of pressure (a straight line
// on strain against log10 p); slope < 0: minus the percent strain per pressure
// unit (a straight line on strain against p).
struct Slope {
  static constexpr std::string_view kModel = "slope";
  double slope = 0.0;
};

// The strain from the effective stress `initial` to `final`; `e0` is the
// soil's initial void ratio where it gives one.
// REQUIRES: initial > 0, and final > 0 where the model is logarithmic.
StrainChange strain_change(const Slope& model, std::optional<double> e0, double initial,
                           double final);

// True when the strain follows the logarithm of the stress, so that a final
// effective stress must stay above 0.
bool is_logarithmic(const Slope& model);

// The tangent compressibility d(strain)/d(sigma') at `initial`, strain per
// pressure unit. REQUIRES: initial > 0.
double tangent_compressibility(const Slope& model, std::optional<double> e0, double initial);

// What is wrong with the model's values, each naming its key in the soil's table.
std::vector<site::Diagnostic> check_model(const Slope& model, bool archived = false);

// The model's fields of the soil's table, in its order.
template <typename Visitor, site::RecordOf<Slope> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("slope", r.slope);
}

}  // namespace soils
