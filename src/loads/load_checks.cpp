// Each kind checks its own fields.
#include "loads/load_checks.h"

namespace loads {

std::vector<site::Diagnostic> check_load(const Load&) { return {}; }

}  // namespace loads
