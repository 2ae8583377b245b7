// The scenario driver over a small program with a menu bar, a dialog and the clipboard:
// `choose`, typing into a modal dialog, `print menus`, `print dialog`, `print clipboard`.
#include "Windows/WindowRecord.h"
#include "host/headless/HeadlessHost.h"

#include "tb/Dialogs.h"
#include "tb/Events.h"
#include "tb/Menus.h"
#include "tb/Processes.h"
#include "tb/Resources.h"
#include "tb/Scrap.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// File 1 asks for a value in dialog 300 and puts what was typed on the clipboard.
void ask() {
    DialogRef d = GetNewDialog(300, nullptr, kFirstWindowOfClass);
    if (!d) return;
    SetDialogDefaultItem(d, 1);
    SetDialogCancelItem(d, 2);
    ModalFilterUPP filter = nullptr;
    GetStdFilterProc(&filter);
    DialogItemIndex hit = 0;
    do ModalDialog(filter, &hit);
    while (hit > 2);
    if (hit == 1) {
        ControlRef field = nullptr;
        GetDialogItemAsControl(d, 3, &field);
        Str255 text;
        GetDialogItemText(reinterpret_cast<Handle>(field), text);
        ScrapRef scrap = nullptr;
        ClearCurrentScrap();
        GetCurrentScrap(&scrap);
        PutScrapFlavor(scrap, kScrapFlavorTypeText, 0, text[0], text + 1);
    }
    DisposeDialog(d);
}

int menuMain() {
    MenuBarHandle bar = GetNewMBar(128);
    if (!bar) return 4;
    SetMenuBar(bar);
    DrawMenuBar();
    CheckMenuItem(GetMenuHandle(129), 2, true);
    for (;;) {
        EventRecord e;
        if (!WaitNextEvent(everyEvent, &e, 0, nullptr)) continue;
        long command = 0;
        WindowRef w = nullptr;
        if (e.what == mouseDown && FindWindow(e.where, &w) == inMenuBar) command = MenuSelect(e.where);
        else if (e.what == keyDown && (e.modifiers & cmdKey)) command = MenuKey(short(e.message & charCodeMask));
        else if (e.what == kHighLevelEvent) ExitToShell();
        if (command == ((129L << 16) | 1)) ask();
        HiliteMenu(0);
    }
}

class UiScenarioTest : public ::testing::Test {
protected:
    void SetUp() override {
        using tb::res::MenuSpec;
        tb::registerResource(FOUR_CHAR("MENU"), 128, tb::res::menu(MenuSpec{128, "x", {{"About"}}}));
        tb::registerResource(FOUR_CHAR("MENU"), 129, tb::res::menu(MenuSpec{129, "File", {{"Ask", 'A'}, {"Marked"}}}));
        tb::registerResource(FOUR_CHAR("MBAR"), 128, tb::res::menuBar({128, 129}));
        tb::registerResource(FOUR_CHAR("DITL"), 300,
                             tb::res::itemList({{kButtonDialogItem, {60, 130, 80, 190}, "OK"},
                                                {kButtonDialogItem, {60, 50, 80, 110}, "Cancel"},
                                                {kEditTextDialogItem, {20, 20, 36, 190}, "1"}}));
        tb::res::DialogSpec spec;
        spec.bounds = Rect{200, 200, 290, 410};
        spec.itemsID = 300;
        spec.title = "Ask";
        tb::registerResource(FOUR_CHAR("DLOG"), 300, tb::res::dialogTemplate(spec));
    }
    void TearDown() override {
        ClearMenuBar();
        for (short id : {128, 129})
            if (MenuRef m = GetMenu(id)) DisposeMenu(m);
        auto& list = tb::wm::windowList();
        while (!list.empty()) DisposeWindow(list.back());
        FlushEvents(everyEvent, 0);
        tb::clearResources();
    }
    int run(const std::string& script, std::vector<std::string> options = {}) {
        out.str("");
        err.str("");
        return tb::headless::runScript(options, script, out, err, menuMain);
    }
    std::ostringstream out, err;
};

TEST_F(UiScenarioTest, ChooseTypeIntoTheDialogAndReadTheClipboard) {
    int status = run("print menus\n"
                     "choose 129 1\n"
                     "print dialog\n"
                     "type 2.5\n"
                     "key return\n"
                     "print clipboard\n"
                     "key a cmd\n"
                     "type 9\n"
                     "key escape\n"
                     "print clipboard\n"
                     "choose 128 3\n"
                     "echo not reached\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.str(), "menu: 128 1 - enabled \"About\"\n"
                         "menu: 128 2 - disabled \"-\"\n"
                         "menu: 128 3 - enabled \"Quit Ilvaron\"\n"
                         "menu: 129 1 - enabled \"Ask\"\n"
                         "menu: 129 2 check enabled \"Marked\"\n"
                         "item: 1 button \"OK\"\n"
                         "item: 2 button \"Cancel\"\n"
                         "item: 3 edit \"1\"\n"
                         "clipboard: TEXT 3\n"
                         "clipboard-text: 2.5\n"
                         "clipboard: TEXT 3\n"
                         "clipboard-text: 2.5\n"
                         "exit: 0\n")
        << err.str();
}

TEST_F(UiScenarioTest, BadChooseAndTheMenuBarFault) {
    EXPECT_EQ(run("choose 140 1\n"), 2);
    EXPECT_NE(err.str().find("choose 140 1"), std::string::npos) << err.str();
    EXPECT_EQ(run("choose 129 9\n"), 2);
    EXPECT_EQ(run("print menus\n", {"--fail", "menubar"}), 4);
    EXPECT_EQ(out.str(), "exit: 4\n");
}

} // namespace
