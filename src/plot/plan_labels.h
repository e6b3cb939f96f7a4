// The labels of the plan as text: one or more lines of spans, their box from
// the text's width (label_placer), and the SVG text drawn inside that box.
#pragma once

#include <string>
#include <vector>

#include "plot/label_placer.h"
#include "plot/xml_writer.h"

namespace plot {

struct LabelSpan {
  std::string text;
  bool bold = false;
  std::vector<Attribute> attributes;  // class and data of the span
};
using LabelLine = std::vector<LabelSpan>;

struct Label {
  std::vector<LabelLine> lines;
  double font_size = 12.0;
  std::vector<Attribute> attributes;  // class and data of the text element
};

// The gap between two spans of a line, in ems (the span's dx).
inline constexpr double kSpanGap = 0.3;

// The box of a label: its widest line by its lines' height.
double label_width(const Label& label);
double label_height(const Label& label);

// How the text stands in its box: from the left side, centred, or up to the
// right side (a label left of its mark).
enum class Anchor { kStart, kMiddle, kEnd };

// The anchor that keeps a box placed beside a mark at (x, y) close to it.
Anchor anchor_beside(const Box& box, double x);

// Writes `label` as one SVG text element inside `box`: the first baseline
// kAscent below its top, each next line kLineHeight lower, each span after
// the first of a line kSpanGap further on.
void write_label(XmlWriter& out, const Label& label, const Box& box, Anchor anchor);

}  // namespace plot
