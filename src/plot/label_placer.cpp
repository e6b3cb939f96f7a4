// Label boxes and their greedy placement.
#include "plot/label_placer.h"

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

std::optional<Box> place_label(LabelSpace& space, std::span<const Box> candidates) {
  for (const Box& box : candidates) {
    if (box.left < space.frame.left || box.right > space.frame.right || box.top < space.frame.top ||
        box.bottom > space.frame.bottom) {
      continue;
    }
    bool free = true;
    for (const Box& taken : space.taken) {
      if (overlap(box, taken)) {
        free = false;
        break;
      }
    }
    if (!free) continue;
    space.taken.push_back(box);
    return box;
  }
  return std::nullopt;
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
