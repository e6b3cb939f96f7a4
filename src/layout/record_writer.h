// An output unit: whole records (lines) written to a stream, each followed by
// the unit's line end. A failed write is a fatal error naming the unit.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace layout {

// The console has no unit number; a failed write to it is ignored, since
// there would be nowhere to report it.
constexpr int kConsoleUnit = -1;

class RecordWriter {
 public:
  // `line_end` is "\r\n" for the program's files and "\n" for the console.
  RecordWriter(std::ostream& out, std::string_view line_end, int unit, std::string path);

  // Writes `record` and the line end; raises kWriteError when the stream fails.
  void put(std::string_view record);
  // Flushes the stream; raises kWriteError when it fails.
  void flush();

  int unit() const { return unit_; }
  const std::string& path() const { return path_; }

 private:
  std::ostream* out_;
  std::string line_end_;
  int unit_;
  std::string path_;
};

}  // namespace layout
