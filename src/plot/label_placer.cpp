// Label boxes and their greedy placement.
#include "plot/label_placer.h"

#include <algorithm>

namespace plot {
namespace {

// Widths in ems of Arial, Helvetica and Liberation Sans, by class of
// character, each the widest of its class rounded up: narrow marks and
// letters (0.333 at most), digits and lower case (0.556), capitals (0.778)
// and the widest letters (0.944).
double em_width(char c) {
  constexpr std::string_view kNarrow = " .,:;'!|ijlftrI()[]-/";
  constexpr std::string_view kWidest = "mwMW@%";
  if (kNarrow.find(c) != std::string_view::npos) return 0.40;
  if (kWidest.find(c) != std::string_view::npos) return 1.00;
  if (c >= 'A' && c <= 'Z') return 0.84;
  return 0.62;
}

}  // namespace

double text_width(std::string_view text, double font_size, bool bold) {
  double ems = 0.0;
  // A byte past ASCII counts as a capital: a character of two or three bytes
  // is given room to spare.
  for (const char c : text) ems += static_cast<unsigned char>(c) < 0x80 ? em_width(c) : 0.84;
  // Bold faces are wider by up to a twelfth.
  return ems * font_size * (bold ? 1.09 : 1.0);
}

bool overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool is_free(const LabelSpace& space, const Box& box) {
  if (box.left < space.frame.left || box.right > space.frame.right || box.top < space.frame.top ||
      box.bottom > space.frame.bottom) {
    return false;
  }
  for (const Box& taken : space.taken) {
    if (overlap(box, taken)) return false;
  }
  return true;
}

std::optional<Box> place_label(LabelSpace& space, std::span<const Box> candidates) {
  for (const Box& box : candidates) {
    if (!is_free(space, box)) continue;
    space.taken.push_back(box);
    return box;
  }
  return std::nullopt;
}

bool segment_meets(const Box& box, double x1, double y1, double x2, double y2) {
  // Liang-Barsky: the stretch of the segment, as fractions 0..1, inside
  // each pair of the box's sides in turn.
  double from = 0.0, to = 1.0;
  const double dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - box.left, box.right - x1, y1 - box.top, box.bottom - y1};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0.0) {
      if (q[k] <= 0.0) return false;
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0.0) {
      from = std::max(from, t);
    } else {
      to = std::min(to, t);
    }
  }
  return to - from > 1e-9;
}

void nearest_on_box(const Box& box, double& x, double& y) {
  x = std::clamp(x, box.left, box.right);
  y = std::clamp(y, box.top, box.bottom);
}

std::vector<Box> around_mark(double x, double y, double radius, double gap, double width,
                             double height) {
  const double near = radius + gap;
  // The upper places sit a little above the mark, as a label beside a map's
  // dot usually does; the lower ones a little below.
  const double lift = radius * 0.5;
  return {
      {x + near, y - lift - height, x + near + width, y - lift},  // upper right
      {x + near, y - height / 2, x + near + width, y + height / 2},
      {x - near - width, y - lift - height, x - near, y - lift},  // upper left
      {x - near - width, y - height / 2, x - near, y + height / 2},
      {x - width / 2, y - near - height, x + width / 2, y - near},  // above
      {x - width / 2, y + near, x + width / 2, y + near + height},  // below
      {x + near, y + lift, x + near + width, y + lift + height},    // lower right
      {x - near - width, y + lift, x - near, y + lift + height},    // lower left
  };
}

Box centred_box(double x, double y, double width, double height) {
  return {x - width / 2, y - height / 2, x + width / 2, y + height / 2};
}

}  // namespace plot
