#include "agl/AGLState.h"

#include "Faults/Faults.h"
#include "QuickDraw/Port.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <vector>

struct OpaqueAGLPixelFormat {
    EGLConfig config = nullptr;
    GLint depthBits = 0;
    GLint stencilBits = 0;
};

struct OpaqueAGLContext {
    EGLContext egl = EGL_NO_CONTEXT;
    GLint depthBits = 0;
    GLint stencilBits = 0;
    OpaqueGrafPtr* port = nullptr;
    bool haveFramebuffer = false;
    bool viewportSet = false;
    GLuint framebuffer = 0;
    GLuint color = 0;
    GLuint depth = 0; // depth and stencil, when the format asked for either
    int width = 0;    // renderbuffer size
    int height = 0;
};

namespace tb::agl {
namespace {

GLenum gError = AGL_NO_ERROR;
AGLContext gCurrent = nullptr;
std::set<AGLContext> gLive;

// The framebuffer object entry points are not GL 1.1, so they are looked up.
struct FramebufferApi {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;

    bool complete() const {
        return genFramebuffers && deleteFramebuffers && bindFramebuffer && framebufferRenderbuffer &&
               checkFramebufferStatus && genRenderbuffers && deleteRenderbuffers && bindRenderbuffer &&
               renderbufferStorage;
    }
};

template <typename F>
void load(F& fn, const char* name, const char* extName) {
    fn = reinterpret_cast<F>(eglGetProcAddress(name));
    if (!fn) fn = reinterpret_cast<F>(eglGetProcAddress(extName));
}

const FramebufferApi& fbo() {
    static const FramebufferApi api = [] {
        FramebufferApi a;
        load(a.genFramebuffers, "glGenFramebuffers", "glGenFramebuffersEXT");
        load(a.deleteFramebuffers, "glDeleteFramebuffers", "glDeleteFramebuffersEXT");
        load(a.bindFramebuffer, "glBindFramebuffer", "glBindFramebufferEXT");
        load(a.framebufferRenderbuffer, "glFramebufferRenderbuffer", "glFramebufferRenderbufferEXT");
        load(a.checkFramebufferStatus, "glCheckFramebufferStatus", "glCheckFramebufferStatusEXT");
        load(a.genRenderbuffers, "glGenRenderbuffers", "glGenRenderbuffersEXT");
        load(a.deleteRenderbuffers, "glDeleteRenderbuffers", "glDeleteRenderbuffersEXT");
        load(a.bindRenderbuffer, "glBindRenderbuffer", "glBindRenderbufferEXT");
        load(a.renderbufferStorage, "glRenderbufferStorage", "glRenderbufferStorageEXT");
        return a;
    }();
    return api;
}

bool hasExtension(const char* list, const char* name) {
    if (!list) return false;
    const std::size_t n = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += n)
        if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
    return false;
}

// The one EGL display, opened on first use; the surfaceless platform needs no
// window system, so the same code runs under the headless host and under X11.
class Display {
public:
    static Display& get() {
        static Display display;
        return display;
    }
    EGLDisplay handle() const { return display_; }
    bool ok() const { return display_ != EGL_NO_DISPLAY; }
    bool canCreateContext() const { return createContextExt_; }

private:
    Display() {
        const char* clientExts = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
        if (hasExtension(clientExts, "EGL_MESA_platform_surfaceless")) {
            display_ = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
            if (display_ != EGL_NO_DISPLAY && !eglInitialize(display_, &major_, &minor_))
                display_ = EGL_NO_DISPLAY;
        }
        if (display_ == EGL_NO_DISPLAY) {
            display_ = eglGetDisplay(EGL_DEFAULT_DISPLAY);
            if (display_ != EGL_NO_DISPLAY && !eglInitialize(display_, &major_, &minor_))
                display_ = EGL_NO_DISPLAY;
        }
        if (display_ != EGL_NO_DISPLAY && !eglBindAPI(EGL_OPENGL_API)) {
            std::fprintf(stderr, "agl: this EGL has no desktop OpenGL; plots cannot be drawn\n");
            eglTerminate(display_);
            display_ = EGL_NO_DISPLAY;
        }
        if (display_ == EGL_NO_DISPLAY) {
            std::fprintf(stderr, "agl: no EGL display (error 0x%x); plots cannot be drawn\n", eglGetError());
            return;
        }
        const char* exts = eglQueryString(display_, EGL_EXTENSIONS);
        createContextExt_ = (major_ > 1 || minor_ >= 5) || hasExtension(exts, "EGL_KHR_create_context");
    }

