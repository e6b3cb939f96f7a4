// A load of the site: one type per kind. Every dispatch over the kinds is a
// std::visit without a default, so a kind left out of one does not compile.
#pragma once

#include <variant>

#include "loads/circle.h"
#include "loads/embankment.h"
#include "loads/load_problem.h"
#include "loads/plan_shape.h"
#include "loads/polygon.h"
#include "loads/rectangle.h"
#include "loads/spread_area.h"
#include "loads/strip.h"

namespace loads {

using Load = std::variant<Rectangle, Circle, SpreadArea, Polygon, Strip, Embankment>;

// For std::visit with one lambda per kind.
template <typename... Calls>
struct Overloaded : Calls... {
  using Calls::operator()...;
};
template <typename... Calls>
Overloaded(Calls...) -> Overloaded<Calls...>;

// The problems of the load's own fields, by its kind's check_fields.
LoadProblems check_fields(const Load& load);

// The load's plan outline, by its kind's plan_outline.
Outline plan_outline(const Load& load);

}  // namespace loads
