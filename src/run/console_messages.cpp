// The run's own console messages.
#include "run/console_messages.h"

#include "layout/layout.h"
#include "layout/render.h"

namespace run {

void announce_data_errors(layout::RecordWriter& console) {
  static const layout::Layout kLayout = layout::parse_layout("('DATA ERRORS')");
  layout::write_record(console, kLayout, {});
}

void announce_execution(layout::RecordWriter& console) {
  static const layout::Layout kLayout = layout::parse_layout("(10X,'EXECUTION IN PROGRESS',/)");
  layout::write_record(console, kLayout, {});
}

}  // namespace run
