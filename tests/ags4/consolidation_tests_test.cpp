#include "ags4/consolidation_tests.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ags4/ags4_file.h"

namespace ags4 {
namespace {

// One specimen in a CONG row (line 5) and three loading increments (lines 11
// to 13); each case below changes one piece of it.
constexpr const char* kKeyHeadings =
    R"("LOCA_ID","SAMP_TOP","SAMP_REF","SAMP_TYPE","SAMP_ID","SPEC_REF","SPEC_DPTH")";
constexpr const char* kKeyUnits = R"("","m","","","","","m")";
constexpr const char* kKeyTypes = R"("ID","2DP","X","PA","ID","X","2DP")";
constexpr const char* kKey = R"("BH1","4.50","3","U","BH1-3U","1","4.55")";

std::string base_text() {
  const std::string key_headings = kKeyHeadings;
  const std::string key = kKey;
  return std::string(R"("GROUP","CONG")") + "\n" +                               // 1
         R"("HEADING",)" + key_headings + R"(,"CONG_TYPE","CONG_IVR")" + "\n" +  // 2
         R"("UNIT",)" + kKeyUnits + R"(,"","")" + "\n" +                         // 3
         R"("TYPE",)" + kKeyTypes + R"(,"PA","3DP")" + "\n" +                    // 4
         R"("DATA",)" + key + R"(,"OED","0.800")" + "\n" +                       // 5
         "\n" +                                                                  // 6
         R"("GROUP","CONS")" + "\n" +                                            // 7
         R"("HEADING",)" + key_headings +                                        // 8
         R"(,"CONS_INCN","CONS_IVR","CONS_INCF","CONS_INCE","CONS_CVRT","CONS_CVLG")" + "\n" +
         R"("UNIT",)" + kKeyUnits + R"(,"","","kPa","","m2/yr","m2/yr")" + "\n" +       // 9
         R"("TYPE",)" + kKeyTypes + R"(,"0DP","3DP","0DP","3DP","2SF","2SF")" + "\n" +  // 10
         R"("DATA",)" + key + R"(,"1","0.800","50","0.780","2.0","")" + "\n" +          // 11
         R"("DATA",)" + key + R"(,"2","0.780","100","0.750","","1.0")" + "\n" +         // 12
         R"("DATA",)" + key + R"(,"3","0.750","200","0.700","","")" + "\n";             // 13
}

// The base text with the first `from` (which must be there) replaced by `to`.
std::string changed(const std::string& from, const std::string& to) {
  std::string text = base_text();
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

SpecimenReading collect(const std::string& text) {
  std::istringstream in(text);
  const FileReading file = read_file(in);
  EXPECT_FALSE(file.error) << "line " << (file.error ? file.error->line : 0);
  return collect_specimens(file.file);
}

TEST(ConsolidationTests, BaseTextGivesOneSpecimenWithItsIncrements) {
  const SpecimenReading r = collect(base_text());
  ASSERT_FALSE(r.error);
  EXPECT_TRUE(r.warnings.empty());
  ASSERT_EQ(r.specimens.size(), 1u);
  const Specimen& s = r.specimens[0];
  EXPECT_EQ(s.key, (SpecimenKey{"BH1", "4.50", "3", "U", "BH1-3U", "1", "4.55"}));
  EXPECT_EQ(s.test_type, "OED");
  EXPECT_EQ(s.initial_void_ratio, 0.8);
  EXPECT_EQ(s.initial_void_ratio_from, InitialVoidRatio::kCong);
  EXPECT_EQ(s.cong_line, 5);
  ASSERT_EQ(s.increments.size(), 3u);
  EXPECT_EQ(s.increments[1].stress, 100.0);
  EXPECT_EQ(s.increments[1].void_ratio, 0.75);
  EXPECT_EQ(s.increments[1].line, 12);
  EXPECT_EQ(s.increments[0].cv, 2.0);  // root time
  EXPECT_EQ(s.increments[0].cv_method, CvMethod::kRootTime);
  EXPECT_EQ(s.increments[1].cv, 1.0);  // log time where root time is not given
  EXPECT_EQ(s.increments[1].cv_method, CvMethod::kLogTime);
  EXPECT_FALSE(s.increments[2].cv);
}

TEST(ConsolidationTests, LoadingIncrementsExceedEveryStressBefore) {
  // 50, 100, 200 load; 100 unloads; 200 reloads to the highest stress so far
  // without exceeding it; 400 loads again; 50 unloads at the end.
  std::string text = base_text();
  const std::string key = kKey;
  text += R"("DATA",)" + key + R"(,"4","0.700","100","0.710","","")" + "\n";
  text += R"("DATA",)" + key + R"(,"5","0.710","200","0.702","","")" + "\n";
  text += R"("DATA",)" + key + R"(,"6","0.702","400","0.650","","")" + "\n";
  text += R"("DATA",)" + key + R"(,"7","0.650","50","0.690","","")" + "\n";
  const SpecimenReading r = collect(text);
  ASSERT_FALSE(r.error);
  ASSERT_EQ(r.specimens.size(), 1u);
  std::vector<bool> loading;
  for (const Increment& i : r.specimens[0].increments) loading.push_back(i.loading);
  EXPECT_EQ(loading, (std::vector<bool>{true, true, true, false, false, true, false}));
  std::vector<int> numbers;
  for (const Increment& i : loading_increments(r.specimens[0])) numbers.push_back(i.number);
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 6}));
}

