// The fatal run-time error: the one way a run ends when a file cannot be
// opened, read or written, or a value cannot be read.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

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
};

class FatalError : public std::runtime_error {
 public:
  FatalError(FatalKind kind, int unit, std::string path);
  FatalKind kind() const { return kind_; }
  int unit() const { return unit_; }
  const std::string& path() const { return path_; }
  // The fixed error number of the kind.
  int number() const;
  // The one-line report without its line end: "settle: severe (N): <text>".
  std::string report() const;

 private:
  FatalKind kind_;
  int unit_;
  std::string path_;
};

// Throws the FatalError for `kind` on `unit`, whose file has the full path `path`.
[[noreturn]] void raise_fatal(FatalKind kind, int unit, std::string_view path);

}  // namespace layout
