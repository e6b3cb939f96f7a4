// A small writer of well-formed XML (the page is XHTML with inline SVG):
// elements are opened and closed in order and every text is escaped.
#pragma once

#include <initializer_list>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plot {

struct Attribute {
  std::string_view name;
  std::string value;
};

class XmlWriter {
 public:
  explicit XmlWriter(std::ostream& out) : out_(&out) {}

  // Starts `<tag ...>` on a line of its own; close() ends the innermost one.
  void open(std::string_view tag, std::initializer_list<Attribute> attributes = {});
  void close();
  // `<tag ...>text</tag>` on one line.
  void element(std::string_view tag, std::initializer_list<Attribute> attributes,
               std::string_view text);
  // `<tag .../>` on one line.
  void empty(std::string_view tag, std::initializer_list<Attribute> attributes);
  // The same, with attributes chosen at run time.
  void open(std::string_view tag, const std::vector<Attribute>& attributes);
  void element(std::string_view tag, const std::vector<Attribute>& attributes,
               std::string_view text);
  // Elements whose whitespace matters (an SVG text and its spans): the start
  // tag, or a whole element, with no line break after it. close() ends the
  // element and its line.
  void open_inline(std::string_view tag, const std::vector<Attribute>& attributes);
  void element_inline(std::string_view tag, const std::vector<Attribute>& attributes,
                      std::string_view text);
  // Escaped character data inside the open element.
  void text(std::string_view text);
  // Text that is already markup: the document type line.
  void markup(std::string_view text);

  // The number of elements still open (0 when the document is complete).
  std::size_t depth() const { return open_.size(); }

 private:
  void start_tag(std::string_view tag, std::span<const Attribute> attributes, bool empty);
  std::ostream* out_;
  std::vector<std::string> open_;
};

// A coordinate of the drawing, in pixels, with two decimals at most.
std::string px(double value);

}  // namespace plot
