#pragma once
// GB18030 <-> UTF-16 without the operating system: Wine knows no code page 54936, and carrying the
// mapping makes every Windows build turn the same bytes into the same characters.
#include <string>
#include <string_view>

namespace gb18030 {

// A code of the right shape that has no character becomes one U+FFFD; any other byte that does
// not begin a character becomes one U+FFFD by itself. Decoding goes on after it.
std::u16string Decode(std::string_view bytes);
// Lone surrogates and the few characters without a code become the code of U+FFFD, 84 31 A4 37.
std::string Encode(std::u16string_view utf16);
// The code point starting at utf16[i], a surrogate pair read whole (i then steps past its first
// half); a lone surrogate gives U+FFFD.
char32_t CodePointAt(std::u16string_view utf16, std::size_t& i);

}  // namespace gb18030
