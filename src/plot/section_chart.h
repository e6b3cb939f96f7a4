// The section drawn as a chart: the settlement along the line against the
// distance from its start A, the settlement axis downward as the ground
// settles, and the loaded areas it crosses marked above the chart.
#pragma once

#include <functional>
#include <string>

#include "plot/page_text.h"
#include "plot/section.h"
#include "plot/xml_writer.h"
#include "problem/problem_data.h"

namespace plot {

// Writes the chart of `section` as one <svg> element.
// REQUIRES: section.samples holds at least two samples.
void write_section_chart(XmlWriter& out, const problem::ProblemData& problem,
                         const Section& section);

// The same for any loads: `label_of` names the load of a crossing's `area`.
void write_section_chart(XmlWriter& out, const UnitNames& units,
                         const std::function<std::string(int)>& label_of, const Section& section);

}  // namespace plot
