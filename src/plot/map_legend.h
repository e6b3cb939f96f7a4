// The key at the top of the plan: the settlement bands with their contour
// levels, and a sample of every kind of line and mark the plan draws.
#pragma once

#include <cstdint>
#include <string>

#include "plot/settlement_map.h"
#include "plot/xml_writer.h"

namespace plot {

// The colours and strokes the plan and its key share.
inline constexpr const char* kContourColour = "#303030";
inline constexpr const char* kFlaggedPairColour = "#5e3c99";
inline constexpr const char* kSectionColour = "#000000";

// The stroke width of the pairs beyond the distortion limit: thick, and less
// so when so many are flagged that they would hide the map.
std::string flagged_pair_width(const SettlementMap& map);

// Writes the key across the top `width` pixels of the plan's SVG; returns the
// height it takes.
double write_map_legend(XmlWriter& out, const SettlementMap& map, std::int32_t unit_system,
                        bool has_spread_areas, double width);

}  // namespace plot
