// The grid's CSV file.
#include "plot/grid_csv.h"

#include <string>

#include "layout/decimal_text.h"
#include "plot/page_text.h"

namespace plot {

void write_grid_csv(std::ostream& out, const analysis::PlanGrid& grid,
                    const std::vector<float>& totals) {
  out << "x,y,settlement\r\n";
  for (int j = 0; j < grid.rows; ++j) {
    const std::string y = layout::shortest_text(grid.y(j));
    for (int i = 0; i < grid.columns; ++i) {
      const float total =
          totals[static_cast<std::size_t>(j) * static_cast<std::size_t>(grid.columns) +
                 static_cast<std::size_t>(i)];
      out << layout::shortest_text(grid.x(i)) << ',' << y << ',' << settlement_text(total)
          << "\r\n";
    }
  }
}

}  // namespace plot
