// The words of the program's own console messages about a problem: what is
// wrong with a value, what the program does with it and how it changes the
// result. The console and the page of settle-plot show them; the report is
// left as it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/analysis_results.h"
#include "analysis/classic_profile.h"
#include "problem/input_fault.h"
#include "problem/input_warning.h"
#include "problem/problem_data.h"
#include "problem/source_lines.h"

namespace report {

// The text of `warning` for a problem in `unit_system`.
std::string input_warning_text(const problem::InputWarning& warning, std::int32_t unit_system);

// A point whose final pressures fell outside their curves, in words.
struct PointWarningText {
  int point = 0;  // position
  int line = 0;   // of the point's record
  std::string text;
};

// One text for every point with strain warnings, in point order.
std::vector<PointWarningText> strain_warning_texts(const problem::ProblemData& problem,
                                                   const problem::SourceLines& lines,
                                                   const analysis::ClassicProfile& profile,
                                                   const analysis::AnalysisResults& results);

// A fault that stops the run, as lines for a console that shows no report:
// each names the line of the problem file it is about.
struct FaultText {
  int line = 0;
  std::string text;
};
std::vector<FaultText> input_fault_texts(const problem::ProblemData& problem,
                                         const problem::InputFault& fault);

}  // namespace report
