// The fatal run-time error and its one-line report.
#include "layout/fatal_error.h"

#include <cstdio>

namespace layout {
namespace {

struct KindText {
  int number;
  const char* text;  // with the unit and the file to fill in
};

KindText text_of(FatalKind kind) {
  switch (kind) {
    case FatalKind::kEndOfFile:
      return {24, "end-of-file during read, unit %d, file %s"};
    case FatalKind::kConversion:
      return {64, "input conversion error, unit %d, file %s"};
    case FatalKind::kListSyntax:
      return {59, "list-directed I/O syntax error, unit %d, file %s"};
    case FatalKind::kFileNotFound:
      return {29, "file not found, unit %d, file %s"};
    case FatalKind::kPermissionDenied:
      return {9, "permission to access file denied, unit %d, file %s"};
    case FatalKind::kOpenFailure:
      return {30, "open failure, unit %d, file %s"};
    case FatalKind::kWriteError:
      return {38, "error during write, unit %d, file %s"};
    case FatalKind::kReadError:
      return {39, "error during read, unit %d, file %s"};
  }
  return {1, "unknown error, unit %d, file %s"};
}

}  // namespace

FatalError::FatalError(FatalKind kind, int unit, std::string path)
    : std::runtime_error("fatal run-time error"),
      kind_(kind),
      unit_(unit),
      path_(std::move(path)) {}

int FatalError::number() const { return text_of(kind_).number; }

std::string FatalError::report() const {
  const KindText kt = text_of(kind_);
  const int size = std::snprintf(nullptr, 0, kt.text, unit_, path_.c_str());
  std::string message(static_cast<std::size_t>(size), '\0');
  std::snprintf(message.data(), message.size() + 1, kt.text, unit_, path_.c_str());
  return "settle: severe (" + std::to_string(kt.number) + "): " + message;
}

void raise_fatal(FatalKind kind, int unit, std::string_view path) {
  throw FatalError(kind, unit, std::string(path));
}

}  // namespace layout
