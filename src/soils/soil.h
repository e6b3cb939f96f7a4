// A soil of the site: its compressibility model, one type per model, and what
// any soil may carry besides.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "site/diagnostic.h"
#include "site/fields.h"
#include "soils/curve.h"
#include "soils/index_soil.h"
#include "soils/modulus.h"
#include "soils/slope.h"
#include "soils/strain_change.h"

namespace soils {

using Model = std::variant<Curve, Slope, IndexSoil, Modulus>;

struct Soil {
  std::string name;  // the key it is given under
  Model model;
  std::optional<double> e0;       // initial void ratio; required by index soils and c_alpha
  std::optional<double> cv;       // coefficient of consolidation, length^2 per time unit
  std::optional<double> c_alpha;  // secondary compression index (void-ratio form)
  bool free_draining = false;     // consolidates at once
  std::optional<std::string> source;
  std::optional<int> number;  // the archived curve number, for a round trip
};

// The model's strain, log character and tangent compressibility for `soil`.
StrainChange strain_change(const Soil& soil, double initial, double final);
bool is_logarithmic(const Soil& soil);
double tangent_compressibility(const Soil& soil, double initial);

// The preconsolidation pressure an index soil takes at `initial` (sigma'p
// never below sigma'0); `initial` for every other model.
double preconsolidation_pressure(const Soil& soil, double initial);

// What is wrong with the soil's values, each naming its key (relative to the
// soil's table): errors and warnings.
// `archived`: the classic method, which takes what the archived program
// takes, with a warning.
std::vector<site::Diagnostic> check_soil(const Soil& soil, bool archived = false);

// The fields any soil's table may hold besides its model's.
template <typename Visitor, site::RecordOf<Soil> Record>
void visit_common_fields(Visitor& v, Record& r) {
  v.field("e0", r.e0);
  v.field("cv", r.cv);
  v.field("c_alpha", r.c_alpha);
  v.field("free_draining", r.free_draining, false);
  v.field("source", r.source);
  v.field("number", r.number);
}

}  // namespace soils
