// The stages of reading a project file, each stopping the reading where it
// finds errors: the form's syntax, the schema, the model, the checks.
#include "project/project_file.h"

#include <algorithm>
#include <cctype>

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

}  // namespace

std::optional<Form> form_of(std::string_view name) {
  if (ends_with_folded(name, ".toml")) return Form::kToml;
  if (ends_with_folded(name, ".json")) return Form::kJson;
  return std::nullopt;
}

ProjectReading read_project_tree(const site::Tree& tree, const site::TreeLines& lines) {
  ProjectReading reading;
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
