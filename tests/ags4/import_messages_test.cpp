#include "ags4/import_messages.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "ags4/consolidation_import.h"

namespace ags4 {
namespace {

struct Said {
  int source_line;
  const char* input;
  const char* text;  // the first error's, else the first warning's
};

// What the engineer reads for a few faults: the line, the field, the value
// and the specimen.
TEST(ImportMessages, TextsNameLineFieldValueAndSpecimen) {
  const std::string head =
      "\"GROUP\",\"CONS\"\n"
      "\"HEADING\",\"LOCA_ID\",\"SAMP_TOP\",\"SAMP_REF\",\"SAMP_TYPE\",\"SAMP_ID\",\"SPEC_REF\","
      "\"SPEC_DPTH\",\"CONS_INCN\",\"CONS_IVR\",\"CONS_INCF\",\"CONS_INCE\"\n"
      "\"UNIT\",\"\",\"m\",\"\",\"\",\"\",\"\",\"m\",\"\",\"\",\"kPa\",\"\"\n"
      "\"TYPE\",\"ID\",\"2DP\",\"X\",\"PA\",\"ID\",\"X\",\"2DP\",\"0DP\",\"3DP\",\"0DP\",\"3DP\"\n";
  const std::string key = "\"DATA\",\"BH1\",\"4.50\",\"3\",\"U\",\"\",\"1\",\"4.55\",";
  const std::string first = key + "\"1\",\"0.800\",\"50\",\"0.780\"\n";
  const std::string one_more = head + first;
  const std::string a = one_more + key + "\"2\",\"0.780\",\"100\",\"-0.1\"\n";
  const std::string b = one_more + key + "\"2\",\"0.780\",\"1e3x\",\"0.7\"\n";
  const std::string c = one_more + key + "\"2\",\"0.780\",\"25\",\"0.79\"\n";
  const std::string d = "\"GROUP\",\"CONS\"\n\"HEADING\",\"A\"\n\"DATA\",\"1\"\n";
  const Said cases[] = {
      {__LINE__, a.c_str(),
       "line 6: CONS CONS_INCE -0.1 is not above 0 (hole BH1, sample 3 (U) at 4.50 m, specimen "
       "1 at 4.55 m)"},
      {__LINE__, b.c_str(), "line 6: CONS CONS_INCF \"1e3x\" is not a number"},
      {__LINE__, c.c_str(), "no specimen has two loading increments, so the file gives no curve"},
      {__LINE__, d.c_str(),
       "line 3: a DATA record where group CONS needs its UNIT record (GROUP, HEADING, UNIT, "
       "TYPE, then DATA)"},
  };
  for (const Said& s : cases) {
    SCOPED_TRACE(s.source_line);
    std::istringstream in(s.input);
    const ConsolidationImport r = import_consolidation_curves(in, "x.ags", TimeUnit::kDay);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(error_text(*r.error), s.text);
  }

  std::istringstream in(c);
  const ConsolidationImport r = import_consolidation_curves(in, "x.ags", TimeUnit::kDay);
  ASSERT_EQ(r.warnings.size(), 1u);
  EXPECT_EQ(warning_text(r.warnings[0]),
            "line 5: hole BH1, sample 3 (U) at 4.50 m, specimen 1 at 4.55 m has 1 loading "
            "increment and a curve needs 2: it is left out");
}

}  // namespace
}  // namespace ags4
