// What a soil model gives for a sublayer: its strain from one effective
// stress to another, with what the engineer should hear about it.
#pragma once

namespace soils {

struct StrainChange {
  double strain = 0.0;                   // a fraction, compression positive, heave negative
  bool unloads_on_loading = false;       // a curve or slope soil unloading: no unload branch
  bool below_curve = false;              // a curve read below its first point
  bool above_curve = false;              // a curve read above its last point (extended)
  bool preconsolidation_raised = false;  // an index soil's sigma'p below sigma'0, raised to it
  double preconsolidation = 0.0;         // an index soil's sigma'p (pressure units), else 0
};

}  // namespace soils
