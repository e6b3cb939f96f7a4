#include "report/input_faults.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "support/record_lines.h"

namespace report {
namespace {

using testing_support::lines_of;

problem::ListedArea listed(int position, std::string_view id) {
  problem::ListedArea area;
  area.position = position;
  testing_support::set_text(area.area_id, id);
  return area;
}

std::vector<std::string> error_report(const problem::DataErrors& errors) {
  std::ostringstream out;
  layout::RecordWriter report(out, "\n", 6, "report.txt");
  write_data_error_report(report, errors);
  return lines_of(out.str());
}

TEST(DataErrorReport, ShapeListComesBeforeBoundaryList) {
  problem::DataErrors errors;
  // A1 is sound; B22 has a wrong shape and stands off the boundaries, C333
  // only stands off them.
  errors.wrong_shape.push_back(listed(2, "B22"));
  errors.off_boundary.push_back(listed(2, "B22"));
  errors.off_boundary.push_back(listed(3, "C333"));
  const std::vector<std::string> expected = {
      "",
      "",
      "",
      "",
      "            THE SHAPE IS INCORRECT FOR THESE LOADED AREAS:",
      "",
      "          B22 ",
      "",
      "",
      "",
      "",
      "            THE FOLLOWING LOADED AREAS ARE NOT AT A LAYER 'BOUNDARY;",
      "",
      "          B22   C333",
      "1",
  };
  EXPECT_EQ(error_report(errors), expected);
}

TEST(DataErrorReport, BoundaryErrorsAlone) {
  problem::DataErrors errors;
  errors.off_boundary.push_back(listed(1, "P"));
  const std::vector<std::string> expected = {
      "",
      "",
      "",
      "",
      "            THE FOLLOWING LOADED AREAS ARE NOT AT A LAYER 'BOUNDARY;",
      "",
      "          P   ",
      "1",
  };
  EXPECT_EQ(error_report(errors), expected);
}

TEST(DataErrorReport, EleventhIdentifierStartsANewLineAtColumnOne) {
  problem::DataErrors errors;
  const char* ids[] = {"S1", "S2", "S3", "S4", "S5", "S6", "S7", "S8", "S9", "S10", "S11"};
  int position = 0;
  for (const char* id : ids) errors.wrong_shape.push_back(listed(++position, id));
  const std::vector<std::string> expected = {
      "",
      "",
      "",
      "",
      "            THE SHAPE IS INCORRECT FOR THESE LOADED AREAS:",
      "",
      "          S1    S2    S3    S4    S5    S6    S7    S8    S9    S10 ",
      "S11 ",
      "1",
  };
  EXPECT_EQ(error_report(errors), expected);
}

TEST(DataErrorReport, ListsEveryOneOfAFullTableOfFaultyAreas) {
  problem::DataErrors errors;
  for (int a = 1; a <= problem::kMaxAreas; ++a) {
    errors.wrong_shape.push_back(listed(a, "Z"));
    errors.off_boundary.push_back(listed(a, "Z"));
  }
  // Two blocks of six heading lines and fifteen identifier lines, then "1".
  EXPECT_EQ(error_report(errors).size(), 2u * (6 + 15) + 1);
}

TEST(LimitFault, EachLimitHasItsText) {
  using problem::Limit;
  const struct {
    int line;
    Limit limit;
    std::int64_t value;
    std::int32_t item;
    std::string text;
  } cases[] = {
      {__LINE__, Limit::kLayers, 26, 0, "THE NUMBER OF SOIL LAYERS    26 EXCEEDS THE LIMIT OF 25"},
      {__LINE__, Limit::kCurves, 51, 0,
       "THE NUMBER OF SOIL COMPRESSIBILITIES    51 EXCEEDS THE LIMIT OF 50"},
      {__LINE__, Limit::kPoints, 151, 0,
       "THE NUMBER OF SETTLEMENT POINTS   151 EXCEEDS THE LIMIT OF 150"},
      {__LINE__, Limit::kRegularAreas, 151, 0,
       "THE NUMBER OF LOADED AREAS   151 EXCEEDS THE LIMIT OF 150"},
      {__LINE__, Limit::kTotalAreas, 300, 0,
       "THE NUMBER OF LOADED AREAS   300 EXCEEDS THE LIMIT OF 150"},
      {__LINE__, Limit::kCurveIndex, -7, 12,
       "SOIL LAYER NO. 12 REFERS TO SOIL COMPRESSIBILITY    -7; IT MUST BE 1 TO 50"},
      {__LINE__, Limit::kSublayers, 776, 0,
       "THE NUMBER OF SUBLAYERS   776 EXCEEDS THE LIMIT OF 775"},
      // A count past the field, and past 32 bits, prints as asterisks.
      {__LINE__, Limit::kSublayers, std::numeric_limits<std::int64_t>::max(), 0,
       "THE NUMBER OF SUBLAYERS****** EXCEEDS THE LIMIT OF 775"},
      {__LINE__, Limit::kCurvePoints, 49, 4,
       "SOIL COMPRESSIBILITY NO.  4 HAS    49 POINTS; THE LIMIT IS 48"},
      {__LINE__, Limit::kDepthReference, 0, 0,
       "THE DEPTH REFERENCE OPTION OF THE SPREAD AREAS IS     0; IT MUST BE 1, 2 OR 3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::ostringstream out;
    layout::RecordWriter writer(out, "\n", 6, "report.txt");
    write_limit_fault(writer, {c.limit, c.value, c.item, 9});
    const std::vector<std::string> expected = {"", "", "", "", std::string(12, ' ') + c.text};
    EXPECT_EQ(lines_of(out.str()), expected);
  }
}

}  // namespace
}  // namespace report
