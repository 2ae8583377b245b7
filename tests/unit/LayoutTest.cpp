#include "ConsoleMath.h"
#include "CoordinateFrame.h"
#include "Layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

void expectRect(const Rect& r, short left, short top, short right, short bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

TEST(Layout, FirstPlotAndConsoleOnWideAndTallScreens) {
    struct Case {
        short bottom, right;
        Rect plot, console;
    } cases[] = {
        {1024, 1280, tb::rect(2, 64, 952, 1014), tb::rect(955, 64, 1280, 984)},
        {1025, 1280, tb::rect(2, 64, 954, 1016), tb::rect(957, 64, 1280, 985)},
        {1200, 800, tb::rect(2, 64, 800, 862), tb::rect(2, 887, 760, 1205)},
    };
    for (const Case& c : cases) {
        Rect screen = tb::rect(0, 22, c.right, c.bottom);
        Rect plot = layoutWindowRect(kPlotWindowKind, screen, 22, nullptr);
        expectRect(plot, c.plot.left, c.plot.top, c.plot.right, c.plot.bottom);
        Rect console = layoutWindowRect(kConsoleWindowKind, screen, 22, nullptr);
        expectRect(console, c.console.left, c.console.top, c.console.right, c.console.bottom);
    }
    expectRect(layoutWindowRect(3, tb::rect(0, 22, 1280, 1024), 22, nullptr), 2, 64, 1280, 1024);
}

TEST(Layout, LaterPlotsStepDownAndRight) {
    Rect wide = tb::rect(0, 22, 1280, 1024);
    Rect front = tb::rect(2, 64, 952, 1014);
    expectRect(layoutWindowRect(kPlotWindowKind, wide, 22, &front), 42, 104, 992, 1019);
    Rect small = tb::rect(100, 100, 400, 400);
    expectRect(layoutWindowRect(kPlotWindowKind, wide, 22, &small), 140, 140, 440, 440);
    // Too far right on the tall screen: back to the first square.
    Rect tall = tb::rect(0, 22, 800, 1200);
    Rect tallFront = tb::rect(2, 64, 800, 862);
    expectRect(layoutWindowRect(kPlotWindowKind, tall, 22, &tallFront), 2, 64, 800, 862);
    // Too low: the first square too.
    Rect low = tb::rect(2, 990, 300, 1010);
    expectRect(layoutWindowRect(kPlotWindowKind, wide, 22, &low), 2, 64, 952, 1014);
}

TEST(Layout, NegativeOddSideStaysAsItIs) {
    // A screen too small for the layout: the side comes out negative and odd.
    Rect tiny = tb::rect(0, 22, 40, 71);
    Rect plot = layoutWindowRect(kPlotWindowKind, tiny, 22, nullptr);
    EXPECT_EQ(plot.right - plot.left, -3);
}

Frame unitFrame() { return Frame{0, 1, 0, 1, 200, 100}; }

TEST(CoordinateFrame, CornersAndRoundTrips) {
    Frame f{-0.05, 1.05, -0.05, 1.05, 950 / 1.1, 950 / 1.1};
    Point topLeft = toWindow(f, vect{-0.05, 1.05});
    EXPECT_EQ(topLeft.h, 0);
    EXPECT_EQ(topLeft.v, 0);
    Point bottomRight = toWindow(f, vect{1.05, -0.05});
    EXPECT_NEAR(bottomRight.h, 950, 1);
    EXPECT_NEAR(bottomRight.v, 950, 1);
    const double pixelW = 1 / f.xScale, pixelH = 1 / f.yScale;
    for (double x : {0.0, 0.123, 0.5, 0.999}) {
        for (double y : {0.01, 0.5, 1.0}) {
            vect back = toPhysical(f, toWindow(f, vect{x, y}));
            // Truncation moves toward xmin in x and toward ymax in y, by under a pixel.
            EXPECT_LE(back.x, x);
            EXPECT_GT(back.x, x - pixelW);
            EXPECT_GE(back.y, y);
            EXPECT_LT(back.y, y + pixelH);
        }
    }
}

TEST(CoordinateFrame, VerticesRoundAndSaturate) {
    Frame f = unitFrame();
    struct Case {
        double x, y;
        std::int32_t h, v;
    } cases[] = {
        {0.5, 0.5, 100, 50},
        {0.0024, 0.996, 0, 0},   // 0.48 and 0.4 round down
        {0.0026, 0.994, 1, 1},   // 0.52 and 0.6 round up
        {-0.01, 1.1, -1, -9},    // left of xmin and above ymax truncate toward zero
        {1e300, -1e300, INT32_MAX, INT32_MAX},
        {-INFINITY, INFINITY, INT32_MIN, INT32_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vertexH(f, c.x), c.h) << c.x;
        EXPECT_EQ(vertexV(f, c.y), c.v) << c.y;
    }
    EXPECT_EQ(vertexV(f, std::numeric_limits<double>::quiet_NaN()), INT32_MIN);
    Point far = toWindow(f, vect{1e9, -1e9});
    EXPECT_EQ(far.h, 32767);
    EXPECT_EQ(far.v, 32767);
}

TEST(CoordinateFrame, SegmentsClipToTheMarginWithoutMoving) {
    Frame f = unitFrame();
    // A steep segment from far below to far above crosses the frame at x = 0.5.
    vect a{0.5 - 1e-7, -1e12}, b{0.5 + 1e-7, 1e12};
    ASSERT_TRUE(clipToFrameMargin(f, a, b));
    EXPECT_GE(a.y, -1.0 - 1e-9);
    EXPECT_LE(b.y, 2.0 + 1e-9);
    EXPECT_NEAR(a.x, 0.5, 1e-6);
    Point pa = toWindow(f, a), pb = toWindow(f, b);
    EXPECT_NEAR(pa.h, 100, 1);
    EXPECT_NEAR(pb.h, 100, 1);

    // A segment inside the frame is left exactly as it is.
    vect c{0.1, 0.2}, d{0.9, 0.7};
    ASSERT_TRUE(clipToFrameMargin(f, c, d));
    EXPECT_EQ(c.x, 0.1);
    EXPECT_EQ(d.y, 0.7);

    vect e{5, 5}, g{6, 9}; // far away: nothing to draw
    EXPECT_FALSE(clipToFrameMargin(f, e, g));
    vect h{0.5, 0.5}, k{0.5, INFINITY};
    EXPECT_FALSE(clipToFrameMargin(f, h, k));
    vect m{NAN, 0.5}, n{0.2, 0.5};
    EXPECT_FALSE(clipToFrameMargin(f, m, n));
}

TEST(ConsoleMath, ScrollArithmetic) {
    EXPECT_EQ(console::visibleLines(110, 11), 10);
    EXPECT_EQ(console::visibleLines(109, 11), 9);
    // Fewer lines than fit: nothing to scroll.
    EXPECT_EQ(console::scrollMaximum(5, true, 10), 0);
    // Nine printed lines end with a return: the empty tenth line counts.
    EXPECT_EQ(console::scrollMaximum(9, true, 5), 5);
    EXPECT_EQ(console::scrollMaximum(9, false, 5), 4);
    EXPECT_EQ(console::pageStep(110, 11), 9);
    EXPECT_EQ(console::pageStep(11, 11), 0); // one visible line pages by nothing
    struct Case {
        short part, step;
    } steps[] = {{20, -1}, {21, 1}, {22, -9}, {23, 9}, {129, 0}, {0, 0}};
    for (const Case& c : steps) EXPECT_EQ(console::scrollStep(c.part, 9), c.step) << c.part;
    EXPECT_EQ(console::scrollDelta(4, 4, 3, 11), -33);
    EXPECT_EQ(console::scrollDelta(4, -29, 3, 11), 0);
    EXPECT_EQ(console::scrollDelta(4, -29, 0, 11), 33);
}

} // namespace
