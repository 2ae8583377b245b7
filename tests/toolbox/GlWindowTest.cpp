// What a GL context draws into a window reaches the screen and pictures of the window.
#include "HeadlessFixture.h"

#include "Windows/Compositor.h"
#include "tb/Memory.h"
#include "tb/agl.h"

#include <GL/glu.h>

#include <array>
#include <cstdlib>

namespace {

using Rgb = std::array<int, 3>;

class GlWindowTest : public HeadlessTest {
protected:
    static void SetUpTestSuite() { setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1); }

    void TearDown() override {
        aglSetCurrentContext(nullptr);
        if (ctx) aglDestroyContext(ctx);
        HeadlessTest::TearDown();
    }

    void attach(WindowRef w) {
        const GLint attribs[] = {AGL_RGBA, AGL_NONE};
        AGLPixelFormat pix = aglChoosePixelFormat(nullptr, 0, attribs);
        ASSERT_NE(pix, nullptr);
        ctx = aglCreateContext(pix, nullptr);
        aglDestroyPixelFormat(pix);
        ASSERT_NE(ctx, nullptr);
        ASSERT_TRUE(aglSetDrawable(ctx, GetWindowPort(w)));
        ASSERT_TRUE(aglSetCurrentContext(ctx));
    }

    // A red left half and a blue right half, in window coordinates.
    static void drawHalves(int w, int h) {
        glViewport(0, 0, w, h);
        glLoadIdentity();
        gluOrtho2D(0, w, h, 0);
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 0, 0);
        glBegin(GL_QUADS);
        glVertex2i(0, 0);
        glVertex2i(w / 2, 0);
        glVertex2i(w / 2, h);
        glVertex2i(0, h);
        glEnd();
        glFlush();
    }

    static Rgb screenAt(int h, int v) {
        OpaqueGrafPtr* s = tb::screen::compose();
        const std::uint8_t* p = &s->pixels[(std::size_t(v) * s->width + h) * 4];
        return {p[0], p[1], p[2]};
    }

    AGLContext ctx = nullptr;
};

TEST_F(GlWindowTest, ComposedScreenShowsWhatGlDrew) {
    WindowRef w = makeWindow(100, 100, 300, 200);
    attach(w);
    drawHalves(200, 100);
    EXPECT_EQ(screenAt(110, 150), (Rgb{255, 0, 0}));
    EXPECT_EQ(screenAt(250, 110), (Rgb{0, 0, 255}));
    // Moved: the pixels go with the window, no redraw needed.
    MoveWindow(w, 400, 300, false);
    aglUpdateContext(ctx);
    EXPECT_EQ(screenAt(410, 350), (Rgb{255, 0, 0}));
    EXPECT_EQ(screenAt(550, 310), (Rgb{0, 0, 255}));
}

TEST_F(GlWindowTest, PictureOfTheWindowHoldsTheGlPixels) {
    WindowRef w = makeWindow(100, 100, 300, 200);
    attach(w);
    drawHalves(200, 100);
    SetPortWindowPort(w);
    Rect bounds;
    GetWindowPortBounds(w, &bounds);
    PicHandle pic = OpenPicture(&bounds);
    const BitMap* bits = GetPortBitMapForCopyBits(GetWindowPort(w));
    CopyBits(bits, bits, &bounds, &bounds, srcCopy, nullptr);
    FrameRect(&bounds);
    ClosePicture();

    // Replay into a plain window of the same size.
    WindowRef plain = makeWindow(500, 500, 700, 600);
    SetPortWindowPort(plain);
    DrawPicture(pic, &bounds);
    KillPicture(pic);
    EXPECT_EQ(screenAt(500 + 10, 500 + 50), (Rgb{255, 0, 0}));
    EXPECT_EQ(screenAt(500 + 150, 500 + 50), (Rgb{0, 0, 255}));
    EXPECT_EQ(screenAt(500 + 150, 500), (Rgb{0, 0, 0})) << "the one-pixel black border";
    EXPECT_EQ(screenAt(500 + 199, 500 + 50), (Rgb{0, 0, 0}));
}

} // namespace
