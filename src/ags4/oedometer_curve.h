// The strain-log p curve of an oedometer specimen, as a project's `curve`
// soil takes it: its name, its points, its cv and where it came from.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ags4/consolidation_tests.h"
#include "ags4/import_issue.h"

namespace ags4 {

// The project's time unit, the unit of its cv (m2 per time unit).
enum class TimeUnit { kDay, kMonth, kYear };

// A year of 365.25 days; a month is a twelfth of a year.
constexpr double kDaysPerYear = 365.25;
constexpr double kMonthsPerYear = 12.0;

struct SpecimenCurve {
  // Hole, sample and depth ("BH1-U3-4_50"): only letters, digits, '-' and
  // '_', so a valid TOML bare key; unique among the curves of one file.
  std::string name;
  SpecimenKey key;
  std::vector<double> strain;    // percent of the original height, compression positive
  std::vector<double> pressure;  // effective stress, kPa, strictly increasing
  std::optional<double> cv;      // m2 per time unit, where the file gives one
  std::string source;            // the provenance, one line of text
};

// `m2_per_year` in m2 per `unit`.
double cv_in(double m2_per_year, TimeUnit unit);

// The name of a specimen before names are made unique: hole, sample (its
// type and reference: "U3"; else its identifier) and the sample's depth with
// '_' for the decimal point (else the specimen's), joined by '-'; every
// character other than a letter, digit, '-' or '_' becomes '_'.
std::string base_name(const SpecimenKey& key);

// The curve of one specimen, named by base_name: ε = (e0 − e) / (1 + e0) in
// percent at each loading increment's stress, and the cv of the last loading
// increment that gives one (root time before log time), in m2 per
// `time_unit`. `file_label` names the file in the provenance.
// REQUIRES: `specimen` as collect_specimens returns it (two loading
// increments or more, void ratios above 0).
SpecimenCurve specimen_curve(const Specimen& specimen, std::string_view file_label,
                             TimeUnit time_unit);

// The curves of the specimens of one file, in their order. Specimens whose
// base names coincide are told apart by their specimen reference
// ("BH1-U3-4_50-1", "BH1-U3-4_50-2"); should names still coincide, the later
// ones take "-2", "-3"...
std::vector<SpecimenCurve> specimen_curves(const std::vector<Specimen>& specimens,
                                           std::string_view file_label, TimeUnit time_unit);

}  // namespace ags4
