// Placeholder until implemented.
#include "layout/layout.h"

namespace layout {
bool Layout::has_data_items() const { return false; }
std::string Layout::describe() const { return {}; }
Layout parse_layout(std::string_view) { return {}; }
}  // namespace layout
