// The project file in TOML, the form an engineer writes by hand: its text to
// the value tree with the line of every key, and a tree back to text.
#pragma once

#include <string>
#include <string_view>

#include "project/form_reading.h"
#include "site/value_tree.h"

namespace project {

// Tables keep the order of their keys in the text.
FormReading read_toml(std::string_view text);

// The tree as TOML: every table's plain values first, then its tables as
// [sections] and its lists of tables as [[sections]], in the tree's order.
std::string write_toml(const site::Tree& tree);

}  // namespace project
