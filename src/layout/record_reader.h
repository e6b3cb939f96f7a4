// An input unit: a text stream read line by line. Lines end at a line feed; a
// carriage return right before it is not part of the line.
#pragma once

#include <istream>
#include <string>
#include <string_view>

#include "layout/fatal_error.h"

namespace layout {

class RecordReader {
 public:
  RecordReader(std::istream& in, int unit, std::string path);

  // Reads the next line; false at the end of the file. A stream error other
  // than the end of the file raises kReadError.
  bool next_line();
  // As next_line, but the end of the file raises kEndOfFile: for a line that a
  // read needs. Returns the line.
  const std::string& require_line();

  // The line read last (empty before the first) and its number, counted from
  // 1 (0 before the first). At the end of the file they stay those of the
  // last line.
  const std::string& line() const { return line_; }
  int line_number() const { return line_number_; }

  // Raises `kind` naming this unit and its file.
  [[noreturn]] void fail(FatalKind kind) const;

  int unit() const { return unit_; }
  const std::string& path() const { return path_; }

 private:
  std::istream* in_;
  std::string line_;
  std::string next_;
  int line_number_ = 0;
  int unit_;
  std::string path_;
};

}  // namespace layout
