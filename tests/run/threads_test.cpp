// Runs of the real executable with the settlement points spread over several
// threads leave exactly the bytes of a run on one thread.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_in_folder.h"

namespace {

namespace fs = std::filesystem;
using testing_support::first_difference;
using testing_support::read_file;

struct Outputs {
  int exit_status = -1;
  std::string console;
  std::vector<std::string> files;  // in the order of names.dat
};

// Runs the example in `example` (a folder under the examples) with SETTLE_THREADS=`threads`.
Outputs run_example(const std::string& example, const std::string& threads) {
  const fs::path source = fs::path(SETTLE_EXAMPLES) / example;
  testing_support::TempFolder folder;
  testing_support::copy_case_inputs(source, folder.path());
  const testing_support::RunResult run =
      testing_support::run_in_folder(folder.path(), SETTLE_EXE, {}, {"SETTLE_THREADS=" + threads});
  Outputs outputs{run.exit_status, run.console, {}};
  std::istringstream names(read_file(folder.path() / "names.dat"));
  for (std::string name; std::getline(names, name);) {
    if (!name.empty() && name.back() == '\r') name.pop_back();
    outputs.files.push_back(read_file(folder.path() / name));
  }
  return outputs;
}

TEST(Threads, EveryOutputMatchesTheOneThreadRun) {
  struct Case {
    int line;
    std::string example;
    std::string threads;
  };
  // The large example has many areas and strain warnings of several points;
  // the S.I. example has warnings in many sublayers. 7 threads is more than
  // the points of the large example can keep busy in step.
  const Case cases[] = {
      {__LINE__, "large", "2"},
      {__LINE__, "large", "4"},
      {__LINE__, "large", "7"},
      {__LINE__, "si_units", "3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "line " << c.line << ": " << c.example << " on " << c.threads << " threads");
    const Outputs one = run_example(c.example, "1");
    const Outputs many = run_example(c.example, c.threads);
    ASSERT_EQ(one.exit_status, 0);
    EXPECT_EQ(many.exit_status, 0);
    ASSERT_EQ(one.files.size(), 4u);
    ASSERT_EQ(many.files.size(), 4u);
    EXPECT_EQ(first_difference(one.console, many.console), "") << "console";
    const char* const kinds[] = {"input", "report", "auxiliary data file", "trace"};
    for (std::size_t f = 0; f < 4; ++f) {
      EXPECT_EQ(first_difference(one.files[f], many.files[f]), "") << kinds[f];
    }
  }
}

TEST(Threads, ReportHoldsTheStrainWarnings) {
  // The comparison above only means something when the warnings are there.
  const Outputs one = run_example("large", "1");
  ASSERT_EQ(one.files.size(), 4u);
  EXPECT_NE(one.files[1].find("*********** WARNING"), std::string::npos);
}

}  // namespace
