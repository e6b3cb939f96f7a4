// Every Latin-1 byte survives the way to UTF-8 and back; a character beyond
// Latin-1 has no way back.
#include "problem/latin1_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Latin1Text, EveryByteRoundTripsAndOnlyLatin1ComesBack) {
  std::string every;
  for (int byte = 1; byte < 256; ++byte) every += static_cast<char>(byte);
  const std::string utf8 = problem::utf8_of(every);
  EXPECT_EQ(utf8.size(), 127u + 2u * 128u);
  EXPECT_EQ(problem::latin1_of(utf8), every);
  EXPECT_EQ(problem::utf8_of("GR\xDC"
                             "N"),
            "GR\xC3\x9CN");                                     // Ü
  EXPECT_EQ(problem::latin1_of("\xC4\x80"), std::nullopt);      // U+0100
  EXPECT_EQ(problem::latin1_of("\xE2\x82\xAC"), std::nullopt);  // €
}

}  // namespace
