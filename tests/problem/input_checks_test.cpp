#include "problem/input_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "layout/record_writer.h"
#include "problem/problem_data.h"
#include "support/record_lines.h"

namespace problem {
namespace {

using testing_support::lines_of;

// A profile with boundaries 0.0, 4.0 and 10.0.
std::unique_ptr<ProblemData> two_layers() {
  auto problem = std::make_unique<ProblemData>();
  problem->layer_count = 2;
  problem->boundary_depths[1] = 4.0f;
  problem->boundary_depths[2] = 10.0f;
  return problem;
}

void add_area(ProblemData& problem, std::string_view id, std::int32_t shape, float elevation) {
  const int a = ++problem.area_count;
  LoadedArea& area = problem.areas[a];
  for (std::size_t c = 0; c < id.size(); ++c) area.area_id.chars[c] = id[c];
  area.shape = shape;
  area.elevation = elevation;
  check_area(problem, a);
}

std::vector<std::string> error_report(const ProblemData& problem) {
  std::ostringstream out;
  layout::RecordWriter report(out, "\n", 6, "report.txt");
  write_data_error_report(report, problem);
  return lines_of(out.str());
}

TEST(AreaChecks, ListsWrongShapesAndElevationsOffTheBoundaries) {
  struct Case {
    int line;
    std::int32_t shape;
    float elevation;
    bool shape_error;
    bool boundary_error;
  };
  const Case cases[] = {
      {__LINE__, 1, 0.0f, false, false},
      {__LINE__, 2, 10.0f, false, false},
      {__LINE__, 1, -0.0f, false, false},  // the same value as the ground surface
      {__LINE__, 3, 4.0f, true, false},    // shape 3 belongs to spread areas only
      {__LINE__, 0, 4.0f, true, false},
      {__LINE__, 1, 5.0f, false, true},
      {__LINE__, 2, std::nextafter(4.0f, 5.0f), false, true},
      {__LINE__, 2, std::nextafter(10.0f, 0.0f), false, true},
      {__LINE__, -1, 7.0f, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    auto problem = two_layers();
    add_area(*problem, "X", c.shape, c.elevation);
    EXPECT_EQ(problem->shape_error_count, c.shape_error ? 1 : 0);
    EXPECT_EQ(problem->boundary_error_count, c.boundary_error ? 1 : 0);
    EXPECT_EQ(has_data_errors(*problem), c.shape_error || c.boundary_error);
  }
}

TEST(AreaChecks, OnlyTheGroundSurfaceWithoutLayersAndNothingWithANegativeCount) {
  auto problem = std::make_unique<ProblemData>();
  add_area(*problem, "A", 1, 0.0f);
  EXPECT_EQ(problem->boundary_error_count, 0);
  problem->layer_count = -1;
  add_area(*problem, "B", 1, 0.0f);
  ASSERT_EQ(problem->boundary_error_count, 1);
  EXPECT_EQ(problem->boundary_error_list[1], 2);
}

TEST(DataErrorReport, ShapeListComesBeforeBoundaryList) {
  auto problem = two_layers();
  add_area(*problem, "A1", 1, 0.0f);
  add_area(*problem, "B22", 4, 3.0f);
  add_area(*problem, "C333", 1, 4.5f);
  const std::vector<std::string> expected = {
      "", "", "", "",
      "            THE SHAPE IS INCORRECT FOR THESE LOADED AREAS:",
      "",
      "          B22 ",
      "", "", "", "",
      "            THE FOLLOWING LOADED AREAS ARE NOT AT A LAYER 'BOUNDARY;",
      "",
      "          B22   C333",
      "1",
  };
  EXPECT_EQ(error_report(*problem), expected);
}

TEST(DataErrorReport, BoundaryErrorsAlone) {
  auto problem = two_layers();
  add_area(*problem, "P", 2, 9.99f);
  const std::vector<std::string> expected = {
      "", "", "", "",
      "            THE FOLLOWING LOADED AREAS ARE NOT AT A LAYER 'BOUNDARY;",
      "",
      "          P   ",
      "1",
  };
  EXPECT_EQ(error_report(*problem), expected);
}

TEST(DataErrorReport, EleventhIdentifierStartsANewLineAtColumnOne) {
  auto problem = two_layers();
  const char* ids[] = {"S1", "S2", "S3", "S4", "S5", "S6", "S7", "S8", "S9", "S10", "S11"};
  for (const char* id : ids) add_area(*problem, id, 3, 0.0f);
  const std::vector<std::string> expected = {
      "", "", "", "",
      "            THE SHAPE IS INCORRECT FOR THESE LOADED AREAS:",
      "",
      "          S1    S2    S3    S4    S5    S6    S7    S8    S9    S10 ",
      "S11 ",
      "1",
  };
  EXPECT_EQ(error_report(*problem), expected);
}

TEST(DataErrorReport, ListsEveryOneOfAFullTableOfFaultyAreas) {
  auto problem = std::make_unique<ProblemData>();
  for (int a = 1; a <= kMaxAreas; ++a) add_area(*problem, "Z", 5, 1.0f);
  EXPECT_EQ(problem->shape_error_count, kMaxAreas);
  EXPECT_EQ(problem->boundary_error_count, kMaxAreas);
  // Two blocks of six heading lines and fifteen identifier lines, then "1".
  EXPECT_EQ(error_report(*problem).size(), 2u * (6 + 15) + 1);
}

}  // namespace
}  // namespace problem
