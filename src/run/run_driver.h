// The run driver: learns the file names from names.dat, opens the files and
// runs the fixed sequence of reading, analysis and report steps.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace run {

// Runs one problem in the current directory, echoing to `console`. Returns
// the exit status of a normal end (0) or of a stop on the problem's data (3);
// a fatal run-time error is thrown as layout::FatalError after every open
// file is closed.
int run_settle(std::ostream& console);

// Reads and checks the problem in `file` (or the one names.dat names) and
// shows its warnings and the reasons of a stop on `console`, writing no file.
// Returns 0, or 3 when the problem's data would stop a run.
int check_problem(std::ostream& console, const std::optional<std::string>& file);

// The program's entry point: the command line, the run, and the report of a
// fatal run-time error (exit status 1).
int main_entry(int argc, char** argv);

}  // namespace run
