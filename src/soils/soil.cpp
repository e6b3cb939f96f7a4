// A soil's behaviour, from its model: every call goes to the model's own
// function, so a model without one does not compile.
#include "soils/soil.h"

#include "soils/check_text.h"

namespace soils {

StrainChange strain_change(const Soil& soil, double initial, double final) {
  return std::visit(
      [&](const auto& model) { return strain_change(model, soil.e0, initial, final); }, soil.model);
}

bool is_logarithmic(const Soil& soil) {
  return std::visit([](const auto& model) { return is_logarithmic(model); }, soil.model);
}

double tangent_compressibility(const Soil& soil, double initial) {
  return std::visit(
      [&](const auto& model) { return tangent_compressibility(model, soil.e0, initial); },
      soil.model);
}

double preconsolidation_pressure(const Soil& soil, double initial) {
  if (const auto* index = std::get_if<IndexSoil>(&soil.model))
    return preconsolidation(*index, initial);
  return initial;
}

std::vector<site::Diagnostic> check_soil(const Soil& soil, bool archived) {
  std::vector<site::Diagnostic> out =
      std::visit([&](const auto& model) { return check_model(model, archived); }, soil.model);
  if (soil.c_alpha && !soil.e0)
    out.push_back(key_error("c_alpha",
                            "needs the soil's e0: secondary compression is "
                            "c_alpha / (1 + e0) per log cycle of time"));
  return out;
}

}  // namespace soils
