// Fixed-layout output: a write renders a list of values through a parsed
// layout into whole records.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "layout/layout.h"
#include "layout/record_writer.h"
#include "layout/value.h"

namespace layout {

// Writes the records that `layout` makes of `values` to `out`. The write ends
// at the first data item with no value left; with values left at the end of
// the layout it goes on from the layout's reversion point on a new record.
void write_record(RecordWriter& out, const Layout& layout, std::span<const Value> values);
inline void write_record(RecordWriter& out, const Layout& layout,
                         std::initializer_list<Value> values) {
  write_record(out, layout, std::span<const Value>(values.begin(), values.size()));
}

// One field, as the renderer writes it: Iw and Fw.d (after scaling).
std::string format_integer(std::int32_t value, int width);
std::string format_fixed(float value, int width, int decimals);

// Appends the Fw.d field of `value` (scale already applied) to `line`, without
// a temporary: the form the writer and free-form output use.
void append_fixed(std::string& line, float value, int width, int decimals);

}  // namespace layout
