// The settle-plot run: the problem read and analysed as settle does it, the
// result written as one HTML page instead of the report files.
#pragma once

#include <ostream>

#include "plot/plot_options.h"

namespace plot {

// Runs the problem named in names.dat in the current directory and writes the
// page (and the grid's CSV and the plan's SVG when asked for), echoing to
// `console` as settle does. Returns the exit status: 0 after a page, 3 after
// a stop on the problem's data, 1 when a file cannot be written; a fatal
// run-time error is thrown as layout::FatalError.
int run_plot(std::ostream& console, const PlotOptions& options);

// The program's entry point: the command line, the run, and the report of a
// fatal run-time error (exit status 1).
int main_entry(int argc, char** argv);

}  // namespace plot
