// settle-plot on a site project file: the project read, checked and analysed
// by its method as settle does it, and drawn as one page.
#pragma once

#include <ostream>
#include <string>

#include "plot/plot_options.h"

namespace plot {

// Draws the project file options.project into options.page (and the grid's
// CSV and the plan's SVG when asked for). Every diagnostic goes to `console`
// as settle words it; returns 0 after a page, 3 when the project's data stop
// the run (an error among the diagnostics; no page), 2 for an option that
// means nothing for the project, 1 when a file cannot be written.
// `date` (yyyy-mm-dd) goes into the title block. REQUIRES: options.project.
int run_project_plot(std::ostream& console, const PlotOptions& options, const std::string& date);

}  // namespace plot
