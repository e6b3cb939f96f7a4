// An input unit read line by line, with the line ends of either convention.
#include "layout/record_reader.h"

#include <utility>

namespace layout {

RecordReader::RecordReader(std::istream& in, int unit, std::string path)
    : in_(&in), unit_(unit), path_(std::move(path)) {}

bool RecordReader::next_line() {
  // The line goes to a buffer of its own first, so that at the end of the
  // file the last line read is still at hand. getline keeps the buffers'
  // capacity: a reused line allocates only while it grows.
  if (!std::getline(*in_, next_)) {
    if (in_->bad()) fail(FatalKind::kReadError);
    return false;
  }
  if (in_->bad()) fail(FatalKind::kReadError);
  // Without eof the line ended at a line feed, so a trailing carriage return
  // belongs to a CR LF pair; a last line without a line feed keeps it.
  if (!in_->eof() && !next_.empty() && next_.back() == '\r') next_.pop_back();
  line_.swap(next_);
  ++line_number_;
  return true;
}

const std::string& RecordReader::require_line() {
  if (!next_line()) fail(FatalKind::kEndOfFile);
  return line_;
}

void RecordReader::fail(FatalKind kind) const {
  FatalError error(kind, unit_, path_);
  // The line being read; at the end of the file, the last line there was.
  error.set_location({line_number_, line_, kind == FatalKind::kEndOfFile});
  throw error;
}

}  // namespace layout
