// A specimen's loading increments as a strain-log p curve. The strain is
// measured from the specimen's original height, as the project's curve soils
// take it; the height of the solids hs stays through the test:
//
//   h0 = hs (1 + e0),  h = hs (1 + e)   so   ε = (h0 − h) / h0 = (e0 − e) / (1 + e0)
#include "ags4/oedometer_curve.h"

#include <charconv>
#include <map>
#include <set>
#include <utility>

#include "ags4/import_messages.h"

namespace ags4 {
namespace {

std::string shortest(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

bool key_character(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

std::string bare(std::string_view text) {
  std::string key(text);
  for (char& c : key) {
    if (!key_character(c)) c = '_';
  }
  return key;
}

}  // namespace

double cv_in(double m2_per_year, TimeUnit unit) {
  switch (unit) {
    case TimeUnit::kDay:
      return m2_per_year / kDaysPerYear;
    case TimeUnit::kMonth:
      return m2_per_year / kMonthsPerYear;
    case TimeUnit::kYear:
      return m2_per_year;
  }
  return m2_per_year;
}

std::string base_name(const SpecimenKey& key) {
  // A reference already carrying the type ("U3" of type "U") keeps it once.
  std::string sample =
      key.samp_ref.starts_with(key.samp_type) ? key.samp_ref : key.samp_type + key.samp_ref;
  if (key.samp_ref.empty()) sample = key.samp_id;
  const std::string depth = key.samp_top.empty() ? key.spec_dpth : key.samp_top;
  std::string name = bare(key.loca_id);
  for (const std::string& part : {sample, depth}) {
    if (!part.empty()) name += "-" + bare(part);
  }
  return name;
}

SpecimenCurve specimen_curve(const Specimen& specimen, std::string_view file_label,
                             TimeUnit time_unit) {
  SpecimenCurve curve;
  curve.name = base_name(specimen.key);
  curve.key = specimen.key;
  const double e0 = specimen.initial_void_ratio;
  const Increment* cv_from = nullptr;
  for (const Increment& increment : specimen.increments) {
    if (!increment.loading) continue;
    curve.strain.push_back((e0 - *increment.void_ratio) / (1.0 + e0) * 100.0);
    curve.pressure.push_back(increment.stress);
    if (increment.cv) cv_from = &increment;
  }
  if (cv_from) curve.cv = cv_in(*cv_from->cv, time_unit);

  // Step 1: the file and the specimen; step 2: what the curve was made of.
  curve.source = "AGS4 file " + std::string(file_label) + ": " + specimen_text(specimen.key);
  if (!specimen.test_type.empty()) curve.source += ", test type " + specimen.test_type;
  curve.source += "; e0 " + shortest(e0);
  curve.source +=
      specimen.initial_void_ratio_from == InitialVoidRatio::kCong
          ? " (CONG_IVR)"
          : " (CONS_IVR of increment " + std::to_string(specimen.increments.front().number) + ")";
  curve.source += "; loading increments " + std::to_string(curve.pressure.size()) + " of " +
                  std::to_string(specimen.increments.size());
  if (cv_from) {
    const bool root = cv_from->cv_method == CvMethod::kRootTime;
    curve.source += "; cv " + shortest(*cv_from->cv) + " m2/yr by " +
                    (root ? "root time" : "log time") + " at " + shortest(cv_from->stress) +
                    " kPa (increment " + std::to_string(cv_from->number) + ")";
  }
  return curve;
}

std::vector<SpecimenCurve> specimen_curves(const std::vector<Specimen>& specimens,
                                           std::string_view file_label, TimeUnit time_unit) {
  std::vector<SpecimenCurve> curves;
  std::map<std::string, int> base_count;
  for (const Specimen& specimen : specimens) {
    curves.push_back(specimen_curve(specimen, file_label, time_unit));
    ++base_count[curves.back().name];
  }
  for (SpecimenCurve& curve : curves) {
    if (base_count[curve.name] > 1 && !curve.key.spec_ref.empty()) {
      curve.name += "-" + bare(curve.key.spec_ref);
    }
  }
  std::set<std::string> taken;
  for (SpecimenCurve& curve : curves) {
    std::string name = curve.name;
    for (int suffix = 2; taken.contains(name); ++suffix) {
      name = curve.name + "-" + std::to_string(suffix);
    }
    curve.name = std::move(name);
    taken.insert(curve.name);
  }
  return curves;
}

}  // namespace ags4
