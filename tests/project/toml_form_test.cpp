// Characters beyond ASCII wherever a TOML text can hold them: kept exactly in
// keys and strings, refused with the character named where TOML takes none.
// Several of them (Latin-1 letters, Greek, Cyrillic, kana, Arabic forms) are
// ones the parser's whitespace test mishandles; the sanitizer build runs these.
#include "project/toml_form.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
  const char* text;
  const char* key;       // a key of the top table, or "" for an error
  const char* expected;  // that key's string, or a part of the error message
};

class TomlText : public testing::TestWithParam<Case> {};

TEST_P(TomlText, KeepsOrRefusesCharactersBeyondAscii) {
  const Case& c = GetParam();
  const project::FormReading read = project::read_toml(c.text);
  if (*c.key == '\0') {
    ASSERT_TRUE(read.error.has_value());
    EXPECT_NE(read.error->message.find(c.expected), std::string::npos) << read.error->message;
    EXPECT_EQ(read.error->line, 1);
  } else {
    ASSERT_FALSE(read.error.has_value()) << read.error->message;
    ASSERT_TRUE(read.tree.contains(c.key));
    EXPECT_EQ(read.tree[c.key].get<std::string>(), c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Characters, TomlText,
    testing::Values(Case{"title = \"Fondation é ñ Ω ж\"", "title", "Fondation é ñ Ω ж"},
                    Case{"\"clé\" = \"argile\"", "clé", "argile"},
                    Case{"title = '''ぁ \u3000 ﻼ'''", "title", "ぁ \u3000 ﻼ"},
                    Case{"title = \"\"\"a \\\n   é\"\"\"", "title", "a é"},
                    Case{"title = \"\\u00E9\\u3041\"", "title", "éぁ"},
                    Case{"title = \"x\" # é ぁ", "title", "x"}, Case{"title = é", "", "value"},
                    Case{"title = \"x\" ぁ", "", "saw 'ぁ'"},
                    Case{"title = \"\"\"\\é\"\"\"", "", "escape"}, Case{"é = 1", "", "saw 'é'"},
                    Case{"title = \"\U000F0000\"", "", "U+F0000"},
                    Case{"t = { \"é\" = 1, \"\\u00E9\" = 2 }", "", "defined twice"}));

}  // namespace
