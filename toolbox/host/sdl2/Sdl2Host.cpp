#include "host/sdl2/Sdl2Window.h"

#include "QuickDraw/Draw.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tb {
namespace {

constexpr int kMinSide = 64;
constexpr int kMaxSide = 8192;

bool parseNumber(const char*& s, int& out) {
    if (*s < '0' || *s > '9') return false;
    long v = 0;
    while (*s >= '0' && *s <= '9') {
        v = v * 10 + (*s++ - '0');
        if (v > 100000) return false;
    }
    out = int(v);
    return true;
}

bool parseSigned(const char*& s, int& out) {
    bool negative = *s == '-';
    if (*s != '+' && *s != '-') return false;
    ++s;
    if (!parseNumber(s, out)) return false;
    if (negative) out = -out;
    return true;
}

// "WxH" or "WxH+X+Y" (either sign before X and Y).
bool parseGeometry(const char* s, Sdl2HostOptions& o) {
    int w = 0, h = 0, x = 0, y = 0;
    if (!parseNumber(s, w) || (*s != 'x' && *s != 'X')) return false;
    ++s;
    if (!parseNumber(s, h)) return false;
    bool placed = false;
    if (*s) {
        if (!parseSigned(s, x) || !parseSigned(s, y) || *s) return false;
        placed = true;
    }
    if (w < kMinSide || h < kMinSide || w > kMaxSide || h > kMaxSide) return false;
    o.width = w;
    o.height = h;
    if (placed) {
        o.x = x;
        o.y = y;
    }
    return true;
}

// A size that fits the display with room for the window manager's frame.
void defaultSize(int& w, int& h) {
    SDL_Rect usable{0, 0, 1280, 1024};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) usable = SDL_Rect{0, 0, 1280, 1024};
    w = 1280;
    h = 1024;
    if (w > usable.w || h > usable.h) {
        w = std::max(kMinSide, usable.w * 9 / 10);
        h = std::max(kMinSide, usable.h * 9 / 10);
    }
}

} // namespace

Sdl2HostOptions sdl2HostOptionsFromEnvironment(const char* title) {
    Sdl2HostOptions o;
    o.title = title ? title : "";
    if (const char* g = std::getenv("ILVARON_WINDOW")) {
        if (!parseGeometry(g, o)) std::fprintf(stderr, "ILVARON_WINDOW=%s is not WxH or WxH+X+Y; ignored\n", g);
    }
    if (const char* s = std::getenv("ILVARON_SCALE")) {
        int v = 0;
        const char* p = s;
        if (parseNumber(p, v) && !*p && v >= 1 && v <= 4) o.scale = v;
        else std::fprintf(stderr, "ILVARON_SCALE=%s is not 1 to 4; ignored\n", s);
    }
    return o;
}

std::unique_ptr<Host> makeSdl2Host(const Sdl2HostOptions& options) {
    // The plots make EGL contexts of their own on this thread: SDL must not make one.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A click that brings the window forward is also a click in it, as on one screen.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "cannot open a window: %s\n", SDL_GetError());
        return nullptr;
    }
    int w = options.width, h = options.height;
    if (w <= 0 || h <= 0) defaultSize(w, h);
    w = std::clamp(w, kMinSide, kMaxSide);
    h = std::clamp(h, kMinSide, kMaxSide);
    int x = options.x == Sdl2HostOptions::kCentred ? int(SDL_WINDOWPOS_CENTERED) : options.x;
    int y = options.y == Sdl2HostOptions::kCentred ? int(SDL_WINDOWPOS_CENTERED) : options.y;
    SDL_Window* window = SDL_CreateWindow(options.title ? options.title : "", x, y, w, h,
                                          SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window) {
        std::fprintf(stderr, "cannot open a window: %s\n", SDL_GetError());
        SDL_Quit();
        return nullptr;
    }
    SDL_SetWindowMinimumSize(window, 320, 200);
    return std::make_unique<sdl2::Sdl2Window>(window, std::clamp(options.scale, 0, 4));
}

std::unique_ptr<Host> makeSdl2Host(const char* title) {
    return makeSdl2Host(sdl2HostOptionsFromEnvironment(title));
}

namespace sdl2 {

Sdl2Window::Sdl2Window(SDL_Window* window, int requestedScale)
    : window_(window), requestedScale_(requestedScale), startMs_(SDL_GetTicks64()) {
    updateGeometry();
    mouse_ = Point{SInt16(screenH_ / 2), SInt16(screenW_ / 2)};
    int mx = 0, my = 0;
    if (SDL_GetMouseFocus() == window_) {
        SDL_GetMouseState(&mx, &my);
        mouse_ = toScreen(mx, my);
    }
    SDL_StartTextInput();
}

Sdl2Window::~Sdl2Window() {
    SDL_StopTextInput();
    for (SDL_Cursor* c : systemCursors_)
        if (c) SDL_FreeCursor(c);
    if (imageCursor_) SDL_FreeCursor(imageCursor_);
    SDL_DestroyWindow(window_);
    SDL_Quit();
}

void Sdl2Window::updateGeometry() {
    SDL_GetWindowSize(window_, &windowW_, &windowH_);
    SDL_GetWindowSizeInPixels(window_, &pixelW_, &pixelH_);
    windowW_ = std::max(windowW_, 1);
    windowH_ = std::max(windowH_, 1);
    pixelW_ = std::max(pixelW_, 1);
    pixelH_ = std::max(pixelH_, 1);
    // A drawable denser than the window's coordinates means a high-density display: keep
    // one point one pixel for the toolbox and let present scale up.
    int density = std::max(1, (pixelW_ + windowW_ / 2) / windowW_);
    scale_ = std::clamp(requestedScale_ > 0 ? requestedScale_ : density, 1, 4);
    screenW_ = std::clamp(pixelW_ / scale_, 1, 32767);
    screenH_ = std::clamp(pixelH_ / scale_, 1, 32767);
    // The compositor follows the host's size on its next pass.
    qd::screenChanged();
}

Point Sdl2Window::toScreen(int x, int y) const {
    long sx = long(x) * pixelW_ / windowW_ / scale_;
    long sy = long(y) * pixelH_ / windowH_ / scale_;
    // The mouse stays on the screen, as it always did: a drag past the window's edge
    // stops at it.
    sx = std::clamp(sx, 0L, long(screenW_ - 1));
    sy = std::clamp(sy, 0L, long(screenH_ - 1));
    return Point{SInt16(sy), SInt16(sx)};
}

std::string Sdl2Window::clipboardText() const {
    char* t = SDL_GetClipboardText();
    std::string s = t ? t : "";
    SDL_free(t);
    // Text from other programs may end lines with CR LF or CR; the toolbox expects LF.
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\r') out += s[i];
        else if (i + 1 >= s.size() || s[i + 1] != '\n') out += '\n';
    }
    return out;
}

void Sdl2Window::setClipboardText(const std::string& utf8) {
    if (SDL_SetClipboardText(utf8.c_str()) != 0)
        std::fprintf(stderr, "cannot set the clipboard: %s\n", SDL_GetError());
}

UInt32 Sdl2Window::ticks() const { return UInt32((SDL_GetTicks64() - startMs_) * 60 / 1000); }

void Sdl2Window::delay(UInt32 t) {
    Uint64 ms = Uint64(t) * 1000 / 60;
    SDL_Delay(Uint32(std::min<Uint64>(ms, 0xFFFFFFFFu)));
}

} // namespace sdl2
} // namespace tb
