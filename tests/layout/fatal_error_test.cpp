#include "layout/fatal_error.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "layout/record_reader.h"

namespace layout {
namespace {

TEST(FatalError, ReportNamesUnitAndFile) {
  const FatalError error(FatalKind::kEndOfFile, 5, "/tmp/x/problem.dat");
  EXPECT_EQ(error.report(),
            "settle: severe (24): end-of-file during read, unit 5, file /tmp/x/problem.dat");
}

TEST(FatalError, ReportCarriesTheProgramsName) {
  const FatalError error(FatalKind::kOpenFailure, 7, "/x/t.trc");
  EXPECT_EQ(error.report("settle-plot"),
            "settle-plot: severe (30): open failure, unit 7, file /x/t.trc");
}

TEST(FatalError, NameClashSaysWhichLines) {
  const FatalError error =
      FatalError::name_clash("names.dat names one file on lines 1 and 3", "/x/sample.dat");
  EXPECT_EQ(error.report(),
            "settle: severe (17): names.dat names one file on lines 1 and 3, file /x/sample.dat");
  EXPECT_EQ(error.where(), "");
}

TEST(FatalError, WhereNamesTheFileTheLineAndItsText) {
  FatalError error(FatalKind::kListSyntax, 5, "/x/p.dat");
  EXPECT_EQ(error.where(), "");
  error.set_location({7, "1 4.0 12O.0", false});
  EXPECT_EQ(error.where(), "settle: /x/p.dat, line 7: \"1 4.0 12O.0\"");
  error.set_location({20, "2 10.0", true});
  EXPECT_EQ(error.where("settle-plot"), "settle-plot: /x/p.dat ends after line 20: \"2 10.0\"");
  error.set_location({0, "", true});
  EXPECT_EQ(error.where(), "settle: /x/p.dat holds no line");
}

TEST(Printable, EscapesWhatDoesNotPrintAndCutsAtEighty) {
  EXPECT_EQ(printable("1 2\t3"), "1 2\\t3");
  EXPECT_EQ(printable("a\rb\x01\x7f\xe9"), "a\\rb\\x01\\x7f\\xe9");
  EXPECT_EQ(printable("say \"x\" \\"), "say \\\"x\\\" \\\\");
  EXPECT_EQ(printable(std::string(80, 'a')), std::string(80, 'a'));
  EXPECT_EQ(printable(std::string(81, 'a')), std::string(80, 'a') + "...");
}

TEST(RecordReader, AReadFailureSaysWhere) {
  std::istringstream stream("first\nsecond line\n");
  RecordReader in(stream, 5, "/x/p.dat");
  in.require_line();
  in.require_line();
  try {
    in.require_line();
    FAIL() << "no end of file";
  } catch (const FatalError& error) {
    ASSERT_TRUE(error.location());
    EXPECT_EQ(error.location()->line, 2);
    EXPECT_EQ(error.location()->text, "second line");
    EXPECT_TRUE(error.location()->at_end);
  }
  try {
    in.fail(FatalKind::kConversion);
  } catch (const FatalError& error) {
    EXPECT_EQ(error.where(), "settle: /x/p.dat, line 2: \"second line\"");
  }
}

}  // namespace
}  // namespace layout
