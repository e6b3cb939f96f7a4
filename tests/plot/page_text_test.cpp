// Numbers, labels and escaped markup of the page.
#include "plot/page_text.h"

#include <gtest/gtest.h>

#include <sstream>

#include "plot/xml_writer.h"

namespace {

TEST(PageText, DecimalsRoundAsTheReportAndDropTheFieldsBlanks) {
  const struct {
    int line;
    float value;
    int decimals;
    const char* expected;
  } cases[] = {
      {__LINE__, 1.724f, 3, "1.724"}, {__LINE__, 0.0625f, 3, "0.063"},
      {__LINE__, -0.4f, 3, "-0.400"}, {__LINE__, 166.107f, 3, "166.107"},
      {__LINE__, 10.0f, 0, "10"},     {__LINE__, 2.5f, 1, "2.5"},
      {__LINE__, 0.0f, 2, "0.00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(plot::decimal(c.value, c.decimals), c.expected);
  }
}

TEST(PageText, RatiosAsOneOverANumberAndAsADecimal) {
  const struct {
    int line;
    double ratio;
    const char* one_over;
    const char* decimal;
  } cases[] = {
      {__LINE__, 1.25 / 12 / 17, "1/163", "0.00613"},
      {__LINE__, 0.002, "1/500", "0.00200"},
      {__LINE__, 1.0 / 45612.0, "1/45600", "0.0000219"},
      {__LINE__, 0.5, "1/2", "0.500"},
      {__LINE__, 0.0, "0", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(plot::one_over_text(c.ratio), c.one_over);
    EXPECT_EQ(plot::ratio_decimal_text(c.ratio), c.decimal);
  }
}

TEST(PageText, SpreadAreasAreNumberedAfterTheRegularAreas) {
  auto problem = std::make_unique<problem::ProblemData>();
  problem->area_count = 1;
  problem->spread_area_count = 2;
  problem->areas[1].area_id.chars = {'A', '1', ' ', ' '};
  problem->areas[1].shape = problem::kRectangle;
  problem->areas[2].shape = problem::kSpreadArea;
  problem->areas[3].shape = problem::kSpreadArea;
  EXPECT_EQ(plot::area_label(*problem, 1), "A1");
  EXPECT_EQ(plot::area_label(*problem, 2), "S1");
  EXPECT_EQ(plot::area_label(*problem, 3), "S2");
}

TEST(XmlWriter, EscapesTextAndAttributesAndNestsElements) {
  std::ostringstream out;
  plot::XmlWriter writer(out);
  writer.open("g", {{"data-area", "A&\"B\""}});
  writer.element("text", {}, "1 < 2 > 0 & more");
  writer.empty("circle", {{"r", plot::px(7.0)}});
  writer.close();
  EXPECT_EQ(writer.depth(), 0u);
  EXPECT_EQ(out.str(),
            "<g data-area=\"A&amp;&quot;B&quot;\">\n<text>1 &lt; 2 &gt; 0 &amp; "
            "more</text>\n<circle r=\"7\"/>\n</g>\n");
}

TEST(XmlWriter, PixelsHaveTwoDecimalsAtMost) {
  EXPECT_EQ(plot::px(12.345), "12.35");
  EXPECT_EQ(plot::px(-0.001), "0");
  EXPECT_EQ(plot::px(3.10), "3.1");
  EXPECT_EQ(plot::px(-7.0), "-7");
}

}  // namespace
