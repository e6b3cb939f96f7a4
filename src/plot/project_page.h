// The page of a site project: what the project is, the settlement map with
// every load drawn, the section with the ground and its water under it, the
// effective stresses with depth under a point, and the tables.
#pragma once

#include <ostream>

#include "plot/project_page_input.h"
#include "plot/settlement_map.h"

namespace plot {

// Writes the page. `map` is contoured_map of the input's grid with its points
// and distortion, worked out once for the page and the plan's SVG file.
void write_project_page(std::ostream& out, const ProjectPageInput& input, const SettlementMap& map);

// Writes the plan alone as a standalone SVG file.
void write_project_plan_file(std::ostream& out, const ProjectPageInput& input,
                             const SettlementMap& map);

}  // namespace plot
