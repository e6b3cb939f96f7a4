// Every archived problem that reads without a stop, written as a project file
// and run as a project by the classic method, gives the archived run's
// numbers bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "layout/fatal_error.h"
#include "layout/record_reader.h"
#include "problem/problem_reader.h"
#include "problem/problem_writer.h"
#include "problem/project_conversion.h"
#include "project/project_file.h"
#include "run/problem_analysis.h"
#include "run/project_analysis.h"
#include "support/run_in_folder.h"

namespace {

namespace fs = std::filesystem;

// The problem files: the examples', the end-to-end cases' and the fuzzing
// corpus's (an input's problem part, before its names.dat part).
std::vector<std::pair<std::string, std::string>> problem_texts() {
  std::vector<std::pair<std::string, std::string>> texts;
  const auto add = [&](const fs::path& file, std::string name) {
    std::string text = testing_support::read_file(file);
    const std::size_t names = text.find("\n==names.dat==\n");
    if (names != std::string::npos) text.resize(names + 1);
    texts.emplace_back(std::move(name), std::move(text));
  };
  for (const char* example : {"sample/sample.dat", "si_units/raft.dat", "large/large.dat"})
    add(fs::path(SETTLE_EXAMPLES) / example, example);
  for (const auto& entry : fs::directory_iterator(fs::path(SETTLE_TEST_DATA) / "e2e"))
    if (fs::exists(entry.path() / "problem.dat"))
      add(entry.path() / "problem.dat", "e2e/" + entry.path().filename().string());
  for (const auto& entry : fs::directory_iterator(SETTLE_FUZZ_CORPUS))
    add(entry.path(), "corpus/" + entry.path().filename().string());
  std::sort(texts.begin(), texts.end());
  return texts;
}

run::ProblemAnalysis archived_run(const std::string& text) {
  std::istringstream in(text);
  layout::RecordReader input(in, 5, "problem.dat");
  return run::analyse_problem(problem::read_problem(input, nullptr));
}

bool same_bits(double widened, float value) {
  return std::bit_cast<std::uint32_t>(static_cast<float>(widened)) ==
         std::bit_cast<std::uint32_t>(value);
}

TEST(ClassicProject, EveryProblemReadWithoutAStopGivesTheArchivedNumbersThroughAProjectFile) {
  int compared = 0;
  for (const auto& [name, text] : problem_texts()) {
    SCOPED_TRACE(name);
    run::ProblemAnalysis archived;
    try {
      archived = archived_run(text);
    } catch (const layout::FatalError&) {
      continue;
    }
    if (archived.stopped()) continue;
    const problem::ProjectConversion converted = problem::to_project(*archived.problem);
    for (const project::Form form : {project::Form::kToml, project::Form::kJson}) {
      const std::string file = project::write_project_text(converted.project, form);
      const run::ProjectAnalysis project = run::analyse_project_text(file, form);
      ASSERT_FALSE(project.stopped())
          << (project.diagnostics.empty()
                  ? std::string()
                  : project.diagnostics.front().path + ": " + project.diagnostics.front().message)
          << "\n"
          << file;
      const analysis::SiteResults& results = *project.results;
      ASSERT_EQ(results.points.size(),
                static_cast<std::size_t>(archived.results->total_settlement.count()));
      for (std::size_t j = 0; j < results.points.size(); ++j) {
        const int p = static_cast<int>(j) + 1;
        ASSERT_TRUE(same_bits(results.points[j].settlement, archived.results->total_settlement[p]))
            << "point " << p;
        for (std::size_t s = 0; s < results.points[j].settlement_of.size(); ++s) {
          const int m = static_cast<int>(s) + 1;
          ASSERT_TRUE(same_bits(results.points[j].settlement_of[s],
                                archived.results->sublayer_settlement[p][m]))
              << "point " << p << " sublayer " << m;
          ASSERT_TRUE(same_bits(results.points[j].stress_increase[s],
                                archived.results->average_stress_increase[p][m]))
              << "point " << p << " sublayer " << m;
        }
      }
    }
    ++compared;
  }
  // The examples, most end-to-end cases and much of the corpus read without a stop.
  EXPECT_GT(compared, 60);
}

}  // namespace
