#include "report/auxiliary_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/profile_builder.h"
#include "support/record_lines.h"

namespace report {
namespace {

using Sink = testing_support::RecordSink;
using testing_support::at;

TEST(AuxiliaryFile, AreaHeaderIsLdsAndFreeFormCount) {
  const struct {
    int line;
    std::int32_t last_area;
    std::string count;
  } cases[] = {
      {__LINE__, 0, "           0"},
      {__LINE__, 136, "         136"},
      {__LINE__, 140, "         140"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Sink aux;
    write_area_header(aux.writer, c.last_area);
    EXPECT_EQ(aux.lines(), (std::vector<std::string>{"LDS", c.count}));
  }
}

TEST(AuxiliaryFile, AreaRecordsIdentifierThenValues) {
  auto problem = std::make_unique<problem::ProblemData>();
  problem->area_count = 2;
  auto& area = problem->areas[2];
  area.area_id.chars = {'C', 'I', 'R', '9'};
  area.shape = 2;
  area.x = -1234.5f;
  area.y = 0.125f;
  area.x_length = 100000.0f;  // too wide for F7.2
  area.y_length = 8.0f;
  area.area_slope = -0.25f;
  area.loading = 250.0f;
  area.elevation = 3.5f;
  Sink aux;
  write_area_records(aux.writer, *problem, 2);
  // " 2" shape in columns 2-4, then x 7-15, y 16-24, x length 25-31,
  // y length 32-39, slope 40-46, four blanks, loading 51-57, elevation 58-65.
  EXPECT_EQ(aux.lines(),
            (std::vector<std::string>{
                "CIR9", "   2   -1234.50     0.13*******    8.00 -0.250    250.000    3.50"}));
}

TEST(AuxiliaryFile, PointRecordsTagThePositionNotTheNumber) {
  auto problem = std::make_unique<problem::ProblemData>();
  auto results = testing_support::zero_results(100);
  problem->point_count = 100;
  for (int j = 1; j <= 100; ++j) problem->points[j].point_number = 7;
  problem->points[99].x = 1.5f;
  problem->points[99].y = 123.45f;
  results->total_settlement[99] = 12345678.0f;
  problem->points[100].x = 0.5f;
  problem->points[100].y = -1.5f;
  results->total_settlement[100] = 0.05f;
  Sink aux;
  write_point_records(aux.writer, *problem, *results, 99, 100);
  // A position beyond two digits overflows the tag's I2 field.
  EXPECT_EQ(aux.lines(), (std::vector<std::string>{
                             "# 99",
                             "   1.500000    "
                             "   123.4500    "
                             "  1.2345678E+07",
                             "#100",
                             "  0.5000000    "
                             "  -1.500000    "
                             "  5.0000001E-02",
                         }));
}

TEST(AuxiliaryFile, PointCountAndEndMark) {
  Sink aux;
  write_point_count(aux.writer, 0);
  write_end_mark(aux.writer);
  EXPECT_EQ(aux.lines(), (std::vector<std::string>{"           0", "END"}));
}

}  // namespace
}  // namespace report
