// Dialogs from templates answered by scripted keys and clicks; alerts with their
// parameter texts; what `print dialog` shows.
#include "HeadlessFixture.h"

#include "tb/Controls.h"
#include "tb/Dialogs.h"
#include "tb/Resources.h"

namespace {

using tb::res::DialogItemSpec;

std::string str(ConstStr255Param s) { return std::string(reinterpret_cast<const char*>(s + 1), s[0]); }

class DialogsTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        std::vector<DialogItemSpec> items = {
            {kButtonDialogItem, {110, 200, 130, 270}, "OK"},
            {kButtonDialogItem, {110, 110, 130, 180}, "Cancel"},
            {kEditTextDialogItem, {40, 80, 56, 260}, "1.5"},
            {kEditTextDialogItem, {65, 80, 81, 260}, "7"},
            {kStaticTextDialogItem, {10, 10, 30, 270}, "Prompt ^0"},
            {kEditTextDialogItem, {90, 80, 106, 260}, "hidden"},
            {kStaticTextDialogItem | kItemDisableBit, {40, 10, 56, 75}, "x="},
        };
        tb::registerResource(FOUR_CHAR("DITL"), 2560, tb::res::itemList(items));
        tb::res::DialogSpec spec;
        spec.bounds = Rect{200, 300, 340, 580};
        spec.itemsID = 2560;
        spec.title = "Values";
        spec.visible = true;
        tb::registerResource(FOUR_CHAR("DLOG"), 2560, tb::res::dialogTemplate(spec));
        tb::registerResource(FOUR_CHAR("DITL"), 1280,
                             tb::res::itemList({{kButtonDialogItem, {70, 220, 90, 290}, "OK"},
                                                {kStaticTextDialogItem, {10, 70, 60, 290}, "^0"}}));
        tb::registerResource(FOUR_CHAR("ALRT"), 1280, tb::res::alertTemplate({{0, 0, 100, 300}, 1280}));
        Str255 empty = "";
        ParamText(empty, empty, empty, empty);
    }
    void TearDown() override {
        if (d) DisposeDialog(d);
        tb::clearResources();
        HeadlessTest::TearDown();
    }
    DialogRef open() {
        d = GetNewDialog(2560, nullptr, kFirstWindowOfClass);
        SetDialogDefaultItem(d, 1);
        SetDialogCancelItem(d, 2);
        HideDialogItem(d, 6);
        return d;
    }
    std::string field(DialogItemIndex n) {
        ControlRef c = nullptr;
        GetDialogItemAsControl(d, n, &c);
        Str255 t;
        GetDialogItemText(reinterpret_cast<Handle>(c), t);
        return str(t);
    }
    // Runs the dialog as a caller asking for values does: until OK or Cancel.
    DialogItemIndex run() {
        ModalFilterUPP filter = nullptr;
        GetStdFilterProc(&filter);
        DialogItemIndex hit = 0;
        do ModalDialog(filter, &hit);
        while (hit > 2);
        return hit;
    }
    std::string global(int h, int v) {
        Rect c = GetDialogWindow(d)->contentGlobal();
        return std::to_string(c.left + h) + " " + std::to_string(c.top + v);
    }
    DialogRef d = nullptr;
};

TEST_F(DialogsTest, TypedTextAndReturnChooseOk) {
    open();
    EXPECT_EQ(field(3), "1.5");
    SelectDialogItemText(d, 3, 0, 32767);
    script("type 42.25\nkey return\n");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(field(3), "42.25");
    EXPECT_EQ(field(4), "7");
    script("key enter\n");
    EXPECT_EQ(run(), 1);
}

TEST_F(DialogsTest, EscapeAndCommandPeriodCancel) {
    struct Case {
        const char* keys;
        DialogItemIndex expected;
    } cases[] = {
        {"key escape\n", 2},
        {"key . cmd\n", 2},
        {"type 3\nkey backspace\nkey escape\n", 2},
        {"key q cmd\nkey return\n", 1}, // other Command keys do nothing
    };
    open();
    for (const Case& c : cases) {
        script(c.keys);
        EXPECT_EQ(run(), c.expected) << c.keys;
    }
}

TEST_F(DialogsTest, TabMovesAmongVisibleFieldsAndSelectsThem) {
    open();
    SelectDialogItemText(d, 3, 0, 32767);
    script("type a\nkey tab\ntype b\nkey tab\ntype c\nkey return\n");
    EXPECT_EQ(run(), 1);
    // The hidden field 6 is skipped: the second Tab comes back to field 3.
    EXPECT_EQ(field(3), "c");
    EXPECT_EQ(field(4), "b");
    EXPECT_EQ(field(6), "hidden");
    EXPECT_EQ(GetDialogKeyboardFocusItem(d), 3);
}

