// TOML to the value tree and back. toml++ reads the text; its tables keep
// their keys sorted, so the reading puts them back in the order of the text,
// and the writing is done here, where the tree's order is kept.
#include "project/toml_form.h"

#define TOML_IMPLEMENTATION
#include <toml++/toml.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace project {
namespace {

using site::Tree;

// toml++ 3.3 tells non-ASCII whitespace by a table of blocks of 1018 code
// points counted from U+00A0. For the code points of blocks 0, 11 and 63 other
// than the spaces it names, the test runs off its end: undefined behaviour,
// reached wherever the parser asks whether a character is a space (fuzzing
// found it). The text is parsed with each such code point replaced by a stand-in
// from the supplementary private-use plane, which the parser treats alike
// everywhere but in that test, and every key, string and message it returns
// gets the code points back. A text that holds a stand-in itself is refused.
constexpr char32_t kFirstStandIn = 0xF0000;

constexpr bool trips_whitespace_test(char32_t c) {
  if (c <= 0xA0 || c >= 0xFEFF || c == 0x3000) return false;
  const auto block = (c - 0xA0) / 0x3FA;
  return block == 0 || block == 11 || block == 63;
}

constexpr std::size_t kTripping = [] {
  std::size_t count = 0;
  for (char32_t c = 0xA0; c <= 0xFEFF; ++c) count += trips_whitespace_test(c) ? 1 : 0;
  return count;
}();

constexpr bool is_stand_in(char32_t c) {
  return c >= kFirstStandIn && c < kFirstStandIn + kTripping;
}

// The tripping code points in ascending order; the k-th stands in as U+F0000 + k.
const std::array<char32_t, kTripping>& tripping_code_points() {
  static const std::array<char32_t, kTripping> table = [] {
    std::array<char32_t, kTripping> points{};
    std::size_t k = 0;
    for (char32_t c = 0xA0; c <= 0xFEFF; ++c)
      if (trips_whitespace_test(c)) points[k++] = c;
    return points;
  }();
  return table;
}

// The stand-in of a tripping code point; any other stays.
char32_t stand_in_for(char32_t c) {
  if (!trips_whitespace_test(c)) return c;
  const auto& points = tripping_code_points();
  return kFirstStandIn +
         static_cast<char32_t>(std::lower_bound(points.begin(), points.end(), c) - points.begin());
}

// The code point a stand-in stands for; any other stays (an escape such as
// \u00E9 in a string gives a tripping code point that is the string's own).
char32_t original_of(char32_t c) {
  return is_stand_in(c) ? tripping_code_points()[c - kFirstStandIn] : c;
}

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  const int length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
  static constexpr unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
  out += static_cast<char>(kLead[length] | (c >> (6 * (length - 1))));
  for (int k = length - 2; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
}

// Calls each(code point) for every valid UTF-8 sequence of the text and
// each_byte(byte) for a byte that starts none (the parser judges those).
template <typename CodePoint, typename Byte>
void for_each_code_point(std::string_view text, CodePoint each, Byte each_byte) {
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t length = byte >= 0xC2 && byte <= 0xDF   ? 2
                               : byte >= 0xE0 && byte <= 0xEF ? 3
                               : byte >= 0xF0 && byte <= 0xF4 ? 4
                                                              : 1;
    char32_t c = length == 1 ? byte : byte & (0x7F >> length);
    bool valid = i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    const char32_t shortest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (byte < 0x80 ||
        (length > 1 && valid && c >= shortest && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF))) {
      each(c);
      i += length;
    } else {
      each_byte(text[i]);
      ++i;
    }
  }
}

std::string mapped(std::string_view text, char32_t (*map)(char32_t)) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for_each_code_point(
      text, [&](char32_t c) { append_utf8(out, map(c)); }, [&](char byte) { out += byte; });
  return out;
}

std::string with_originals(std::string_view text) { return mapped(text, original_of); }

std::optional<site::Diagnostic> stand_in_held(std::string_view text) {
  int line = 1;
  std::optional<site::Diagnostic> found;
  for_each_code_point(
      text,
      [&](char32_t c) {
        if (c == '\n') ++line;
        if (is_stand_in(c) && !found) {
          char name[16];
          std::snprintf(name, sizeof name, "U+%X", static_cast<unsigned>(c));
          found = site::Diagnostic{site::Severity::kError, "",
                                   "holds " + std::string(name) +
                                       ", a private-use character a project file does not take",
                                   line};
        }
      },
      [](char) {});
  return found;
}

// A message of the parser, with the stand-ins it quotes in hexadecimal given back.
std::string restored_message(std::string_view message) {
  std::string out = with_originals(message);
  for (std::size_t at = out.find("\\U"); at != std::string::npos; at = out.find("\\U", at + 1)) {
    if (at + 10 > out.size()) break;
    unsigned value = 0;
    const auto [end, code] = std::from_chars(out.data() + at + 2, out.data() + at + 10, value, 16);
    if (code != std::errc() || end != out.data() + at + 10 || !is_stand_in(value)) continue;
    char hex[8];
    std::snprintf(hex, sizeof hex, "u%04X", static_cast<unsigned>(original_of(value)));
    out.replace(at + 1, 9, hex);
  }
  return out;
}

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
    if (const auto* text = node.as_string()) return Tree(with_originals(text->get()));
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
      const std::string name = with_originals(key->str());
      const std::string at = child_path(path, name);
      const int line = static_cast<int>(key->source().begin.line);
      // A key written once as é and once as \u00E9: two keys to the parser,
      // which saw a stand-in in the first.
      if (object.contains(name) && !out_.error)
        out_.error = site::Diagnostic{site::Severity::kError, at, "is defined twice", line};
      out_.lines[at] = line;
      object[name] = build(*value, at);
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
  if (std::optional<site::Diagnostic> held = stand_in_held(text)) {
    reading.error = std::move(held);
    return reading;
  }
  const std::string parsed_text = mapped(text, stand_in_for);
  toml::parse_result parsed = toml::parse(parsed_text);
  if (!parsed) {
    const toml::parse_error& error = parsed.error();
    reading.error = site::Diagnostic{site::Severity::kError, "",
                                     "is not valid TOML: " + restored_message(error.description()),
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