    // The display stays open until the process ends: terminating it unloads the
    // driver, after which the leak checker can no longer tell the driver's own
    // allocations from ours.
    ~Display() = default;

    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLint major_ = 0;
    EGLint minor_ = 0;
    bool createContextExt_ = false;
};

bool makeCurrent(AGLContext ctx) {
    Display& d = Display::get();
    if (!d.ok()) return false;
    eglBindAPI(EGL_OPENGL_API);
    return eglMakeCurrent(d.handle(), EGL_NO_SURFACE, EGL_NO_SURFACE, ctx ? ctx->egl : EGL_NO_CONTEXT);
}

// The framebuffer size for a port: the port's size, at least 1 by 1 and no
// more than GL allows.
void targetSize(const AGLContext ctx, int& w, int& h) {
    w = ctx->port ? ctx->port->width : 1;
    h = ctx->port ? ctx->port->height : 1;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSize);
    if (maxSize <= 0) maxSize = 4096;
    w = std::clamp(w, 1, static_cast<int>(maxSize));
    h = std::clamp(h, 1, static_cast<int>(maxSize));
}

// With ctx current: make or resize its framebuffer to the port and bind it.
bool prepareFramebuffer(AGLContext ctx) {
    const FramebufferApi& f = fbo();
    if (!f.complete()) {
        setError(AGL_BAD_CONTEXT);
        return false;
    }
    int w, h;
    targetSize(ctx, w, h);
    if (!ctx->haveFramebuffer) {
        f.genFramebuffers(1, &ctx->framebuffer);
        f.genRenderbuffers(1, &ctx->color);
        if (ctx->depthBits > 0 || ctx->stencilBits > 0) f.genRenderbuffers(1, &ctx->depth);
        ctx->haveFramebuffer = true;
        ctx->width = ctx->height = 0;
    }
    f.bindFramebuffer(GL_FRAMEBUFFER, ctx->framebuffer);
    if (w != ctx->width || h != ctx->height) {
        f.bindRenderbuffer(GL_RENDERBUFFER, ctx->color);
        f.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
        f.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, ctx->color);
        if (ctx->depth) {
            f.bindRenderbuffer(GL_RENDERBUFFER, ctx->depth);
            f.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, w, h);
            f.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, ctx->depth);
            if (ctx->stencilBits > 0)
                f.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, ctx->depth);
        }
        f.bindRenderbuffer(GL_RENDERBUFFER, 0);
        ctx->width = w;
        ctx->height = h;
        if (f.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            std::fprintf(stderr, "agl: framebuffer of %dx%d is incomplete\n", w, h);
            setError(AGL_BAD_ALLOC);
            return false;
        }
    }
    // As a window context starts with a viewport covering its window.
    if (!ctx->viewportSet && ctx->port) {
        glViewport(0, 0, w, h);
        ctx->viewportSet = true;
    }
    return true;
}

void releaseFramebuffer(AGLContext ctx) {
    if (!ctx->haveFramebuffer) return;
    const FramebufferApi& f = fbo();
    f.bindFramebuffer(GL_FRAMEBUFFER, 0);
    f.deleteRenderbuffers(1, &ctx->color);
    if (ctx->depth) f.deleteRenderbuffers(1, &ctx->depth);
    f.deleteFramebuffers(1, &ctx->framebuffer);
    ctx->haveFramebuffer = false;
    ctx->framebuffer = ctx->color = ctx->depth = 0;
    ctx->width = ctx->height = 0;
}

void detachPort(AGLContext ctx) {
    if (ctx->port && ctx->port->glAttachment == ctx) ctx->port->glAttachment = nullptr;
    ctx->port = nullptr;
}

