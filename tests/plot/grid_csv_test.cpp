#include "plot/grid_csv.h"

#include <gtest/gtest.h>

#include <sstream>

namespace plot {
namespace {

TEST(GridCsv, OneLinePerNodeRowByRowInShortestCoordinatesAndThreeDecimals) {
  analysis::PlanGrid grid;
  grid.x0 = -0.1;
  grid.y0 = 2.0;
  grid.spacing = 0.1;
  grid.columns = 2;
  grid.rows = 2;
  std::ostringstream out;
  write_grid_csv(out, grid, {1.2345f, 0.0005f, -0.0004f, 12345.6789f});
  // 2.0 + 0.1 held as a float is 2.1 to the fewest digits that read back.
  EXPECT_EQ(out.str(),
            "x,y,settlement\r\n"
            "-0.1,2,1.235\r\n"
            "0,2,0.001\r\n"
            "-0.1,2.1,0.000\r\n"
            "0,2.1,12345.679\r\n");
}

}  // namespace
}  // namespace plot
