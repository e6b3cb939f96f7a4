// JSON to the value tree and back. nlohmann-json reads and writes the text;
// it keeps no lines, so a light scan of the same text finds the line of
// every key and list element for the messages.
#include "project/json_form.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace project {
namespace {

using site::Tree;

// The line of every value in a text that nlohmann-json has accepted: the scan
// follows the nesting of objects and lists and the keys in them, skipping
// over strings.
class LineScan {
 public:
  LineScan(std::string_view text, site::TreeLines& lines) : text_(text), lines_(lines) {}

  // Scans the text; returns the first key given twice in one object, which
  // nlohmann-json would take silently, the last one winning.
  std::optional<site::Diagnostic> run() {
    skip_blank();
    value("");
    return duplicate_;
  }

 private:
  void value(const std::string& path) {
    skip_blank();
    if (at_end()) return;
    if (!path.empty()) lines_.emplace(path, line_);
    const char c = text_[pos_];
    if (c == '{') {
      ++pos_;
      skip_blank();
      while (!at_end() && text_[pos_] != '}') {
        const int key_line = line_;
        const std::string key = string();
        const std::string at = path.empty() ? key : path + "." + key;
        if (lines_.count(at) != 0 && !duplicate_) {
          duplicate_ = site::Diagnostic{site::Severity::kError, at, "is given twice in one object",
                                        key_line};
        }
        lines_[at] = key_line;
        skip_blank();
        ++pos_;  // the colon
        value(at);
        skip_blank();
        if (!at_end() && text_[pos_] == ',') ++pos_;
        skip_blank();
      }
      ++pos_;
    } else if (c == '[') {
      ++pos_;
      skip_blank();
      std::size_t index = 0;
      while (!at_end() && text_[pos_] != ']') {
        value(site::indexed_path(path, index++));
        skip_blank();
        if (!at_end() && text_[pos_] == ',') ++pos_;
        skip_blank();
      }
      ++pos_;
    } else if (c == '"') {
      string();
    } else {
      while (!at_end() && text_[pos_] != ',' && text_[pos_] != '}' && text_[pos_] != ']' &&
             !blank(text_[pos_]))
        ++pos_;
    }
  }

  // A string's text with its escapes left as they are: keys of a project
  // need no escapes, and the scan only matches them.
  std::string string() {
    std::string out;
    ++pos_;
    while (!at_end() && text_[pos_] != '"') {
      if (text_[pos_] == '\\') out += text_[pos_++];
      if (!at_end()) out += text_[pos_++];
    }
    ++pos_;
    return out;
  }

  static bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
  void skip_blank() {
    while (!at_end() && blank(text_[pos_])) {
      if (text_[pos_] == '\n') ++line_;
      ++pos_;
    }
  }
  bool at_end() const { return pos_ >= text_.size(); }

  std::string_view text_;
  site::TreeLines& lines_;
  std::size_t pos_ = 0;
  int line_ = 1;
  std::optional<site::Diagnostic> duplicate_;
};

int line_at(std::string_view text, std::size_t byte) {
  int line = 1;
  for (std::size_t i = 0; i < byte && i < text.size(); ++i)
    if (text[i] == '\n') ++line;
  return line;
}

}  // namespace

FormReading read_json(std::string_view text) {
  FormReading reading;
  try {
    reading.tree = Tree::parse(text.begin(), text.end(), nullptr, true, false);
  } catch (const Tree::parse_error& error) {
    const std::size_t byte = error.byte > 0 ? error.byte - 1 : 0;
    std::string message = "is not valid JSON: ";
    if (byte < text.size() && text[byte] == '/') {
      message += "JSON has no comments";
    } else {
      // nlohmann's text after its "[json.exception.parse_error.101] " tag.
      const std::string what = error.what();
      const std::size_t tag = what.find("] ");
      message += tag == std::string::npos ? what : what.substr(tag + 2);
    }
    reading.error = site::Diagnostic{site::Severity::kError, "", message, line_at(text, byte)};
    return reading;
  } catch (const Tree::exception& error) {
    // A number beyond the range of a double ("number overflow parsing
    // '1e400'"): the parser names the number but not its place.
    const std::string what = error.what();
    const std::size_t tag = what.find("] ");
    const std::string told = tag == std::string::npos ? what : what.substr(tag + 2);
    const std::size_t open = told.find('\'');
    const std::size_t close = told.rfind('\'');
    std::size_t byte = 0;
    if (open != std::string::npos && close > open) {
      const std::size_t found = text.find(told.substr(open + 1, close - open - 1));
      if (found != std::string_view::npos) byte = found;
    }
    reading.error = site::Diagnostic{site::Severity::kError, "", "is not valid JSON: " + told,
                                     line_at(text, byte)};
    return reading;
  }
  reading.error = LineScan(text, reading.lines).run();
  return reading;
}

std::string write_json(const Tree& tree) { return tree.dump(2) + "\n"; }

}  // namespace project
