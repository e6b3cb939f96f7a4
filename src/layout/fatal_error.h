// The fatal run-time error: the one way a run ends when a file cannot be
// opened, read or written, a value cannot be read, or names.dat names one
// file for two purposes.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace layout {

enum class FatalKind {
  kEndOfFile,         // "end-of-file during read"
  kConversion,        // "input conversion error"
  kListSyntax,        // "list-directed I/O syntax error"
  kFileNotFound,      // "file not found"
  kPermissionDenied,  // "permission to access file denied"
  kOpenFailure,       // "open failure"
  kWriteError,        // "error during write"
  kReadError,         // "error during read"
  kNameClash,         // two lines of names.dat name the same file
};

// Where in the error's file a read failed: the line being read, or at the end
// of the file the last line there was.
struct SourceLocation {
  int line = 0;  // from 1; 0 when the file had no line at all
  std::string text;
  bool at_end = false;  // the file ended after `line`
};

class FatalError : public std::runtime_error {
 public:
  FatalError(FatalKind kind, int unit, std::string path);
  // One file named for two purposes: `what` says which, `path` is the file.
  static FatalError name_clash(std::string what, std::string path);

  FatalKind kind() const { return kind_; }
  int unit() const { return unit_; }
  const std::string& path() const { return path_; }
  // The fixed error number of the kind.
  int number() const;
  // The one-line report without its line end: "PROGRAM: severe (N): <text>".
  std::string report(std::string_view program = "settle") const;

  void set_location(SourceLocation location) { location_ = std::move(location); }
  const std::optional<SourceLocation>& location() const { return location_; }
  // The line that says where a read failed, without its line end:
  // "PROGRAM: FILE, line N: "TEXT"", or empty when the error is not a read's.
  std::string where(std::string_view program = "settle") const;

  // A line to show after the report, without its program prefix (what the
  // failed run left of the files); empty when there is none.
  void set_note(std::string note) { note_ = std::move(note); }
  const std::string& note() const { return note_; }

 private:
  FatalKind kind_;
  int unit_;
  std::string path_;
  std::string what_;  // kNameClash only
  std::optional<SourceLocation> location_;
  std::string note_;
};

// Throws the FatalError for `kind` on `unit`, whose file has the full path `path`.
[[noreturn]] void raise_fatal(FatalKind kind, int unit, std::string_view path);

// `text` as a console shows it safely: cut to `limit` characters (with "..."
// after a cut), characters that do not print written as escapes (\t, \x1b),
// and a backslash or a quote escaped.
std::string printable(std::string_view text, std::size_t limit = 80);

}  // namespace layout
