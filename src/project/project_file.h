// The project file: TOML or JSON text to a checked site project, and a
// project back to text. The form is chosen by the file's extension.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "site/diagnostic.h"
#include "site/project.h"
#include "site/value_tree.h"

namespace project {

enum class Form { kToml, kJson };

// The form of a file named `name` (".toml" or ".json", any case), or none.
std::optional<Form> form_of(std::string_view name);

// The largest project file read, so that a huge file is refused before its
// contents take memory.
constexpr std::size_t kMaxProjectBytes = 64 * 1024 * 1024;

// A project read and checked: its errors and warnings in the order of the
// file. The project is usable only when there is no error.
struct ProjectReading {
  site::Project project;
  std::vector<site::Diagnostic> diagnostics;
  bool ok() const { return !site::has_errors(diagnostics); }
};

// Reads the text of a project file: the syntax of its form, the schema, the
// model and its checks, in this order; a stage with errors ends the reading.
ProjectReading read_project_text(std::string_view text, Form form);

// The same for a tree that comes with no text (a Python dict).
ProjectReading read_project_tree(const site::Tree& tree, const site::TreeLines& lines = {});

// The project as the text of a file of `form`.
std::string write_project_text(const site::Project& project, Form form);

}  // namespace project
