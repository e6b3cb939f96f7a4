// Placeholder until implemented.
#include "layout/free_form_input.h"

namespace layout {
void read_free_form(RecordReader&, std::span<const Target>) {}
}  // namespace layout
