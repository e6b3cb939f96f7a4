// The project file in JSON, the form tools exchange: its text to the value
// tree with the line of every key, and a tree back to text.
#pragma once

#include <string>
#include <string_view>

#include "project/form_reading.h"
#include "site/value_tree.h"

namespace project {

// Strict JSON: no comments, no trailing commas, no NaN.
FormReading read_json(std::string_view text);

// Indented by two blanks, one key a line.
std::string write_json(const site::Tree& tree);

}  // namespace project
