// Window order, hit testing of frames and the modal frame tracking loops.
#include "HeadlessFixture.h"

#include "QuickDraw/Draw.h"
#include "Windows/Compositor.h"

#include <array>

namespace {

std::vector<WindowRef> order() {
    std::vector<WindowRef> v;
    for (WindowRef w = FrontWindow(); w; w = GetNextWindow(w))
        if (IsWindowVisible(w)) v.push_back(w);
    return v;
}

std::string at(short h, short v) { return std::to_string(h) + " " + std::to_string(v); }

using WindowsTest = HeadlessTest;

TEST_F(WindowsTest, OrderFollowsSelectSendBehindAndHide) {
    WindowRef a = makeWindow(10, 50, 200, 200, "A");
    WindowRef b = makeWindow(30, 70, 220, 220, "B");
    WindowRef c = makeWindow(50, 90, 240, 240, "C");
    EXPECT_EQ(order(), (std::vector<WindowRef>{c, b, a}));

    SelectWindow(a);
    EXPECT_EQ(order(), (std::vector<WindowRef>{a, c, b}));
    SendBehind(a, nullptr);
    EXPECT_EQ(order(), (std::vector<WindowRef>{c, b, a}));
    SendBehind(c, b);
    EXPECT_EQ(order(), (std::vector<WindowRef>{b, c, a}));

    HideWindow(b);
    EXPECT_EQ(FrontWindow(), c);
    EXPECT_FALSE(IsWindowVisible(b));
    // A hidden window keeps its place in the list.
    EXPECT_EQ(GetNextWindow(b), c);
    ShowWindow(b);
    EXPECT_EQ(FrontWindow(), b);

    // Behind all and in front of all at creation.
    Rect r{300, 300, 400, 400};
    WindowRef back = NewCWindow(nullptr, &r, nullptr, true, documentProc, nullptr, false, 0);
    EXPECT_EQ(order().back(), back);
    DisposeWindow(c);
    EXPECT_EQ(order(), (std::vector<WindowRef>{b, a, back}));
}

TEST_F(WindowsTest, TitleAndRefConRoundTrip) {
    WindowRef w = makeWindow(10, 50, 200, 200, "first");
    Str255 t;
    unsigned char longTitle[256];
    longTitle[0] = 255;
    std::memset(longTitle + 1, 'x', 255);
    SetWTitle(w, longTitle);
    GetWTitle(w, t);
    EXPECT_EQ(t[0], 255);
    EXPECT_EQ(t[255], 'x');
    SetWRefCon(w, 0x123456789AL);
    EXPECT_EQ(GetWRefCon(w), 0x123456789AL);
    // Calls on a window that no longer exists do nothing.
    DisposeWindow(w);
    EXPECT_EQ(GetWRefCon(w), 0);
    GetWTitle(w, t);
    EXPECT_EQ(t[0], 0);
}

TEST_F(WindowsTest, AbsurdPlacesAndSizesAreClamped) {
    WindowRef w = makeWindow(32000, 32000, -32000, -32000, "inside out");
    Rect c;
    GetWindowBounds(w, kWindowContentRgn, &c);
    EXPECT_EQ(c.right - c.left, 0);
    EXPECT_EQ(c.bottom - c.top, 0);
    SizeWindow(w, 32767, 32767, true);
    MoveWindow(w, 32767, -32768, false);
    GetWindowBounds(w, kWindowContentRgn, &c);
    EXPECT_LE(c.right - c.left, 4096);
    EXPECT_GT(c.right, c.left) << "no 16-bit wrap";
    Rect s;
    GetWindowBounds(w, kWindowStructureRgn, &s);
    EXPECT_LT(s.top, c.top);
    EXPECT_EQ(FindWindow(Point{short(c.top + 1), short(c.left + 1)}, nullptr), inContent);
    // The whole thing still composes.
    tb::screen::compose();
}

TEST_F(WindowsTest, FindWindowNamesEveryPartOfTheFrame) {
    // Content from (100,100) to (400,300): title bar above it, boxes in the title bar.
    WindowRef w = makeWindow(100, 100, 400, 300, "Parts", zoomDocProc);
    makeWindow(600, 100, 800, 300, "Other", noGrowDocProc);
    SelectWindow(w);
    Rect close = tb::wm::closeBoxRect(w), zoom = tb::wm::zoomBoxRect(w);
    struct Case {
        short h, v;
        short part;
        bool hitsW;
    } cases[] = {
        {640, 10, inMenuBar, false},
        {50, 500, inDesk, false},
        {200, 200, inContent, true},
        {200, 90, inDrag, true},                                  // title bar
        {99, 200, inDrag, true},                                  // left border
        {short(close.left + 5), short(close.top + 5), inGoAway, true},
        {short(zoom.left + 5), short(zoom.top + 5), inZoomOut, true},
        {395, 295, inGrow, true},
        {385, 285, inGrow, true},
        {384, 284, inContent, true},                              // just outside the 15x15 box
        {700, 200, inContent, false},                             // the other window
        {795, 295, inContent, false},                             // no grow box there
    };
    for (const Case& c : cases) {
        WindowRef hit = nullptr;
        EXPECT_EQ(FindWindow(Point{c.v, c.h}, &hit), c.part) << at(c.h, c.v);
        if (c.hitsW) {
            EXPECT_EQ(hit, w) << at(c.h, c.v);
        } else if (c.part <= inMenuBar) {
            EXPECT_EQ(hit, nullptr) << at(c.h, c.v);
        }
    }
    // Once zoomed out, the same box zooms back in.
    ZoomWindow(w, inZoomOut, false);
    zoom = tb::wm::zoomBoxRect(w);
    EXPECT_EQ(FindWindow(Point{short(zoom.top + 5), short(zoom.left + 5)}, nullptr), inZoomIn);
    // Grown by hand away from the standard state, it zooms out again.
    SizeWindow(w, 500, 400, false);
    zoom = tb::wm::zoomBoxRect(w);
    EXPECT_EQ(FindWindow(Point{short(zoom.top + 5), short(zoom.left + 5)}, nullptr), inZoomOut);
    // A hidden window is not hit.
    HideWindow(w);
    EXPECT_EQ(FindWindow(Point{200, 200}, nullptr), inDesk);
}

TEST_F(WindowsTest, DragMovesTheWindowByTheMouseTravel) {
    WindowRef back = makeWindow(100, 100, 400, 300, "Back");
    makeWindow(500, 500, 700, 700, "Front");
    press(200, 90);
    script("move 200 100\nmove 260 140\nup 300 180\n");
    DragWindow(back, Point{90, 200}, nullptr);
    Rect c;
    GetWindowBounds(back, kWindowContentRgn, &c);
    EXPECT_EQ(c.left, 200);
    EXPECT_EQ(c.top, 190);
    EXPECT_EQ(FrontWindow(), back) << "a drag selects the window";
    EXPECT_FALSE(EventAvail(mUpMask, nullptr)) << "the release belongs to the drag";
}

TEST_F(WindowsTest, DragIsLimitedToTheBoundsAndEndsWhenTheScriptRunsOut) {
    WindowRef w = makeWindow(100, 100, 400, 300);
    // No release in the script: the loop must end as a release at the last place.
    press(200, 90);
    script("move 5000 5000\n");
    DragWindow(w, Point{90, 200}, nullptr);
    Rect c;
    GetWindowBounds(w, kWindowContentRgn, &c);
    Rect gray;
    GetRegionBounds(GetGrayRgn(), &gray);
    EXPECT_LE(c.left + (200 - 100), gray.right) << "the grabbed point stays on the desktop";
    EXPECT_LE(c.top - 10, gray.bottom);
    EXPECT_GT(c.left, 100);
}

TEST_F(WindowsTest, GrowReportsTheNewSizeWithinTheLimits) {
    WindowRef w = makeWindow(100, 100, 400, 300);
    Rect limits{40, 40, 1024, 1280};
    struct Case {
        const char* release;
        long expected;
    } cases[] = {
        {"up 495 445\n", (350L << 16) | 400},  // 300x200 grown by (100, 150)
        {"up 395 295\n", 0},                    // released where it started: unchanged
        {"up 0 30\n", (40L << 16) | 40},        // shrunk past the minimum
    };
    for (const Case& c : cases) {
        press(395, 295);
        script(c.release);
        long r = GrowWindow(w, Point{295, 395}, &limits);
        EXPECT_EQ(r, c.expected) << c.release;
        EXPECT_FALSE(EventAvail(mUpMask, nullptr));
    }
    // GrowWindow only measures; the window is as it was.
    Rect bounds;
    GetWindowPortBounds(w, &bounds);
    EXPECT_EQ(bounds.right, 300);
    EXPECT_EQ(bounds.bottom, 200);
}

TEST_F(WindowsTest, ZoomOutFillsTheUsableScreenAndZoomInRestores) {
    WindowRef w = makeWindow(100, 100, 400, 300);
    ZoomWindow(w, inZoomOut, false);
    Rect s, avail;
    GetWindowBounds(w, kWindowStructureRgn, &s);
    GetAvailableWindowPositioningBounds(GetMainDevice(), &avail);
    EXPECT_EQ(avail.top, 22);
    EXPECT_TRUE(EqualRect(&s, &avail)) << s.left << " " << s.top << " " << s.right << " " << s.bottom;
    ZoomWindow(w, inZoomIn, false);
    Rect c;
    GetWindowBounds(w, kWindowContentRgn, &c);
    Rect expected{100, 100, 300, 400};
    EXPECT_TRUE(EqualRect(&c, &expected));
}

TEST_F(WindowsTest, CloseAndZoomBoxesConfirmOnlyWhenReleasedInside) {
    WindowRef w = makeWindow(100, 100, 400, 300);
    Rect close = tb::wm::closeBoxRect(w), zoom = tb::wm::zoomBoxRect(w);
    Point inClose{short(close.top + 4), short(close.left + 4)};
    Point inZoom{short(zoom.top + 4), short(zoom.left + 4)};

    press(inClose.h, inClose.v);
    script("move 300 300\nup 300 300\n");
    EXPECT_FALSE(TrackGoAway(w, inClose));
    press(inClose.h, inClose.v);
    script("move 300 300\nmove " + at(inClose.h, inClose.v) + "\nup " + at(inClose.h, inClose.v) + "\n");
    EXPECT_TRUE(TrackGoAway(w, inClose));
    press(inZoom.h, inZoom.v);
    script("up " + at(short(inZoom.h + 40), inZoom.v) + "\n");
    EXPECT_FALSE(TrackBox(w, inZoom, inZoomOut));
    press(inZoom.h, inZoom.v);
    script("up " + at(inZoom.h, inZoom.v) + "\n");
    EXPECT_TRUE(TrackBox(w, inZoom, inZoomOut));
}

using Rgb = std::array<int, 3>;

Rgb screenAt(int h, int v) {
    OpaqueGrafPtr* s = tb::screen::compose();
    const std::uint8_t* p = &s->pixels[(std::size_t(v) * s->width + h) * 4];
    return {p[0], p[1], p[2]};
}

void paintMenuBarBlue(OpaqueGrafPtr* screen) {
    RGBColor blue{0, 0, 0xFFFF};
    tb::qd::fillRect(screen, Rect{0, 0, 22, SInt16(screen->width)}, blue);
}

TEST_F(WindowsTest, ScreenShowsDesktopFramesContentAndMenuBar) {
    WindowRef back = makeWindow(100, 100, 400, 300, "Back");
    WindowRef front = makeWindow(300, 200, 600, 400, "Front");
    SetPortWindowPort(back);
    RGBColor green{0, 0xFFFF, 0};
    RGBForeColor(&green);
    Rect all{0, 0, 200, 300};
    PaintRect(&all);

    const Rgb desktop = screenAt(1000, 900);
    EXPECT_EQ(screenAt(5, 5), (Rgb{255, 255, 255})) << "menu bar";
    EXPECT_EQ(screenAt(5, 21), (Rgb{0, 0, 0})) << "its bottom line";
    EXPECT_NE(desktop, (Rgb{255, 255, 255}));
    EXPECT_EQ(screenAt(150, 150), (Rgb{0, 255, 0})) << "back content";
    EXPECT_EQ(screenAt(350, 250), (Rgb{255, 255, 255})) << "front content covers the back";
    EXPECT_EQ(screenAt(99, 150), (Rgb{128, 128, 128})) << "inactive frame edge";
    EXPECT_EQ(screenAt(299, 250), (Rgb{0, 0, 0})) << "active frame edge";

    // Only the active window shows its close box.
    Rect closeFront = tb::wm::closeBoxRect(front), closeBack = tb::wm::closeBoxRect(back);
    EXPECT_EQ(screenAt(closeFront.left, closeFront.top + 5), (Rgb{0, 0, 0}));
    EXPECT_NE(screenAt(closeBack.left, closeBack.top + 5), (Rgb{0, 0, 0}));
    SelectWindow(back);
    EXPECT_EQ(screenAt(closeBack.left, closeBack.top + 5), (Rgb{0, 0, 0}));
    EXPECT_EQ(screenAt(350, 250), (Rgb{0, 255, 0})) << "the back window is in front now";

    // The grow box is drawn over the content's bottom-right corner.
    EXPECT_EQ(screenAt(400 - 15, 290), (Rgb{0, 0, 0}));

    HideWindow(back);
    EXPECT_EQ(screenAt(150, 150), desktop);

    tb::screen::setMenuBarPainter(paintMenuBarBlue);
    EXPECT_EQ(screenAt(5, 5), (Rgb{0, 0, 255}));
    tb::screen::setMenuBarPainter(nullptr);
    EXPECT_EQ(screenAt(5, 5), (Rgb{255, 255, 255}));
}

} // namespace
