// The menu bar: building it from resources, choosing by mouse, Command keys, marks and
// dimmed items as `print menus` shows them, and the application menu's Quit.
#include "HeadlessFixture.h"

#include "Faults/Faults.h"
#include "Windows/Compositor.h"
#include "tb/AppleEvents.h"
#include "tb/Menus.h"
#include "tb/Resources.h"

namespace {

using tb::res::MenuItemSpec;
using tb::res::MenuSpec;

class MenusTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        reg(MenuSpec{128, "\x14", {{"About Test\xC9"}}});
        reg(MenuSpec{129, "File", {{"New", 'N'}, {"Close", 'w'}, {"-"}, {"Open", 'O', 0, false}}});
        reg(MenuSpec{130, "Edit", {{"Undo", 'Z'}, {"-"}, {"Cut", 'X'}, {"Copy", 'C'}, {"Paste", 'V'}}});
        // The bar lists the application menu last: it is still shown first.
        tb::registerResource(FOUR_CHAR("MBAR"), 128, tb::res::menuBar({129, 130, 128}));
        bar = GetNewMBar(128);
        ASSERT_NE(bar, nullptr);
        SetMenuBar(bar);
        DrawMenuBar();
    }
    void TearDown() override {
        ClearMenuBar();
        for (short id : {128, 129, 130, 131})
            if (MenuRef m = GetMenu(id)) DisposeMenu(m);
        if (bar) DisposeMenuBar(bar);
        tb::clearResources();
        HeadlessTest::TearDown();
    }
    static void reg(const MenuSpec& spec) { tb::registerResource(FOUR_CHAR("MENU"), spec.id, tb::res::menu(spec)); }

    // Runs the script as the program's event loop would, answering each press in the menu
    // bar with MenuSelect; the results in order.
    std::vector<long> selections() {
        std::vector<long> results;
        for (int guard = 0; guard < 10000; ++guard) {
            EventRecord e;
            if (WaitNextEvent(everyEvent, &e, 0, nullptr)) {
                WindowRef w;
                if (e.what == mouseDown && FindWindow(e.where, &w) == inMenuBar) results.push_back(MenuSelect(e.where));
                if (e.what == kHighLevelEvent) quitPosted = true;
            } else if (host->scriptDone()) {
                break;
            }
        }
        return results;
    }
    std::string printed() {
        out.str("");
        script("print menus\n");
        host->feedAll();
        return out.str();
    }
    static long cmd(int menu, int item) { return (long(menu) << 16) | item; }

    MenuBarHandle bar = nullptr;
    bool quitPosted = false;
};

TEST_F(MenusTest, ChooseByMouseGivesMenuAndItem) {
    script("choose 129 1\nchoose 130 4\nchoose 128 1\n");
    EXPECT_EQ(selections(), (std::vector<long>{cmd(129, 1), cmd(130, 4), cmd(128, 1)}));
    EXPECT_FALSE(quitPosted);
}

TEST_F(MenusTest, DisabledSeparatorAndOutsideReleasesChooseNothing) {
    DisableMenuItem(GetMenuHandle(130), 1);
    script("choose 130 1\n"      // disabled item
           "choose 130 2\n"      // separator
           "choose 129 4\n");    // disabled in the resource
    // Pull the File menu down, move onto New, then off the menu to the desktop and release.
    script("down 30 10\nmove 40 32\nmove 600 600\nup 600 600\n");
    // Release back on the bar.
    script("down 30 10\nmove 40 32\nup 30 10\n");
    EXPECT_EQ(selections(), (std::vector<long>{0, 0, 0, 0, 0}));
    // A disabled menu gives nothing from any of its items.
    DisableMenuItem(GetMenuHandle(129), 0);
    script("choose 129 1\n");
    EXPECT_EQ(selections(), (std::vector<long>{0}));
    EnableMenuItem(GetMenuHandle(129), 0);
    script("choose 129 1\n");
    EXPECT_EQ(selections(), (std::vector<long>{cmd(129, 1)}));
}

