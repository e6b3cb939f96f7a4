// A load of the site: one type per kind. Every dispatch over the kinds is a
// std::visit without a default, so a kind left out of one does not compile.
#pragma once

#include <variant>

#include "loads/circle.h"
#include "loads/embankment.h"
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

}  // namespace loads
