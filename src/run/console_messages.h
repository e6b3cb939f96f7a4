// The run's own console messages, apart from the input echo.
#pragma once

#include "layout/record_writer.h"

namespace run {

// "DATA ERRORS": names.dat did not supply all four names.
void announce_data_errors(layout::RecordWriter& console);
// "EXECUTION IN PROGRESS" and an empty line: the files are open.
void announce_execution(layout::RecordWriter& console);

}  // namespace run
