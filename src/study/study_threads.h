// A study run on the threads of one process: batches of consecutive samples
// taken in turn by each thread, gathered into one collection.
#pragma once

#include "study/study_summary.h"

namespace study {

// The samples of a batch when `threads` share `samples`: small enough that
// the threads finish together, large enough that taking a batch costs
// nothing beside it.
std::int64_t batch_size_for(std::int64_t samples, unsigned threads);

// Every sample of the setup, on `threads` threads (at least 1), collected.
// The figures do not depend on `threads`. An exception of a thread is
// rethrown here once all have stopped.
StudyCollection run_on_threads(const StudySetup& setup, unsigned threads);

}  // namespace study
