#include "tb/agl.h"

#include "Faults/Faults.h"
#include "Fonts/FontEngine.h"
#include "QuickDraw/Port.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};

// A port built by hand, as the window manager builds a window's content port.
struct TestPort {
    OpaqueGrafPtr port;
    explicit TestPort(int w, int h) { resize(w, h); }
    void resize(int w, int h) {
        port.width = w;
        port.height = h;
        port.pixels.assign(std::size_t(w) * h * 4, 0x40); // not any colour a test draws
        port.portRect = Rect{0, 0, static_cast<SInt16>(h), static_cast<SInt16>(w)};
    }
    Rgb at(int x, int y) const {
        const std::uint8_t* p = &port.pixels[(std::size_t(y) * port.width + x) * 4];
        return {p[0], p[1], p[2]};
    }
    int alpha(int x, int y) const { return port.pixels[(std::size_t(y) * port.width + x) * 4 + 3]; }
    bool dark(int x, int y) const { return at(x, y).r < 128; }
};

class Agl : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1); }
    void SetUp() override { aglGetError(); }

    void TearDown() override {
        aglSetCurrentContext(nullptr);
        for (AGLContext c : made_) aglDestroyContext(c);
    }

    AGLContext makeContext(TestPort& p) {
        const GLint attribs[] = {AGL_RGBA, AGL_NONE};
        AGLPixelFormat pix = aglChoosePixelFormat(nullptr, 0, attribs);
        EXPECT_NE(pix, nullptr);
        AGLContext ctx = aglCreateContext(pix, nullptr);
        aglDestroyPixelFormat(pix);
        EXPECT_NE(ctx, nullptr);
        if (!ctx) return nullptr;
        made_.push_back(ctx);
        EXPECT_TRUE(aglSetDrawable(ctx, &p.port));
        EXPECT_TRUE(aglSetCurrentContext(ctx));
        return ctx;
    }

    // Ports outlive the contexts drawing into them, as windows do.
    TestPort& makePort(int w, int h) { return *ports_.emplace_back(std::make_unique<TestPort>(w, h)); }

    void forget(AGLContext ctx) { std::erase(made_, ctx); }

    // The program's set-up: window coordinates, y down from the top edge.
    static void windowCoordinates(int w, int h) {
        glViewport(0, 0, w, h);
        glLoadIdentity();
        gluOrtho2D(0, w, h, 0);
    }

    static void clearTo(float r, float g, float b) {
        glClearColor(r, g, b, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    std::vector<std::unique_ptr<TestPort>> ports_;
    std::vector<AGLContext> made_;
};

TEST_F(Agl, LineAndPointLandOnTheirPixelsTopRowFirst) {
    TestPort& p = makePort(64, 48);
    ASSERT_TRUE(makeContext(p));
    windowCoordinates(64, 48);
    clearTo(1, 1, 1);
    glColor3f(1, 0, 0);
    glBegin(GL_LINES);
    glVertex2f(5, 10.5f);
    glVertex2f(40, 10.5f);
    glEnd();
    glBegin(GL_POINTS);
    glVertex2f(3.5f, 2.5f);
    glEnd();
    glFlush();
    tb::syncPort(&p.port);

    EXPECT_EQ(p.at(20, 10), kRed);
    EXPECT_EQ(p.at(6, 10), kRed);
    EXPECT_EQ(p.at(38, 10), kRed);
    EXPECT_EQ(p.at(3, 2), kRed);
    EXPECT_EQ(p.alpha(3, 2), 255);
    // Rows the line would land on were the image upside down, or off by one.
    for (int y : {9, 11, 37, 38}) EXPECT_EQ(p.at(20, y), kWhite) << "row " << y;
    for (auto [x, y] : {std::pair{3, 45}, {60, 2}, {2, 10}, {45, 10}, {63, 47}, {0, 0}})
        EXPECT_EQ(p.at(x, y), kWhite) << x << "," << y;
}

TEST_F(Agl, TwoContextsKeepTheirOwnPixelsAndLists) {
    TestPort& a = makePort(16, 16);
    TestPort& b = makePort(24, 8);
    AGLContext ca = makeContext(a);
    ASSERT_TRUE(ca);
    clearTo(1, 0, 0);
    const GLuint listA = glGenLists(3);
    glNewList(listA, GL_COMPILE);
    glEndList();

    AGLContext cb = makeContext(b);
    ASSERT_TRUE(cb);
    EXPECT_EQ(aglGetCurrentContext(), cb);
    EXPECT_EQ(a.port.glAttachment, ca);
    EXPECT_EQ(b.port.glAttachment, cb);
    // Nothing is shared: B's list names start afresh and A's list is unknown here.
    EXPECT_FALSE(glIsList(listA));
    EXPECT_EQ(glGenLists(3), listA);
    clearTo(0, 1, 0);

    // Reading A back must leave B current for the program's next calls.
    tb::syncPort(&a.port);
    EXPECT_EQ(aglGetCurrentContext(), cb);
    clearTo(0, 0, 1);
    glFlush();
    tb::syncPort(&b.port);
    tb::syncPort(&a.port);
    EXPECT_EQ(a.at(15, 15), kRed);
    EXPECT_EQ(b.at(0, 0), kBlue);
    EXPECT_EQ(b.at(23, 7), kBlue);

    // Switching back draws into A again.
    ASSERT_TRUE(aglSetCurrentContext(ca));
    clearTo(0, 1, 0);
    tb::syncPort(&a.port);
    tb::syncPort(&b.port);
    EXPECT_EQ(a.at(8, 8), kGreen);
    EXPECT_EQ(b.at(8, 4), kBlue);
}

TEST_F(Agl, FramebufferFollowsThePortSize) {
    TestPort& p = makePort(32, 32);
    AGLContext ctx = makeContext(p);
    ASSERT_TRUE(ctx);
    windowCoordinates(32, 32);
    clearTo(1, 1, 1);
    glColor3f(1, 0, 0);
    glBegin(GL_POINTS);
    glVertex2f(30.5f, 1.5f);
    glEnd();

    // A move: the content stays.
    EXPECT_TRUE(aglUpdateContext(ctx));
    tb::syncPort(&p.port);
    EXPECT_EQ(p.at(30, 1), kRed);

    // The window grew but the program has not told the context yet: the old
    // picture fills the top left, nothing is written out of bounds.
    p.resize(80, 50);
    tb::syncPort(&p.port);
    EXPECT_EQ(p.at(30, 1), kRed);
    EXPECT_EQ(p.at(31, 31), kWhite);
    EXPECT_EQ(p.at(79, 49), (Rgb{0x40, 0x40, 0x40}));

    EXPECT_TRUE(aglUpdateContext(ctx));
    windowCoordinates(80, 50);
    clearTo(1, 1, 1);
    glBegin(GL_POINTS);
    glVertex2f(75.5f, 45.5f);
    glEnd();
    tb::syncPort(&p.port);
    EXPECT_EQ(p.at(75, 45), kRed);
    EXPECT_EQ(p.at(75, 4), kWhite);
    EXPECT_EQ(p.at(30, 1), kWhite);

    // A shrink to nothing and back is survived.
    p.resize(0, 0);
    EXPECT_TRUE(aglUpdateContext(ctx));
    tb::syncPort(&p.port);
    p.resize(3, 2);
    EXPECT_TRUE(aglUpdateContext(ctx));
    clearTo(0, 0, 1);
    tb::syncPort(&p.port);
    EXPECT_EQ(p.at(2, 1), kBlue);
}

TEST_F(Agl, DrawableMovesAndDestroyDetaches) {
    TestPort& a = makePort(8, 8);
    TestPort& b = makePort(8, 8);
    AGLContext ctx = makeContext(a);
    ASSERT_TRUE(ctx);
    EXPECT_EQ(aglGetDrawable(ctx), &a.port);
    EXPECT_TRUE(aglSetDrawable(ctx, &b.port));
    EXPECT_EQ(a.port.glAttachment, nullptr);
    EXPECT_EQ(b.port.glAttachment, ctx);
    clearTo(1, 0, 0);
    tb::syncPort(&a.port);
    tb::syncPort(&b.port);
    EXPECT_EQ(a.at(4, 4), (Rgb{0x40, 0x40, 0x40}));
    EXPECT_EQ(b.at(4, 4), kRed);

    // Another context taking the port over leaves the first one without it.
    AGLContext other = makeContext(b);
    ASSERT_TRUE(other);
    EXPECT_EQ(b.port.glAttachment, other);
    EXPECT_EQ(aglGetDrawable(ctx), nullptr);

    EXPECT_TRUE(aglDestroyContext(other));
    forget(other);
    EXPECT_EQ(b.port.glAttachment, nullptr);
    EXPECT_EQ(aglGetCurrentContext(), nullptr);
    EXPECT_TRUE(aglSetDrawable(ctx, nullptr));
    EXPECT_EQ(aglGetDrawable(ctx), nullptr);
    EXPECT_EQ(aglGetError(), GLenum(AGL_NO_ERROR));
}

TEST_F(Agl, ErrorsAreReportedOnceAndTheFaultFailsOneRequest) {
    EXPECT_EQ(aglCreateContext(nullptr, nullptr), nullptr);
    EXPECT_EQ(aglGetError(), GLenum(AGL_BAD_PIXELFMT));
    EXPECT_EQ(aglGetError(), GLenum(AGL_NO_ERROR));

    const GLint bad[] = {AGL_RGBA, 9999, AGL_NONE};
    EXPECT_EQ(aglChoosePixelFormat(nullptr, 0, bad), nullptr);
    EXPECT_EQ(aglGetError(), GLenum(AGL_BAD_ATTRIBUTE));

    const GLint withDepth[] = {AGL_RGBA, AGL_DOUBLEBUFFER, AGL_DEPTH_SIZE, 16, AGL_ACCELERATED,
                               AGL_NO_RECOVERY, AGL_NONE};
    AGLPixelFormat pix = aglChoosePixelFormat(nullptr, 0, withDepth);
    ASSERT_NE(pix, nullptr);
    TestPort& p = makePort(4, 4);
    EXPECT_EQ(aglCreateContext(pix, reinterpret_cast<AGLContext>(&p)), nullptr);
    EXPECT_EQ(aglGetError(), GLenum(AGL_BAD_CONTEXT));
    AGLContext ctx = aglCreateContext(pix, nullptr);
    aglDestroyPixelFormat(pix);
    ASSERT_NE(ctx, nullptr);
    made_.push_back(ctx);
    EXPECT_TRUE(aglSetDrawable(ctx, &p.port));
    EXPECT_TRUE(aglSetCurrentContext(ctx));
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);

    EXPECT_FALSE(aglSetCurrentContext(reinterpret_cast<AGLContext>(&p)));
    EXPECT_EQ(aglGetError(), GLenum(AGL_BAD_CONTEXT));
    EXPECT_EQ(aglGetCurrentContext(), ctx);
    EXPECT_STRNE(reinterpret_cast<const char*>(aglErrorString(AGL_BAD_CONTEXT)), "");

    const GLint rgba[] = {AGL_RGBA, AGL_NONE};
    tb::faults::arm(tb::faults::Fault::glcontext);
    EXPECT_EQ(aglChoosePixelFormat(nullptr, 0, rgba), nullptr);
    EXPECT_NE(aglGetError(), GLenum(AGL_NO_ERROR));
    pix = aglChoosePixelFormat(nullptr, 0, rgba);
    EXPECT_NE(pix, nullptr);
    aglDestroyPixelFormat(pix);
}

