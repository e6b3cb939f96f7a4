// The checks of a site project, in one ordered list: what the file's form
// and schema cannot see (a soil that does not exist, bottoms out of order,
// names given twice, what the classic method cannot take), each naming its
// key, its line and the value.
#pragma once

#include <vector>

#include "site/diagnostic.h"
#include "site/project.h"
#include "site/value_tree.h"

namespace site {

// The limits of a project, so that memory follows what the project holds and
// an absurd count is refused before it is taken.
constexpr long long kMaxSublayers = 1'000'000;
constexpr long long kMaxSublayerPoints = 200'000'000;  // sublayers x points of one analysis

// Every error and warning of `project`, in the order of the file's tables:
// the analysis, groundwater, soils, layers, points, loads, time and study.
// `lines` gives each diagnostic its line where the form has lines.
std::vector<Diagnostic> check_project(const Project& project, const TreeLines& lines = {});

// The sublayers of a layer of thickness `thickness` cut no thicker than
// `max_sublayer`: ceil(thickness / max_sublayer - 1e-9), at least 1.
long long exact_sublayer_count(double thickness, double max_sublayer);

}  // namespace site
