// The oedometer specimens of an AGS4 file: from its CONG rows (one per
// specimen) and CONS rows (one per stress increment), each specimen's initial
// void ratio and its increments, loading ones marked.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ags4/ags4_file.h"
#include "ags4/import_issue.h"

namespace ags4 {

// How an increment's coefficient of consolidation was found.
enum class CvMethod { kRootTime, kLogTime };  // CONS_CVRT, CONS_CVLG

struct Increment {
  int number = 0;                          // CONS_INCN
  double stress = 0.0;                     // CONS_INCF: at the end of the increment, kPa
  std::optional<double> void_ratio;        // CONS_INCE: at its end; always given when loading
  std::optional<double> start_void_ratio;  // CONS_IVR: at its start, where given
  std::optional<double> cv;                // m2/yr: CONS_CVRT, else CONS_CVLG, where given
  CvMethod cv_method = CvMethod::kRootTime;
  // Its stress exceeds every stress before it in the specimen's sequence
  // (not an unloading or reloading increment).
  bool loading = false;
  int line = 0;  // of its CONS row
};

// Where the initial void ratio was found.
enum class InitialVoidRatio { kCong, kFirstIncrement };  // CONG_IVR, CONS_IVR

struct Specimen {
  SpecimenKey key;
  std::string test_type;  // CONG_TYPE, empty where not given
  double initial_void_ratio = 0.0;
  InitialVoidRatio initial_void_ratio_from = InitialVoidRatio::kCong;
  int initial_void_ratio_line = 0;
  int cong_line = 0;                  // its CONG row; 0 where it has none
  std::vector<Increment> increments;  // all of them, in the order of CONS_INCN
};

// The specimens of a file that give a curve (two loading increments or
// more), in the order their first row stands in it; or the first fault found.
struct SpecimenReading {
  std::vector<Specimen> specimens;
  // In this order: the headings of CONG and CONS the reader does not know,
  // then by specimen those left out for too few loading increments and the
  // loading increments whose void ratio rises.
  std::vector<Warning> warnings;
  std::optional<Error> error;
};

// Collects the specimens of the CONG and CONS groups of `file`: keys, void
// ratios, stresses (kPa, as CONS_INCF gives them) and cv (m2/yr). The units
// the reader relies on must be the file's: kPa for CONS_INCF, m2/yr for
// CONS_CVRT and CONS_CVLG, m for SAMP_TOP and SPEC_DPTH. Numbers that do not
// parse, a loading increment's stress, void ratio or cv not above 0, and an
// initial void ratio not above 0 are errors. A specimen with fewer than two
// loading increments is a warning and left out; none left is an error.
SpecimenReading collect_specimens(const File& file);

// The loading increments of `specimen`, in order.
std::vector<Increment> loading_increments(const Specimen& specimen);

}  // namespace ags4
