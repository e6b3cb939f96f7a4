// The JSON Schema of the project file (docs/project.schema.json, built into
// the program): every tree read from a file or a dict is validated against it
// before it becomes a project.
#pragma once

#include <string_view>
#include <vector>

#include "site/diagnostic.h"
#include "site/value_tree.h"

namespace project {

// The schema's text, as shipped in docs/.
std::string_view schema_text();

// Every place where `tree` breaks the schema: the key path, its line (from
// `lines`), the value and what was expected there.
std::vector<site::Diagnostic> check_against_schema(const site::Tree& tree,
                                                   const site::TreeLines& lines);

}  // namespace project
