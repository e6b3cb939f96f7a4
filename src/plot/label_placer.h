// Placing the labels of a drawing so that no two overlap: each label's box is
// worked out from its text, tried at candidate places in turn and kept at the
// first where it meets no box already placed; a label that fits nowhere is
// left off (the page's tables hold every value).
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace plot {

// Text metrics, in pixels for a font size in pixels. The page asks for
// Helvetica, Arial or Liberation Sans, whose widths are the same; the widths
// below are theirs rounded up by about a tenth, so that a label drawn in any
// of them stays inside its box.
double text_width(std::string_view text, double font_size, bool bold = false);
// Height above the baseline and below it of a line's box, and the distance
// between the baselines of two lines of one label.
inline constexpr double kAscent = 0.95;   // times the font size
inline constexpr double kDescent = 0.30;  // times the font size
inline constexpr double kLineHeight = kAscent + kDescent;

// A box in pixels, y down the page.
struct Box {
  double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
  double width() const { return right - left; }
  double height() const { return bottom - top; }
};

// True when the insides of `a` and `b` meet (boxes that only touch do not).
bool overlap(const Box& a, const Box& b);

// The boxes placed so far and the frame every label stays inside.
struct LabelSpace {
  Box frame;
  std::vector<Box> taken;  // labels placed and marks kept clear
};

// Keeps the first of `candidates` that lies inside the frame and meets no
// taken box, and returns it; nullopt when none does.
std::optional<Box> place_label(LabelSpace& space, std::span<const Box> candidates);

// True when `box` lies inside the frame and meets no taken box.
bool is_free(const LabelSpace& space, const Box& box);

// True when the segment from (x1, y1) to (x2, y2) passes through the inside
// of `box`.
bool segment_meets(const Box& box, double x1, double y1, double x2, double y2);

// The point of `box` nearest (x, y): where a leader line from a mark meets it.
void nearest_on_box(const Box& box, double& x, double& y);

// The eight places of a `width` x `height` label around a round mark of
// `radius` at (x, y), `gap` away from it: to the upper right first, then
// right, upper left, left, above, below, lower right and lower left.
std::vector<Box> around_mark(double x, double y, double radius, double gap, double width,
                             double height);

// A `width` x `height` box centred on (x, y).
Box centred_box(double x, double y, double width, double height);

}  // namespace plot
