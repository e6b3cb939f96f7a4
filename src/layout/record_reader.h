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

  // Reads the next line into `line`; false at the end of the file. A stream
  // error other than the end of the file raises kReadError.
  bool next_line(std::string& line);
  // As next_line, but the end of the file raises kEndOfFile: for a line that a
  // read needs.
  const std::string& require_line();

  // Raises `kind` naming this unit and its file.
  [[noreturn]] void fail(FatalKind kind) const;

  int unit() const { return unit_; }
  const std::string& path() const { return path_; }

 private:
  std::istream* in_;
  std::string line_;
  int unit_;
  std::string path_;
};

}  // namespace layout
