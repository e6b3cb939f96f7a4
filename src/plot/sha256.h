// The SHA-256 digest of the problem file, printed in the page's title block
// so that a filed page can be traced to the exact bytes it was drawn from.
#pragma once

#include <string>
#include <string_view>

namespace plot {

// The SHA-256 digest (FIPS 180-4) of `bytes`, as 64 lower-case hexadecimal
// digits. The program carries its own: the Windows build of settle-plot has
// no crypto library to link.
std::string sha256_hex(std::string_view bytes);

}  // namespace plot
