// The dispatch of checks and outlines over the load kinds.
#include "loads/load.h"

namespace loads {

// Each call resolves to the kind's own overload: a kind without one does not compile.
LoadProblems check_fields(const Load& load) {
  return std::visit([](const auto& kind) { return check_fields(kind); }, load);
}

Outline plan_outline(const Load& load) {
  return std::visit([](const auto& kind) { return plan_outline(kind); }, load);
}

}  // namespace loads
