// Ports, regions, drawing, text, CopyBits and pictures.
#include "HeadlessFixture.h"

#include "Faults/Faults.h"
#include "QuickDraw/Port.h"
#include "QuickDraw/Region.h"
#include "tb/Memory.h"
#include "tb/ResourceData.h"
#include "tb/Resources.h"

#include <array>

namespace {

using QuickDrawTest = HeadlessTest;

std::array<int, 3> pixelOf(CGrafPtr port, int h, int v) {
    tb::syncPort(port);
    const std::uint8_t* p = &port->pixels[(std::size_t(v) * port->width + h) * 4];
    return {p[0], p[1], p[2]};
}

const RGBColor kRed{0xFFFF, 0, 0};
const RGBColor kBlue{0, 0, 0xFFFF};
const RGBColor kBlack{0, 0, 0};
const RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};

TEST(Regions, DifferenceAndUnionAnswerPointQueries) {
    RgnHandle a = NewRgn(), b = NewRgn(), r = NewRgn();
    SetRectRgn(a, 0, 0, 100, 100);
    SetRectRgn(b, 25, 25, 75, 75);
    DiffRgn(a, b, r);
    struct Case {
        short h, v;
        bool in;
    } frame[] = {{0, 0, true}, {99, 99, true}, {100, 50, false}, {24, 50, true}, {25, 50, false},
                 {74, 74, false}, {75, 74, true}, {50, 24, true}, {50, 75, true}, {-1, 0, false}};
    for (const Case& c : frame) EXPECT_EQ(bool(PtInRgn(Point{c.v, c.h}, r)), c.in) << c.h << "," << c.v;
    Rect bounds;
    GetRegionBounds(r, &bounds);
    Rect whole{0, 0, 100, 100};
    EXPECT_TRUE(EqualRect(&bounds, &whole));

    // Putting the hole back gives the whole square again.
    UnionRgn(r, b, r);
    for (short v = 0; v < 100; v += 7)
        for (short h = 0; h < 100; h += 7) EXPECT_TRUE(PtInRgn(Point{v, h}, r));

    // A rect that overlaps one edge only cuts that part; offsetting moves the answers.
    SetRectRgn(b, 90, -10, 200, 200);
    DiffRgn(a, b, r);
    EXPECT_TRUE(PtInRgn(Point{50, 89}, r));
    EXPECT_FALSE(PtInRgn(Point{50, 90}, r));
    OffsetRgn(r, 10, 20);
    EXPECT_TRUE(PtInRgn(Point{70, 99}, r));
    EXPECT_FALSE(PtInRgn(Point{19, 50}, r));

    // Subtracting everything leaves an empty region with empty bounds.
    DiffRgn(b, b, r);
    EXPECT_TRUE(EmptyRgn(r));
    GetRegionBounds(r, &bounds);
    EXPECT_TRUE(EmptyRect(&bounds));
    SectRgn(a, b, r);
    GetRegionBounds(r, &bounds);
    Rect overlap{0, 90, 100, 100};
    EXPECT_TRUE(EqualRect(&bounds, &overlap));
    DisposeRgn(a);
    DisposeRgn(b);
    DisposeRgn(r);
}

TEST(Regions, TheCursorRegionDanceDoesNotFragment) {
    // What the program's cursor upkeep does on every mouse-moved event: desktop minus the
    // old region, back and forth. The answers stay right and the region stays small.
    RgnHandle desk = NewRgn(), cursor = NewRgn(), next = NewRgn();
    SetRectRgn(desk, 0, 22, 1280, 1024);
    SetRectRgn(cursor, 300, 300, 500, 500);
    for (int i = 0; i < 50; ++i) {
        DiffRgn(desk, cursor, next);
        CopyRgn(next, cursor);
    }
    EXPECT_TRUE(PtInRgn(Point{400, 400}, cursor)) << "an even number of flips gives the square back";
    EXPECT_FALSE(PtInRgn(Point{600, 600}, cursor));
    EXPECT_EQ(cursor->rects.size(), 1u);

    // Strips added side by side make one rectangle, not a hundred.
    RgnHandle strip = NewRgn();
    SetEmptyRgn(next);
    for (short h = 0; h < 100; ++h) {
        SetRectRgn(strip, h, 0, short(h + 1), 50);
        UnionRgn(next, strip, next);
    }
    EXPECT_EQ(next->rects.size(), 1u);
    EXPECT_TRUE(PtInRgn(Point{49, 99}, next));
    DisposeRgn(strip);
    DisposeRgn(desk);
    DisposeRgn(cursor);
    DisposeRgn(next);
}

