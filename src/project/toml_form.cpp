// TOML to the value tree and back. toml++ reads the text; its tables keep
// their keys sorted, so the reading puts them back in the order of the text,
// and the writing is done here, where the tree's order is kept.
#include "project/toml_form.h"

#define TOML_IMPLEMENTATION
#include <toml++/toml.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

namespace project {
namespace {

using site::Tree;

std::string child_path(const std::string& path, std::string_view key) {
  return path.empty() ? std::string(key) : path + "." + std::string(key);
}

class TreeBuilder {
 public:
  explicit TreeBuilder(FormReading& out) : out_(out) {}

  Tree build(const toml::node& node, const std::string& path) {
    if (!path.empty()) out_.lines.emplace(path, static_cast<int>(node.source().begin.line));
    if (const toml::table* table = node.as_table()) return build_table(*table, path);
    if (const toml::array* array = node.as_array()) {
      Tree list = Tree::array();
      for (std::size_t i = 0; i < array->size(); ++i)
        list.push_back(build(*array->get(i), site::indexed_path(path, i)));
      return list;
    }
    if (const auto* text = node.as_string()) return Tree(text->get());
    if (const auto* whole = node.as_integer()) return Tree(whole->get());
    if (const auto* real = node.as_floating_point()) return Tree(real->get());
    if (const auto* flag = node.as_boolean()) return Tree(flag->get());
    // A date or time: no key of a project takes one.
    if (!out_.error) {
      out_.error = site::Diagnostic{site::Severity::kError, path,
                                    "is a date or time; no key of a project takes one",
                                    static_cast<int>(node.source().begin.line)};
    }
    return Tree();
  }

 private:
  Tree build_table(const toml::table& table, const std::string& path) {
    // The keys in the order they stand in the text.
    std::vector<std::pair<const toml::key*, const toml::node*>> entries;
    for (auto&& [key, value] : table) entries.emplace_back(&key, &value);
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
      const toml::source_position pa = a.first->source().begin;
      const toml::source_position pb = b.first->source().begin;
      return pa.line != pb.line ? pa.line < pb.line : pa.column < pb.column;
    });
    Tree object = Tree::object();
    for (const auto& [key, value] : entries) {
      const std::string at = child_path(path, key->str());
      out_.lines[at] = static_cast<int>(key->source().begin.line);
      object[std::string(key->str())] = build(*value, at);
    }
    return object;
  }

  FormReading& out_;
};

// ---- writing -------------------------------------------------------------

bool is_bare_key(const std::string& key) {
  return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
  });
}

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (byte < 0x20 || byte == 0x7f) {
          static constexpr char kHex[] = "0123456789ABCDEF";
          out += "\\u00";
          out += kHex[byte >> 4];
          out += kHex[byte & 0xf];
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string key_text(const std::string& key) { return is_bare_key(key) ? key : quoted(key); }

// The shortest decimal that reads back as the same double, kept a float.
std::string real_text(double value) {
  char buffer[32];
  const auto [end, code] = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, end);
  if (text.find_first_of(".en") == std::string::npos) text += ".0";
  return text;
}

std::string value_text(const Tree& value);

std::string inline_table(const Tree& table) {
  std::string out = "{ ";
  bool first = true;
  for (const auto& [key, value] : table.items()) {
    out += (first ? "" : ", ") + key_text(key) + " = " + value_text(value);
    first = false;
  }
  return out + (first ? "}" : " }");
}

std::string value_text(const Tree& value) {
  if (value.is_string()) return quoted(value.get<std::string>());
  if (value.is_boolean()) return value.get<bool>() ? "true" : "false";
  if (value.is_number_unsigned()) return std::to_string(value.get<std::uint64_t>());
  if (value.is_number_integer()) return std::to_string(value.get<std::int64_t>());
  if (value.is_number()) return real_text(value.get<double>());
  if (value.is_object()) return inline_table(value);
  std::string out = "[";
  for (std::size_t i = 0; i < value.size(); ++i) out += (i ? ", " : "") + value_text(value[i]);
  return out + "]";
}

bool is_list_of_tables(const Tree& value) {
  return value.is_array() && !value.empty() &&
         std::all_of(value.begin(), value.end(), [](const Tree& v) { return v.is_object(); });
}

bool is_section(const Tree& value) { return value.is_object() || is_list_of_tables(value); }

bool has_plain_values(const Tree& table) {
  return std::any_of(table.begin(), table.end(), [](const Tree& v) { return !is_section(v); });
}

void write_table(std::string& out, const Tree& table, const std::string& header) {
  for (const auto& [key, value] : table.items())
    if (!is_section(value)) out += key_text(key) + " = " + value_text(value) + "\n";
  for (const auto& [key, value] : table.items()) {
    const std::string name = header.empty() ? key_text(key) : header + "." + key_text(key);
    if (value.is_object()) {
      if (has_plain_values(value) || value.empty()) out += "\n[" + name + "]\n";
      write_table(out, value, name);
    } else if (is_list_of_tables(value)) {
      for (const Tree& element : value) {
        out += "\n[[" + name + "]]\n";
        write_table(out, element, name);
      }
    }
  }
}

}  // namespace

FormReading read_toml(std::string_view text) {
  FormReading reading;
  toml::parse_result parsed = toml::parse(text);
  if (!parsed) {
    const toml::parse_error& error = parsed.error();
    reading.error = site::Diagnostic{site::Severity::kError, "",
                                     "is not valid TOML: " + std::string(error.description()),
                                     static_cast<int>(error.source().begin.line)};
    return reading;
  }
  TreeBuilder builder(reading);
  reading.tree = builder.build(parsed.table(), "");
  return reading;
}

std::string write_toml(const Tree& tree) {
  std::string out;
  write_table(out, tree, "");
  return out;
}

}  // namespace project