// Glyph lists: the exact pixels of a glyph at the raster position, ink nowhere else.
class AglFont : public Agl {
protected:
    static constexpr int kW = 64, kH = 40;

    // Draws one list at pen (x, baseline) in black on white; returns the port.
    void drawAt(TestPort& p, GLuint list, int x, int baseline) {
        windowCoordinates(kW, kH);
        clearTo(1, 1, 1);
        glColor3f(0, 0, 0);
        glRasterPos2d(x, baseline);
        glCallList(list);
        glFlush();
        tb::syncPort(&p.port);
    }

    // How far one list moves the raster position from x = 2.
    static double penAfter(GLuint list) {
        glRasterPos2d(2, 4);
        glCallList(list);
        GLdouble pos[4];
        glGetDoublev(GL_CURRENT_RASTER_POSITION, pos);
        return pos[0] - 2;
    }

    // Every pixel matches the thresholded glyph placed at the pen.
    static void expectGlyph(const TestPort& p, const tb::fonts::Glyph& g, int penX, int baseline) {
        int inked = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const int gx = x - (penX + g.left);
                const int gy = y - (baseline - g.top);
                const bool want = gx >= 0 && gx < g.width && gy >= 0 && gy < g.height &&
                                  g.coverage[std::size_t(gy) * g.width + gx] >= 128;
                EXPECT_EQ(p.dark(x, y), want) << x << "," << y;
                inked += want;
            }
        EXPECT_GT(inked, 4);
    }
};

