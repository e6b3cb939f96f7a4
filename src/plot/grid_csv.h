// The settlement grid as a CSV file for spreadsheets and GIS.
#pragma once

#include <ostream>
#include <vector>

#include "analysis/settlement_grid.h"

namespace plot {

// A header line "x,y,settlement", then one line per node, row by row from the
// lowest y up and each row from the lowest x: the node's coordinates in the
// fewest digits that read back to the same single-precision values, and its
// settlement with the three decimals of Table 7's totals. Lines end with CR LF,
// as the program's other files do.
void write_grid_csv(std::ostream& out, const analysis::PlanGrid& grid,
                    const std::vector<float>& totals);

}  // namespace plot
