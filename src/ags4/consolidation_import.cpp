// The AGS4 import's steps: the file's records, its specimens, their curves.
#include "ags4/consolidation_import.h"

#include <utility>

#include "ags4/ags4_file.h"
#include "ags4/consolidation_tests.h"

namespace ags4 {

ConsolidationImport import_consolidation_curves(std::istream& in, std::string_view file_label,
                                                TimeUnit time_unit) {
  ConsolidationImport result;
  FileReading file = read_file(in);
  if (file.error) {
    result.error = std::move(file.error);
    return result;
  }
  SpecimenReading specimens = collect_specimens(file.file);
  result.warnings = std::move(specimens.warnings);
  if (specimens.error) {
    result.error = std::move(specimens.error);
    return result;
  }
  result.curves = specimen_curves(specimens.specimens, file_label, time_unit);
  return result;
}

}  // namespace ags4
