// Writing a problem as a problem data file: the records the reader reads,
// in its order, with values whose reading gives the stored values back.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "problem/problem_data.h"

namespace problem {

// A stored value that no problem file can give, and why. `table` names the
// table it stands in ("layers", "curves", "points", "areas") with the
// entry's `position` (from 1), or is empty for a control value; `field` is
// the data model's name of the value ("unit_weight", "strain"), with the
// `index` of a value in a table of its own (from 1; 0 for none).
struct UnwritableValue {
  std::string table;
  int position = 0;
  std::string field;
  int index = 0;
  std::string reason;
};

// "layers[2].unit_weight: <reason>", "curves[1].strain[3]: <reason>".
std::string describe(const UnwritableValue& value);

// Writes `problem` to `out` as a problem data file, lines ending CR LF, whose
// reading gives every stored field back bit for bit: reals in the fewest
// digits that read back to the same single-precision value; strains and
// slopes in the percent, and S.I. unit weights in the kN/m3, whose
// conversion gives the stored value; texts in their full fixed columns.
// What the reader derives (the unit factors, the start sublayers, the
// sublayers, and a spread area's shape, depth reference and blank
// identifier) is not written. Returns the first value that no file can give
// (a NaN, a converted value that no value read converts to, a text holding
// a line feed, a table fuller than its capacity), having written nothing.
std::optional<UnwritableValue> write_problem(std::ostream& out, const ProblemData& problem);

}  // namespace problem
