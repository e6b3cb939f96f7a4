// The index soil: recompression below its preconsolidation pressure,
// virgin compression above it, and the recompression index back on unloading.
#include "soils/index_soil.h"

#include <algorithm>
#include <cmath>

#include "soils/check_text.h"

namespace soils {

double preconsolidation(const IndexSoil& model, double initial, bool* raised) {
  double sp = initial;
  if (model.sigma_p) sp = *model.sigma_p;
  if (model.ocr) sp = *model.ocr * initial;
  if (model.pop) sp = initial + *model.pop;
  if (raised != nullptr) *raised = sp < initial;
  return std::max(sp, initial);
}

StrainChange strain_change(const IndexSoil& model, std::optional<double> e0, double initial,
                           double final) {
  StrainChange change;
  const double sp = preconsolidation(model, initial, &change.preconsolidation_raised);
  change.preconsolidation = sp;
  const double one_plus_e0 = 1.0 + e0.value_or(0.0);
  if (final >= initial) {
    change.strain = (model.cr * std::log10(std::min(final, sp) / initial) +
                     model.cc * std::log10(std::max(final, sp) / sp)) /
                    one_plus_e0;
  } else {
    change.strain = model.cr * std::log10(final / initial) / one_plus_e0;
  }
  return change;
}

bool is_logarithmic(const IndexSoil&) { return true; }

double tangent_compressibility(const IndexSoil& model, std::optional<double> e0, double initial) {
  const double index = initial < preconsolidation(model, initial) ? model.cr : model.cc;
  return index / (initial * std::log(10.0)) / (1.0 + e0.value_or(0.0));
}

std::vector<site::Diagnostic> check_model(const IndexSoil& model, bool) {
  std::vector<site::Diagnostic> out;
  const int given = (model.sigma_p ? 1 : 0) + (model.ocr ? 1 : 0) + (model.pop ? 1 : 0);
  if (given == 0) {
    out.push_back(key_error("sigma_p",
                            "is missing: exactly one of sigma_p, ocr and pop gives "
                            "the preconsolidation pressure"));
  } else if (given > 1) {
    std::string both;
    for (const auto& [key, value] :
         {std::pair{"sigma_p", model.sigma_p}, {"ocr", model.ocr}, {"pop", model.pop}})
      if (value) both += (both.empty() ? "" : " and ") + std::string(key);
    out.push_back(key_error(model.pop ? "pop" : "ocr",
                            both + " are given; exactly one of sigma_p, ocr and pop gives the "
                                   "preconsolidation pressure"));
  }
  // A negative index would make the soil swell under load.
  for (const auto& [key, value] : {std::pair{"cc", model.cc}, {"cr", model.cr}})
    if (value < 0.0)
      out.push_back(
          key_error(key, value_text(value) + " is negative; a compression index is 0 or more"));
  if (model.cr > model.cc)
    out.push_back(key_warning("cr", value_text(model.cr) + " is greater than cc (" +
                                        value_text(model.cc) +
                                        "); a recompression index is usually a fraction of cc"));
  if (model.ocr && *model.ocr < 1.0)
    out.push_back(key_warning("ocr", value_text(*model.ocr) +
                                         " is below 1; the soil is taken as normally "
                                         "consolidated"));
  if (model.pop && *model.pop < 0.0)
    out.push_back(key_warning("pop", value_text(*model.pop) +
                                         " is negative; the soil is taken as normally "
                                         "consolidated"));
  return out;
}

}  // namespace soils
