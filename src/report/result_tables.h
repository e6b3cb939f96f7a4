// Tables 6 and 7: average stress increases and settlements, in blocks of 7
// points and pages of 18 sublayers, and the strain warnings between them.
#pragma once

#include "analysis/analysis_results.h"
#include "analysis/classic_profile.h"
#include "layout/record_writer.h"
#include "problem/problem_data.h"

namespace report {

void write_table_6(layout::RecordWriter& report, const problem::ProblemData& problem,
                   const analysis::ClassicProfile& profile,
                   const analysis::AnalysisResults& results);
// One warning block of six records for every strain warning, in the order of
// the analysis: point by point, sublayer by sublayer.
void write_strain_warnings(layout::RecordWriter& report, const analysis::AnalysisResults& results);

// Table 7, with the point records of `aux` after each block's total row.
void write_table_7(layout::RecordWriter& report, layout::RecordWriter& aux,
                   const problem::ProblemData& problem, const analysis::ClassicProfile& profile,
                   const analysis::AnalysisResults& results);

}  // namespace report
