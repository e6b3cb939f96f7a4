// The run's own console messages.
#include "run/console_messages.h"

#include "layout/layout.h"
#include "layout/render.h"
#include "run/console_layouts.h"

namespace run {

void announce_data_errors(layout::RecordWriter& console) {
  static const layout::Layout kLayout = layout::parse_layout(kDataErrorsLayout);
  layout::write_record(console, kLayout, {});
}

void announce_execution(layout::RecordWriter& console) {
  static const layout::Layout kLayout = layout::parse_layout(kExecutionLayout);
  layout::write_record(console, kLayout, {});
}

}  // namespace run
