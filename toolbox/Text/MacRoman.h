// Character sets at the toolbox's edges: MacRoman inside, Unicode and UTF-8 outside.
#pragma once

#include <string>
#include <string_view>

namespace tb::text {

char32_t macRomanToUnicode(unsigned char code);
// The MacRoman code of a Unicode character, or -1 when MacRoman has none.
int unicodeToMacRoman(char32_t ch);
// The Unicode character the Symbol font shows for a code (m is mu, p is pi, ...).
char32_t symbolToUnicode(unsigned char code);

// Host clipboard text is UTF-8 with LF line ends; inside it is MacRoman with CR.
std::string macRomanToUtf8(std::string_view macRoman, bool crToLf);
// Characters MacRoman cannot hold become '?'.
std::string utf8ToMacRoman(std::string_view utf8, bool lfToCr);

} // namespace tb::text
