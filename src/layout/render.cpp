// Placeholder until implemented.
#include "layout/render.h"

namespace layout {
void write_record(RecordWriter&, const Layout&, std::span<const Value>) {}
std::vector<std::string> render_records(const Layout&, std::span<const Value>) { return {}; }
std::string format_integer(std::int32_t, int) { return {}; }
std::string format_fixed(float, int, int) { return {}; }
std::string format_text(std::string_view, int) { return {}; }
}  // namespace layout