TEST(Rects, InsetOffsetAndSectClampAndEmpty) {
    Rect r;
    SetRect(&r, 10, 20, 30, 40);
    InsetRect(&r, 15, 0); // past the middle
    EXPECT_TRUE(EmptyRect(&r));
    SetRect(&r, 32000, 0, 32700, 10);
    OffsetRect(&r, 1000, 0);
    EXPECT_EQ(r.right, 32767) << "clamped, not wrapped";
    Rect a{0, 0, 10, 10}, b{20, 20, 30, 30}, out;
    EXPECT_FALSE(SectRect(&a, &b, &out));
    EXPECT_TRUE(EmptyRect(&out));
    EXPECT_TRUE(PtInRect(Point{0, 0}, &a));
    EXPECT_FALSE(PtInRect(Point{10, 0}, &a));
}

TEST_F(QuickDrawTest, PortsSwapAndConvertCoordinates) {
    WindowRef w = makeWindow(100, 200, 400, 500);
    CGrafPtr old = nullptr;
    SetPort(nullptr);
    EXPECT_TRUE(QDSwapPort(GetWindowPort(w), &old));
    EXPECT_EQ(old, nullptr);
    GrafPtr now;
    GetPort(&now);
    EXPECT_EQ(now, GetWindowPort(w));
    Point p{0, 0};
    LocalToGlobal(&p);
    EXPECT_EQ(p.h, 100);
    EXPECT_EQ(p.v, 200);
    GlobalToLocal(&p);
    EXPECT_EQ(p.h, 0);
    MoveWindow(w, 10, 60, false);
    p = Point{5, 5};
    LocalToGlobal(&p);
    EXPECT_EQ(p.h, 15);
    EXPECT_EQ(p.v, 65);
    Rect b;
    GetWindowPortBounds(w, &b);
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.right, 300);
    EXPECT_EQ(b.bottom, 300);
    EXPECT_FALSE(QDSwapPort(GetWindowPort(w), nullptr));
    // Disposing of the current port's window leaves no dangling current port.
    DisposeWindow(w);
    GetPort(&now);
    EXPECT_EQ(now, nullptr);
}

