// Controls in a real window: scroll bar parts, value clamping, arrows held with an action
// procedure, thumb dragging, buttons, and what an inactive bar shows.
#include "HeadlessFixture.h"

#include "tb/Controls.h"

namespace {

class ControlsTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        win = makeWindow(100, 100, 500, 400, "Controls", documentProc);
        SetPortWindowPort(win);
        Rect r{0, 300, 200, 316}; // a vertical bar, 200 long
        bar = NewControl(win, &r, nullptr, true, 0, 0, 10, scrollBarProc, 0);
        ASSERT_NE(bar, nullptr);
    }
    // Global text of a local point, for script lines.
    std::string g(int h, int v) {
        Rect c = win->contentGlobal();
        return std::to_string(c.left + h) + " " + std::to_string(c.top + v);
    }
    static void step(ControlRef c, ControlPartCode part) {
        parts.push_back(part);
        if (part == kControlDownButtonPart) SetControlValue(c, GetControlValue(c) + 1);
        if (part == kControlUpButtonPart) SetControlValue(c, GetControlValue(c) - 1);
    }
    ControlPartCode press(ControlRef c, int h, int v, const std::string& rest, ControlActionUPP action) {
        // The rest is queued with the press: a script that ends lets the button go.
        script("down " + g(h, v) + "\n" + rest);
        EventRecord e;
        for (int guard = 0; guard < 100 && !WaitNextEvent(mDownMask, &e, 0, nullptr); ++guard) {
        }
        return TrackControl(c, Point{short(v), short(h)}, action);
    }

    WindowRef win = nullptr;
    ControlRef bar = nullptr;
    static std::vector<ControlPartCode> parts;
};
std::vector<ControlPartCode> ControlsTest::parts;

TEST_F(ControlsTest, ScrollBarPartsFollowTheThumb) {
    struct Case {
        short value;
        short v;
        ControlPartCode part;
    } cases[] = {
        {0, 3, kControlUpButtonPart},     {0, 196, kControlDownButtonPart},
        {0, 20, kControlIndicatorPart},   {0, 100, kControlPageDownPart},
        {10, 100, kControlPageUpPart},    {10, 175, kControlIndicatorPart},
        {10, 183, kControlIndicatorPart}, {10, 185, kControlDownButtonPart},
        {5, 60, kControlPageUpPart},      {5, 140, kControlPageDownPart},
    };
    for (const Case& c : cases) {
        SetControlValue(bar, c.value);
        ControlRef found = nullptr;
        EXPECT_EQ(FindControl(Point{c.v, 308}, win, &found), c.part) << c.value << " " << c.v;
        EXPECT_EQ(found, bar);
    }
    ControlRef found = bar;
    EXPECT_EQ(FindControl(Point{100, 200}, win, &found), kControlNoPart);
    EXPECT_EQ(found, nullptr);
    HideControl(bar);
    EXPECT_EQ(FindControl(Point{100, 308}, win, &found), kControlNoPart);
    ShowControl(bar);
    HiliteControl(bar, kControlInactivePart);
    EXPECT_EQ(FindControl(Point{100, 308}, win, &found), kControlNoPart);
}

TEST_F(ControlsTest, ValueIsAlwaysClampedIntoItsRange) {
    SetControlValue(bar, 50);
    EXPECT_EQ(GetControlValue(bar), 10);
    SetControlValue(bar, -3);
    EXPECT_EQ(GetControlValue(bar), 0);
    SetControlValue(bar, 7);
    SetControlMaximum(bar, 5);
    EXPECT_EQ(GetControlValue(bar), 5);
    SetControlMinimum(bar, 8); // the maximum follows the minimum up
    EXPECT_EQ(GetControlMaximum(bar), 8);
    EXPECT_EQ(GetControlValue(bar), 8);
    SetControlMaximum(bar, -4); // never below the minimum
    EXPECT_EQ(GetControlMaximum(bar), 8);
    SetControl32BitMinimum(bar, 0);
    SetControl32BitMaximum(bar, 100000);
    SetControl32BitValue(bar, 70000);
    EXPECT_EQ(GetControl32BitValue(bar), 70000);
    EXPECT_EQ(GetControlValue(bar), 32767);
    // A control made with its value outside its range starts clamped.
    Rect r{0, 0, 100, 16};
    ControlRef c = NewControl(win, &r, nullptr, true, 40, 0, 9, scrollBarProc, 0);
    EXPECT_EQ(GetControlValue(c), 9);
}

