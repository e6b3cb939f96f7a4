// An input unit read line by line, with the line ends of either convention.
#include "layout/record_reader.h"

#include <utility>

namespace layout {

RecordReader::RecordReader(std::istream& in, int unit, std::string path)
    : in_(&in), unit_(unit), path_(std::move(path)) {}

bool RecordReader::next_line(std::string& line) {
  // getline keeps the string's capacity, so a reused line allocates only while
  // it grows to the longest line of the file.
  if (!std::getline(*in_, line)) {
    if (in_->bad()) fail(FatalKind::kReadError);
    return false;
  }
  if (in_->bad()) fail(FatalKind::kReadError);
  // Without eof the line ended at a line feed, so a trailing carriage return
  // belongs to a CR LF pair; a last line without a line feed keeps it.
  if (!in_->eof() && !line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

const std::string& RecordReader::require_line() {
  if (!next_line(line_)) fail(FatalKind::kEndOfFile);
  return line_;
}

void RecordReader::fail(FatalKind kind) const { raise_fatal(kind, unit_, path_); }

}  // namespace layout
