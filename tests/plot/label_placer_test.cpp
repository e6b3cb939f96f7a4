// Label boxes: widths that hold the text in the fonts the page names, and a
// placement that never lets two boxes meet.
#include "plot/label_placer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plot {
namespace {

// Widths of Arial (and Liberation Sans, metric-compatible) in thousandths of
// an em, summed by hand from the fonts' published tables.
TEST(LabelPlacer, TextWidthHoldsTheTextInArial) {
  const struct {
    int line;
    std::string text;
    bool bold;
    int arial;  // thousandths of an em
  } cases[] = {
      {__LINE__, "0123456789", false, 5560},
      {__LINE__, "P12", false, 667 + 556 + 556},
      {__LINE__, "4.405 in.", false, 4 * 556 + 2 * 278 + 278 + 222 + 556 + 278},
      {__LINE__, "A094", true, 722 + 3 * 556},
      {__LINE__, "MW", true, 833 + 944},
      {__LINE__, "188.157 mm", false, 6 * 556 + 278 + 278 + 2 * 833},
      {__LINE__, "-20.000 kPa", false, 333 + 5 * 556 + 278 + 278 + 500 + 667 + 556},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const double width = text_width(c.text, 10.0, c.bold);
    EXPECT_GE(width, c.arial / 100.0);
    // Room to spare, but not so much that labels are dropped for nothing.
    EXPECT_LE(width, c.arial / 100.0 * 1.3);
  }
}

TEST(LabelPlacer, BoxesThatOnlyTouchDoNotOverlap) {
  const Box a{0, 0, 10, 5};
  const struct {
    int line;
    Box b;
    bool overlapping;
  } cases[] = {
      {__LINE__, {10, 0, 20, 5}, false},                                    // side by side
      {__LINE__, {0, 5, 10, 9}, false},                                     // one under the other
      {__LINE__, {9.9, 4.9, 12, 8}, true}, {__LINE__, {2, 1, 3, 2}, true},  // inside
      {__LINE__, {-5, -5, 20, 20}, true},  {__LINE__, {11, 0, 12, 5}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(overlap(a, c.b), c.overlapping);
    EXPECT_EQ(overlap(c.b, a), c.overlapping);
  }
}

TEST(LabelPlacer, KeepsTheFirstFreeCandidateInsideTheFrame) {
  LabelSpace space{{0, 0, 100, 100}, {{40, 40, 60, 60}}};
  const std::vector<Box> candidates = {
      {90, 10, 110, 20},  // past the frame's right side
      {50, 50, 70, 70},   // on the taken box
      {60, 60, 80, 70},   // free
      {0, 0, 10, 10},     // free too, but later
  };
  const auto placed = place_label(space, candidates);
  ASSERT_TRUE(placed);
  EXPECT_EQ(placed->left, 60);
  EXPECT_EQ(placed->top, 60);
  ASSERT_EQ(space.taken.size(), 2u);
  // The same candidates again: the one just placed is taken now.
  const auto second = place_label(space, candidates);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->left, 0);
  EXPECT_FALSE(place_label(space, candidates));
  EXPECT_EQ(space.taken.size(), 3u);
}

TEST(LabelPlacer, PlacesAroundAMarkKeepClearOfIt) {
  const double x = 50, y = 50, radius = 7, gap = 3, width = 40, height = 15;
  const Box mark{x - radius, y - radius, x + radius, y + radius};
  const std::vector<Box> boxes = around_mark(x, y, radius, gap, width, height);
  ASSERT_EQ(boxes.size(), 8u);
  for (std::size_t k = 0; k < boxes.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_FALSE(overlap(boxes[k], mark));
    EXPECT_DOUBLE_EQ(boxes[k].width(), width);
    EXPECT_DOUBLE_EQ(boxes[k].height(), height);
  }
  // The first place is to the upper right of the mark.
  EXPECT_GT(boxes[0].left, x);
  EXPECT_LT(boxes[0].bottom, y);
  // Labels of one size placed in turn around one mark take the upper right,
  // the upper left and the place below; then the mark is surrounded.
  LabelSpace space{{0, 0, 200, 200}, {mark}};
  for (const std::size_t expected : {0u, 2u, 5u}) {
    const auto placed = place_label(space, boxes);
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->left, boxes[expected].left) << expected;
    EXPECT_EQ(placed->top, boxes[expected].top) << expected;
  }
  EXPECT_FALSE(place_label(space, boxes));
}

}  // namespace
}  // namespace plot
