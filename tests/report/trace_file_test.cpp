#include "report/trace_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

namespace report {
namespace {

std::string trace_of(const problem::ProblemData& problem) {
  std::ostringstream out;
  layout::RecordWriter trace(out, "\n", 7, "trace.txt");
  write_trace(trace, problem);
  return out.str();
}

TEST(TraceFile, ALineForEveryAreaAndPointAreaByArea) {
  auto problem = std::make_unique<problem::ProblemData>();
  problem->area_count = 2;
  problem->spread_area_count = 1;
  EXPECT_EQ(trace_of(*problem), "");  // no points
  problem->point_count = 2;
  EXPECT_EQ(trace_of(*problem),
            "     COMPUTING AREA  1 AT POINT  1\n"
            "     COMPUTING AREA  1 AT POINT  2\n"
            "     COMPUTING AREA  2 AT POINT  1\n"
            "     COMPUTING AREA  2 AT POINT  2\n"
            "     COMPUTING AREA  3 AT POINT  1\n"
            "     COMPUTING AREA  3 AT POINT  2\n");
  // A negative regular-area count leaves the spread areas before it out.
  problem->area_count = -1;
  problem->spread_area_count = 2;
  problem->point_count = 1;
  EXPECT_EQ(trace_of(*problem), "     COMPUTING AREA  1 AT POINT  1\n");
}

}  // namespace
}  // namespace report
