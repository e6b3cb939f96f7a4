// Fixed-layout input: one read fills its targets from the columns of as many
// lines as the layout and the targets need.
#pragma once

#include <initializer_list>
#include <span>

#include "layout/layout.h"
#include "layout/record_reader.h"
#include "layout/target.h"

namespace layout {

// Reads `targets` through `layout`, starting on the next unread line; the rest
// of the last line touched is skipped. Raises kEndOfFile when a needed line is
// missing and kConversion for a character a numeric field may not hold.
void read_fixed(RecordReader& in, const Layout& layout, std::span<const Target> targets);
inline void read_fixed(RecordReader& in, const Layout& layout,
                       std::initializer_list<Target> targets) {
  read_fixed(in, layout, std::span<const Target>(targets.begin(), targets.size()));
}

}  // namespace layout
