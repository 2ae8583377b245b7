#include "StringUtils.h"
#include "setValues.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string pascal(const unsigned char* s) { return std::string(reinterpret_cast<const char*>(s + 1), s[0]); }

// Exactly seven entries on the heap, so a write past the tables is caught.
struct Tables {
    std::unique_ptr<unsigned char[][256]> labels{new unsigned char[kMaxDialogItems][256]};
    std::unique_ptr<short[]> kinds{new short[kMaxDialogItems]};
    short parse(const char* format) { return ParseFormat(format, labels.get(), kinds.get()); }
    std::string label(int i) const { return pascal(labels[i]); }
};

TEST(ParseFormat, TheProgramsFormats) {
    struct Case {
        const char* format;
        std::vector<std::string> labels;
        std::vector<short> kinds;
    } cases[] = {
        {"xmn=%lf xmx=%lf ymn=%lf ymx=%lf", {"xmn=", " xmx=", " ymn=", " ymx="}, {4, 4, 4, 4}},
        {"x=%lf", {"x="}, {4}},
        {"dx=%lf", {"dx="}, {4}},
        {"t =%ld", {"t ="}, {2}},
        {"\xB5 =%lf n =%d", {"\xB5 =", " n ="}, {4, 1}},
        {"\xB5=%lf om=%lf n=%d", {"\xB5=", " om=", " n="}, {4, 4, 1}},
        // Widths are read and have no effect; commas and semicolons vanish.
        {"w=%12lf v=%3d", {"w=", " v="}, {4, 1}},
        {"a,b=%lf", {"ab="}, {4}},
        {"p;q, r=%d;", {"pq r="}, {1}},
        // Text after the last conversion is ignored.
        {"a=%d trailing text", {"a="}, {1}},
    };
    for (const Case& c : cases) {
        Tables t;
        ASSERT_EQ(t.parse(c.format), static_cast<short>(c.labels.size())) << c.format;
        for (std::size_t i = 0; i < c.labels.size(); ++i) {
            EXPECT_EQ(t.label(static_cast<int>(i)), c.labels[i]) << c.format;
            EXPECT_EQ(t.kinds[i], c.kinds[i]) << c.format;
        }
    }
    Tables t;
    EXPECT_EQ(t.parse("no conversion at all"), 0);
    EXPECT_EQ(t.parse(""), 0);
}

TEST(ParseFormat, EveryLettersKind) {
    struct Case {
        const char* conversion;
        short kind;
    } cases[] = {
        {"%d", 1},  {"%ld", 2}, {"%Ld", 2}, {"%e", 3},  {"%f", 3},  {"%g", 3},  {"%le", 4},
        {"%lf", 4}, {"%lg", 4}, {"%Lf", 4}, {"%c", 5},  {"%s", 6},  {"%m", 7},  {"%M", 7},
        {"%b", 8},  {"%B", 8},  {"%D", 0},  {"%E", 0},  {"%F", 0},  {"%G", 0},  {"%S", 0},
        {"%C", 0},  {"%q", 0},  {"%%", 0},  {"%lx", 0}, {"%ls", 0}, {"%123d", 0},
    };
    for (const Case& c : cases) {
        Tables t;
        ASSERT_EQ(t.parse(c.conversion), 1) << c.conversion;
        EXPECT_EQ(t.kinds[0], c.kind) << c.conversion;
    }
}

TEST(ParseFormat, UnfinishedConversionAtTheEnd) {
    for (const char* format : {"x=%", "x=%1", "x=%12", "x=%l", "x=%4L"}) {
        Tables t;
        ASSERT_EQ(t.parse(format), 1) << format;
        EXPECT_EQ(t.kinds[0], 0) << format;
        EXPECT_EQ(t.label(0), "x=") << format;
    }
    Tables t;
    ASSERT_EQ(t.parse("a=%d b=%"), 2);
    EXPECT_EQ(t.kinds[1], 0);
    EXPECT_EQ(t.label(1), " b=");
}

TEST(ParseFormat, StaysInsideItsTables) {
    Tables t;
    // Eight conversions: seven are stored, and the count says the format is too long.
    EXPECT_EQ(t.parse("a%d b%d c%d d%d e%d f%d g%lf h%d i%d"), kMaxDialogItems + 1);
    EXPECT_EQ(t.label(6), " g");
    EXPECT_EQ(t.kinds[6], 4);
    EXPECT_EQ(t.parse("a%d b%d c%d d%d e%d f%d g%d"), kMaxDialogItems);

    std::string longLabel(400, 'z');
    EXPECT_EQ(t.parse((longLabel + "=%lf y=%d").c_str()), 2);
    EXPECT_EQ(t.label(0), std::string(255, 'z'));
    EXPECT_EQ(t.label(1), " y=");
}

TEST(StringHelpers, PascalAndCStrings) {
    unsigned char empty[] = {0};
    unsigned char dest[256];
    std::memset(dest, 0xEE, sizeof dest);
    pStrCopy(empty, dest);
    EXPECT_EQ(dest[0], 0);
    EXPECT_EQ(dest[1], 0xEE); // only the length byte is copied

    unsigned char abc[] = {3, 'a', 'b', 'c'};
    pStrCopy(abc, dest);
    EXPECT_EQ(pascal(dest), "abc");
    EXPECT_EQ(pStrLength(dest), 3);
    pStrAppend(abc, dest);
    EXPECT_EQ(pascal(dest), "abcabc");

    // The sum is kept within 255 characters.
    unsigned char big[256];
    big[0] = 250;
    std::memset(big + 1, 'x', 250);
    pStrAppend(abc, big);
    pStrAppend(abc, big);
    EXPECT_EQ(big[0], 255);
    EXPECT_EQ(pascal(big), std::string(250, 'x') + "abcab");

    char c[16];
    cStrCopy("hello", c);
    EXPECT_STREQ(c, "hello");
    EXPECT_EQ(cStrLength(c), 5);
    EXPECT_EQ(cStrLength(""), 0);

    for (int ch = 0; ch < 256; ++ch)
        EXPECT_EQ(isDigit(static_cast<char>(ch)), ch >= '0' && ch <= '9' ? 1 : 0) << ch;
}

} // namespace
