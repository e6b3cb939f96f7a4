// What a check of a site project found: an error that stops the run or a
// warning that does not, with the key it is about.
#pragma once

#include <string>
#include <vector>

namespace site {

enum class Severity { kError, kWarning };

// `path` names the key as the file does ("layers[2].bottom", "soils.clay.cc";
// positions count from 1); `line` is its line in the file, 0 where the form
// has no lines; `message` says what was found and what was expected.
struct Diagnostic {
  Severity severity = Severity::kError;
  std::string path;
  std::string message;
  int line = 0;
};

inline bool has_errors(const std::vector<Diagnostic>& diagnostics) {
  for (const Diagnostic& d : diagnostics)
    if (d.severity == Severity::kError) return true;
  return false;
}

}  // namespace site
