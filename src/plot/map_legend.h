// The panel right of the plan's frame: the north arrow, the key of the bands
// with their contour levels and of every kind of line and mark the plan
// draws, and the title block that ties a drawing pasted into a report to its
// input (title, file, SHA-256, units, the start layer, program and date).
#pragma once

#include <string>

#include "plot/label_placer.h"
#include "plot/settlement_map.h"
#include "plot/xml_writer.h"
#include "problem/problem_data.h"

namespace plot {

// The colours and strokes the plan and its key share.
inline constexpr const char* kContourColour = "#303030";
inline constexpr const char* kFlaggedPairColour = "#5e3c99";
inline constexpr const char* kSectionColour = "#000000";

// The stroke width of the pairs beyond the distortion limit: thick, and less
// so when so many are flagged that they would hide the map.
std::string flagged_pair_width(const SettlementMap& map);

// True for a point counted from another start layer than the map's nodes:
// its total is not a value of the map's surface, and the plan marks it.
bool counted_otherwise(const SettlementMap& map, const PagePoint& point);

// Writes the panel inside `panel` (pixels of the plan's SVG).
void write_map_legend(XmlWriter& out, const problem::ProblemData& problem, const SettlementMap& map,
                      const Box& panel);

}  // namespace plot
