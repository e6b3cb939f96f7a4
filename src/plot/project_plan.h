// The plan of a site project: the settlement map in bands and contours, every
// load drawn from its plan outline, the points, the pairs beyond the
// distortion limit and the section's line, with labels that find room.
#pragma once

#include "plot/project_page_input.h"
#include "plot/settlement_map.h"
#include "plot/xml_writer.h"

namespace plot {

// Writes the plan as one <svg class="plan settlement-map">, its key at the
// right. `map` is contoured_map of the input's grid, its points and
// distortion filled in.
void write_project_plan(XmlWriter& out, const ProjectPageInput& input, const SettlementMap& map);

}  // namespace plot
