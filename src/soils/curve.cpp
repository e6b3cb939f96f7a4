// The strain-log p curve: read off between its points, and checked.
#include "soils/curve.h"

#include <cmath>

#include "soils/check_text.h"

namespace soils {
namespace {

// The curve's strain at `p` (a fraction): linear in log10 p between points,
// the first strain below the first point, the last segment extended above
// the last point; with the segment's slope per log cycle.
struct CurveReading {
  double strain;
  bool below;
  bool above;
  double slope_per_log;
};

CurveReading read_curve(const Curve& curve, double p) {
  const std::vector<double>& ps = curve.pressure;
  const std::vector<double>& es = curve.strain;
  if (p <= ps.front()) return {es.front() / kPercent, p < ps.front(), false, 0.0};
  std::size_t m = 1;
  while (m < ps.size() - 1 && p > ps[m]) ++m;
  const double slope = (es[m] - es[m - 1]) / kPercent / std::log10(ps[m] / ps[m - 1]);
  return {es[m - 1] / kPercent + slope * std::log10(p / ps[m - 1]), false, p > ps.back(), slope};
}

}  // namespace

StrainChange strain_change(const Curve& model, std::optional<double>, double initial,
                           double final) {
  const CurveReading start = read_curve(model, initial);
  const CurveReading end = read_curve(model, final);
  StrainChange change;
  // The curve's strains are measured from the specimen's original height; the
  // sublayer already stands compressed by the strain at its initial stress.
  change.strain = (end.strain - start.strain) / (1.0 - start.strain);
  change.below_curve = start.below || end.below;
  change.above_curve = start.above || end.above;
  change.unloads_on_loading = final < initial;
  return change;
}

bool is_logarithmic(const Curve&) { return true; }

double tangent_compressibility(const Curve& model, std::optional<double>, double initial) {
  const CurveReading at = read_curve(model, initial);
  return at.slope_per_log / (initial * std::log(10.0)) / (1.0 - at.strain);
}

std::vector<site::Diagnostic> check_model(const Curve& model, bool archived) {
  std::vector<site::Diagnostic> out;
  const auto at = [](const char* key, std::size_t j) {
    return std::string(key) + "[" + std::to_string(j + 1) + "]";
  };
  if (model.strain.size() != model.pressure.size()) {
    out.push_back(key_error("pressure", "holds " + std::to_string(model.pressure.size()) +
                                            " pressures for " +
                                            std::to_string(model.strain.size()) +
                                            " strains; expected one pressure for each strain"));
    return out;
  }
  for (std::size_t j = 0; j < model.pressure.size(); ++j) {
    if (!(model.pressure[j] > 0.0)) {
      out.push_back(key_error(at("pressure", j), value_text(model.pressure[j]) +
                                                     " is not above 0; a curve's "
                                                     "pressures are"));
      return out;
    }
  }
  for (std::size_t j = 1; j < model.pressure.size(); ++j) {
    if (model.pressure[j] > model.pressure[j - 1]) continue;
    const std::string text = value_text(model.pressure[j]) +
                             " does not rise from the pressure before (" +
                             value_text(model.pressure[j - 1]) + "); pressures must increase";
    if (!archived) return {key_error(at("pressure", j), text)};
    out.push_back(
        key_warning(at("pressure", j), text + " (read as the archived program reads it)"));
    break;
  }
  for (std::size_t j = 0; j < model.strain.size(); ++j) {
    if (!(model.strain[j] < kPercent)) {
      out.push_back(key_error(at("strain", j), value_text(model.strain[j]) +
                                                   " % is a strain of 100 % or more; no soil "
                                                   "compresses so far"));
      return out;
    }
  }
  for (std::size_t j = 1; j < model.strain.size(); ++j) {
    if (model.strain[j] < model.strain[j - 1]) {
      out.push_back(key_warning(
          at("strain", j), value_text(model.strain[j]) + " % falls from the strain before (" +
                               value_text(model.strain[j - 1]) + " %) while the pressure rises"));
      break;
    }
  }
  return out;
}

}  // namespace soils
