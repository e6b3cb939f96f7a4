// Placeholder until implemented.
#include "layout/record_reader.h"

namespace layout {
RecordReader::RecordReader(std::istream& in, int unit, std::string path) : in_(&in), unit_(unit), path_(std::move(path)) {}
bool RecordReader::next_line(std::string& line) { return static_cast<bool>(std::getline(*in_, line)); }
const std::string& RecordReader::require_line() { if (!next_line(line_)) fail(FatalKind::kEndOfFile); return line_; }
void RecordReader::fail(FatalKind kind) const { raise_fatal(kind, unit_, path_); }
}  // namespace layout