TEST_F(AglFont, MonacoAndSymbolGlyphsAppearAtTheRasterPosition) {
    TestPort& p = makePort(kW, kH);
    AGLContext ctx = makeContext(p);
    ASSERT_TRUE(ctx);
    SCOPED_TRACE("Monaco");
    const GLuint monaco = glGenLists(256);
    ASSERT_TRUE(aglUseFont(ctx, tb::fonts::fontMonaco, 0, 12, 0, 256, GLint(monaco)));
    drawAt(p, monaco + 'x', 20, 25);
    expectGlyph(p, tb::fonts::glyph(tb::fonts::fontMonaco, 12, 0, 'x'), 20, 25);

    SCOPED_TRACE("Symbol");
    const GLuint symbol = glGenLists(256);
    ASSERT_TRUE(aglUseFont(ctx, tb::fonts::fontSymbol, 0, 12, 0, 256, GLint(symbol)));
    drawAt(p, symbol + 'm', 30, 20);
    // The glyph of mu, MacRoman's 0xB5 in the plain sans face.
    expectGlyph(p, tb::fonts::glyph(tb::fonts::fontGeneva, 12, 0, 0xB5), 30, 20);
}

TEST_F(AglFont, EveryListAdvancesTheRasterPosition) {
    TestPort& p = makePort(kW, kH);
    AGLContext ctx = makeContext(p);
    ASSERT_TRUE(ctx);
    // The program's own unpack state must survive the build.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const GLuint base = glGenLists(256);
    ASSERT_TRUE(aglUseFont(ctx, tb::fonts::fontMonaco, 0, 9, 0, 256, GLint(base)));
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);

    windowCoordinates(kW, kH);
    const int advance = tb::fonts::glyph(tb::fonts::fontMonaco, 9, 0, 'x').advance;
    for (int c : {int('x'), int(' '), int('W'), 0xB5, 0}) {
        glRasterPos2d(10, 20);
        GLdouble before[4], after[4];
        glGetDoublev(GL_CURRENT_RASTER_POSITION, before);
        glCallList(base + c);
        glGetDoublev(GL_CURRENT_RASTER_POSITION, after);
        EXPECT_DOUBLE_EQ(after[0] - before[0], c ? advance : 0) << int(c);
        EXPECT_DOUBLE_EQ(after[1], before[1]) << int(c);
    }
    EXPECT_TRUE(glIsList(base + 255));
    EXPECT_EQ(aglGetError(), GLenum(AGL_NO_ERROR));
}

