// A soil given by its compression indices, the void-ratio form of a
// laboratory's oedometer results.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "site/diagnostic.h"
#include "site/fields.h"
#include "soils/strain_change.h"

namespace soils {

// The preconsolidation pressure is given by exactly one of sigma_p, ocr or
// pop; e0 is the soil's own (Soil::e0).
struct IndexSoil {
  static constexpr std::string_view kModel = "index";
  double cc = 0.0;                // compression index
  double cr = 0.0;                // recompression (and swelling) index
  std::optional<double> sigma_p;  // preconsolidation pressure, constant in the layer
  std::optional<double> ocr;      // over-consolidation ratio sigma_p / sigma'0
  std::optional<double> pop;      // pre-overburden pressure sigma_p - sigma'0
};

// The strain from the effective stress `initial` to `final`; `e0` is the
// soil's initial void ratio where it gives one.
// REQUIRES: initial > 0, and final > 0 where the model is logarithmic.
StrainChange strain_change(const IndexSoil& model, std::optional<double> e0, double initial,
                           double final);

// True when the strain follows the logarithm of the stress, so that a final
// effective stress must stay above 0.
bool is_logarithmic(const IndexSoil& model);

// The tangent compressibility d(strain)/d(sigma') at `initial`, strain per
// pressure unit. REQUIRES: initial > 0.
double tangent_compressibility(const IndexSoil& model, std::optional<double> e0, double initial);

// What is wrong with the model's values, each naming its key in the soil's table.
std::vector<site::Diagnostic> check_model(const IndexSoil& model, bool archived = false);

// The preconsolidation pressure at the initial effective stress `initial`:
// sigma_p, ocr x initial or initial + pop, never below `initial`; `raised`
// tells that the value given was below it.
double preconsolidation(const IndexSoil& model, double initial, bool* raised = nullptr);

// The model's fields of the soil's table, in its order.
template <typename Visitor, site::RecordOf<IndexSoil> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("cc", r.cc);
  v.field("cr", r.cr);
  v.field("sigma_p", r.sigma_p);
  v.field("ocr", r.ocr);
  v.field("pop", r.pop);
}

}  // namespace soils
