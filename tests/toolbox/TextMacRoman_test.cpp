#include "Text/MacRoman.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace tb::text;

TEST(MacRoman, EveryCodeRoundTripsThroughUnicodeAndUtf8) {
    std::set<char32_t> seen;
    std::string all;
    for (int c = 0; c < 256; ++c) {
        const char32_t ch = macRomanToUnicode(static_cast<unsigned char>(c));
        EXPECT_TRUE(seen.insert(ch).second) << "two codes share U+" << std::hex << std::uint32_t(ch);
        EXPECT_EQ(unicodeToMacRoman(ch), c) << "code " << c;
        all += static_cast<char>(c);
    }
    EXPECT_EQ(utf8ToMacRoman(macRomanToUtf8(all, false), false), all);
}

TEST(MacRoman, ProgramCharactersAndLookAlikes) {
    struct Case {
        unsigned char code;
        char32_t ch;
        const char* utf8;
    };
    const Case cases[] = {
        {0xB5, 0x00B5, "\xC2\xB5"},     // micro sign
        {0xBD, 0x03A9, "\xCE\xA9"},     // Omega
        {0xB9, 0x03C0, "\xCF\x80"},     // pi
        {0xCA, 0x00A0, "\xC2\xA0"},     // no-break space
        {0xF0, 0xF8FF, "\xEF\xA3\xBF"}, // private-use logo
        {0xDB, 0x20AC, "\xE2\x82\xAC"}, // euro
        {0x80, 0x00C4, "\xC3\x84"},
        {0xFF, 0x02C7, "\xCB\x87"},
        {'A', 'A', "A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(macRomanToUnicode(c.code), c.ch) << int(c.code);
        EXPECT_EQ(macRomanToUtf8(std::string(1, char(c.code)), true), c.utf8) << int(c.code);
        EXPECT_EQ(utf8ToMacRoman(c.utf8, true), std::string(1, char(c.code))) << int(c.code);
    }
    // Text pasted from outside often writes these with the Greek or ohm letters.
    EXPECT_EQ(unicodeToMacRoman(0x03BC), 0xB5);
    EXPECT_EQ(unicodeToMacRoman(0x2126), 0xBD);
}

TEST(MacRoman, LineEndsConvertOnlyWhenAsked) {
    EXPECT_EQ(macRomanToUtf8("a\rb\r", true), "a\nb\n");
    EXPECT_EQ(macRomanToUtf8("a\rb", false), "a\rb");
    EXPECT_EQ(utf8ToMacRoman("a\nb\r\nc\rd", true), "a\rb\rc\rd");
    EXPECT_EQ(utf8ToMacRoman("a\nb", false), "a\nb");
}

TEST(MacRoman, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(unicodeToMacRoman(0x4E2D), -1);
    EXPECT_EQ(utf8ToMacRoman("x\xE4\xB8\xADy", true), "x?y");    // a Han character
    EXPECT_EQ(utf8ToMacRoman("x\xF0\x9F\x98\x80y", true), "x?y"); // outside the BMP
    EXPECT_EQ(utf8ToMacRoman("x\xFFy", true), "x?y");             // never valid
    EXPECT_EQ(utf8ToMacRoman("x\xC0\xB5y", true), "x??y");        // overlong form
    EXPECT_EQ(utf8ToMacRoman("x\xE2\x82", true), "x??");          // cut off at the end
}

TEST(MacRoman, SymbolEncodingShowsGreekForLatinLetters) {
    struct Case {
        unsigned char code;
        char32_t ch;
    };
    const Case cases[] = {
        {'m', 0x03BC}, {'l', 0x03BB}, {'r', 0x03C1}, {'p', 0x03C0}, {'a', 0x03B1},
        {'j', 0x03D5}, {'v', 0x03D6}, {'q', 0x03B8}, {'z', 0x03B6}, {'W', 0x03A9},
        {'D', 0x0394}, {'S', 0x03A3}, {'L', 0x039B}, {'1', '1'},    {'(', '('},
        {'.', '.'},    {' ', ' '},    {0xB3, 0x2265}, {0xA5, 0x221E},
    };
    for (const auto& c : cases) EXPECT_EQ(symbolToUnicode(c.code), c.ch) << "code " << int(c.code);
}
