// The soil of constant compressibility: strain in proportion to the change
// of effective stress.
#include "soils/modulus.h"

#include "soils/check_text.h"

namespace soils {
namespace {

double compressibility(const Modulus& model) {
  return model.mv ? *model.mv : 1.0 / *model.constrained_modulus;
}

}  // namespace

StrainChange strain_change(const Modulus& model, std::optional<double>, double initial,
                           double final) {
  StrainChange change;
  change.strain = compressibility(model) * (final - initial);
  return change;
}

bool is_logarithmic(const Modulus&) { return false; }

double tangent_compressibility(const Modulus& model, std::optional<double>, double) {
  return compressibility(model);
}

std::vector<site::Diagnostic> check_model(const Modulus& model, bool) {
  // A negative mv would make the soil swell under load.
  if (model.mv && *model.mv < 0.0)
    return {key_error("mv", value_text(*model.mv) + " is negative; expected 0 or more")};
  if (model.mv.has_value() != model.constrained_modulus.has_value()) return {};
  return {key_error(model.mv ? "constrained_modulus" : "mv",
                    std::string(model.mv ? "and mv are both given" : "is missing") +
                        ": exactly one of mv and constrained_modulus gives the "
                        "compressibility")};
}

}  // namespace soils
