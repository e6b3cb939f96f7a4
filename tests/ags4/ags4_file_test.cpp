#include "ags4/ags4_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace ags4 {
namespace {

FileReading read_text(const std::string& text) {
  std::istringstream in(text);
  return read_file(in);
}

// A two-group file with a comma and a doubled quote inside fields, written
// with LF ends; `line_end` replaces them.
std::string two_groups(const std::string& line_end) {
  const std::vector<std::string> lines = {
      R"("GROUP","PROJ")",
      R"("HEADING","PROJ_ID","PROJ_NAME")",
      R"("UNIT","","")",
      R"("TYPE","ID","X")",
      R"("DATA","EX-1","Tank farm, ""stage 1""")",
      "",
      R"("GROUP","LOCA")",
      R"("HEADING","LOCA_ID","LOCA_GL")",
      R"("UNIT","","m")",
      R"("TYPE","ID","2DP")",
      R"("DATA","BH1","10.00")",
      R"("DATA","BH2","")",
  };
  std::string text;
  for (const std::string& line : lines) text += line + line_end;
  return text;
}

TEST(Ags4File, ReadsGroupsWithTheirLinesUnitsAndTypes) {
  const FileReading r = read_text(two_groups("\r\n"));
  ASSERT_FALSE(r.error);
  ASSERT_EQ(r.file.groups.size(), 2u);
  const Group& proj = r.file.groups[0];
  EXPECT_EQ(proj.name, "PROJ");
  EXPECT_EQ(proj.line, 1);
  EXPECT_EQ(proj.headings, (std::vector<std::string>{"PROJ_ID", "PROJ_NAME"}));
  ASSERT_EQ(proj.rows.size(), 1u);
  EXPECT_EQ(proj.rows[0].line, 5);
  EXPECT_EQ(proj.rows[0].values, (std::vector<std::string>{"EX-1", "Tank farm, \"stage 1\""}));

  const Group* loca = find_group(r.file, "LOCA");
  ASSERT_NE(loca, nullptr);
  EXPECT_EQ(loca->heading_line, 8);
  EXPECT_EQ(loca->unit_line, 9);
  EXPECT_EQ(loca->type_line, 10);
  EXPECT_EQ(loca->units, (std::vector<std::string>{"", "m"}));
  EXPECT_EQ(loca->types, (std::vector<std::string>{"ID", "2DP"}));
  ASSERT_EQ(loca->rows.size(), 2u);
  EXPECT_EQ(loca->rows[1].line, 12);
  EXPECT_EQ(loca->rows[1].values, (std::vector<std::string>{"BH2", ""}));
  EXPECT_EQ(heading_position(*loca, "LOCA_GL"), 1u);
  EXPECT_FALSE(heading_position(*loca, "LOCA_NATE"));
  EXPECT_EQ(find_group(r.file, "CONS"), nullptr);
}

TEST(Ags4File, LineEndsByteOrderMarkAndBlankLinesOfSpacesReadTheSame) {
  const FileReading crlf = read_text(two_groups("\r\n"));
  std::string variant = "\xEF\xBB\xBF" + two_groups("\n");
  variant.replace(variant.find("\n\n"), 2, "\n \t\n");  // the separating line holds blanks
  variant.pop_back();                                   // and the last line has no end
  const FileReading lf = read_text(variant);
  ASSERT_FALSE(crlf.error);
  ASSERT_FALSE(lf.error);
  ASSERT_EQ(lf.file.groups.size(), crlf.file.groups.size());
  for (std::size_t g = 0; g < lf.file.groups.size(); ++g) {
    const Group& a = lf.file.groups[g];
    const Group& b = crlf.file.groups[g];
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.headings, b.headings);
    ASSERT_EQ(a.rows.size(), b.rows.size());
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
      EXPECT_EQ(a.rows[i].line, b.rows[i].line);
      EXPECT_EQ(a.rows[i].values, b.rows[i].values);
    }
  }
}

struct Malformed {
  int source_line;
  const char* text;
  ErrorKind kind;
  int line;
  std::size_t column;  // 0 where the kind names none
};

// Each text is broken in one place only; the reader must stop there.
constexpr Malformed kMalformed[] = {
    {__LINE__, "\"GROUP\",\"X\"\n\"HEADING\",\"A\n", ErrorKind::kUnterminatedQuote, 2, 11},
    {__LINE__, "\"GROUP\",\"X\"\n\"HEADING\",\"A\"\"\n", ErrorKind::kUnterminatedQuote, 2, 11},
    {__LINE__, "\"GROUP\",\"X\"\n\"HEADING\",\"A\", \"B\"\n", ErrorKind::kTextOutsideQuotes, 2, 15},
    {__LINE__, "\"GROUP\",\"X\"\n\"HEADING\",\"A\"x\n", ErrorKind::kTextOutsideQuotes, 2, 14},
    {__LINE__, "\"GROUP\",\"X\"\n\"HEADING\",\"A\",\n", ErrorKind::kTextOutsideQuotes, 2, 15},
    {__LINE__, "\"GROUP\",\"X\"\n\"HEADING\",\"A\"\n\"UNIT\",\"\"\n\"TYPE\",\"X\"\n\"DATA\",1\n",
     ErrorKind::kTextOutsideQuotes, 5, 8},
    {__LINE__,
     "\"GROUP\",\"X\"\n\"HEADING\",\"A\",\"B\"\n\"UNIT\",\"\",\"\"\n\"TYPE\",\"X\",\"X\"\n"
     "\"DATA\",\"1\"\n",
     ErrorKind::kFieldCountMismatch, 5, 0},
    {__LINE__, "\"GROUP\",\"X\"\n\"HEADING\",\"A\",\"B\"\n\"UNIT\",\"\",\"\",\"\"\n",
     ErrorKind::kFieldCountMismatch, 3, 0},
    {__LINE__, "\"GROUP\",\"X\"\n\"HEADING\",\"A\"\n\"UNIT\",\"\"\n\"DATA\",\"1\"\n",
     ErrorKind::kRecordOutOfOrder, 4, 0},
    {__LINE__, "\"GROUP\",\"X\"\n\"DATA\",\"1\"\n", ErrorKind::kRecordOutOfOrder, 2, 0},
    {__LINE__, "\"GROUP\",\"X\"\n\"UNIT\",\"\"\n", ErrorKind::kRecordOutOfOrder, 2, 0},
    {__LINE__,
     "\"GROUP\",\"X\"\n\"HEADING\",\"A\"\n\"UNIT\",\"\"\n\"TYPE\",\"X\"\n\"DATA\",\"1\"\n"
     "\n\"DATA\",\"2\"\n",
     ErrorKind::kRecordOutOfOrder, 7, 0},
    {__LINE__,
     "\"GROUP\",\"X\"\n\"HEADING\",\"A\"\n\"UNIT\",\"\"\n\"TYPE\",\"X\"\n\"GROUP\",\"Y\"\n",
     ErrorKind::kRecordOutOfOrder, 5, 0},
    {__LINE__,
     "\"GROUP\",\"X\"\n\"HEADING\",\"A\"\n\"UNIT\",\"\"\n\"TYPE\",\"X\"\n\"DATUM\",\"1\"\n",
     ErrorKind::kUnknownDescriptor, 5, 0},
    {__LINE__,
     "\"GROUP\",\"X\"\n\"HEADING\",\"A\"\n\"UNIT\",\"\"\n\"TYPE\",\"X\"\n\n"
     "\"GROUP\",\"X\"\n",
     ErrorKind::kGroupRepeated, 6, 0},
    {__LINE__, "\"GROUP\",\"X\"\n\"HEADING\",\"A\"\n\n\"GROUP\",\"Y\"\n",
     ErrorKind::kGroupIncomplete, 1, 0},
    {__LINE__, "\"GROUP\",\"X\"\n\"HEADING\",\"A\"\n\"UNIT\",\"\"\n", ErrorKind::kGroupIncomplete,
     1, 0},
    {__LINE__, "\"GROUP\",\"X\",\"Y\"\n", ErrorKind::kGroupRecordInvalid, 1, 0},
    {__LINE__, "\"GROUP\",\"\"\n", ErrorKind::kGroupRecordInvalid, 1, 0},
    {__LINE__, "\"GROUP\",\"X\"\n\"HEADING\",\"A\",\"A\"\n", ErrorKind::kHeadingRepeated, 2, 0},
    {__LINE__, "\"GROUP\",\"X\"\n\"HEADING\",\"A\",\"\"\n", ErrorKind::kHeadingEmpty, 2, 0},
    {__LINE__, "\"GROUP\",\"X\"\n\"HEADING\"\n", ErrorKind::kHeadingEmpty, 2, 0},
    // Not AGS4 at all: nothing, an AGS3 file, a TOML project, a CSV table, a
    // first record that is not a GROUP.
    {__LINE__, "", ErrorKind::kNotAgs4, 0, 0},
    {__LINE__, "\r\n\r\n", ErrorKind::kNotAgs4, 0, 0},
    {__LINE__, "\"**PROJ\"\r\n\"*PROJ_ID\",\"*PROJ_NAME\"\r\n", ErrorKind::kNotAgs4, 1, 0},
    {__LINE__, "schema_version = 1\nunits = \"SI\"\n", ErrorKind::kNotAgs4, 1, 0},
    {__LINE__, "\nLOCA_ID,SAMP_TOP\nBH1,4.50\n", ErrorKind::kNotAgs4, 2, 0},
    {__LINE__, "\"HEADING\",\"A\"\n", ErrorKind::kNotAgs4, 1, 0},
    // A file that opens as AGS4 and breaks in its first record is read as one.
    {__LINE__, "\"GROUP\",\"PROJ\n", ErrorKind::kUnterminatedQuote, 1, 9},
};

TEST(Ags4File, MalformedTextStopsAtItsLine) {
  for (const Malformed& c : kMalformed) {
    SCOPED_TRACE(c.source_line);
    const FileReading r = read_text(c.text);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->kind, c.kind);
    EXPECT_EQ(r.error->line, c.line);
    if (c.column != 0) {
      EXPECT_EQ(r.error->column, c.column);
    }
  }
}

TEST(Ags4File, FaultsCarryWhatTheyFoundAndExpected) {
  const FileReading count = read_text(
      "\"GROUP\",\"X\"\n\"HEADING\",\"A\",\"B\"\n\"UNIT\",\"\",\"\"\n\"TYPE\",\"X\","
      "\"X\"\n\"DATA\",\"1\",\"2\",\"3\"\n");
  ASSERT_TRUE(count.error);
  EXPECT_EQ(count.error->group, "X");
  EXPECT_EQ(count.error->text, "DATA");
  EXPECT_EQ(count.error->expected_count, 2u);
  EXPECT_EQ(count.error->found_count, 3u);
  ASSERT_EQ(count.file.groups.size(), 1u);  // the groups read before the fault are kept

  const FileReading order = read_text("\"GROUP\",\"X\"\n\"HEADING\",\"A\"\n\"DATA\",\"1\"\n");
  ASSERT_TRUE(order.error);
  EXPECT_EQ(order.error->text, "DATA");
  EXPECT_EQ(order.error->expected, "UNIT");

  const FileReading twice = read_text(
      "\"GROUP\",\"X\"\n\"HEADING\",\"A\"\n\"UNIT\",\"\"\n\"TYPE\",\"X\"\n\n\"GROUP\",\"X\"\n");
  ASSERT_TRUE(twice.error);
  EXPECT_EQ(twice.error->other_line, 1);

  const FileReading ags3 = read_text("\"**PROJ\"\n");
  ASSERT_TRUE(ags3.error);
  EXPECT_EQ(ags3.error->text, "**PROJ");
}

}  // namespace
}  // namespace ags4
