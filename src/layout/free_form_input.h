// Free-form input: values anywhere on the line, separated by blanks, tabs or
// commas, with repeat counts, nulls and '/'.
#pragma once

#include <initializer_list>
#include <span>

#include "layout/record_reader.h"
#include "layout/target.h"

namespace layout {

// Reads `targets` (integers and reals) from the next unread line on, over as
// many lines as needed; the rest of the last line touched is skipped. Nulls and
// targets after a '/' keep their values. Raises kEndOfFile when the file ends
// first and kListSyntax or kConversion for a malformed value. Returns how many
// values the skipped rest of the last line held (none after a '/').
int read_free_form(RecordReader& in, std::span<const Target> targets);
inline int read_free_form(RecordReader& in, std::initializer_list<Target> targets) {
  return read_free_form(in, std::span<const Target>(targets.begin(), targets.size()));
}

}  // namespace layout
