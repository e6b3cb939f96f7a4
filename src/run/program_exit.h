// How a run of settle or settle-plot ends: its exit status, and the report of
// a fatal run-time error.
#pragma once

#include <functional>
#include <ostream>
#include <string_view>

namespace run {

enum ExitStatus : int {
  kNormalEnd = 0,         // the analysis is complete (warnings included)
  kFatalError = 1,        // a file that cannot be opened, read or written, a bad value
  kWrongCommandLine = 2,  // an argument not understood
  kStoppedOnData = 3,     // the problem's data stopped the run; its reasons are reported
};

// Makes the standard streams write the program's bytes unchanged: on Windows
// they would turn each line feed into CR LF, and the console's records end
// with a line feed alone on every system. Called first thing in main.
void keep_console_bytes();

// Runs `body` and returns its exit status. A fatal run-time error thrown by it
// is reported on `console` in its line "PROGRAM: severe (N): TEXT", followed,
// for a read, by the line that says where, and by the note of what the run
// left of its files; it ends with kFatalError. An interrupt thrown by it
// (run::Interrupted) ends with its message and kInterruptedStatus.
int with_fatal_report(std::string_view program, std::ostream& console,
                      const std::function<int()>& body);

}  // namespace run
