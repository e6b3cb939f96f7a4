// What reading a project file's text gives, whatever its form: the value
// tree with the line of every key, or the syntax error that stopped it.
#pragma once

#include <optional>

#include "site/diagnostic.h"
#include "site/value_tree.h"

namespace project {

struct FormReading {
  site::Tree tree;
  site::TreeLines lines;
  std::optional<site::Diagnostic> error;
};

}  // namespace project
