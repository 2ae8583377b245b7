#include "Fonts/FontEngine.h"
#include "tb/Fonts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>

using namespace tb::fonts;

namespace {

long ink(const Glyph& g) { return std::accumulate(g.coverage.begin(), g.coverage.end(), 0L); }

bool samePicture(const Glyph& a, const Glyph& b) {
    return a.width == b.width && a.height == b.height && a.left == b.left && a.top == b.top &&
           a.coverage == b.coverage;
}

} // namespace

TEST(FontEngine, MonacoIsMonospacedWithInk) {
    const Glyph& x = glyph(fontMonaco, 9, 0, 'x');
    EXPECT_GT(x.advance, 0);
    EXPECT_GT(x.width, 0);
    EXPECT_GT(x.height, 0);
    EXPECT_EQ(x.coverage.size(), std::size_t(x.width) * x.height);
    EXPECT_GT(*std::max_element(x.coverage.begin(), x.coverage.end()), 128);
    EXPECT_GT(x.top, 0);
    EXPECT_LE(x.top, 9);
    for (int c = 0x20; c < 0x7F; ++c)
        EXPECT_EQ(glyph(fontMonaco, 9, 0, static_cast<unsigned char>(c)).advance, x.advance) << char(c);
    // Geneva is proportional, so the same test must be able to fail.
    EXPECT_NE(glyph(fontGeneva, 9, 0, 'i').advance, glyph(fontGeneva, 9, 0, 'W').advance);
}

TEST(FontEngine, SymbolLettersDrawGreek) {
    // The micro sign of MacRoman and Symbol's m are the same letter in DejaVu Sans.
    const Glyph& mu = glyph(fontSymbol, 12, 0, 'm');
    EXPECT_TRUE(samePicture(mu, glyph(fontGeneva, 12, 0, 0xB5)));
    EXPECT_FALSE(samePicture(mu, glyph(fontGeneva, 12, 0, 'm')));
    // Symbol's p is MacRoman's pi; digits are themselves.
    EXPECT_TRUE(samePicture(glyph(fontSymbol, 12, 0, 'p'), glyph(fontGeneva, 12, 0, 0xB9)));
    EXPECT_TRUE(samePicture(glyph(fontSymbol, 12, 0, '7'), glyph(fontGeneva, 12, 0, '7')));
    EXPECT_GT(ink(glyph(fontSymbol, 12, 0, 'l')), 0);
}

TEST(FontEngine, MetricsAreSensible) {
    for (short font : {fontMonaco, fontGeneva, fontTimes, fontSymbol}) {
        int lastHeight = 0;
        for (short size : {9, 12, 14}) {
            const Metrics m = metrics(font, size, 0);
            const int height = m.ascent + m.descent;
            EXPECT_GT(m.ascent, m.descent) << font << "/" << size;
            EXPECT_GT(m.descent, 0) << font << "/" << size;
            EXPECT_GE(height, size) << font << "/" << size;
            EXPECT_LE(height, size * 3 / 2 + 1) << font << "/" << size;
            EXPECT_GE(m.leading, 0);
            EXPECT_GE(m.widMax, glyph(font, size, 0, 'W').advance) << font << "/" << size;
            EXPECT_GT(height, lastHeight) << font << "/" << size;
            lastHeight = height;
        }
    }
}

TEST(FontEngine, StylesChangeThePicture) {
    for (short font : {fontMonaco, fontGeneva, fontTimes}) {
        const Glyph& plain = glyph(font, 12, 0, 'H');
        const Glyph& bold = glyph(font, 12, faceBold, 'H');
        const Glyph& italic = glyph(font, 12, faceItalic, 'H');
        EXPECT_TRUE(bold.advance > plain.advance || ink(bold) > ink(plain) * 11 / 10) << font;
        EXPECT_FALSE(samePicture(italic, plain)) << font;
        // Underline is the text drawer's stroke, not a different glyph.
        EXPECT_TRUE(samePicture(glyph(font, 12, faceUnderline, 'H'), plain)) << font;
    }
    // Times is a serif face, not the sans one.
    EXPECT_FALSE(samePicture(glyph(fontTimes, 12, 0, 'H'), glyph(fontGeneva, 12, 0, 'H')));
}