TEST_F(MenusTest, MenuKeyFindsEquivalentsInEitherCase) {
    struct Case {
        char ch;
        long expected;
    } cases[] = {
        {'n', cmd(129, 1)}, {'N', cmd(129, 1)}, {'W', cmd(129, 2)}, {'w', cmd(129, 2)},
        {'v', cmd(130, 5)}, {'k', 0}, {'O', 0} /* disabled */, {'\0', 0},
    };
    for (const Case& c : cases) EXPECT_EQ(MenuKey(c.ch), c.expected) << c.ch;
    DisableMenuItem(GetMenuHandle(130), 0);
    EXPECT_EQ(MenuKey('x'), 0);
}

TEST_F(MenusTest, ApplicationMenuQuitPostsTheQuitEvent) {
    // About, a separator, then Quit.
    std::string menus = printed();
    EXPECT_NE(menus.find("menu: 128 1 - enabled \"About Test\xE2\x80\xA6\"\n"
                         "menu: 128 2 - disabled \"-\"\n"
                         "menu: 128 3 - enabled \"Quit Ilvaron\"\n"),
              std::string::npos)
        << menus;
    EXPECT_EQ(menus.find("menu: 128"), 0u); // first in the bar
    EXPECT_EQ(MenuKey('q'), 0);
    EventRecord e;
    ASSERT_TRUE(EventAvail(highLevelEventMask, &e));
    EXPECT_EQ(e.message, kCoreEventClass);
    FlushEvents(everyEvent, 0);
    script("choose 128 3\n");
    EXPECT_EQ(selections(), (std::vector<long>{0}));
    EXPECT_TRUE(quitPosted);
}

TEST_F(MenusTest, PrintMenusShowsMarksDimmedAndDeletedItems) {
    MenuRef file = GetMenuHandle(129), edit = GetMenuHandle(130);
    DeleteMenuItem(file, 4);
    DeleteMenuItem(file, 3);
    DeleteMenuItem(file, 9); // no such item: nothing
    CheckMenuItem(edit, 3, true);
    SetItemMark(edit, 4, diamondMark);
    CheckMenuItem(edit, 4, false);
    DisableMenuItem(edit, 5);
    std::string menus = printed();
    EXPECT_NE(menus.find("menu: 129 1 - enabled \"New\"\n"
                         "menu: 129 2 - enabled \"Close\"\n"
                         "menu: 130 1"),
              std::string::npos)
        << menus;
    EXPECT_NE(menus.find("menu: 130 3 check enabled \"Cut\"\n"
                         "menu: 130 4 - enabled \"Copy\"\n"
                         "menu: 130 5 - disabled \"Paste\"\n"),
              std::string::npos)
        << menus;
    EXPECT_EQ(CountMenuItems(file), 2);
    short mark = -1;
    GetItemMark(edit, 3, &mark);
    EXPECT_EQ(mark, checkMark);
    Str255 t;
    GetMenuItemText(edit, 4, t);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(t + 1), t[0]), "Copy");
}

TEST_F(MenusTest, MissingBarOrMenuAndTheFaultGiveNoBar) {
    EXPECT_EQ(GetNewMBar(200), nullptr);
    tb::registerResource(FOUR_CHAR("MBAR"), 201, tb::res::menuBar({129, 131}));
    EXPECT_EQ(GetNewMBar(201), nullptr); // menu 131 does not exist
    tb::faults::arm(tb::faults::Fault::menubar);
    EXPECT_EQ(GetNewMBar(128), nullptr);
    MenuBarHandle again = GetNewMBar(128); // the fault fails one request only
    EXPECT_NE(again, nullptr);
    DisposeMenuBar(again);
    EXPECT_EQ(GetMenuHandle(131), nullptr);
}

TEST_F(MenusTest, HiliteFollowsTheChosenMenu) {
    // Dark pixels along one row of the bar, over its first 300 columns.
    auto darkInBar = [&]() {
        OpaqueGrafPtr* s = tb::screen::compose();
        int dark = 0;
        for (int h = 0; h < 300; ++h) dark += s->pixels[(std::size_t(3) * s->width + h) * 4] < 100;
        return dark;
    };
    script("choose 129 1\n");
    ASSERT_EQ(selections(), (std::vector<long>{cmd(129, 1)}));
    EXPECT_GT(darkInBar(), 20); // the chosen title is drawn highlighted
    HiliteMenu(0);
    EXPECT_EQ(darkInBar(), 0);
}

} // namespace
