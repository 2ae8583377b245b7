#include "tb/Gestalt.h"

#include <gtest/gtest.h>

namespace {

// Overrides are process-wide: every test starts and ends with the defaults.
class GestaltTest : public ::testing::Test {
  protected:
    void SetUp() override { tb::resetGestalt(); }
    void TearDown() override { tb::resetGestalt(); }
};

TEST_F(GestaltTest, DefaultsPassTheStartUpChecks) {
    SInt32 version = -1, system = -1, quickdraw = -1;
    EXPECT_EQ(Gestalt(gestaltVersion, &version), noErr);
    EXPECT_EQ(Gestalt(FOUR_CHAR("sysv"), &system), noErr);
    EXPECT_EQ(Gestalt(FOUR_CHAR("qd  "), &quickdraw), noErr);
    EXPECT_GT(version, 0);
    EXPECT_GT(system, 0x05FF) << "a system this old is refused at start-up";
    EXPECT_GT(quickdraw, 0x00FF) << "a QuickDraw without colour is refused at start-up";
}

TEST_F(GestaltTest, UnknownSelectorsAreErrors) {
    for (OSType selector : {FOUR_CHAR("qd\0\0"), FOUR_CHAR("QD  "), FOUR_CHAR("xxxx"), OSType(0)}) {
        SInt32 response = 1234;
        EXPECT_EQ(Gestalt(selector, &response), gestaltUndefSelectorErr) << std::hex << selector;
        EXPECT_EQ(response, 0);
    }
    EXPECT_EQ(Gestalt(gestaltVersion, nullptr), paramErr);
}

TEST_F(GestaltTest, SelectorTextIsPaddedWithBlanks) {
    struct Case {
        const char* text;
        OSType expected;
    };
    const Case cases[] = {{"qd", FOUR_CHAR("qd  ")},  {"sysv", FOUR_CHAR("sysv")},
                          {"a", FOUR_CHAR("a   ")},   {"abc", FOUR_CHAR("abc ")},
                          {"", 0},                    {"toolong", 0},
                          {"abcde", 0},               {nullptr, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(tb::gestaltSelectorFromText(c.text), c.expected) << (c.text ? c.text : "null");
}

TEST_F(GestaltTest, OptionsOverrideAnswersAndMakeErrors) {
    struct Case {
        const char* option;
        OSType selector;
        OSErr err;
        SInt32 response;
    };
    const Case cases[] = {
        {"sysv=0x0600", gestaltSystemVersion, noErr, 0x0600},
        {"sysv=0x05FF", gestaltSystemVersion, noErr, 0x05FF},
        {"qd=0x00ff", gestaltQuickdrawVersion, noErr, 0x00FF},
        {"qd=256", gestaltQuickdrawVersion, noErr, 0x0100},
        {"vers=error", gestaltVersion, gestaltUndefSelectorErr, 0},
        {"qd=error", gestaltQuickdrawVersion, gestaltUndefSelectorErr, 0},
        {"test=0xFFFFFFFF", FOUR_CHAR("test"), noErr, -1},
        {"test=-2", FOUR_CHAR("test"), noErr, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        tb::resetGestalt();
        ASSERT_TRUE(tb::applyGestaltOption(c.option));
        SInt32 response = 77;
        EXPECT_EQ(Gestalt(c.selector, &response), c.err);
        EXPECT_EQ(response, c.response);
    }
}

TEST_F(GestaltTest, MalformedOptionsChangeNothing) {
    for (const char* option : {"sysv", "=5", "sysv=", "sysv=0x", "sysv=12abc", "sysv=0x1FFFFFFFF",
                               "toolong=1", "sysv=Error", "sysv= 5", "sysv=--5"}) {
        EXPECT_FALSE(tb::applyGestaltOption(option)) << option;
        SInt32 response = 0;
        EXPECT_EQ(Gestalt(gestaltSystemVersion, &response), noErr) << option;
        EXPECT_EQ(response, 0x1040) << option;
    }
}

TEST_F(GestaltTest, DirectOverridesAndReset) {
    tb::setGestaltError(gestaltSystemVersion);
    SInt32 response = 0;
    EXPECT_EQ(Gestalt(gestaltSystemVersion, &response), gestaltUndefSelectorErr);
    tb::setGestaltAnswer(gestaltSystemVersion, 0x0922);
    EXPECT_EQ(Gestalt(gestaltSystemVersion, &response), noErr);
    EXPECT_EQ(response, 0x0922);
    tb::setGestaltAnswer(FOUR_CHAR("new "), 5);
    tb::resetGestalt();
    EXPECT_EQ(Gestalt(FOUR_CHAR("new "), &response), gestaltUndefSelectorErr);
    EXPECT_EQ(Gestalt(gestaltSystemVersion, &response), noErr);
    EXPECT_EQ(response, 0x1040);
}

} // namespace
