// The loads of a site project as the plan and the section draw them: every
// kind from its plan outline, a strip across the whole map, an embankment's
// crest inside its toe, and the stretches of a line that run over a load.
#pragma once

#include <string>
#include <vector>

#include "loads/load.h"
#include "plot/area_outline.h"
#include "plot/page_text.h"
#include "plot/plan_frame.h"
#include "plot/plan_point.h"
#include "plot/xml_writer.h"

namespace plot {

// The load's label on the plan and in the tables: its name, else "L" and its
// position among the loads (from 1).
std::string load_label(const loads::Load& load, std::size_t position);

// What the load is and how much: "circle, 120 kPa", "embankment 3 m high of
// 19 kN/m3".
std::string load_description(const loads::Load& load, const UnitNames& units);

// The outline drawn of the load over `world`: its plan outline, a strip's
// the band of its width across the whole of `world`. A ring clipped to the
// box; empty when the load lies outside it.
std::vector<PlanPoint> drawn_ring(const loads::Load& load, const PlanBox& world);

// The ring `ring` cut to the box (Sutherland-Hodgman: the box is convex).
std::vector<PlanPoint> clipped_to_box(const std::vector<PlanPoint>& ring, const PlanBox& box);

// The stretches of the line from `a` to `b` inside the simple polygon `ring`
// (either orientation, convex or not), as fractions of the line's length in
// increasing order; touching the outline at a point counts for nothing.
std::vector<Stretch> stretches_inside(const std::vector<PlanPoint>& ring, const PlanPoint& a,
                                      const PlanPoint& b);

// The load drawn on the plan as one <g class="load KIND">, its title saying
// what it is. REQUIRES: frame.world holds the map drawn.
void write_plan_load(XmlWriter& out, const PlanFrame& frame, const loads::Load& load,
                     const std::string& label, const UnitNames& units);

}  // namespace plot
