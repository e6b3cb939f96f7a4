// Placeholder until implemented.
#include "analysis/settlement.h"

namespace analysis {
void compute_settlement(const problem::ProblemData&, AnalysisResults&, layout::RecordWriter&) {}
}  // namespace analysis