TEST(ConsolidationTests, InitialVoidRatioFallsBackToTheFirstIncrement) {
  // An empty CONG_IVR, and the rows of the increments in another order: the
  // first increment by number is the one whose CONS_IVR counts.
  std::string text = changed(R"("OED","0.800")", R"("OED","")");
  const std::size_t first = text.find(R"("1","0.800")");
  text.replace(first, 11, R"("1","0.810")");
  const SpecimenReading r = collect(text);
  ASSERT_FALSE(r.error);
  ASSERT_EQ(r.specimens.size(), 1u);
  EXPECT_EQ(r.specimens[0].initial_void_ratio, 0.81);
  EXPECT_EQ(r.specimens[0].initial_void_ratio_from, InitialVoidRatio::kFirstIncrement);
  EXPECT_EQ(r.specimens[0].initial_void_ratio_line, 11);

  // Without any CONG group at all.
  std::string without_cong = base_text();
  without_cong.erase(0, without_cong.find(R"("GROUP","CONS")"));
  const SpecimenReading w = collect(without_cong);
  ASSERT_FALSE(w.error);
  ASSERT_EQ(w.specimens.size(), 1u);
  EXPECT_EQ(w.specimens[0].initial_void_ratio, 0.8);
  EXPECT_EQ(w.specimens[0].cong_line, 0);
}

struct Faulty {
  int source_line;
  const char* from;  // in the base text
  const char* to;
  ErrorKind kind;
  int line;
  const char* heading;
};

