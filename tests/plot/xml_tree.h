// A strict little XML parser for the page tests: it accepts only well-formed
// documents (matching tags, quoted attributes, known entities) and gives the
// element tree.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plot_test {

struct XmlElement {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::vector<std::unique_ptr<XmlElement>> children;
  std::string text;  // character data directly inside, entities decoded

  std::string attribute(const std::string& key) const {
    const auto it = attributes.find(key);
    return it == attributes.end() ? std::string() : it->second;
  }
  bool has_class(std::string_view wanted) const {
    const std::string classes = " " + attribute("class") + " ";
    return classes.find(" " + std::string(wanted) + " ") != std::string::npos;
  }
  // All character data of the element and its descendants, in order.
  std::string all_text() const {
    std::string out = text;
    for (const auto& child : children) out += child->all_text();
    return out;
  }
  // Every descendant (and the element itself) for which `match` holds.
  template <typename Match>
  void collect(Match match, std::vector<const XmlElement*>& found) const {
    if (match(*this)) found.push_back(this);
    for (const auto& child : children) child->collect(match, found);
  }
};

class XmlParser {
 public:
  explicit XmlParser(std::string_view text) : text_(text) {}

  // The root element; throws std::runtime_error at the first fault.
  std::unique_ptr<XmlElement> parse() {
    skip_prolog();
    auto root = parse_element();
    skip_misc();
    if (at_ < text_.size()) fail("content after the root element");
    return root;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw std::runtime_error(what + " at offset " + std::to_string(at_));
  }
  bool starts(std::string_view s) const { return text_.substr(at_, s.size()) == s; }
  void skip_space() {
    while (at_ < text_.size() &&
           std::string_view(" \t\r\n").find(text_[at_]) != std::string_view::npos)
      ++at_;
  }
  void skip_past(std::string_view end) {
    const std::size_t found = text_.find(end, at_);
    if (found == std::string_view::npos) fail("unterminated markup");
    at_ = found + end.size();
  }
  void skip_misc() {
    for (;;) {
      skip_space();
      if (starts("<!--"))
        skip_past("-->");
      else if (starts("<?"))
        skip_past("?>");
      else
        return;
    }
  }
  void skip_prolog() {
    skip_misc();
    if (starts("<!DOCTYPE")) skip_past(">");
    skip_misc();
  }
  std::string parse_name() {
    const std::size_t start = at_;
    while (at_ < text_.size() &&
           (std::isalnum(static_cast<unsigned char>(text_[at_])) ||
            std::string_view(":_-.").find(text_[at_]) != std::string_view::npos)) {
      ++at_;
    }
    if (at_ == start) fail("a name expected");
    return std::string(text_.substr(start, at_ - start));
  }
  std::string decode(std::string_view raw) const {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '<') fail("'<' in character data");
      if (raw[i] != '&') {
        out += raw[i];
        continue;
      }
      const std::size_t end = raw.find(';', i);
      if (end == std::string_view::npos) fail("unterminated entity");
      const std::string_view entity = raw.substr(i + 1, end - i - 1);
      if (entity == "amp")
        out += '&';
      else if (entity == "lt")
        out += '<';
      else if (entity == "gt")
        out += '>';
      else if (entity == "quot")
        out += '"';
      else if (entity == "apos")
        out += '\'';
      else if (!entity.empty() && entity[0] == '#')
        out += '?';
      else
        fail("unknown entity &" + std::string(entity) + ";");
      i = end;
    }
    return out;
  }
  std::unique_ptr<XmlElement> parse_element() {
    if (!starts("<")) fail("'<' expected");
    ++at_;
    auto element = std::make_unique<XmlElement>();
    element->name = parse_name();
    for (;;) {
      skip_space();
      if (starts("/>")) {
        at_ += 2;
        return element;
      }
      if (starts(">")) {
        ++at_;
        break;
      }
      const std::string key = parse_name();
      skip_space();
      if (!starts("=")) fail("'=' expected");
      ++at_;
      skip_space();
      if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\''))
        fail("quoted value expected");
      const char quote = text_[at_++];
      const std::size_t end = text_.find(quote, at_);
      if (end == std::string_view::npos) fail("unterminated attribute");
      if (!element->attributes.emplace(key, decode(text_.substr(at_, end - at_))).second)
        fail("repeated attribute");
      at_ = end + 1;
    }
    for (;;) {
      const std::size_t next = text_.find('<', at_);
      if (next == std::string_view::npos) fail("unclosed element " + element->name);
      element->text += decode(text_.substr(at_, next - at_));
      at_ = next;
      if (starts("</")) {
        at_ += 2;
        if (parse_name() != element->name) fail("mismatched end tag of " + element->name);
        skip_space();
        if (!starts(">")) fail("'>' expected");
        ++at_;
        return element;
      }
      if (starts("<!--")) {
        skip_past("-->");
        continue;
      }
      element->children.push_back(parse_element());
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace plot_test
