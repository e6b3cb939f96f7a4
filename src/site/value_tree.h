// The site model as a tree of values (objects, lists, numbers, texts): the one
// mapping that the project file (TOML and JSON), its schema and Python's dicts
// all go through.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "site/diagnostic.h"
#include "site/project.h"

namespace site {

// Keys keep the order they were given in.
using Tree = nlohmann::ordered_json;

// Where the values of a tree stood in their file: key path ("layers[2].bottom",
// positions from 1) to line. Empty for a form without lines.
using TreeLines = std::map<std::string, int>;

// The line of `path`, or of the nearest enclosing key that has one; 0 if none.
int line_of(const TreeLines& lines, const std::string& path);

// The project's tree: every value it holds, values equal to their defaults
// and absent optional values left out.
Tree project_to_tree(const Project& project);

// The project a tree describes. Keys the model does not know and values of the
// wrong type are errors naming the key; nothing else is checked here
// (site::check_project does). The project is complete only without errors.
struct TreeReading {
  Project project;
  std::vector<Diagnostic> diagnostics;
};
TreeReading project_from_tree(const Tree& tree, const TreeLines& lines = {});

// The text of a key path's step: "layers[2]" for the second layer.
std::string indexed_path(const std::string& list, std::size_t position_from_zero);

// The closest key of `known` to a misspelt `key`, or "" when none is close.
std::string closest_key(const std::string& key, const std::vector<std::string>& known);

}  // namespace site