TEST_F(ControlsTest, HeldArrowRepeatsAfterADelayAndStopsAtTheEnd) {
    ControlActionUPP action = NewControlActionUPP(step);
    SetControlMaximum(bar, 100);
    // A quick click: one step.
    parts.clear();
    EXPECT_EQ(press(bar, 308, 196, "up " + g(308, 196) + "\n", action), kControlDownButtonPart);
    EXPECT_EQ(parts, (std::vector<ControlPartCode>{21}));
    EXPECT_EQ(GetControlValue(bar), 1);
    // Held under the delay: still one.
    parts.clear();
    press(bar, 308, 196, "wait 10\nup " + g(308, 196) + "\n", action);
    EXPECT_EQ(parts.size(), 1u);
    EXPECT_EQ(GetControlValue(bar), 2);
    // Held for a second: the first repeat after the delay, then a steady rate.
    parts.clear();
    press(bar, 308, 196, "wait 60\nup " + g(308, 196) + "\n", action);
    EXPECT_EQ(parts.size(), 12u);
    EXPECT_EQ(GetControlValue(bar), 14);
    // Leaving the arrow calls with part 0 and scrolls no more; release outside gives 0.
    parts.clear();
    EXPECT_EQ(press(bar, 308, 3, "move " + g(200, 100) + "\nwait 60\nmove " + g(200, 100) + "\nup " + g(200, 100) + "\n", action),
              kControlNoPart);
    EXPECT_EQ(parts.front(), kControlUpButtonPart);
    EXPECT_EQ(parts.back(), kControlNoPart);
    EXPECT_EQ(GetControlValue(bar), 13);
    // Held long at the top: the value stops at the minimum.
    parts.clear();
    press(bar, 308, 3, "wait 600\nup " + g(308, 3) + "\n", action);
    EXPECT_EQ(GetControlValue(bar), 0);
}

TEST_F(ControlsTest, ThumbDragSetsTheValueOnRelease) {
    // Thumb at value 0 spans 16..32; drag its middle to the bar's end and to the middle.
    EXPECT_EQ(press(bar, 308, 24, "move " + g(308, 100) + "\nmove " + g(308, 400) + "\nup " + g(308, 400) + "\n", nullptr),
              kControlIndicatorPart);
    EXPECT_EQ(GetControlValue(bar), 10);
    // Thumb at value 10 spans 168..184; its middle to the middle of the track.
    press(bar, 308, 176, "move " + g(308, 100) + "\nup " + g(308, 100) + "\n", nullptr);
    EXPECT_EQ(GetControlValue(bar), 5);
}

TEST_F(ControlsTest, ButtonCountsOnlyAReleaseInside) {
    Rect r{250, 20, 270, 90};
    Str255 title = "\x02OK";
    ControlRef ok = NewControl(win, &r, title, true, 0, 0, 1, pushButProc, 7);
    EXPECT_EQ(FindControl(Point{260, 50}, win, nullptr), kControlButtonPart);
    EXPECT_EQ(press(ok, 50, 260, "up " + g(50, 260) + "\n", nullptr), kControlButtonPart);
    EXPECT_EQ(press(ok, 50, 260, "move " + g(150, 100) + "\nup " + g(150, 100) + "\n", nullptr), kControlNoPart);
    EXPECT_EQ(GetControlReference(ok), 7);
    ControlID id{FOUR_CHAR("ILVR"), 3}, back{0, 0};
    SetControlID(ok, &id);
    GetControlID(ok, &back);
    EXPECT_EQ(back.id, 3);
    MoveControl(ok, 200, 10);
    SizeControl(ok, 40, 30);
    Rect b;
    GetControlBounds(ok, &b);
    EXPECT_EQ(b.left, 200);
    EXPECT_EQ(b.top, 10);
    EXPECT_EQ(b.right, 240);
    EXPECT_EQ(b.bottom, 40);
}

TEST_F(ControlsTest, InactiveBarShowsNeitherArrowsNorThumb) {
    OpaqueGrafPtr* p = GetWindowPort(win);
    auto darkInside = [&](int top, int bottom) {
        int dark = 0;
        for (int v = top; v < bottom; ++v)
            for (int h = 301; h < 315; ++h) dark += p->pixels[(std::size_t(v) * p->width + h) * 4] < 100;
        return dark;
    };
    DrawControls(win);
    EXPECT_GT(darkInside(1, 15), 0);  // the up arrow's triangle
    EXPECT_GT(darkInside(16, 32), 0); // the thumb's outline
    HiliteControl(bar, kControlInactivePart);
    EXPECT_EQ(darkInside(1, 199), 0);
    // Active again but with nothing to scroll: no thumb either.
    HiliteControl(bar, 0);
    SetControlMaximum(bar, 0);
    EXPECT_EQ(darkInside(1, 199), 0);
}

TEST_F(ControlsTest, ControlsGoWithTheirWindow) {
    ASSERT_EQ(GetControlOwner(bar), win);
    DisposeWindow(win);
    EXPECT_EQ(GetControlOwner(bar), nullptr);
    EXPECT_EQ(GetControlValue(bar), 0);
    SetControlValue(bar, 3); // nothing happens, nothing breaks
}

} // namespace
