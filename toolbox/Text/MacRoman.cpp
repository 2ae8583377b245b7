#include "Text/MacRoman.h"

#include <array>
#include <unordered_map>

namespace tb::text {
namespace {

// The upper half of MacRoman (0x80..0xFF); the lower half is ASCII.
constexpr std::array<char32_t, 128> kHigh = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, // 80
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8, // 88
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, // 90
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, // 98
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF, // A0
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, // A8
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, // B0
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, // B8
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, // C0
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, // C8
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, // D0
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, // D8
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, // E0
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, // E8
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC, // F0
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7, // F8
};

// Symbol font letters: the Latin letter's position holds a Greek letter.
constexpr std::array<char32_t, 26> kSymbolUpper = {
    0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, // A..I
    0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F, 0x03A0, 0x0398, 0x03A1, // J..R
    0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396,         // S..Z
};
constexpr std::array<char32_t, 26> kSymbolLower = {
    0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9, // a..i
    0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, // j..r
    0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6,         // s..z
};

// The Symbol font's upper half where it holds common mathematical signs; codes
// not listed fall back to their MacRoman meaning.
struct SymbolHigh {
    unsigned char code;
    char32_t ch;
};
constexpr SymbolHigh kSymbolHigh[] = {
    {0xA1, 0x03D2}, {0xA2, 0x2032}, {0xA3, 0x2264}, {0xA4, 0x2044}, {0xA5, 0x221E},
    {0xA6, 0x0192}, {0xA7, 0x2663}, {0xA8, 0x2666}, {0xA9, 0x2665}, {0xAA, 0x2660},
    {0xAB, 0x2194}, {0xAC, 0x2190}, {0xAD, 0x2191}, {0xAE, 0x2192}, {0xAF, 0x2193},
    {0xB0, 0x00B0}, {0xB1, 0x00B1}, {0xB2, 0x2033}, {0xB3, 0x2265}, {0xB4, 0x00D7},
    {0xB5, 0x221D}, {0xB6, 0x2202}, {0xB7, 0x2022}, {0xB8, 0x00F7}, {0xB9, 0x2260},
    {0xBA, 0x2261}, {0xBB, 0x2248}, {0xBC, 0x2026}, {0xC0, 0x2135}, {0xC1, 0x2111},
    {0xC2, 0x211C}, {0xC3, 0x2118}, {0xC4, 0x2297}, {0xC5, 0x2295}, {0xC6, 0x2205},
    {0xC7, 0x2229}, {0xC8, 0x222A}, {0xC9, 0x2283}, {0xCA, 0x2287}, {0xCB, 0x2284},
    {0xCC, 0x2282}, {0xCD, 0x2286}, {0xCE, 0x2208}, {0xCF, 0x2209}, {0xD0, 0x2220},
    {0xD1, 0x2207}, {0xD5, 0x220F}, {0xD6, 0x221A}, {0xD7, 0x22C5}, {0xD8, 0x00AC},
    {0xD9, 0x2227}, {0xDA, 0x2228}, {0xDB, 0x21D4}, {0xDC, 0x21D0}, {0xDD, 0x21D1},
    {0xDE, 0x21D2}, {0xDF, 0x21D3}, {0xE0, 0x25CA}, {0xE1, 0x2329}, {0xE5, 0x2211},
    {0xF1, 0x232A}, {0xF2, 0x222B},
};

const std::unordered_map<char32_t, unsigned char>& reverseTable() {
    static const std::unordered_map<char32_t, unsigned char> table = [] {
        std::unordered_map<char32_t, unsigned char> t;
        for (int i = 0; i < 128; ++i) t.emplace(kHigh[i], static_cast<unsigned char>(0x80 + i));
        // Look-alikes that text from outside uses for the same sign.
        t.emplace(0x03BC, 0xB5); // Greek mu
        t.emplace(0x2126, 0xBD); // ohm sign
        t.emplace(0x0394, 0xC6); // Greek capital delta
        t.emplace(0x00A4, 0xDB); // currency sign, MacRoman's older meaning of 0xDB
        return t;
    }();
    return table;
}

void appendUtf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i], advancing i; malformed input yields
// U+FFFD and consumes one byte, so no byte is skipped silently.
char32_t decodeUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra;
    char32_t ch;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1, ch = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2, ch = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3, ch = b0 & 0x07, min = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + extra >= s.size()) { // truncated sequence
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        ch = (ch << 6) | (b & 0x3F);
    }
    if (ch < min || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += extra + 1;
    return ch;
}

} // namespace

char32_t macRomanToUnicode(unsigned char code) {
    return code < 0x80 ? char32_t(code) : kHigh[code - 0x80];
}

int unicodeToMacRoman(char32_t ch) {
    if (ch < 0x80) return static_cast<int>(ch);
    const auto& table = reverseTable();
    auto it = table.find(ch);
    return it == table.end() ? -1 : it->second;
}

char32_t symbolToUnicode(unsigned char code) {
    if (code >= 'A' && code <= 'Z') return kSymbolUpper[code - 'A'];
    if (code >= 'a' && code <= 'z') return kSymbolLower[code - 'a'];
    if (code >= 0xA0) {
        for (const auto& entry : kSymbolHigh)
            if (entry.code == code) return entry.ch;
    }
    return macRomanToUnicode(code);
}

std::string macRomanToUtf8(std::string_view macRoman, bool crToLf) {
    std::string out;
    out.reserve(macRoman.size());
    for (char c : macRoman) {
        const auto code = static_cast<unsigned char>(c);
        if (crToLf && code == '\r')
            out += '\n';
        else
            appendUtf8(out, macRomanToUnicode(code));
    }
    return out;
}

std::string utf8ToMacRoman(std::string_view utf8, bool lfToCr) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t ch = decodeUtf8(utf8, i);
        if (lfToCr && ch == '\r' && i < utf8.size() && utf8[i] == '\n') {
            ++i; // CR LF is one line end
            out += '\r';
        } else if (lfToCr && ch == '\n') {
            out += '\r';
        } else {
            const int code = unicodeToMacRoman(ch);
            out += static_cast<char>(code < 0 ? '?' : code);
        }
    }
    return out;
}

} // namespace tb::text
