// The key at the top of the plan: the settlement bands with their contour
// levels, and a sample of every kind of line and mark the plan draws.
#pragma once

#include <cstdint>

#include "plot/settlement_map.h"
#include "plot/xml_writer.h"

namespace plot {

// The colours and strokes the plan and its key share.
inline constexpr const char* kContourColour = "#303030";
inline constexpr const char* kFlaggedPairColour = "#5e3c99";
inline constexpr const char* kSectionColour = "#000000";

// Writes the key across the top `width` pixels of the plan's SVG; returns the
// height it takes.
double write_map_legend(XmlWriter& out, const SettlementMap& map, std::int32_t unit_system,
                        bool has_spread_areas, double width);

}  // namespace plot
