// The isochrones of one point of a site project: its excess pore pressure
// against depth at each output time, one line per time.
#pragma once

#include <cstddef>

#include "analysis/site_results.h"
#include "plot/xml_writer.h"
#include "site/project.h"

namespace plot {

// An SVG chart (class "isochrones", data-point its label) of the excess pore
// pressure at the sublayer centres under point `point` (from 0) of `results`,
// depth downward: a polyline of class "isochrone" (data-time the time) per
// output time, a legend entry (class "isochrone-legend-entry") per line.
// Nothing is written when the point has no history.
void write_isochrones(XmlWriter& out, const site::Project& project,
                      const analysis::SiteResults& results, std::size_t point);

}  // namespace plot