constexpr Faulty kFaulty[] = {
    {__LINE__, R"("CONS_INCF",)", R"("CONS_STRS",)", ErrorKind::kHeadingMissing, 8, "CONS_INCF"},
    {__LINE__, R"("SPEC_DPTH","CONS_INCN")", R"("SPEC_DEPTH","CONS_INCN")",
     ErrorKind::kHeadingMissing, 8, "SPEC_DPTH"},
    {__LINE__, R"("SPEC_DPTH","CONG_TYPE")", R"("SPEC_DEPTH","CONG_TYPE")",
     ErrorKind::kHeadingMissing, 2, "SPEC_DPTH"},
    {__LINE__, R"("kPa")", R"("MPa")", ErrorKind::kUnexpectedUnit, 9, "CONS_INCF"},
    {__LINE__, R"("m2/yr","m2/yr")", R"("m2/s","m2/yr")", ErrorKind::kUnexpectedUnit, 9,
     "CONS_CVRT"},
    {__LINE__, R"("UNIT","","m")", R"("UNIT","","ft")", ErrorKind::kUnexpectedUnit, 3, "SAMP_TOP"},
    {__LINE__, R"("100","0.750")", R"("1OO","0.750")", ErrorKind::kNotANumber, 12, "CONS_INCF"},
    {__LINE__, R"("100","0.750")", R"("100 ","0.750")", ErrorKind::kNotANumber, 12, "CONS_INCF"},
    {__LINE__, R"("100","0.750")", R"("inf","0.750")", ErrorKind::kNotANumber, 12, "CONS_INCF"},
    {__LINE__, R"("100","0.750")", R"("","0.750")", ErrorKind::kValueMissing, 12, "CONS_INCF"},
    {__LINE__, R"("0.750","","1.0")", R"("0.75O","","1.0")", ErrorKind::kNotANumber, 12,
     "CONS_INCE"},
    {__LINE__, R"("0.750","","1.0")", R"("","","1.0")", ErrorKind::kValueMissing, 12, "CONS_INCE"},
    {__LINE__, R"("0.750","","1.0")", R"("0","","1.0")", ErrorKind::kValueNotPositive, 12,
     "CONS_INCE"},
    {__LINE__, R"("2.0","")", R"("n/a","")", ErrorKind::kNotANumber, 11, "CONS_CVRT"},
    {__LINE__, R"("","1.0")", R"("","-1.0")", ErrorKind::kValueNotPositive, 12, "CONS_CVLG"},
    {__LINE__, R"("0.780","2.0")", R"("nan","2.0")", ErrorKind::kNotANumber, 11, "CONS_INCE"},
    {__LINE__, R"("1","0.800","50")", R"("1","0.800","0")", ErrorKind::kValueNotPositive, 11,
     "CONS_INCF"},
    {__LINE__, R"("2","0.780")", R"("2.5","0.780")", ErrorKind::kNotAWholeNumber, 12, "CONS_INCN"},
    {__LINE__, R"("2","0.780")", R"("","0.780")", ErrorKind::kValueMissing, 12, "CONS_INCN"},
    {__LINE__, R"("2","0.780")", R"("1","0.780")", ErrorKind::kIncrementRepeated, 12, "CONS_INCN"},
    {__LINE__, R"("OED","0.800")", R"("OED","0,800")", ErrorKind::kNotANumber, 5, "CONG_IVR"},
    {__LINE__, R"("OED","0.800")", R"("OED","-0.5")", ErrorKind::kValueNotPositive, 5, "CONG_IVR"},
    {__LINE__, R"("DATA","BH1","4.50")", R"("DATA","","4.50")", ErrorKind::kValueMissing, 5,
     "LOCA_ID"},
    {__LINE__, R"("1","4.55","1")", R"("1","4,55","1")", ErrorKind::kNotANumber, 11, "SPEC_DPTH"},
    // No CONG_IVR and no CONS_IVR on the first increment: the CONG row's line.
    {__LINE__, R"("OED","0.800")", R"("OED","")", ErrorKind::kNoInitialVoidRatio, 5, ""},
    // A second CONG row of the same specimen.
    {__LINE__, "\n\n",
     "\n"
     R"("DATA","BH1","4.50","3","U","BH1-3U","1","4.55","OED","0.9")"
     "\n\n",
     ErrorKind::kSpecimenRepeated, 6, ""},
    // The only specimen loads once: it is left out, and no curve is left.
    {__LINE__, R"("100","0.750")", R"("50","0.750")", ErrorKind::kNoSpecimenWithCurve, 0, ""},
};

TEST(ConsolidationTests, FaultsNameTheirLineAndHeading) {
  for (const Faulty& c : kFaulty) {
    SCOPED_TRACE(c.source_line);
    std::string text = changed(c.from, c.to);
    if (c.kind == ErrorKind::kNoInitialVoidRatio) {
      text.replace(text.find(R"("1","0.800")"), 11, R"("1","")");
    }
    if (c.kind == ErrorKind::kNoSpecimenWithCurve) {
      text.replace(text.find(R"("200","0.700")"), 13, R"("50","0.700")");
    }
    const SpecimenReading r = collect(text);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->kind, c.kind);
    EXPECT_EQ(r.error->line, c.line);
    EXPECT_EQ(r.error->heading, c.heading);
    EXPECT_TRUE(r.specimens.empty());
  }
}

