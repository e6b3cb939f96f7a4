// Writing elements, attributes and escaped text.
#include "plot/xml_writer.h"

#include <cassert>
#include <cmath>
#include <cstdio>

namespace plot {
namespace {

// `text` with &, <, > and " replaced by their entity references.
std::string escape_xml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

std::string px(double value) {
  // Negative zero and needless trailing zeros only bloat the page.
  const double rounded = std::round(value * 100.0) / 100.0;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", rounded == 0.0 ? 0.0 : rounded);
  std::string text = buffer;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

void XmlWriter::start_tag(std::string_view tag, std::span<const Attribute> attributes, bool empty) {
  *out_ << '<' << tag;
  for (const Attribute& attribute : attributes) {
    *out_ << ' ' << attribute.name << "=\"" << escape_xml(attribute.value) << '"';
  }
  *out_ << (empty ? "/>" : ">");
}

void XmlWriter::open(std::string_view tag, std::initializer_list<Attribute> attributes) {
  start_tag(tag, {attributes.begin(), attributes.size()}, false);
  *out_ << '\n';
  open_.emplace_back(tag);
}

void XmlWriter::open(std::string_view tag, const std::vector<Attribute>& attributes) {
  start_tag(tag, attributes, false);
  *out_ << '\n';
  open_.emplace_back(tag);
}

void XmlWriter::open_inline(std::string_view tag, const std::vector<Attribute>& attributes) {
  start_tag(tag, attributes, false);
  open_.emplace_back(tag);
}

void XmlWriter::element_inline(std::string_view tag, const std::vector<Attribute>& attributes,
                               std::string_view text) {
  start_tag(tag, attributes, false);
  *out_ << escape_xml(text) << "</" << tag << ">";
}

void XmlWriter::close() {
  assert(!open_.empty());
  *out_ << "</" << open_.back() << ">\n";
  open_.pop_back();
}

void XmlWriter::element(std::string_view tag, std::initializer_list<Attribute> attributes,
                        std::string_view text) {
  start_tag(tag, {attributes.begin(), attributes.size()}, false);
  *out_ << escape_xml(text) << "</" << tag << ">\n";
}

void XmlWriter::element(std::string_view tag, const std::vector<Attribute>& attributes,
                        std::string_view text) {
  start_tag(tag, attributes, false);
  *out_ << escape_xml(text) << "</" << tag << ">\n";
}

void XmlWriter::empty(std::string_view tag, std::initializer_list<Attribute> attributes) {
  start_tag(tag, {attributes.begin(), attributes.size()}, true);
  *out_ << '\n';
}

void XmlWriter::text(std::string_view text) { *out_ << escape_xml(text); }

void XmlWriter::markup(std::string_view text) { *out_ << text << '\n'; }

}  // namespace plot
