// The fatal run-time error and its report.
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
    case FatalKind::kNameClash:
      return {17, ""};
  }
  return {1, "unknown error, unit %d, file %s"};
}

template <typename... Args>
std::string formatted(const char* format, Args... args) {
  const int size = std::snprintf(nullptr, 0, format, args...);
  std::string text(static_cast<std::size_t>(size), '\0');
  std::snprintf(text.data(), text.size() + 1, format, args...);
  return text;
}

}  // namespace

FatalError::FatalError(FatalKind kind, int unit, std::string path)
    : std::runtime_error("fatal run-time error"),
      kind_(kind),
      unit_(unit),
      path_(std::move(path)) {}

FatalError FatalError::name_clash(std::string what, std::string path) {
  FatalError error(FatalKind::kNameClash, 0, std::move(path));
  error.what_ = std::move(what);
  return error;
}

int FatalError::number() const { return text_of(kind_).number; }

std::string FatalError::report(std::string_view program) const {
  const KindText kt = text_of(kind_);
  std::string message;
  if (kind_ == FatalKind::kNameClash) {
    message = what_ + ", file " + path_;
  } else {
    message = formatted(kt.text, unit_, path_.c_str());
  }
  return std::string(program) + ": severe (" + std::to_string(kt.number) + "): " + message;
}

std::string FatalError::where(std::string_view program) const {
  if (!location_) return {};
  const SourceLocation& at = *location_;
  const std::string head = std::string(program) + ": " + path_;
  if (at.line == 0) return head + " holds no line";
  const std::string text = "\"" + printable(at.text) + "\"";
  if (at.at_end) return head + " ends after line " + std::to_string(at.line) + ": " + text;
  return head + ", line " + std::to_string(at.line) + ": " + text;
}

void raise_fatal(FatalKind kind, int unit, std::string_view path) {
  throw FatalError(kind, unit, std::string(path));
}

std::string printable(std::string_view text, std::size_t limit) {
  const bool cut = text.size() > limit;
  if (cut) text = text.substr(0, limit);
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte >= 0x7f) {
      out += formatted("\\x%02x", static_cast<unsigned>(byte));
    } else {
      out += c;
    }
  }
  if (cut) out += "...";
  return out;
}

}  // namespace layout
