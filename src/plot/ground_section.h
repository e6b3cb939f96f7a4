// The ground along the section: the layers of the site project to scale in
// depth under the section's line, the water table at the start and at the
// end, the piezometric heads of layers that have their own, and the loads
// the line crosses on the surface.
#pragma once

#include "plot/project_page_input.h"
#include "plot/section.h"
#include "plot/xml_writer.h"

namespace plot {

// The depth range drawn: from the highest of the ground, the water tables
// and the heads (heads above the ground are negative depths) to the base of
// the lowest layer.
struct GroundDepths {
  double top = 0.0;
  double bottom = 1.0;
};
GroundDepths ground_depths(const site::Project& project);

// Writes the ground along `section` as one <svg class="ground-section">,
// its distance axis aligned with the section's chart above it.
void write_ground_section(XmlWriter& out, const site::Project& project, const Section& section);

}  // namespace plot
