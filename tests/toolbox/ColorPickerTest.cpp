// The colour picker answered by clicks in its disc and slider, typed fields, Return,
// Escape and Command-period.
#include "HeadlessFixture.h"

#include "tb/ColorPicker.h"

#include <cstdlib>

namespace {

class ColorPickerTest : public HeadlessTest {
protected:
    // The picker placed where it suits a 1280 by 1024 screen: its content's top-left.
    static constexpr int kLeft = (1280 - 430) / 2, kTop = 22 + (1024 - 22 - 260) / 3;
    static std::string at(int h, int v) { return std::to_string(kLeft + h) + " " + std::to_string(kTop + v); }

    bool pick(const std::string& keys, RGBColor in, RGBColor* out, Point where = Point{-1, -1}) {
        script(keys);
        Str255 prompt = "\x0E" "Choose a Color";
        return GetColor(where, prompt, &in, out);
    }
};

TEST_F(ColorPickerTest, UntouchedOkGivesTheSameColourAndCancelKeepsIt) {
    const RGBColor in{0x8000, 0x1234, 0xFEDC};
    struct Case {
        const char* keys;
        bool ok;
    } cases[] = {{"key return\n", true}, {"key escape\n", false}, {"key . cmd\n", false},
                 {"type 9\nkey escape\n", false}, {"click " "0 0\nkey enter\n", true}};
    for (const Case& c : cases) {
        RGBColor out{1, 2, 3};
        EXPECT_EQ(pick(c.keys, in, &out), c.ok) << c.keys;
        EXPECT_EQ(out.red, in.red) << c.keys;
        EXPECT_EQ(out.green, in.green);
        EXPECT_EQ(out.blue, in.blue);
        EXPECT_EQ(FrontWindow(), nullptr);
    }
}

TEST_F(ColorPickerTest, TypedFieldsSetTheNewColour) {
    RGBColor out{};
    ASSERT_TRUE(pick("type 255\nkey tab\ntype 0\nkey tab\ntype 51\nkey return\n", RGBColor{0, 0xFFFF, 0}, &out));
    EXPECT_EQ(out.red, 0xFFFF);
    EXPECT_EQ(out.green, 0);
    EXPECT_EQ(out.blue, 51 * 257);
    // A field that does not hold a number from 0 to 255 changes nothing; each number
    // typed on the way takes effect at once.
    ASSERT_TRUE(pick("type abc\nkey tab\ntype -\nkey tab\ntype 300\nkey return\n", RGBColor{0, 0xFFFF, 0}, &out));
    EXPECT_EQ(out.red, 0);
    EXPECT_EQ(out.green, 0xFFFF);
    EXPECT_EQ(out.blue, 30 * 257);
}

TEST_F(ColorPickerTest, DiscPicksHueAndSaturationSliderPicksBrightness) {
    RGBColor out{};
    // The disc's right edge is pure hue 0 (red); the brightness stays the gray's half.
    ASSERT_TRUE(pick("click " + at(191, 130) + "\nkey return\n", RGBColor{0x8000, 0x8000, 0x8000}, &out));
    EXPECT_NEAR(out.red, 0x8000, 300);
    EXPECT_LT(out.green, 400);
    EXPECT_LT(out.blue, 400);
    // The top of the slider is full brightness; dragging it down to the bottom is black.
    ASSERT_TRUE(pick("click " + at(212, 40) + "\nkey return\n", RGBColor{0x8000, 0x8000, 0x8000}, &out));
    EXPECT_EQ(out.red, 0xFFFF);
    EXPECT_EQ(out.blue, 0xFFFF);
    ASSERT_TRUE(pick("drag " + at(212, 40) + " " + at(212, 400) + "\nkey return\n", RGBColor{0xFFFF, 0, 0}, &out));
    EXPECT_EQ(out.red, 0);
    // The left edge of the disc at full brightness is cyan.
    ASSERT_TRUE(pick("click " + at(12, 130) + "\nkey return\n", RGBColor{0xFFFF, 0xFFFF, 0xFFFF}, &out));
    EXPECT_LT(out.red, 600);
    EXPECT_NEAR(out.green, 0xFFFF, 600);
    EXPECT_NEAR(out.blue, 0xFFFF, 600);
}

TEST_F(ColorPickerTest, ShowsPromptAndFieldsAndGoesWhereAsked) {
    RGBColor out{};
    ASSERT_FALSE(pick("print dialog\nprint windows\nkey escape\n", RGBColor{0xFFFF, 0x8080, 0}, &out, Point{60, 100}));
    const std::string s = HeadlessTest::out.str();
    EXPECT_NE(s.find("item: 3 static \"Choose a Color\"\n"), std::string::npos) << s;
    EXPECT_NE(s.find("item: 7 edit \"255\"\nitem: 8 edit \"128\"\nitem: 9 edit \"0\"\n"), std::string::npos) << s;
    EXPECT_NE(s.find("window: dialog visible 100 60 530 320 \"Choose a Color\""), std::string::npos) << s;
}

} // namespace
