// A load as the classic method takes it: the kinds the archived file holds,
// prepared in single precision.
#pragma once

#include <optional>
#include <span>
#include <variant>

#include "loads/load.h"

namespace loads {

using ClassicLoad = std::variant<ClassicRectangle, ClassicCircle, ClassicSpread>;

// The classic form of `load`; none for a kind the archived method has not
// (the project's checks refuse those with the classic method).
std::optional<ClassicLoad> classic_form(const Load& load);

// Adds the load's stress increase at the plan point (x, y) and each of
// `depths` to `row`.
void add_classic_stress(const ClassicLoad& load, float x, float y, std::span<const float> depths,
                        std::span<float> row);

}  // namespace loads
