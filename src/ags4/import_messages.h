// The texts of the AGS4 reader's errors and warnings, one line each, for the
// import command to print.
#pragma once

#include <string>

#include "ags4/import_issue.h"

namespace ags4 {

// "hole BH1, sample 3 (U) at 4.50 m, id S-0031, specimen 1 at 4.55 m": the
// parts of the key the file gives.
std::string specimen_text(const SpecimenKey& key);

// "line 12: ..." (no line where the fault is the whole file's).
std::string error_text(const Error& error);

// "line 7: ...".
std::string warning_text(const Warning& warning);

}  // namespace ags4
