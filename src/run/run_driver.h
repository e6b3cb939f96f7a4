// The run driver: learns the file names from names.dat, opens the files and
// runs the fixed sequence of reading, analysis and report steps.
#pragma once

#include <ostream>

namespace run {

// Runs one problem in the current directory, echoing to `console`. Returns
// the exit status of a normal end or an orderly stop (0); a fatal run-time
// error is thrown as layout::FatalError after every open file is closed.
int run_settle(std::ostream& console);

// The program's entry point: the command line, the run, and the one-line
// report of a fatal run-time error (exit status 1).
int main_entry(int argc, char** argv);

}  // namespace run