// Before anything reads a port: copy what its context drew into the port's
// pixels, top row first. Window content is opaque, so alpha is set full.
void syncHook(OpaqueGrafPtr* port) {
    auto ctx = static_cast<AGLContext>(port->glAttachment);
    if (!isLive(ctx) || ctx->port != port) return;
    CurrentFor scope(ctx);
    if (!scope.ok() || !ctx->haveFramebuffer) return;
    fbo().bindFramebuffer(GL_FRAMEBUFFER, ctx->framebuffer);
    glFinish();

    const int fw = ctx->width;
    const int fh = ctx->height;
    // Kept between calls: the screen is composed several times a second.
    static std::vector<std::uint8_t> rows;
    rows.resize(std::size_t(fw) * fh * 4);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_PACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_PACK_LSB_FIRST, GL_FALSE);
    glReadPixels(0, 0, fw, fh, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    glPopClientAttrib();

    // The port may have changed size before the program called aglUpdateContext:
    // the overlap, anchored at the top left as the window content is, is copied.
    const int pw = std::max(0, port->width);
    const int ph = std::max(0, port->height);
    const int storedRows = pw > 0 ? static_cast<int>(port->pixels.size() / (std::size_t(pw) * 4)) : 0;
    const int w = std::min(pw, fw);
    const int h = std::min({ph, fh, storedRows});
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = rows.data() + std::size_t(fh - 1 - y) * fw * 4;
        std::uint8_t* dst = port->pixels.data() + std::size_t(y) * pw * 4;
        std::memcpy(dst, src, std::size_t(w) * 4);
        for (int x = 0; x < w; ++x) dst[x * 4 + 3] = 255;
    }
}

struct AttributeInfo {
    GLint attribute;
    bool hasValue;
};

constexpr AttributeInfo kAttributes[] = {
    {AGL_ALL_RENDERERS, false},   {AGL_BUFFER_SIZE, true},       {AGL_LEVEL, true},
    {AGL_RGBA, false},            {AGL_DOUBLEBUFFER, false},     {AGL_STEREO, false},
    {AGL_AUX_BUFFERS, true},      {AGL_RED_SIZE, true},          {AGL_GREEN_SIZE, true},
    {AGL_BLUE_SIZE, true},        {AGL_ALPHA_SIZE, true},        {AGL_DEPTH_SIZE, true},
    {AGL_STENCIL_SIZE, true},     {AGL_ACCUM_RED_SIZE, true},    {AGL_ACCUM_GREEN_SIZE, true},
    {AGL_ACCUM_BLUE_SIZE, true},  {AGL_ACCUM_ALPHA_SIZE, true},  {AGL_PIXEL_SIZE, true},
    {AGL_MINIMUM_POLICY, false},  {AGL_MAXIMUM_POLICY, false},   {AGL_OFFSCREEN, false},
    {AGL_FULLSCREEN, false},      {AGL_SAMPLE_BUFFERS_ARB, true}, {AGL_SAMPLES_ARB, true},
    {AGL_RENDERER_ID, true},      {AGL_SINGLE_RENDERER, false},  {AGL_NO_RECOVERY, false},
    {AGL_ACCELERATED, false},     {AGL_CLOSEST_POLICY, false},   {AGL_ROBUST, false},
    {AGL_BACKING_STORE, false},   {AGL_MP_SAFE, false},          {AGL_WINDOW, false},
    {AGL_MULTISCREEN, false},     {AGL_COMPLIANT, false},
};

const AttributeInfo* attributeInfo(GLint attribute) {
    for (const auto& a : kAttributes)
        if (a.attribute == attribute) return &a;
    return nullptr;
}

} // namespace

void setError(GLenum code) { gError = code; }

bool isLive(AGLContext ctx) { return ctx && gLive.count(ctx) != 0; }

CurrentFor::CurrentFor(AGLContext ctx) {
    display_ = eglGetCurrentDisplay();
    draw_ = eglGetCurrentSurface(EGL_DRAW);
    read_ = eglGetCurrentSurface(EGL_READ);
    context_ = eglGetCurrentContext();
    if (!isLive(ctx)) return;
    if (context_ == ctx->egl) {
        ok_ = true;
        return;
    }
    switched_ = true;
    ok_ = makeCurrent(ctx);
}

