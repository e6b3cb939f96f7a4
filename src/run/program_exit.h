// How a run of settle or settle-plot ends: its exit status, and the one-line
// report of a fatal run-time error.
#pragma once

#include <functional>
#include <ostream>

namespace run {

enum ExitStatus : int {
  kNormalEnd = 0,   // the analysis is complete (warnings included)
  kFatalError = 1,  // a file that cannot be opened, read or written, a bad value
  kWrongCommandLine = 2,
  kStoppedOnData = 0,  // the problem's data stopped the run; its reasons are reported
};

// Runs `body` and returns its exit status; a fatal run-time error thrown by it
// is reported on `console` in its one line and ends with kFatalError.
int with_fatal_report(std::ostream& console, const std::function<int()>& body);

}  // namespace run