TEST(FontEngine, OddArgumentsGetDefinedGlyphs) {
    // Unknown numbers and the system font draw as Geneva; size 0 is 12.
    EXPECT_TRUE(samePicture(glyph(999, 12, 0, 'g'), glyph(fontGeneva, 12, 0, 'g')));
    EXPECT_TRUE(samePicture(glyph(fontSystem, 12, 0, 'g'), glyph(fontGeneva, 12, 0, 'g')));
    EXPECT_TRUE(samePicture(glyph(fontGeneva, 0, 0, 'g'), glyph(fontGeneva, 12, 0, 'g')));
    EXPECT_TRUE(samePicture(glyph(fontGeneva, -5, 0, 'g'), glyph(fontGeneva, 12, 0, 'g')));
    const Glyph& huge = glyph(fontGeneva, 32000, 0, 'g');
    EXPECT_GT(huge.advance, 0);
    EXPECT_LE(huge.height, 512);
    // Control codes take no room and leave no mark.
    for (unsigned char c : {0x00, 0x09, 0x0D, 0x7F}) {
        EXPECT_EQ(glyph(fontMonaco, 9, 0, c).advance, 0) << int(c);
        EXPECT_EQ(ink(glyph(fontMonaco, 9, 0, c)), 0) << int(c);
    }
    // Space advances without ink.
    EXPECT_GT(glyph(fontGeneva, 12, 0, ' ').advance, 0);
    EXPECT_EQ(ink(glyph(fontGeneva, 12, 0, ' ')), 0);
}

TEST(FontEngine, CachedGlyphsStayValidAndTextWidthAdds) {
    const Glyph* first = &glyph(fontTimes, 14, 0, 'Q');
    const auto copy = first->coverage;
    for (short size = 5; size < 40; ++size)
        for (int c = 0x20; c < 0x100; c += 7) glyph(fontTimes, size, 0, static_cast<unsigned char>(c));
    EXPECT_EQ(&glyph(fontTimes, 14, 0, 'Q'), first);
    EXPECT_EQ(first->coverage, copy);

    const unsigned char text[] = "Wi\xB5";
    EXPECT_EQ(textWidth(fontGeneva, 12, 0, text, 3), glyph(fontGeneva, 12, 0, 'W').advance +
                                                         glyph(fontGeneva, 12, 0, 'i').advance +
                                                         glyph(fontGeneva, 12, 0, 0xB5).advance);
    EXPECT_EQ(textWidth(fontGeneva, 12, 0, nullptr, 5), 0);
    EXPECT_EQ(textWidth(fontGeneva, 12, 0, text, -1), 0);
}

TEST(FontManager, GetFNumKnowsTheProgramsFonts) {
    struct Case {
        const char* name; // Pascal string
        SInt16 number;
    };
    const Case cases[] = {{"\x06Monaco", 4}, {"\x06Geneva", 3}, {"\x05Times", 20},
                          {"\x06Symbol", 23}, {"\x06symbol", 23}, {"\x07Monacos", 0},
                          {"\x05Monac", 0},  {"\x09Helvetica", 0}, {"", 0}};
    for (const auto& c : cases) {
        SInt16 number = -1;
        GetFNum(reinterpret_cast<ConstStr255Param>(c.name), &number);
        EXPECT_EQ(number, c.number) << c.name + 1;
    }
    GetFNum(nullptr, nullptr); // must not crash
    SInt16 number = -1;
    GetFNum(nullptr, &number);
    EXPECT_EQ(number, 0);
}

// A machine without the DejaVu faces: each run in a fresh process with a font
// configuration of its own, so the engine starts up under it.
namespace {

std::filesystem::path fontConfig(const char* name, const char* fontFile) {
    const auto dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "fonts");
    if (fontFile) std::filesystem::copy_file(fontFile, dir / "fonts" / "only.ttf");
    std::ofstream(dir / "fonts.conf") << "<?xml version=\"1.0\"?>\n<fontconfig><dir>" << (dir / "fonts").string()
                                      << "</dir><cachedir>" << (dir / "cache").string()
                                      << "</cachedir></fontconfig>\n";
    return dir / "fonts.conf";
}

} // namespace

TEST(FontEngineDeathTest, MissingFaceFallsBackWithOneMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto conf = fontConfig("ilvaron-fonts-one", "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf");
    EXPECT_EXIT(
        {
            setenv("FONTCONFIG_FILE", conf.c_str(), 1);
            const Glyph& x = glyph(fontMonaco, 12, 0, 'x');
            glyph(fontMonaco, 12, 0, 'y');
            metrics(fontMonaco, 12, 0);
            std::exit(x.advance > 0 && ink(x) > 0 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "^fonts: DejaVu Sans Mono not found[^\n]*\n$");
}

TEST(FontEngineDeathTest, NoFontsAtAllStillGivesAdvances) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto conf = fontConfig("ilvaron-fonts-none", nullptr);
    EXPECT_EXIT(
        {
            setenv("FONTCONFIG_FILE", conf.c_str(), 1);
            const Glyph& x = glyph(fontGeneva, 12, 0, 'x');
            const Metrics m = metrics(fontGeneva, 12, 0);
            std::exit(x.advance > 0 && ink(x) == 0 && m.ascent > 0 && m.descent > 0 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "DejaVu Sans not found");
}
