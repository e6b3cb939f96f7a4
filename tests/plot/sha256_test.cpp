// The digest of the title block, on the test vectors published with FIPS 180-4.
#include "plot/sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace plot {
namespace {

TEST(Sha256, GivesThePublishedDigestsOfTheStandardMessages) {
  const struct {
    int line;
    std::string message;
    const char* digest;
  } cases[] = {
      {__LINE__, "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {__LINE__, "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {__LINE__, "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {__LINE__,
       "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmn"
       "opqrsmnopqrstnopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {__LINE__, std::string(1000000, 'a'),
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(sha256_hex(c.message), c.digest);
  }
}

// Messages whose padding lands at each edge of a block: 55 bytes fit one
// padded block, 56 need two; 64 fill a block before the padding.
TEST(Sha256, PadsAtTheEdgesOfABlockAsTheSystemTool) {
  const struct {
    int line;
    std::size_t length;
    const char* digest;  // of that many 'a's
  } cases[] = {
      {__LINE__, 55, "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
      {__LINE__, 56, "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
      {__LINE__, 64, "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(sha256_hex(std::string(c.length, 'a')), c.digest);
  }
}

}  // namespace
}  // namespace plot
