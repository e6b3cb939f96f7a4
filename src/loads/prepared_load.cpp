// The dispatch of preparation and stress over the load kinds. Each call
// resolves to the kind's own overload: a kind without one does not compile.
#include "loads/prepared_load.h"

namespace loads {

PreparedLoad prepare(const Load& load, double fill_pressure_factor) {
  return std::visit(Overloaded{
                        [](const Rectangle& kind) -> PreparedLoad { return prepare(kind); },
                        [](const Circle& kind) -> PreparedLoad { return prepare(kind); },
                        [](const SpreadArea& kind) -> PreparedLoad { return prepare(kind); },
                        [](const Polygon& kind) -> PreparedLoad { return prepare(kind); },
                        [](const Strip& kind) -> PreparedLoad { return prepare(kind); },
                        [fill_pressure_factor](const Embankment& kind) -> PreparedLoad {
                          return prepare(kind, fill_pressure_factor);
                        },
                    },
                    load);
}

double level(const PreparedLoad& load) {
  return std::visit([](const auto& kind) { return kind.level; }, load);
}

double stress_increase(const PreparedLoad& load, PlanPoint point, double z) {
  return std::visit([point, z](const auto& kind) { return stress_increase(kind, point, z); }, load);
}

double surface_stress_increase(const PreparedLoad& load, PlanPoint point) {
  return std::visit([point](const auto& kind) { return surface_stress_increase(kind, point); },
                    load);
}

}  // namespace loads
