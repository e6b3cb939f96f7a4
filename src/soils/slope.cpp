// The single-slope soil: a straight line on strain against log10 p, or on
// strain against p.
#include "soils/slope.h"

#include <cmath>

#include "soils/check_text.h"

namespace soils {

StrainChange strain_change(const Slope& model, std::optional<double>, double initial,
                           double final) {
  StrainChange change;
  change.strain = model.slope >= 0.0 ? model.slope / kPercent * std::log10(final / initial)
                                     : -model.slope / kPercent * (final - initial);
  change.unloads_on_loading = final < initial;
  return change;
}

bool is_logarithmic(const Slope& model) { return model.slope >= 0.0; }

double tangent_compressibility(const Slope& model, std::optional<double>, double initial) {
  return model.slope >= 0.0 ? model.slope / kPercent / (initial * std::log(10.0))
                            : -model.slope / kPercent;
}

std::vector<site::Diagnostic> check_model(const Slope&, bool) { return {}; }

}  // namespace soils
