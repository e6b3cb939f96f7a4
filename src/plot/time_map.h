// A map over the plan of the time to a share of the primary settlement (t90
// on the page): each grid node's cell coloured by its band, a legend of the
// bands in the project's time unit, the nodes that never reach the share left
// blank.
#pragma once

#include <vector>

#include "analysis/settlement_grid.h"
#include "plot/xml_writer.h"
#include "site/project.h"

namespace plot {

// An SVG map (class "time-map") of `times` (one per node of `grid`, row by
// row from y0 up; not a number where the share is never reached): a square
// of class "time-cell" per node with a time, centred on it, filled with its
// band's colour; the project's points marked; a legend entry (class
// "time-band") per band. Nothing is written when no node has a time.
void write_time_map(XmlWriter& out, const site::Project& project, const analysis::PlanGrid& grid,
                    const std::vector<float>& times);

}  // namespace plot
