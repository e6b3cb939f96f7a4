// The settlement in time of a site project's points: one line of total
// settlement against log time for every point with a history, labelled in a
// legend beside the chart.
#pragma once

#include <string>

#include "analysis/site_results.h"
#include "plot/xml_writer.h"
#include "site/project.h"

namespace plot {

// The project's time unit, in the plural ("days", "months", "years").
std::string time_unit_text(const site::Project& project);

// A time as the page shows it: up to four significant figures.
std::string time_text(double time);

// An SVG chart (class "time-curves") of the total settlement of every point
// of `results` that has a history, against the log of time: a polyline of
// class "time-curve" per point (data-point its label) through its output
// times after 0, a legend entry (class "time-legend-entry") per line. Nothing
// is written when no point has a state after time 0.
void write_time_curves(XmlWriter& out, const site::Project& project,
                       const analysis::SiteResults& results);

// The colour of the `k`th line of a chart (from 0), repeating after eight.
std::string line_colour(std::size_t k);

}  // namespace plot
