// The findings of a soil model's check, each naming its key: the words the
// models share.
#pragma once

#include <cstdio>
#include <string>

#include "site/diagnostic.h"

namespace soils {

inline site::Diagnostic key_error(std::string key, std::string message) {
  return {site::Severity::kError, std::move(key), std::move(message), 0};
}
inline site::Diagnostic key_warning(std::string key, std::string message) {
  return {site::Severity::kWarning, std::move(key), std::move(message), 0};
}

// A value as a message shows it: six significant digits.
inline std::string value_text(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", value);
  return buffer;
}

// Strains and slopes are given in percent.
constexpr double kPercent = 100.0;

}  // namespace soils
