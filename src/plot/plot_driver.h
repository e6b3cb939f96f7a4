// The settle-plot run: the problem read and analysed as settle does it, the
// result written as one HTML page instead of the report files.
#pragma once

#include <ostream>
#include <string>

namespace plot {

// The page written when no name is given.
constexpr const char* kDefaultPageName = "settlement.html";

// Runs the problem named in names.dat in the current directory and writes the
// page to `page_name`, echoing to `console` as settle does. Returns the exit
// status: 0 after a page or an orderly stop, 1 when the page cannot be
// written; a fatal run-time error is thrown as layout::FatalError.
int run_plot(std::ostream& console, const std::string& page_name);

// The program's entry point: the command line, the run, and the one-line
// report of a fatal run-time error (exit status 1).
int main_entry(int argc, char** argv);

}  // namespace plot
