// The house rule of the output: every record goes through a constant layout
// from the program's own lists, and every one of them parses.
#include "run/program_layouts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "layout/layout.h"
#include "support/run_in_folder.h"

namespace run {
namespace {

namespace fs = std::filesystem;

const fs::path kSources = fs::path(SETTLE_TEST_DATA).parent_path().parent_path() / "src";

TEST(ProgramLayouts, EveryLayoutOfTheListsParses) {
  const auto& layouts = kProgramLayouts;
  EXPECT_GE(layouts.size(), 50u);
  for (const std::string_view notation : layouts) {
    SCOPED_TRACE(notation);
    EXPECT_NO_THROW(layout::parse_layout(notation));
  }
}

// Only the named constants of the lists are parsed: a layout written into a
// call would escape the test above.
TEST(ProgramLayouts, NoLayoutIsParsedFromALiteral) {
  ASSERT_TRUE(fs::is_directory(kSources)) << kSources;
  std::size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(kSources)) {
    const std::string extension = entry.path().extension().string();
    if (extension != ".cpp" && extension != ".h") continue;
    ++files;
    const std::string text = testing_support::read_file(entry.path());
    EXPECT_EQ(text.find("parse_layout(\""), std::string::npos) << entry.path();
  }
  EXPECT_GT(files, 50u);
}

// Each named layout of a list header stands in that header's list.
TEST(ProgramLayouts, EveryNamedLayoutIsInItsList) {
  static const std::regex kDeclaration(R"(inline constexpr std::string_view (k\w+Layout) =)");
  std::size_t names = 0;
  for (const auto* header :
       {"problem/input_layouts.h", "report/report_layouts.h", "run/console_layouts.h"}) {
    SCOPED_TRACE(header);
    const std::string text = testing_support::read_file(kSources / header);
    const std::size_t list = text.find("std::array k");
    ASSERT_NE(list, std::string::npos);
    const std::string listed = text.substr(list);
    for (std::sregex_iterator it(text.begin(), text.end(), kDeclaration), end; it != end; ++it) {
      const std::string name = (*it)[1];
      ++names;
      EXPECT_TRUE(std::regex_search(listed, std::regex("\\b" + name + "\\b"))) << name;
    }
  }
  EXPECT_EQ(names, kProgramLayouts.size());
}

}  // namespace
}  // namespace run
