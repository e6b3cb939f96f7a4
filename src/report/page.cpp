// Placeholder until implemented.
#include "report/page.h"

namespace report {
void write_form_feed(layout::RecordWriter&) {}
void write_digit_one(layout::RecordWriter&) {}
void write_page_eject(layout::RecordWriter&, Eject) {}
void write_banner(layout::RecordWriter&, const problem::ProblemData&) {}
void start_page(layout::RecordWriter&, Eject, const problem::ProblemData&) {}
std::string_view unit_label(LabelSet, std::int32_t) { return {}; }
std::string_view continuation_label(int) { return {}; }
}  // namespace report