TEST_F(DialogsTest, AFullFieldTakesNoMore) {
    open();
    Str255 full;
    full[0] = 255;
    std::memset(full + 1, '9', 255);
    ControlRef c = nullptr;
    GetDialogItemAsControl(d, 4, &c);
    SetDialogItemText(reinterpret_cast<Handle>(c), full);
    SelectDialogItemText(d, 4, 255, 255);
    script("type 12\nkey backspace\ntype 3\nkey return\n");
    EXPECT_EQ(run(), 1);
    std::string f = field(4);
    EXPECT_EQ(f.size(), 255u);
    EXPECT_EQ(f.back(), '3'); // one deleted, one typed
}

TEST_F(DialogsTest, ClicksChooseButtonsAndFocusFields) {
    open();
    script("click " + global(240, 75) + "\n"); // into field 4: reported, not ending the loop
    DialogItemIndex hit = 0;
    ModalDialog(nullptr, &hit);
    EXPECT_EQ(hit, 4);
    EXPECT_EQ(GetDialogKeyboardFocusItem(d), 4);
    script("click " + global(20, 45) + "\nclick " + global(140, 120) + "\n"); // a disabled label, then Cancel
    EXPECT_EQ(run(), 2);
    // Pressing OK and sliding off it chooses nothing; the script's end answers as Cancel.
    script("down " + global(230, 120) + "\nmove " + global(20, 10) + "\nup " + global(20, 10) + "\n");
    EXPECT_EQ(run(), 2);
}

TEST_F(DialogsTest, PrintDialogListsVisibleItemsWithParamText) {
    Str255 p0 = "\x06" "for \xB5 ", empty = "";
    ParamText(p0, empty, empty, empty);
    open();
    script("print dialog\nkey escape\n");
    run();
    EXPECT_EQ(out.str(), "item: 1 button \"OK\"\n"
                         "item: 2 button \"Cancel\"\n"
                         "item: 3 edit \"1.5\"\n"
                         "item: 4 edit \"7\"\n"
                         "item: 5 static \"Prompt for \xC2\xB5 \"\n"
                         "item: 7 static \"x=\"\n");
    out.str("");
    script("print windows\n");
    host->feedAll();
    EXPECT_EQ(out.str().rfind("window: dialog visible 300 200 580 340 \"Values\"", 0), 0u) << out.str();
}

TEST_F(DialogsTest, CursorIsAnIBeamOverFieldsWhenTracking) {
    open();
    SetDialogTracksCursor(d, true);
    script("move " + global(100, 48) + "\nprint cursor\nmove " + global(20, 120) + "\nprint cursor\nkey escape\n");
    run();
    EXPECT_EQ(out.str(), "cursor: ibeam\ncursor: arrow\n");
}

TEST_F(DialogsTest, DefaultButtonIsOutlined) {
    open();
    OpaqueGrafPtr* p = GetDialogPort(d);
    auto dark = [&](int h, int v) { return p->pixels[(std::size_t(v) * p->width + h) * 4] < 100; };
    EXPECT_TRUE(dark(235, 107));  // above OK, in the outline
    EXPECT_FALSE(dark(145, 107)); // above Cancel: nothing
    SetDialogDefaultItem(d, 2);
    EXPECT_FALSE(dark(235, 107));
    EXPECT_TRUE(dark(145, 107));
}

TEST_F(DialogsTest, AlertShowsItsMessageAndIsAnsweredByReturnOrClick) {
    Str255 msg = "\x09" "Disk full", empty = "";
    ParamText(msg, empty, empty, empty);
    script("print dialog\nprint windows\nkey return\n");
    EXPECT_EQ(StopAlert(1280, nullptr), 1);
    EXPECT_NE(out.str().find("item: 2 static \"Disk full\"\n"), std::string::npos) << out.str();
    // Centred, in the upper third below the menu bar: (1280-300)/2, 22 + (1002-100)/3.
    EXPECT_NE(out.str().find("window: alert visible 490 322 790 422 \"\""), std::string::npos) << out.str();
    EXPECT_EQ(FrontWindow(), nullptr); // gone afterwards
    // A click on its button.
    script("click " + std::to_string(490 + 250) + " " + std::to_string(322 + 80) + "\n");
    EXPECT_EQ(NoteAlert(1280, nullptr), 1);
    EXPECT_EQ(CautionAlert(999, nullptr), -1); // no such alert
}

TEST_F(DialogsTest, MissingTemplatesGiveNoDialog) {
    EXPECT_EQ(GetNewDialog(77, nullptr, kFirstWindowOfClass), nullptr);
    tb::res::DialogSpec spec;
    spec.bounds = Rect{100, 100, 200, 200};
    spec.itemsID = 78;
    tb::registerResource(FOUR_CHAR("DLOG"), 77, tb::res::dialogTemplate(spec));
    EXPECT_EQ(GetNewDialog(77, nullptr, kFirstWindowOfClass), nullptr);
    // Item calls on handles that are not items change nothing.
    Str255 t = "\x03" "abc";
    SetDialogItemText(nullptr, t);
    GetDialogItemText(nullptr, t);
    EXPECT_EQ(t[0], 0);
}

} // namespace
