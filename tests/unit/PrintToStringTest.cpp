#include "PrintToString.h"
#include "tb/Types.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

std::string pascal(const unsigned char* s) { return std::string(reinterpret_cast<const char*>(s + 1), s[0]); }

TEST(PrintToString, ConversionsAndTheirCount) {
    std::setlocale(LC_ALL, "C");
    Str255 out;
    const unsigned char name[] = {5, 'h', 'e', 'l', 'l', 'o'};
    struct Case {
        std::string expected;
        int items;
        int got;
    };
    Str255 o1, o2, o3, o4, o5, o6, o7;
    Case cases[] = {
        {"x=3.1416 y=2.7183", 2, PrintToString(o1, "x=%4f y=%f", 3.14159265, 2.718281828)},
        {"n=42, m=-7", 2, PrintToString(o2, "n=%d, m=%ld", 42, -7L)},
        {"ab5", 1, PrintToString(o3, "a%%b%d", 5)},
        {"7", 1, PrintToString(o4, "%q%d", 7)},
        {"[hello] A", 2, PrintToString(o5, "[%s] %c", name, 'A' + 256)},
        {"0.333333333333", 1, PrintToString(o6, "%12f", 1.0 / 3)},
        {"t=5.0e-4 0.1", 2, PrintToString(o7, "t=%g %lg", 0.0005, 0.1)},
    };
    const unsigned char* outs[] = {o1, o2, o3, o4, o5, o6, o7};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(pascal(outs[i]), cases[i].expected);
        EXPECT_EQ(cases[i].got, cases[i].items) << cases[i].expected;
    }
    // An empty piece is no item.
    const unsigned char empty[] = {0};
    EXPECT_EQ(PrintToString(out, "<%s>", empty), 0);
    EXPECT_EQ(pascal(out), "<>");
}

TEST(PrintToString, NeverPassesTwoHundredFiftyFiveCharacters) {
    Str255 out;
    std::string plain(300, 'a');
    PrintToString(out, plain.c_str());
    EXPECT_EQ(out[0], 255);
    EXPECT_EQ(pascal(out), std::string(255, 'a'));

    // A piece that would run past the end is cut there, and nothing follows it.
    unsigned char word[21];
    word[0] = 20;
    for (int i = 1; i <= 20; ++i) word[i] = 'b';
    std::string format = std::string(250, 'a') + "%s tail%d";
    EXPECT_EQ(PrintToString(out, format.c_str(), word, 9), 1);
    EXPECT_EQ(pascal(out), std::string(250, 'a') + "bbbbb");
}

TEST(PrintToString, FormatEndingInsideAConversionEndsTheText) {
    Str255 out;
    for (const char* format : {"abc%", "abc%1", "abc%12", "abc%l", "abc%4l"}) {
        EXPECT_EQ(PrintToString(out, format), 0) << format;
        EXPECT_EQ(pascal(out), "abc") << format;
    }
}

} // namespace