CurrentFor::~CurrentFor() {
    if (!switched_) return;
    if (context_ != EGL_NO_CONTEXT && display_ != EGL_NO_DISPLAY) {
        eglBindAPI(EGL_OPENGL_API);
        eglMakeCurrent(display_, draw_, read_, context_);
    } else {
        makeCurrent(nullptr);
    }
}

} // namespace tb::agl

using namespace tb::agl;

AGLPixelFormat aglChoosePixelFormat(const void* /*gdevs*/, GLint ndev, const GLint* attribs) {
    if (tb::faults::take(tb::faults::Fault::glcontext)) {
        setError(AGL_BAD_PIXELFMT);
        return nullptr;
    }
    if (ndev < 0) {
        setError(AGL_BAD_VALUE);
        return nullptr;
    }
    GLint depthBits = 0;
    GLint stencilBits = 0;
    // A list longer than any sensible one is taken as unterminated.
    constexpr int kMaxEntries = 128;
    for (int i = 0; attribs && attribs[i] != AGL_NONE; ++i) {
        const AttributeInfo* info = i < kMaxEntries ? attributeInfo(attribs[i]) : nullptr;
        if (!info) {
            setError(AGL_BAD_ATTRIBUTE);
            return nullptr;
        }
        if (!info->hasValue) continue;
        const GLint value = attribs[++i];
        if (value < 0) {
            setError(AGL_BAD_VALUE);
            return nullptr;
        }
        if (info->attribute == AGL_DEPTH_SIZE) depthBits = value;
        if (info->attribute == AGL_STENCIL_SIZE) stencilBits = value;
    }

    Display& d = Display::get();
    if (!d.ok()) {
        setError(AGL_BAD_CONNECTION);
        return nullptr;
    }
    // The framebuffer object holds the pixels, so the config only has to render
    // desktop OpenGL; its own buffers are never used.
    const EGLint wanted[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SURFACE_TYPE, EGL_DONT_CARE,
                             EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint found = 0;
    if (!eglChooseConfig(d.handle(), wanted, &config, 1, &found) || found < 1) {
        std::fprintf(stderr, "agl: no EGL configuration renders desktop OpenGL\n");
        setError(AGL_BAD_PIXELFMT);
        return nullptr;
    }
    auto* pix = new OpaqueAGLPixelFormat;
    pix->config = config;
    pix->depthBits = std::min<GLint>(depthBits, 24);
    pix->stencilBits = std::min<GLint>(stencilBits, 8);
    return pix;
}

void aglDestroyPixelFormat(AGLPixelFormat pix) { delete pix; }

AGLContext aglCreateContext(AGLPixelFormat pix, AGLContext share) {
    if (!pix) {
        setError(AGL_BAD_PIXELFMT);
        return nullptr;
    }
    if (share) {
        setError(AGL_BAD_CONTEXT);
        return nullptr;
    }
    Display& d = Display::get();
    if (!d.ok()) {
        setError(AGL_BAD_CONNECTION);
        return nullptr;
    }
    eglBindAPI(EGL_OPENGL_API);
    EGLContext egl = EGL_NO_CONTEXT;
    if (d.canCreateContext()) {
        // The program draws in immediate mode.
        const EGLint attrs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                EGL_NONE};
        egl = eglCreateContext(d.handle(), pix->config, EGL_NO_CONTEXT, attrs);
    }
    if (egl == EGL_NO_CONTEXT) egl = eglCreateContext(d.handle(), pix->config, EGL_NO_CONTEXT, nullptr);
    if (egl == EGL_NO_CONTEXT) {
        std::fprintf(stderr, "agl: eglCreateContext failed (0x%x)\n", eglGetError());
        setError(AGL_BAD_ALLOC);
        return nullptr;
    }
    auto* ctx = new OpaqueAGLContext;
    ctx->egl = egl;
    ctx->depthBits = pix->depthBits;
    ctx->stencilBits = pix->stencilBits;
    gLive.insert(ctx);
    return ctx;
}

GLboolean aglDestroyContext(AGLContext ctx) {
    if (!isLive(ctx)) {
        setError(AGL_BAD_CONTEXT);
        return GL_FALSE;
    }
    {
        CurrentFor scope(ctx);
        if (scope.ok()) releaseFramebuffer(ctx);
    }
    if (gCurrent == ctx) {
        makeCurrent(nullptr);
        gCurrent = nullptr;
    }
    detachPort(ctx);
    eglDestroyContext(Display::get().handle(), ctx->egl);
    gLive.erase(ctx);
    delete ctx;
    return GL_TRUE;
}