TEST_F(AglFont, BadRequestsBuildNothing) {
    TestPort& p = makePort(8, 8);
    AGLContext ctx = makeContext(p);
    ASSERT_TRUE(ctx);
    const GLuint base = glGenLists(256);
    struct Case {
        GLint first, count, base;
    };
    for (const Case c : {Case{0, 257, GLint(base)}, Case{-1, 10, GLint(base)}, Case{250, 10, GLint(base)},
                         Case{0, 10, 0}, Case{0, -1, GLint(base)}}) {
        EXPECT_FALSE(aglUseFont(ctx, tb::fonts::fontMonaco, 0, 12, c.first, c.count, c.base));
        EXPECT_EQ(aglGetError(), GLenum(AGL_BAD_VALUE));
    }
    EXPECT_FALSE(aglUseFont(nullptr, tb::fonts::fontMonaco, 0, 12, 0, 256, GLint(base)));
    EXPECT_EQ(aglGetError(), GLenum(AGL_BAD_CONTEXT));
    windowCoordinates(8, 8);
    EXPECT_EQ(penAfter(base), 0.0); // still the empty list glGenLists made

    // An unknown font number builds with the system font, as GetFNum's 0 does.
    EXPECT_TRUE(aglUseFont(ctx, 12345, 0, 12, 'a', 1, GLint(base)));
    EXPECT_EQ(penAfter(base), tb::fonts::glyph(tb::fonts::fontSystem, 12, 0, 'a').advance);
}

} // namespace
