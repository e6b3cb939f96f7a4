// The archived file's texts are Latin-1 bytes, a project's texts UTF-8: the
// two ways between them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace problem {

// Each byte is the character of the same number (ISO 8859-1), so a byte from
// 0x80 up becomes two bytes of UTF-8.
std::string utf8_of(std::string_view latin1);

// The Latin-1 bytes of a UTF-8 text, or nothing when it holds a character
// beyond U+00FF. REQUIRES: `utf8` is valid UTF-8 (the project reader refuses
// any other).
std::optional<std::string> latin1_of(std::string_view utf8);

}  // namespace problem
