// The scenario driver running a small program: input lines, output lines, the Quit at the end.
#include "Windows/WindowRecord.h"
#include "host/headless/HeadlessHost.h"

#include "tb/Driver.h"
#include "tb/Events.h"
#include "tb/Processes.h"
#include "tb/QuickDraw.h"
#include "tb/ResourceData.h"
#include "tb/Resources.h"
#include "tb/Windows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// A program with one window from template 200: red content, frame operations, a typed
// key retitles it, Quit ends it with status 0, Escape with status 7.
int demoMain() {
    WindowRef w = GetNewCWindow(200, nullptr, kFirstWindowOfClass);
    if (!w) return 1;
    for (;;) {
        EventRecord e;
        if (!WaitNextEvent(everyEvent, &e, 0, nullptr)) continue;
        switch (e.what) {
        case mouseDown: {
            WindowRef hit = nullptr;
            short part = FindWindow(e.where, &hit);
            if (part == inDrag) DragWindow(hit, e.where, nullptr);
            else if (part == inGrow) {
                Rect limits{40, 40, 2000, 2000};
                long size = GrowWindow(hit, e.where, &limits);
                if (size) SizeWindow(hit, short(size & 0xFFFF), short(size >> 16), true);
            } else if (part == inGoAway && TrackGoAway(hit, e.where)) HideWindow(hit);
            break;
        }
        case keyDown: {
            unsigned char c = static_cast<unsigned char>(e.message & charCodeMask);
            if (c == 27) ExitToShell();
            unsigned char title[] = {4, 'k', 'e', 'y', c};
            SetWTitle(w, title);
            break;
        }
        case updateEvt: {
            WindowRef u = reinterpret_cast<WindowRef>(e.message);
            BeginUpdate(u);
            SetPortWindowPort(u);
            RGBColor red{0xFFFF, 0, 0};
            RGBForeColor(&red);
            Rect r;
            GetWindowPortBounds(u, &r);
            PaintRect(&r);
            EndUpdate(u);
            break;
        }
        case kHighLevelEvent:
            if (e.message == FOUR_CHAR("aevt")) ExitToShell();
            break;
        }
    }
}

int escapeMain() {
    for (;;) {
        EventRecord e;
        if (WaitNextEvent(everyEvent, &e, 0, nullptr) && e.what == keyDown) return 7;
    }
}

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        tb::res::Writer wind;
        wind.rect(Rect{100, 50, 300, 350}).s16(zoomDocProc).s16(1).s16(1).s32(0).pstr("Demo \xB5");
        tb::registerResource(FOUR_CHAR("WIND"), 200, wind.data());
    }
    void TearDown() override {
        auto& list = tb::wm::windowList();
        while (!list.empty()) DisposeWindow(list.back());
        FlushEvents(everyEvent, 0);
        tb::unregisterResource(FOUR_CHAR("WIND"), 200);
    }

    int run(const std::string& script, int (*program)() = demoMain, std::vector<std::string> options = {}) {
        out.str("");
        err.str("");
        return tb::headless::runScript(options, script, out, err, program);
    }

    std::ostringstream out, err;
};

TEST_F(DriverTest, ScriptDrivesTheProgramAndSeesItsState) {
    int status = run(
        "# a comment, then a blank line\n"
        "\n"
        "print windows\n"
        "pixel 60 110\n"
        "drag 200 90 300 190\n"
        "print windows\n"
        "pixel 60 110\n"
        "pixel 160 210\n"
        "drag 445 395 495 445   # grow by 50 both ways\n"
        "print windows\n"
        "key x\n"
        "print windows\n"
        "echo \"done \\\"here\\\"\"\n"
        "print cursor\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.str(),
              "window: other visible 50 100 350 300 \"Demo \xC2\xB5\"\n"
              "pixel: 60 110 255 0 0\n"
              "window: other visible 150 200 450 400 \"Demo \xC2\xB5\"\n"
              "pixel: 60 110 90 110 140\n"
              "pixel: 160 210 255 0 0\n"
              "window: other visible 150 200 500 450 \"Demo \xC2\xB5\"\n"
              "window: other visible 150 200 500 450 \"keyx\"\n"
              "done \"here\"\n"
              "cursor: arrow\n"
              "exit: 0\n")
        << err.str();
}

TEST_F(DriverTest, ClosingAndRegisteredSubjectsAndKinds) {
    tb::driver::registerPrintSubject("answer", [](const tb::driver::Words& args, std::ostream& o) {
        if (args.size() != 1) return false;
        o << "answer: " << args[0] << "\n";
        return true;
    });
    tb::driver::addWindowKindNamer([](WindowRef w) -> const char* {
        Str255 t;
        GetWTitle(w, t);
        return t[0] == 4 ? "plot" : nullptr;
    });
    int status = run("print answer \"forty two\"\nkey a\nprint windows\nclick 66 86\nprint windows\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.str(),
              "answer: forty two\n"
              "window: plot visible 50 100 350 300 \"keya\"\n"
              "window: plot hidden 50 100 350 300 \"keya\"\n"
              "exit: 0\n")
        << err.str();
    EXPECT_EQ(run("print answer\n"), 2) << "a subject may refuse its arguments";
}

TEST_F(DriverTest, ProgramStatusIsReportedLast) {
    EXPECT_EQ(run("key escape\necho never\n", escapeMain), 7);
    EXPECT_EQ(out.str(), "exit: 7\n");
    // ExitToShell from inside the program's loop.
    EXPECT_EQ(run("key escape\n"), 0);
    EXPECT_EQ(out.str(), "exit: 0\n");
}

TEST_F(DriverTest, BadScriptsAndOptionsStopWithStatusTwo) {
    const char* bad[] = {"jump 1 2\n", "click 1\n", "click a b\n", "key nosuchkey\n", "key a hyper\n",
                         "print nothing\n", "pixel 5000 5\n", "echo \"unfinished\n", "wait -3\n"};
    for (const char* line : bad) {
        EXPECT_EQ(run(std::string("echo before\n") + line + "echo after\n"), 2) << line;
        EXPECT_EQ(out.str(), "before\nexit: 2\n") << line;
        EXPECT_NE(err.str().find("line 2"), std::string::npos) << err.str();
    }
    EXPECT_EQ(run("", demoMain, {"--screen", "10x10"}), 2);
    EXPECT_EQ(run("", demoMain, {"--fail", "everything"}), 2);
    EXPECT_EQ(run("", demoMain, {"--gestalt", "sysv"}), 2);
    EXPECT_EQ(run("", demoMain, {"--bogus"}), 2);
}

TEST_F(DriverTest, ScreenOptionAndShot) {
    std::string path = ::testing::TempDir() + "driver_shot.png";
    std::remove(path.c_str());
    EXPECT_EQ(run("shot " + path + "\npixel 799 599\n", demoMain, {"--screen", "800x600"}), 0) << err.str();
    EXPECT_EQ(out.str(), "pixel: 799 599 90 110 140\nexit: 0\n");
    std::ifstream png(path, std::ios::binary);
    char magic[8] = {};
    png.read(magic, 8);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");
    png.seekg(16);
    unsigned char size[8] = {};
    png.read(reinterpret_cast<char*>(size), 8);
    EXPECT_EQ((size[2] << 8) | size[3], 800);
    EXPECT_EQ((size[6] << 8) | size[7], 600);
}

} // namespace
