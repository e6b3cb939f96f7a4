// Placeholder until implemented.
#include "layout/free_form_output.h"

namespace layout {
void write_free_form(RecordWriter&, std::span<const Value>) {}
std::vector<std::string> render_free_form(std::span<const Value>) { return {}; }
}  // namespace layout
