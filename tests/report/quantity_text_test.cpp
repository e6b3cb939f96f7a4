// The report's number texts: fixed decimals, no negative zero, and no "nan"
// or "inf" text.
#include "report/quantity_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

struct Case {
  int line;
  double value;
  int decimals;
  const char* fixed;
  const char* scientific;
};

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

const Case kCases[] = {
    {__LINE__, 258.3125, 2, "258.31", "2.58E+02"},
    {__LINE__, 0.0001, 3, "0.000", "1.000E-04"},
    {__LINE__, -0.0004, 3, "0.000", "-4.000E-04"},  // rounds to zero: no sign
    {__LINE__, -0.0, 2, "0.00", "0.00E+00"},
    {__LINE__, -1.25, 1, "-1.2", "-1.2E+00"},  // the exact binary value, ties to even
    {__LINE__, 1.0e7, 0, "10000000", "1E+07"},
    {__LINE__, kInf, 2, "*", "*"},
    {__LINE__, -kInf, 2, "*", "*"},
    {__LINE__, kNan, 2, "*", "*"},
};

TEST(QuantityText, FixedAndScientificTexts) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(report::fixed_text(c.value, c.decimals), c.fixed);
    EXPECT_EQ(report::scientific_text(c.value, c.decimals), c.scientific);
  }
}

TEST(QuantityText, UnitsFollowTheProject) {
  site::Project project;
  project.units = site::Units::kUs;
  project.time_unit = site::TimeUnit::kYear;
  const report::QuantityText us(project);
  EXPECT_EQ(us.pressure_unit(), "KSF");
  EXPECT_EQ(us.unit_weight_unit(), "PCF");
  EXPECT_EQ(us.cv_unit(), "FT2/YEAR");
  EXPECT_EQ(us.pressure(1.2345), "1.234");  // 1.2345 lies just below the tie
  EXPECT_EQ(us.settlement(0.5), "0.500");
  project.units = site::Units::kSi;
  const report::QuantityText si(project);
  EXPECT_EQ(si.pressure(1.2345), "1.23");
  EXPECT_EQ(si.settlement(0.5), "0.50");
  EXPECT_EQ(si.percent_of(0.08315), "8.315");
}

}  // namespace
