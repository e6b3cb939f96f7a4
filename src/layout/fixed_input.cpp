// Placeholder until implemented.
#include "layout/fixed_input.h"

namespace layout {
void read_fixed(RecordReader&, const Layout&, std::span<const Target>) {}
}  // namespace layout
