#include "ags4/consolidation_import.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ags4/import_messages.h"

namespace ags4 {
namespace {

std::string data_file(const std::string& name) {
  std::ifstream in(std::string(SETTLE_TEST_DATA) + "/ags4/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

ConsolidationImport import_text(const std::string& text, TimeUnit unit = TimeUnit::kDay) {
  std::istringstream in(text);
  return import_consolidation_curves(in, "oedometer_sample.ags", unit);
}

struct Expected {
  const char* name;
  std::vector<double> strain;  // percent
  std::vector<double> pressure;
};

// The sample's curves by hand, ε = (e0 − e) / (1 + e0) × 100 at each loading
// increment:
//   BH1 specimen 1, e0 0.800 (CONG_IVR), 1 + e0 = 1.8: e 0.782, 0.770, 0.746,
//     0.710, 0.665 give 0.018, 0.030, 0.054, 0.090, 0.135 / 1.8 = 1, 5/3, 3, 5,
//     7.5 %; its unloading to 100 and 25 kPa is dropped.
//   BH1 specimen 2, e0 1.000, 1 + e0 = 2: e 0.980, 0.950, 0.900, 0.840 and,
//     after unloading to 100 and reloading to 400 kPa (dropped), 0.780 at
//     800 kPa give 1, 2.5, 5, 8, 11 %.
//   BH2, no CONG_IVR: e0 1.2500 from CONS_IVR of increment 1, 1 + e0 = 2.25:
//     e 1.2275, 1.2050, 1.1600, 1.0925, 1.0250 give 0.0225, 0.045, 0.09,
//     0.1575, 0.225 / 2.25 = 1, 2, 4, 7, 10 %.
// Both BH1 specimens are of sample U3 at 4.50 m: their specimen references
// tell them apart.
const std::vector<Expected> kSampleCurves = {
    {"BH1-U3-4_50-1", {1.0, 5.0 / 3.0, 3.0, 5.0, 7.5}, {25, 50, 100, 200, 400}},
    {"BH1-U3-4_50-2", {1.0, 2.5, 5.0, 8.0, 11.0}, {50, 100, 200, 400, 800}},
    {"BH2-U5-7_00", {1.0, 2.0, 4.0, 7.0, 10.0}, {20, 40, 80, 160, 320}},
};

TEST(ConsolidationImport, SampleCurvesEqualTheHandCalculation) {
  const ConsolidationImport r = import_text(data_file("oedometer_sample.ags"));
  ASSERT_FALSE(r.error) << error_text(*r.error);
  ASSERT_EQ(r.curves.size(), kSampleCurves.size());
  for (std::size_t i = 0; i < kSampleCurves.size(); ++i) {
    const Expected& expected = kSampleCurves[i];
    const SpecimenCurve& curve = r.curves[i];
    SCOPED_TRACE(expected.name);
    EXPECT_EQ(curve.name, expected.name);
    EXPECT_EQ(curve.pressure, expected.pressure);
    ASSERT_EQ(curve.strain.size(), expected.strain.size());
    for (std::size_t p = 0; p < expected.strain.size(); ++p) {
      EXPECT_NEAR(curve.strain[p], expected.strain[p], 1e-12);  // rounding of the decimals only
    }
  }
  // The one warning: the laboratory's own heading CONS_HGTF on line 75.
  ASSERT_EQ(r.warnings.size(), 1u);
  EXPECT_EQ(warning_text(r.warnings[0]),
            "line 75: heading CONS_HGTF of group CONS is not one the reader knows; its values "
            "are ignored");
}

TEST(ConsolidationImport, CvIsTheLastLoadingIncrementsInTheProjectsTimeUnit) {
  // BH1 specimen 1: root time 3.2, 2.8, 2.4 m2/yr at 100, 200, 400 kPa: 2.4.
  // BH1 specimen 2: root time 2.0 at 200 kPa, log time 1.5 at 400 kPa, none at
  // 800 kPa, and 5.0 on its unloading and reloading (not loading): 1.5.
  // BH2: none given.
  const std::string text = data_file("oedometer_sample.ags");
  const ConsolidationImport day = import_text(text, TimeUnit::kDay);
  const ConsolidationImport month = import_text(text, TimeUnit::kMonth);
  const ConsolidationImport year = import_text(text, TimeUnit::kYear);
  ASSERT_EQ(day.curves.size(), 3u);
  ASSERT_EQ(month.curves.size(), 3u);
  ASSERT_EQ(year.curves.size(), 3u);
  EXPECT_EQ(year.curves[0].cv, 2.4);
  EXPECT_EQ(year.curves[1].cv, 1.5);
  EXPECT_FALSE(year.curves[2].cv);
  // 2.4 m2/yr = 2.4 / 365.25 m2/day = 0.2 m2/month; 1.5 m2/yr = 0.125 m2/month.
  EXPECT_NEAR(*day.curves[0].cv, 0.006570841889117043, 1e-17);
  EXPECT_NEAR(*month.curves[0].cv, 0.2, 1e-16);
  EXPECT_NEAR(*month.curves[1].cv, 0.125, 1e-16);
}

TEST(ConsolidationImport, SourceSaysWhereTheCurveCameFrom) {
  const ConsolidationImport r = import_text(data_file("oedometer_sample.ags"));
  ASSERT_EQ(r.curves.size(), 3u);
  EXPECT_EQ(r.curves[0].source,
            "AGS4 file oedometer_sample.ags: hole BH1, sample 3 (U) at 4.50 m, id BH1-3U, "
            "specimen 1 at 4.55 m, test type OED; e0 0.8 (CONG_IVR); loading increments 5 of 7; "
            "cv 2.4 m2/yr by root time at 400 kPa (increment 5)");
  EXPECT_EQ(r.curves[1].source,
            "AGS4 file oedometer_sample.ags: hole BH1, sample 3 (U) at 4.50 m, id BH1-3U, "
            "specimen 2 at 4.70 m, test type OED; e0 1 (CONG_IVR); loading increments 5 of 7; "
            "cv 1.5 m2/yr by log time at 400 kPa (increment 4)");
  EXPECT_EQ(r.curves[2].source,
            "AGS4 file oedometer_sample.ags: hole BH2, sample 5 (U) at 7.00 m, id BH2-5U, "
            "specimen 1 at 7.10 m, test type OED; e0 1.25 (CONS_IVR of increment 1); loading "
            "increments 5 of 5");
}

struct BrokenFile {
  const char* file;
  ErrorKind kind;
  const char* text;
};

TEST(ConsolidationImport, BrokenFilesStopWithTheirLine) {
  const BrokenFile cases[] = {
      {"no_cons_group.ags", ErrorKind::kNoConsGroup,
       "the file has no CONS group: it holds no consolidation test increments"},
      {"ags3_file.ags", ErrorKind::kNotAgs4,
       "line 1: not an AGS4 file: \"**PROJ\" opens a group as AGS3 does; this reader takes "
       "AGS4, whose groups open with a \"GROUP\" record"},
      {"short_data_row.ags", ErrorKind::kFieldCountMismatch,
       "line 18: the DATA record of group CONS holds 13 fields and its HEADING record 14"},
      {"unterminated_quote.ags", ErrorKind::kUnterminatedQuote,
       "line 19: the field opening at column 84 has no closing quote (a quote inside a field "
       "is written twice)"},
  };
  for (const BrokenFile& c : cases) {
    SCOPED_TRACE(c.file);
    const ConsolidationImport r = import_text(data_file(c.file));
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->kind, c.kind);
    EXPECT_EQ(error_text(*r.error), c.text);
    EXPECT_TRUE(r.curves.empty());
  }
}

}  // namespace
}  // namespace ags4
