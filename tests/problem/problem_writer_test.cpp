#include "problem/problem_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "layout/fatal_error.h"
#include "problem/problem_reader.h"
#include "support/problem_differences.h"
#include "support/problem_reading.h"
#include "support/record_lines.h"
#include "support/run_in_folder.h"
#include "support/sample_problem.h"

namespace problem {
namespace {

namespace fs = std::filesystem;

std::string written(const ProblemData& problem) {
  std::ostringstream out;
  const std::optional<UnwritableValue> fault = write_problem(out, problem);
  EXPECT_FALSE(fault) << describe(*fault);
  return out.str();
}

using testing_support::bits;
using testing_support::differences;

// The kind of each stop, and the areas a data-error stop lists.
std::string stop_summary(const std::optional<InputFault>& stop) {
  if (!stop) return "none";
  if (const auto* errors = std::get_if<DataErrors>(&*stop)) {
    std::string summary = "data errors:";
    for (const auto* list : {&errors->wrong_shape, &errors->off_boundary}) {
      for (const ListedArea& area : *list) {
        summary += " " + std::to_string(area.position) + "/" + std::string(area.area_id.view()) +
                   "/" + std::to_string(area.shape) + "/" + std::to_string(bits(area.elevation));
      }
      summary += ";";
    }
    return summary;
  }
  if (const auto* fault = std::get_if<PressureFault>(&*stop)) {
    return "pressure " + std::to_string(fault->curve) + "/" + std::to_string(fault->row);
  }
  return "limit";
}

// The warnings without their lines, which a rewritten file may move.
std::vector<std::string> warning_summary(const std::vector<InputWarning>& warnings) {
  std::vector<std::string> summary;
  for (const InputWarning& w : warnings) {
    summary.push_back(std::to_string(static_cast<int>(w.kind)) + " " + std::to_string(w.position) +
                      " " + std::to_string(w.number) + " " + std::to_string(w.count) + " " +
                      std::to_string(bits(w.value)) + " " + std::to_string(bits(w.other)));
  }
  return summary;
}

enum class RoundTrip { kSame, kNotReadable, kStoppedAtALimit };

// Reads `file`, writes what was read, reads that back and compares: the
// problem bit for bit, the stop, and the warnings other than values left
// over (the writer leaves none). A second writing gives the same text.
RoundTrip round_trip(const std::string& file) {
  ReadResult first;
  try {
    first = testing_support::read_problem_text(file);
  } catch (const layout::FatalError&) {
    return RoundTrip::kNotReadable;
  }
  if (first.stop && std::holds_alternative<LimitFault>(*first.stop)) {
    return RoundTrip::kStoppedAtALimit;
  }
  const std::string text = written(*first.problem);
  ReadResult second;
  try {
    second = testing_support::read_problem_text(text);
  } catch (const layout::FatalError& error) {
    ADD_FAILURE() << "the written file does not read: " << error.report() << "\n"
                  << error.where() << "\n"
                  << text;
    return RoundTrip::kSame;
  }
  for (const std::string& difference : differences(*first.problem, *second.problem)) {
    ADD_FAILURE() << difference;
  }
  EXPECT_EQ(stop_summary(first.stop), stop_summary(second.stop));
  std::erase_if(first.warnings,
                [](const InputWarning& w) { return w.kind == InputWarningKind::kValuesLeftOver; });
  EXPECT_EQ(warning_summary(first.warnings), warning_summary(second.warnings));
  EXPECT_EQ(written(*second.problem), text);
  return RoundTrip::kSame;
}

TEST(ProblemWriter, EveryExampleAndEndToEndCaseReadsBackToTheSameValues) {
  // The cases whose file does not read, or whose reading stops at a limit of
  // the data model (past which the tables do not hold what the file says).
  const std::map<std::string, RoundTrip> not_written = {
      {"bad_number", RoundTrip::kNotReadable},
      {"bad_number_keeps_outputs", RoundTrip::kNotReadable},
      {"end_of_file", RoundTrip::kNotReadable},
      {"curve_limit", RoundTrip::kStoppedAtALimit},
      {"depth_reference", RoundTrip::kStoppedAtALimit},
      {"layer_limit", RoundTrip::kStoppedAtALimit},
  };
  int same = 0;
  for (const fs::path& folder : testing_support::reviewed_case_folders(
           SETTLE_EXAMPLES, fs::path(SETTLE_TEST_DATA) / "e2e")) {
    const std::string name = folder.filename().string();
    SCOPED_TRACE(name);
    const auto expected = not_written.find(name);
    const RoundTrip outcome =
        round_trip(testing_support::read_file(folder / testing_support::case_problem_file(folder)));
    EXPECT_EQ(outcome, expected == not_written.end() ? RoundTrip::kSame : expected->second);
    if (outcome == RoundTrip::kSame) ++same;
  }
  EXPECT_GE(same, 15);
}

// The fuzzing corpus: odd values, texts and counts that the examples lack.
TEST(ProblemWriter, EveryReadableFuzzingInputReadsBackToTheSameValues) {
  int same = 0;
  for (const auto& entry : fs::directory_iterator(SETTLE_FUZZ_CORPUS)) {
    SCOPED_TRACE(entry.path().filename().string());
    std::string input = testing_support::read_file(entry.path());
    // An input may carry names.dat after a separator line.
    const std::size_t names = input.find("\n==names.dat==\n");
    if (names != std::string::npos) input.resize(names);
    if (round_trip(input) == RoundTrip::kSame) ++same;
  }
  EXPECT_GE(same, 50);
}

TEST(ProblemWriter, WritesTheRecordsInTheReadersOrderWithCrLfLineEnds) {
  const ReadResult r = testing_support::read_problem_text(testing_support::kSampleProblem);
  const std::string text = written(*r.problem);
  const std::vector<std::string> expected = {
      std::string("SAMPLE FOUNDATION").append(51, ' ') + "\r",
      std::string("TWO CLAY LAYERS").append(53, ' ') + "\r",
      "1\r",
      "2 2 1 1\r",
      "1 4 120 1 1\r",
      "2 10 115 2 0.8\r",
      "1 3\r",
      std::string("LABORATORY TEST, BORING 1").append(35, ' ') + "\r",
      "1 0.5\r",
      "3 2\r",
      "8 8\r",
      "2 0\r",
      std::string("ESTIMATED").append(51, ' ') + "\r",
      "2.5\r",
      "1 0 0 1\r",
      "A1  \r",
      "1 0 0 10 20 0 2 0\r",
      "1\r",
      "2\r",
      "1 5 5 4 4 0 0 6 3\r",
  };
  EXPECT_EQ(testing_support::lines_of(text), expected);
}

// A problem of one S.I. layer with `unit_weight` stored, and one curve.
std::unique_ptr<ProblemData> one_layer(float unit_weight, float strain) {
  auto problem = std::make_unique<ProblemData>();
  set_unit_system(*problem, kSiAbsolute);
  problem->layer_count = 1;
  problem->layers[1] = {1, 4.0f, unit_weight, 1, 1.0f};
  problem->boundary_depths[1] = 4.0f;
  problem->curve_count = 1;
  problem->curves[1].curve_number = 1;
  problem->curves[1].point_count = 2;
  problem->curves[1].strain[1] = strain;
  problem->curves[1].strain[2] = 0.05f;
  problem->curves[1].pressure[1] = 1.0f;
  problem->curves[1].pressure[2] = 10.0f;
  return problem;
}

// Whether any float within 64 ulps of `guess` converts to `stored`: a search
// far wider than the writer's.
template <typename Convert>
bool reachable(float stored, float guess, const Convert& convert) {
  float candidate = guess;
  for (int k = 0; k < 64; ++k) candidate = std::nextafter(candidate, -INFINITY);
  for (int k = 0; k <= 128; ++k, candidate = std::nextafter(candidate, INFINITY)) {
    if (bits(convert(candidate)) == bits(stored)) return true;
  }
  return false;
}

// Consecutive stored values: each one that some value read gives is written
// and read back; each one that none gives is refused, naming the field.
TEST(ProblemWriter, ConvertedValuesAreWrittenExactlyWhenAFileCanGiveThem) {
  int refused = 0;
  int accepted = 0;
  float weight = 1835.5f;  // about 18 kN/m3
  float strain = 0.0123f;
  for (int step = 0; step < 400; ++step) {
    weight = std::nextafter(weight, INFINITY);
    strain = std::nextafter(strain, INFINITY);
    const auto problem = one_layer(weight, strain);
    std::ostringstream out;
    const std::optional<UnwritableValue> fault = write_problem(out, *problem);
    const bool weight_ok = reachable(weight, weight / kMassDensityPerUnitWeight,
                                     [](float r) { return r * kMassDensityPerUnitWeight; });
    const bool strain_ok = reachable(strain, strain * 100.0f, [](float r) { return r / 100.0f; });
    SCOPED_TRACE(step);
    if (weight_ok && strain_ok) {
      ++accepted;
      ASSERT_FALSE(fault) << describe(*fault);
      const ReadResult back = testing_support::read_problem_text(out.str());
      EXPECT_EQ(bits(back.problem->layers[1].unit_weight), bits(weight));
      EXPECT_EQ(bits(back.problem->curves[1].strain[1]), bits(strain));
      continue;
    }
    ++refused;
    ASSERT_TRUE(fault);
    EXPECT_TRUE(out.str().empty());
    if (!weight_ok) {
      EXPECT_EQ(fault->table, "layers");
      EXPECT_EQ(fault->field, "unit_weight");
    } else {
      EXPECT_EQ(fault->table, "curves");
      EXPECT_EQ(fault->field, "strain");
      EXPECT_EQ(fault->index, 1);
    }
    EXPECT_EQ(fault->position, 1);
  }
  // Both kinds occur: a product with 101.972 or a division by 100 misses
  // some floats and hits others twice.
  EXPECT_GT(refused, 0);
  EXPECT_GT(accepted, 0);
}

TEST(ProblemWriter, ExtremeValuesThatAFileGivesReadBack) {
  // An S.I. unit weight so large that its conversion overflows, a strain
  // below the normal range, a negative zero and the largest coordinate.
  std::string file =
      "EXTREMES\n"
      "\n"
      "2\n"
      "1 1 1 0\n"
      "1 4.0 3.4e38 1 1.0\n"
      "1 2\n"
      "\n"
      "1e-43 -0.0\n"
      "5.0 2.0\n"
      "1 3.4028235e38 -0 1\n"
      "0\n"
      "0\n";
  EXPECT_EQ(round_trip(file), RoundTrip::kSame);
  const ReadResult r = testing_support::read_problem_text(file);
  EXPECT_TRUE(std::isinf(r.problem->layers[1].unit_weight));
  EXPECT_TRUE(std::signbit(r.problem->points[1].y));
}

TEST(ProblemWriter, TextsKeepEveryCharacterOfTheirColumns) {
  const ReadResult r = testing_support::read_problem_text(testing_support::kSampleProblem);
  ProblemData problem = *r.problem;
  testing_support::set_text(problem.title[0], std::string(67, 'x') + "\r");
  testing_support::set_text(problem.curves[1].source_text, "\ttab, and a , comma / slash");
  testing_support::set_text(problem.areas[1].area_id, " / ,");
  const ReadResult back = testing_support::read_problem_text(written(problem));
  EXPECT_EQ(differences(problem, *back.problem), std::vector<std::string>());
}

TEST(ProblemWriter, SpreadAreasBeforeTheTableAreWrittenToBeDropped) {
  // A regular-area count of -1: the first spread area is read and dropped.
  const std::string file =
      "NEGATIVE AREA COUNT\n\n1\n1 1 1 -1\n1 4 120 1 1\n1 0\n\n2.5\n1 0 0 1\n"
      "2\n1\n1 9 9 9 9 9 9 9 9\n2 5 5 4 4 0 0 6 3\n";
  EXPECT_EQ(round_trip(file), RoundTrip::kSame);
  const ReadResult r = testing_support::read_problem_text(file);
  EXPECT_EQ(bits(r.problem->areas[1].x), bits(5.0f));
}

TEST(ProblemWriter, RefusesValuesThatNoFileGives) {
  struct Case {
    int line;
    void (*change)(ProblemData&);
    std::string expected;
  };
  const Case cases[] = {
      {__LINE__, [](ProblemData& p) { p.points[1].x = NAN; },
       "points[1].x: is not a finite number"},
      {__LINE__, [](ProblemData& p) { p.areas[1].loading = INFINITY; },
       "areas[1].loading: is not a finite number"},
      {__LINE__, [](ProblemData& p) { p.layers[2].unit_weight = NAN; },
       "layers[2].unit_weight: is not a finite number"},
      {__LINE__, [](ProblemData& p) { p.curves[1].strain[2] = NAN; },
       "curves[1].strain[2]: no value read, divided by 100, gives nan"},
      {__LINE__, [](ProblemData& p) { p.curves[1].pressure[3] = -INFINITY; },
       "curves[1].pressure[3]: is not a finite number"},
      {__LINE__, [](ProblemData& p) { p.curves[2].slope = NAN; },
       "curves[2].slope: no value read, divided by 100, gives nan"},
      {__LINE__, [](ProblemData& p) { p.title[1].chars[3] = '\n'; }, "title[1]: holds a line feed"},
      {__LINE__, [](ProblemData& p) { p.curves[1].point_count = 49; },
       "curves[1].point_count: 49 is more than the 48 points the table holds"},
      {__LINE__, [](ProblemData& p) { p.layer_count = 26; },
       "layer_count: 26 is more than the 25 layers the table holds"},
      {__LINE__, [](ProblemData& p) { p.spread_area_count = 150; },
       "spread_area_count: 151 is more than the 150 areas (regular and spread) the table holds"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ProblemData problem =
        *testing_support::read_problem_text(testing_support::kSampleProblem).problem;
    c.change(problem);
    std::ostringstream out;
    const std::optional<UnwritableValue> fault = write_problem(out, problem);
    ASSERT_TRUE(fault);
    EXPECT_EQ(describe(*fault), c.expected);
    EXPECT_TRUE(out.str().empty());
  }
}

}  // namespace
}  // namespace problem
