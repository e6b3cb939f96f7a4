// Reading an AGS4 file of oedometer results into curve soils: the one call
// the import command makes.
#pragma once

#include <istream>
#include <optional>
#include <string_view>
#include <vector>

#include "ags4/import_issue.h"
#include "ags4/oedometer_curve.h"

namespace ags4 {

// The curves of a file, what it warned of, and the first error, if any (then
// no curves, and the warnings found before it).
struct ConsolidationImport {
  std::vector<SpecimenCurve> curves;
  std::vector<Warning> warnings;
  std::optional<Error> error;
};

// Reads AGS4 text from `in` and forms a curve per specimen of its CONG and
// CONS groups: strain in percent against effective stress in kPa, cv in m2
// per `time_unit`. `file_label` names the file in each curve's `source`.
// Nothing is printed; import_messages gives the texts.
ConsolidationImport import_consolidation_curves(std::istream& in, std::string_view file_label,
                                                TimeUnit time_unit);

}  // namespace ags4
