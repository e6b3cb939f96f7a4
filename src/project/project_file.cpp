// The stages of reading a project file, each stopping the reading where it
// finds errors: the form's syntax, the schema, the model, the checks.
#include "project/project_file.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "project/json_form.h"
#include "project/project_schema.h"
#include "project/toml_form.h"
#include "site/project_checks.h"

namespace project {
namespace {

bool ends_with_folded(std::string_view name, std::string_view ending) {
  if (name.size() < ending.size()) return false;
  return std::equal(ending.begin(), ending.end(), name.end() - static_cast<long>(ending.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

// The place of the first byte that does not continue a valid UTF-8 text
// (overlong forms, surrogates and code points beyond U+10FFFF included), as
// "line L, column C" counted in bytes from 1.
std::optional<site::Diagnostic> invalid_utf8(std::string_view text) {
  int line = 1;
  std::size_t line_start = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;  // the range of the second byte
    if (byte < 0x80) {
      length = 1;
    } else if (byte >= 0xC2 && byte <= 0xDF) {
      length = 2;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
      length = 3;
      if (byte == 0xE0) low = 0xA0;
      if (byte == 0xED) high = 0x9F;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
      length = 4;
      if (byte == 0xF0) low = 0x90;
      if (byte == 0xF4) high = 0x8F;
    }
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = k == 1 ? next >= low && next <= high : next >= 0x80 && next <= 0xBF;
    }
    if (!valid) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", byte);
      return site::Diagnostic{site::Severity::kError, "",
                              "is not valid UTF-8: byte " + std::string(hex) + " at column " +
                                  std::to_string(i - line_start + 1) +
                                  "; a project file is a UTF-8 text",
                              line};
    }
    if (byte == '\n') {
      ++line;
      line_start = i + 1;
    }
    i += length;
  }
  return std::nullopt;
}

// A number that is not finite (TOML's nan and inf) names no quantity of a site.
void find_non_finite(const site::Tree& value, const std::string& path, const site::TreeLines& lines,
                     std::vector<site::Diagnostic>& found) {
  if (value.is_number_float()) {
    const double number = value.get<double>();
    if (!std::isfinite(number))
      found.push_back({site::Severity::kError, path,
                       std::string(std::isnan(number) ? "nan"
                                   : number > 0       ? "inf"
                                                      : "-inf") +
                           " is not a finite number; expected a number",
                       site::line_of(lines, path)});
  } else if (value.is_object()) {
    for (const auto& [key, inner] : value.items())
      find_non_finite(inner, path.empty() ? key : path + "." + key, lines, found);
  } else if (value.is_array()) {
    for (std::size_t i = 0; i < value.size(); ++i)
      find_non_finite(value[i], path + "[" + std::to_string(i + 1) + "]", lines, found);
  }
}

}  // namespace

std::optional<Form> form_of(std::string_view name) {
  if (ends_with_folded(name, ".toml")) return Form::kToml;
  if (ends_with_folded(name, ".json")) return Form::kJson;
  return std::nullopt;
}

ProjectReading read_project_tree(const site::Tree& tree, const site::TreeLines& lines) {
  ProjectReading reading;
  find_non_finite(tree, "", lines, reading.diagnostics);
  if (!reading.ok()) return reading;
  reading.diagnostics = check_against_schema(tree, lines);
  if (!reading.ok()) return reading;
  site::TreeReading model = site::project_from_tree(tree, lines);
  reading.project = std::move(model.project);
  reading.diagnostics = std::move(model.diagnostics);
  if (!reading.ok()) return reading;
  reading.diagnostics = site::check_project(reading.project, lines);
  return reading;
}

ProjectReading read_project_text(std::string_view text, Form form) {
  if (std::optional<site::Diagnostic> invalid = invalid_utf8(text)) {
    ProjectReading reading;
    reading.diagnostics.push_back(std::move(*invalid));
    return reading;
  }
  FormReading parsed = form == Form::kToml ? read_toml(text) : read_json(text);
  if (parsed.error) {
    ProjectReading reading;
    reading.diagnostics.push_back(*parsed.error);
    return reading;
  }
  return read_project_tree(parsed.tree, parsed.lines);
}

std::string write_project_text(const site::Project& project, Form form) {
  const site::Tree tree = site::project_to_tree(project);
  return form == Form::kToml ? write_toml(tree) : write_json(tree);
}

}  // namespace project
