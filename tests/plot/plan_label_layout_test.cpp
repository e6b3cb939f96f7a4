// The labels of each example's plan, read back from the page: each label's
// box worked out from its position, its anchor and the width of its text
// (the placer's stated font widths), and no two boxes overlapping, none over
// a point's mark, none past the plot's frame.
#include "plot/plan_label_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot/label_placer.h"
#include "plot_run.h"

namespace plot {
namespace {

using plot_test::find;
using plot_test::XmlElement;

double number(const XmlElement& e, const std::string& name) {
  const std::string text = e.attribute(name);
  return text.empty() ? 0.0 : std::stod(text);
}

// The box of one label text: a new line at each span that sets x; each other
// span continues the line after its dx.
Box box_of(const XmlElement& text) {
  const double x = number(text, "x"), y = number(text, "y");
  const double font = number(text, "font-size");
  EXPECT_GT(font, 0.0);
  double last_baseline = y, widest = 0.0, width = 0.0;
  for (const auto& span : text.children) {
    EXPECT_EQ(span->name, "tspan");
    if (!span->attribute("x").empty()) {
      widest = std::max(widest, width);
      width = 0.0;
      last_baseline += number(*span, "dy");
    }
    width += number(*span, "dx") +
             text_width(span->all_text(), font, span->attribute("font-weight") == "bold");
  }
  widest = std::max(widest, width);
  const std::string anchor = text.attribute("text-anchor");
  const double left = anchor == "middle" ? x - widest / 2 : anchor == "end" ? x - widest : x;
  return {left, y - kAscent * font, left + widest, last_baseline + kDescent * font};
}

// Coordinates are written to a hundredth of a pixel.
bool meet(const Box& a, const Box& b) {
  constexpr double kRounding = 0.02;
  return overlap({a.left + kRounding, a.top + kRounding, a.right - kRounding, a.bottom - kRounding},
                 b);
}

class PlanLabels : public ::testing::TestWithParam<std::string> {};

TEST_P(PlanLabels, NoTwoOverlapNorCoverAPointNorLeaveTheFrame) {
  // The large example on a 5 ft grid instead of its default 2 ft: as many
  // labels to place, a sixth of the nodes to compute under the sanitizers.
  const plot_test::ExampleRun run = plot_test::run_example(
      GetParam(), GetParam() == "large" ? std::vector<std::string>{"--grid-spacing=5"}
                                        : std::vector<std::string>{});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  const auto plans = find(*run.page, "svg", "plan");
  ASSERT_EQ(plans.size(), 1u);
  std::vector<Box> labels;
  for (const XmlElement* text : find(*plans[0], "text", "label")) labels.push_back(box_of(*text));
  ASSERT_GT(labels.size(), 5u);
  // The frame: the plot area's outline.
  const auto rects = find(*plans[0], "rect", "frame");
  ASSERT_EQ(rects.size(), 1u);
  const XmlElement& frame_rect = *rects[0];
  const Box frame{number(frame_rect, "x"), number(frame_rect, "y"),
                  number(frame_rect, "x") + number(frame_rect, "width"),
                  number(frame_rect, "y") + number(frame_rect, "height")};
  std::vector<Box> marks;
  for (const XmlElement* point : find(*plans[0], "g", "point")) {
    const auto circles = find(*point, "circle", "mark");
    if (!circles.empty()) {
      const XmlElement& circle = *circles[0];
      const double cx = number(circle, "cx"), cy = number(circle, "cy"), r = number(circle, "r");
      marks.push_back({cx - r, cy - r, cx + r, cy + r});
      continue;
    }
    const XmlElement& square = *find(*point, "rect", "mark").at(0);
    marks.push_back({number(square, "x"), number(square, "y"),
                     number(square, "x") + number(square, "width"),
                     number(square, "y") + number(square, "height")});
  }
  for (std::size_t a = 0; a < labels.size(); ++a) {
    const Box& box = labels[a];
    EXPECT_GE(box.left, frame.left) << a;
    EXPECT_LE(box.right, frame.right) << a;
    EXPECT_GE(box.top, frame.top) << a;
    EXPECT_LE(box.bottom, frame.bottom) << a;
    for (std::size_t b = a + 1; b < labels.size(); ++b)
      EXPECT_FALSE(meet(box, labels[b])) << "labels " << a << " and " << b;
    for (std::size_t m = 0; m < marks.size(); ++m)
      EXPECT_FALSE(meet(box, marks[m])) << "label " << a << " and point " << m + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, PlanLabels, ::testing::Values("sample", "large", "si_units"));

}  // namespace
}  // namespace plot