TEST(ConsolidationTests, RepeatsNameTheFirstRow) {
  const SpecimenReading r = collect(changed(R"("2","0.780")", R"("1","0.780")"));
  ASSERT_TRUE(r.error);
  EXPECT_EQ(r.error->other_line, 11);
  EXPECT_EQ(r.error->text, "1");
  ASSERT_TRUE(r.error->specimen);
  EXPECT_EQ(r.error->specimen->spec_ref, "1");
}

TEST(ConsolidationTests, NoConsGroupIsAnError) {
  std::string text = base_text();
  text.erase(text.find(R"("GROUP","CONS")"));
  const SpecimenReading r = collect(text);
  ASSERT_TRUE(r.error);
  EXPECT_EQ(r.error->kind, ErrorKind::kNoConsGroup);
  EXPECT_EQ(r.error->line, 0);
}

TEST(ConsolidationTests, WarningsNameTheirLineAndAreKept) {
  // A user's heading in CONG and in CONS; a second specimen (in CONG only,
  // line 6) with no increment; a loading increment whose void ratio rises.
  std::string text = changed(R"("CONG_TYPE","CONG_IVR")", R"("CONG_TYPE","CONG_IVR","CONG_XLAB")");
  text.replace(text.find("\"m\",\"\",\"\"\n"), 10, "\"m\",\"\",\"\",\"\"\n");
  text.replace(text.find(R"(,"PA","3DP")"), 11, R"(,"PA","3DP","X")");
  text.replace(text.find(R"("OED","0.800")"), 13,
               std::string(R"("OED","0.800","Lab 2")") + "\n" +
                   R"("DATA","BH1","4.50","3","U","BH1-3U","2","4.70","OED","0.900","")");
  text.replace(text.find(R"("CONS_CVLG")"), 11, R"("CONS_CVLG","CONS_XHGT")");
  text.replace(text.find(R"("m2/yr","m2/yr")"), 15, R"("m2/yr","m2/yr","mm")");
  text.replace(text.find(R"("2SF","2SF")"), 11, R"("2SF","2SF","2DP")");
  for (const char* row : {R"("2.0","")", R"("","1.0")", R"(","200","0.700","","")"}) {
    const std::size_t at = text.find(row);
    ASSERT_NE(at, std::string::npos);
    text.insert(at + std::string(row).size(), R"(,"18.8")");
  }
  text.replace(text.find(R"("100","0.750")"), 13, R"("100","0.790")");
  const SpecimenReading r = collect(text);
  ASSERT_FALSE(r.error) << r.error->line;
  ASSERT_EQ(r.specimens.size(), 1u);
  EXPECT_EQ(r.specimens[0].increments.size(), 3u);
  ASSERT_EQ(r.warnings.size(), 4u);
  EXPECT_EQ(r.warnings[0].kind, WarningKind::kUnknownHeading);
  EXPECT_EQ(r.warnings[0].line, 2);
  EXPECT_EQ(r.warnings[0].heading, "CONG_XLAB");
  EXPECT_EQ(r.warnings[1].kind, WarningKind::kUnknownHeading);
  EXPECT_EQ(r.warnings[1].line, 9);
  EXPECT_EQ(r.warnings[1].group, "CONS");
  EXPECT_EQ(r.warnings[1].heading, "CONS_XHGT");
  EXPECT_EQ(r.warnings[2].kind, WarningKind::kStrainFalls);
  EXPECT_EQ(r.warnings[2].line, 13);
  EXPECT_EQ(r.warnings[2].increment, 2);
  EXPECT_EQ(r.warnings[3].kind, WarningKind::kTooFewLoadingIncrements);
  EXPECT_EQ(r.warnings[3].line, 6);
  EXPECT_EQ(r.warnings[3].count, 0);
  ASSERT_TRUE(r.warnings[3].specimen);
  EXPECT_EQ(r.warnings[3].specimen->spec_ref, "2");
}

}  // namespace
}  // namespace ags4
