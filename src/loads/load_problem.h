// A problem found in a load's own fields: the key it concerns, what is wrong
// with the value and what is expected, and whether it stops the run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace loads {

enum class Severity { kError, kWarning };

// `key` names the field within the load ("x_length", "vertices[3]", positions
// counting from 1); the caller prefixes the load's own path.
struct LoadProblem {
  std::string key;
  std::string message;
  Severity severity = Severity::kError;
};

using LoadProblems = std::vector<LoadProblem>;

// `value` in the fewest decimal digits that read back to it ("2", "-0.25", "1e-12").
std::string number_text(double value);

// Appends an error at `key` unless `value` > 0; `what` names the field for the
// message ("a rectangle's x_length").
void require_positive(LoadProblems& found, std::string_view key, double value,
                      std::string_view what);

// Appends an error at `key` unless `value` >= 0.
void require_not_negative(LoadProblems& found, std::string_view key, double value,
                          std::string_view what);

// Appends a warning at `key` when `value` is 0: a load of nothing.
void warn_if_zero(LoadProblems& found, std::string_view key, double value);

}  // namespace loads
