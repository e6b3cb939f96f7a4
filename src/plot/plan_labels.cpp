// Label boxes and label text.
#include "plot/plan_labels.h"

#include <algorithm>

namespace plot {
namespace {

double line_width(const LabelLine& line, double font_size) {
  double width = 0.0;
  for (std::size_t k = 0; k < line.size(); ++k) {
    width += text_width(line[k].text, font_size, line[k].bold) + (k > 0 ? kSpanGap * font_size : 0);
  }
  return width;
}

}  // namespace

double label_width(const Label& label) {
  double width = 0.0;
  for (const LabelLine& line : label.lines)
    width = std::max(width, line_width(line, label.font_size));
  return width;
}

double label_height(const Label& label) {
  return static_cast<double>(label.lines.size()) * kLineHeight * label.font_size;
}

Anchor anchor_beside(const Box& box, double x) {
  if (box.left >= x) return Anchor::kStart;
  if (box.right <= x) return Anchor::kEnd;
  return Anchor::kMiddle;
}

void write_label(XmlWriter& out, const Label& label, const Box& box, Anchor anchor) {
  const double x = anchor == Anchor::kStart ? box.left
                   : anchor == Anchor::kEnd ? box.right
                                            : (box.left + box.right) / 2;
  const char* anchor_name = anchor == Anchor::kStart ? "start"
                            : anchor == Anchor::kEnd ? "end"
                                                     : "middle";
  std::vector<Attribute> attributes = label.attributes;
  attributes.push_back({"x", px(x)});
  attributes.push_back({"y", px(box.top + kAscent * label.font_size)});
  attributes.push_back({"font-size", px(label.font_size)});
  attributes.push_back({"text-anchor", anchor_name});
  // One line of markup: a line break between spans would be drawn as a space.
  out.open_inline("text", attributes);
  for (std::size_t n = 0; n < label.lines.size(); ++n) {
    const LabelLine& line = label.lines[n];
    for (std::size_t k = 0; k < line.size(); ++k) {
      std::vector<Attribute> span = line[k].attributes;
      if (n > 0 && k == 0) {
        span.push_back({"x", px(x)});
        span.push_back({"dy", px(kLineHeight * label.font_size)});
      } else if (k > 0) {
        span.push_back({"dx", px(kSpanGap * label.font_size)});
      }
      if (line[k].bold) span.push_back({"font-weight", "bold"});
      out.element_inline("tspan", span, line[k].text);
    }
  }
  out.close();
}

}  // namespace plot
