// Free-form output: values one after another in fixed-width fields (I12 for
// integers, 15 columns for reals, texts after one blank), wrapped before
// column 80. Used for the console echo and for records of the auxiliary file.
#pragma once

#include <initializer_list>
#include <span>

#include "layout/record_writer.h"
#include "layout/value.h"

namespace layout {

void write_free_form(RecordWriter& out, std::span<const Value> values);
inline void write_free_form(RecordWriter& out, std::initializer_list<Value> values) {
  write_free_form(out, std::span<const Value>(values.begin(), values.size()));
}

}  // namespace layout