GLboolean aglSetDrawable(AGLContext ctx, AGLDrawable draw) {
    if (!isLive(ctx)) {
        setError(AGL_BAD_CONTEXT);
        return GL_FALSE;
    }
    tb::setPortSyncHook(syncHook);
    if (ctx->port != draw) {
        detachPort(ctx);
        if (draw) {
            // A port shows one context; the one drawing there before lets go.
            if (auto other = static_cast<AGLContext>(draw->glAttachment); isLive(other) && other != ctx)
                other->port = nullptr;
            draw->glAttachment = ctx;
            ctx->port = draw;
            ctx->viewportSet = false;
        }
    }
    if (!draw) return GL_TRUE;
    CurrentFor scope(ctx);
    return scope.ok() && prepareFramebuffer(ctx) ? GL_TRUE : GL_FALSE;
}

AGLDrawable aglGetDrawable(AGLContext ctx) { return isLive(ctx) ? ctx->port : nullptr; }

GLboolean aglSetCurrentContext(AGLContext ctx) {
    if (!ctx) {
        makeCurrent(nullptr);
        gCurrent = nullptr;
        return GL_TRUE;
    }
    if (!isLive(ctx)) {
        setError(AGL_BAD_CONTEXT);
        return GL_FALSE;
    }
    if (!makeCurrent(ctx)) {
        setError(AGL_BAD_CONTEXT);
        return GL_FALSE;
    }
    gCurrent = ctx;
    return prepareFramebuffer(ctx) ? GL_TRUE : GL_FALSE;
}

AGLContext aglGetCurrentContext(void) { return gCurrent; }

GLboolean aglUpdateContext(AGLContext ctx) {
    if (!isLive(ctx)) {
        setError(AGL_BAD_CONTEXT);
        return GL_FALSE;
    }
    CurrentFor scope(ctx);
    return scope.ok() && prepareFramebuffer(ctx) ? GL_TRUE : GL_FALSE;
}

void aglSwapBuffers(AGLContext ctx) {
    if (!isLive(ctx)) {
        setError(AGL_BAD_CONTEXT);
        return;
    }
    CurrentFor scope(ctx);
    if (scope.ok()) glFlush();
}

GLenum aglGetError(void) {
    const GLenum e = gError;
    gError = AGL_NO_ERROR;
    return e;
}

const GLubyte* aglErrorString(GLenum code) {
    const char* text = "unknown error";
    switch (code) {
    case AGL_NO_ERROR: text = "no error"; break;
    case AGL_BAD_ATTRIBUTE: text = "invalid pixel format attribute"; break;
    case AGL_BAD_PROPERTY: text = "invalid renderer property"; break;
    case AGL_BAD_PIXELFMT: text = "invalid pixel format"; break;
    case AGL_BAD_RENDINFO: text = "invalid renderer info"; break;
    case AGL_BAD_CONTEXT: text = "invalid context"; break;
    case AGL_BAD_DRAWABLE: text = "invalid drawable"; break;
    case AGL_BAD_GDEV: text = "invalid graphics device"; break;
    case AGL_BAD_STATE: text = "invalid context state"; break;
    case AGL_BAD_VALUE: text = "invalid numerical value"; break;
    case AGL_BAD_MATCH: text = "invalid share context"; break;
    case AGL_BAD_ENUM: text = "invalid enumerant"; break;
    case AGL_BAD_OFFSCREEN: text = "invalid offscreen drawable"; break;
    case AGL_BAD_FULLSCREEN: text = "invalid full screen drawable"; break;
    case AGL_BAD_WINDOW: text = "invalid window"; break;
    case AGL_BAD_POINTER: text = "invalid pointer"; break;
    case AGL_BAD_MODULE: text = "invalid code module"; break;
    case AGL_BAD_ALLOC: text = "memory allocation failure"; break;
    case AGL_BAD_CONNECTION: text = "invalid connection to the window system"; break;
    default: break;
    }
    return reinterpret_cast<const GLubyte*>(text);
}