TEST_F(QuickDrawTest, ShapesFillWithTheirColours) {
    WindowRef w = makeWindow(100, 100, 300, 300);
    SetPortWindowPort(w);
    CGrafPtr port = GetWindowPort(w);
    RGBForeColor(&kRed);
    RGBBackColor(&kBlue);
    Rect r{10, 10, 50, 50};
    EraseRect(&r);
    EXPECT_EQ(pixelOf(port, 10, 10), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(pixelOf(port, 49, 49), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(pixelOf(port, 50, 50), (std::array<int, 3>{255, 255, 255}));
    FrameRect(&r);
    EXPECT_EQ(pixelOf(port, 10, 30), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(pixelOf(port, 49, 30), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(pixelOf(port, 11, 30), (std::array<int, 3>{0, 0, 255}));
    PaintRect(&r);
    EXPECT_EQ(pixelOf(port, 30, 30), (std::array<int, 3>{255, 0, 0}));
    RGBColor got;
    GetForeColor(&got);
    EXPECT_EQ(got.red, 0xFFFF);
    // Off the store: clipped, nothing written, no crash.
    Rect far{-30000, -30000, 30000, 30000};
    RGBForeColor(&kBlack);
    PaintRect(&far);
    EXPECT_EQ(pixelOf(port, 199, 199), (std::array<int, 3>{0, 0, 0}));
    MoveTo(0, 0);
    RGBForeColor(&kWhite);
    LineTo(199, 199);
    EXPECT_EQ(pixelOf(port, 100, 100), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(pixelOf(port, 100, 101), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(QuickDrawTest, TextDrawsInTheForeColourAndAdvancesThePen) {
    WindowRef w = makeWindow(100, 100, 400, 200);
    SetPortWindowPort(w);
    CGrafPtr port = GetWindowPort(w);
    TextFont(4);
    TextSize(12);
    RGBForeColor(&kRed);
    MoveTo(10, 50);
    const unsigned char text[] = "\x04MMMM";
    DrawString(text);
    Point pen;
    GetPen(&pen);
    EXPECT_EQ(pen.h, 10 + StringWidth(text));
    EXPECT_EQ(StringWidth(text), 4 * CharWidth('M')) << "Monaco is monospaced";
    FontInfo info;
    GetFontInfo(&info);
    EXPECT_GT(info.ascent, 5);
    // Some pixel under the glyphs is red-ish, none is blue or green.
    int reds = 0;
    for (int v = 50 - info.ascent; v < 50 + info.descent; ++v)
        for (int h = 10; h < pen.h; ++h) {
            auto p = pixelOf(port, h, v);
            if (p[0] == 255 && p[1] < 128) ++reds;
            EXPECT_EQ(p[1], p[2]) << "blended toward red only";
        }
    EXPECT_GT(reds, 10);
    // Nothing above the ascent.
    for (int h = 10; h < pen.h; ++h) EXPECT_EQ(pixelOf(port, h, 50 - info.ascent - 3), (std::array<int, 3>{255, 255, 255}));
}

TEST_F(QuickDrawTest, CopyBitsScalesBetweenPorts) {
    WindowRef a = makeWindow(100, 100, 200, 200);
    WindowRef b = makeWindow(300, 100, 500, 300);
    SetPortWindowPort(a);
    Rect left{0, 0, 100, 50};
    RGBForeColor(&kRed);
    PaintRect(&left);
    Rect all{0, 0, 100, 100}, big{0, 0, 200, 200};
    CopyBits(GetPortBitMapForCopyBits(GetWindowPort(a)), GetPortBitMapForCopyBits(GetWindowPort(b)), &all, &big, srcCopy, nullptr);
    EXPECT_EQ(pixelOf(GetWindowPort(b), 99, 150), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(pixelOf(GetWindowPort(b), 100, 150), (std::array<int, 3>{255, 255, 255}));
}

TEST_F(QuickDrawTest, PictureRecordsTheCopiedPixelsAndTheFrame) {
    WindowRef w = makeWindow(100, 100, 140, 130); // 40 x 30
    SetPortWindowPort(w);
    CGrafPtr port = GetWindowPort(w);
    Rect half{0, 0, 30, 20};
    RGBForeColor(&kBlue);
    PaintRect(&half);
    RGBForeColor(&kBlack);
    Rect bounds;
    GetPortBounds(port, &bounds);
    PicHandle pic = OpenPicture(&bounds);
    ASSERT_NE(pic, nullptr);
    const BitMap* bits = GetPortBitMapForCopyBits(port);
    CopyBits(bits, bits, &bounds, &bounds, srcCopy, nullptr);
    FrameRect(&bounds);
    ClosePicture();
    EXPECT_TRUE(EqualRect(&(*pic)->picFrame, &bounds));
    Size size = GetHandleSize(reinterpret_cast<Handle>(pic));
    EXPECT_GE(size, Size(40 * 30 * 4)) << "the pixels are in the picture";
    EXPECT_EQ((*pic)->picSize, SInt16(size & 0xFFFF));

    // The window changes afterwards; the picture keeps what was recorded.
    Rect all = bounds;
    RGBForeColor(&kRed);
    PaintRect(&all);

    // Played back twice the size into another window.
    WindowRef target = makeWindow(300, 100, 400, 200);
    SetPortWindowPort(target);
    Rect dst{0, 0, 60, 80};
    DrawPicture(pic, &dst);
    CGrafPtr tp = GetWindowPort(target);
    EXPECT_EQ(pixelOf(tp, 0, 30), (std::array<int, 3>{0, 0, 0})) << "the recorded frame";
    EXPECT_EQ(pixelOf(tp, 10, 30), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(pixelOf(tp, 60, 30), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(pixelOf(tp, 90, 30), (std::array<int, 3>{255, 255, 255})) << "outside the target rect";
    KillPicture(pic);

    // A picture truncated by hand stops at the damage instead of reading past it.
    PicHandle again = OpenPicture(&bounds);
    SetPortWindowPort(w);
    ClosePicture();
    SetHandleSize(reinterpret_cast<Handle>(again), sizeof(Picture) + 1);
    DrawPicture(again, &dst);
    KillPicture(again);
}

TEST_F(QuickDrawTest, PictureWithoutMemoryHasAnEmptyFrame) {
    WindowRef w = makeWindow(100, 100, 140, 130);
    SetPortWindowPort(w);
    Rect bounds;
    GetWindowPortBounds(w, &bounds);
    // The failure may hit the picture's first block or its growth when it closes.
    for (bool failAtOpen : {true, false}) {
        PicHandle pic = nullptr;
        if (failAtOpen) {
            tb::faults::arm(tb::faults::Fault::memory);
            pic = OpenPicture(&bounds);
        } else {
            pic = OpenPicture(&bounds);
            tb::faults::arm(tb::faults::Fault::memory);
        }
        ASSERT_NE(pic, nullptr);
        const BitMap* bits = GetPortBitMapForCopyBits(GetWindowPort(w));
        CopyBits(bits, bits, &bounds, &bounds, srcCopy, nullptr);
        ClosePicture();
        EXPECT_TRUE(EmptyRect(&(*pic)->picFrame)) << failAtOpen;
        HLock(reinterpret_cast<Handle>(pic));
        HUnlock(reinterpret_cast<Handle>(pic));
        KillPicture(pic);
        tb::faults::take(tb::faults::Fault::memory);
    }
}

TEST_F(QuickDrawTest, ThemeAndColourCursorsAreNamed) {
    struct Case {
        ThemeCursor theme;
        const char* name;
    } cases[] = {{kThemeIBeamCursor, "ibeam"}, {kThemeCrossCursor, "cross"}, {kThemeWatchCursor, "watch"},
                 {kThemeArrowCursor, "arrow"}, {99, "arrow"}};
    for (const Case& c : cases) {
        SetThemeCursor(c.theme);
        EXPECT_EQ(host->cursorName(), c.name);
    }
    EXPECT_EQ(GetCCursor(4711), nullptr) << "a missing resource is a null handle";

    // A colour cursor: 2x2 pixels with its hot spot; a short resource is refused.
    tb::res::Writer crsr;
    crsr.s16(2).s16(2).s16(1).s16(1);
    for (int i = 0; i < 4; ++i) crsr.u32(0xFF0000FF);
    tb::registerResource(FOUR_CHAR("crsr"), 129, crsr.data());
    tb::registerResource(FOUR_CHAR("crsr"), 130, crsr.data().data(), 12);
    CCrsrHandle zoomOut = GetCCursor(129);
    ASSERT_NE(zoomOut, nullptr);
    SetCCursor(zoomOut);
    EXPECT_EQ(host->cursorName(), "zoomout");
    DisposeCCursor(zoomOut);
    EXPECT_EQ(GetCCursor(130), nullptr);
    tb::unregisterResource(FOUR_CHAR("crsr"), 129);
    tb::unregisterResource(FOUR_CHAR("crsr"), 130);
}

} // namespace
