// Problems found in a load's fields, and the messages shared by the kinds.
#include "loads/load_problem.h"

#include <charconv>
#include <system_error>

namespace loads {

std::string number_text(double value) {
  char text[32];
  const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
  if (written.ec != std::errc()) return "?";
  return std::string(text, written.ptr);
}

void require_positive(LoadProblems& found, std::string_view key, double value,
                      std::string_view what) {
  if (value > 0.0) return;
  found.push_back({std::string(key),
                   std::string(key) + " is " + number_text(value) + ": " + std::string(what) +
                       " must be greater than 0",
                   Severity::kError});
}

void require_not_negative(LoadProblems& found, std::string_view key, double value,
                          std::string_view what) {
  if (value >= 0.0) return;
  found.push_back({std::string(key),
                   std::string(key) + " is " + number_text(value) + ": " + std::string(what) +
                       " must be 0 or more",
                   Severity::kError});
}

void warn_if_zero(LoadProblems& found, std::string_view key, double value) {
  if (value != 0.0) return;
  found.push_back(
      {std::string(key), std::string(key) + " is 0: the load adds no stress", Severity::kWarning});
}

}  // namespace loads
