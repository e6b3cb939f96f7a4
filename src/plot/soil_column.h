// The soil column beside the depth profiles: the layers to the profiles'
// depth scale, each with its number, its bottom depth and its curve.
#pragma once

#include "analysis/classic_profile.h"
#include "plot/xml_writer.h"
#include "problem/problem_data.h"

namespace plot {

// Writes the column as one <svg> element as tall as a profile. A band per
// layer shows its number and the position of its compressibility curve (as
// Table 2 shows it), its bottom depth at its lower boundary; where the
// sublayers end above the last layer's bottom, a line marks it.
void write_soil_column(XmlWriter& out, const problem::ProblemData& problem,
                       const analysis::ClassicProfile& profile);

}  // namespace plot
