// A small toolbox program over the SDL2 host, for the live test: two windows (one drawn
// with GL), and every event it gets printed so a test can compare them with what it sent.
#include "Windows/WindowRecord.h"

#include "tb/AppleEvents.h"
#include "tb/Events.h"
#include "tb/QuickDraw.h"
#include "tb/Runner.h"
#include "tb/Sdl2Host.h"
#include "tb/Windows.h"
#include "tb/agl.h"

#include <GL/glu.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool gQuit = false;
WindowRef gPlain = nullptr;
WindowRef gGL = nullptr;
AGLContext gContext = nullptr;

// The clipboard's round trip: non-ASCII text and a line end.
const char* const kClipText = "Ilvaron \xC2\xB5\nline 2";

std::string titleOf(WindowRef w) {
    if (!w) return "";
    Str255 t;
    GetWTitle(w, t);
    return std::string(reinterpret_cast<const char*>(t + 1), t[0]);
}

void printRect(const char* name, const Rect& r) {
    std::printf(" %s %d %d %d %d", name, r.left, r.top, r.right, r.bottom);
}

void printWindows() {
    for (WindowRef w = FrontWindow(); w; w = GetNextWindow(w)) {
        if (!IsWindowVisible(w)) continue;
        std::printf("window: \"%s\"", titleOf(w).c_str());
        printRect("content", w->contentGlobal());
        printRect("structure", tb::wm::structureRect(w));
        printRect("title", tb::wm::titleBarRect(w));
        printRect("close", tb::wm::closeBoxRect(w));
        std::printf("\n");
    }
    std::printf("windows: end\n");
}

void drawPlain(WindowRef w) {
    SetPortWindowPort(w);
    Rect r;
    GetWindowPortBounds(w, &r);
    const RGBColor blue{0x2000, 0x4000, 0xE000};
    const RGBColor yellow{0xFFFF, 0xE000, 0x0000};
    RGBForeColor(&blue);
    PaintRect(&r);
    // A yellow square at a known place, to check where content lands on the screen.
    Rect mark{20, 20, 60, 60};
    RGBForeColor(&yellow);
    PaintRect(&mark);
}

void drawGL(WindowRef w) {
    if (!gContext) return;
    Rect r;
    GetWindowPortBounds(w, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    aglSetCurrentContext(gContext);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, width, height, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // A red line three pixels thick across the middle, from x 20 to width - 20.
    glColor3f(1, 0, 0);
    glBegin(GL_QUADS);
    glVertex2i(20, height / 2 - 1);
    glVertex2i(width - 20, height / 2 - 1);
    glVertex2i(width - 20, height / 2 + 2);
    glVertex2i(20, height / 2 + 2);
    glEnd();
    glFlush();
}

void openWindows() {
    Rect plain{100, 100, 400, 500}; // top left bottom right
    gPlain = NewCWindow(nullptr, &plain, reinterpret_cast<ConstStr255Param>("\x05Plain"), true, documentProc,
                        reinterpret_cast<WindowRef>(-1), true, 0);
    Rect gl{150, 600, 450, 1000};
    gGL = NewCWindow(nullptr, &gl, reinterpret_cast<ConstStr255Param>("\x02GL"), true, documentProc,
                     reinterpret_cast<WindowRef>(-1), true, 0);
    const GLint attribs[] = {AGL_RGBA, AGL_NONE};
    AGLPixelFormat pix = aglChoosePixelFormat(nullptr, 0, attribs);
    if (pix) {
        gContext = aglCreateContext(pix, nullptr);
        aglDestroyPixelFormat(pix);
    }
    if (!gContext || !aglSetDrawable(gContext, GetWindowPort(gGL)))
        std::printf("gl: unavailable (%s)\n", aglErrorString(aglGetError()));
}

void closeWindow(WindowRef w) {
    std::printf("closed: \"%s\"\n", titleOf(w).c_str());
    if (w == gGL && gContext) {
        aglSetCurrentContext(nullptr);
        aglSetDrawable(gContext, nullptr);
        aglDestroyContext(gContext);
        gContext = nullptr;
    }
    if (w == gPlain) gPlain = nullptr;
    if (w == gGL) gGL = nullptr;
    DisposeWindow(w);
    printWindows();
}

OSErr onQuit(const AppleEvent*, AppleEvent*, long) {
    std::printf("quit: event\n");
    gQuit = true;
    return noErr;
}

void printEscaped(const std::string& s) {
    for (char c : s) {
        if (c == '\n') std::printf("\\n");
        else if (c == '\\') std::printf("\\\\");
        else std::putchar(c);
    }
}

void onKey(const EventRecord& e) {
    const char* kind = e.what == keyDown ? "down" : e.what == autoKey ? "auto" : "up";
    unsigned ch = e.message & charCodeMask, code = (e.message & keyCodeMask) >> 8;
    std::printf("key: %s char=%u code=%u mods=0x%04x\n", kind, ch, code, e.modifiers);
    if (e.what != keyDown || !(e.modifiers & cmdKey)) return;
    switch (ch) {
    case 'q':
        std::printf("quit: command-q\n");
        gQuit = true;
        break;
    case 'c':
        tb::host()->setClipboardText(kClipText);
        std::printf("clipboard-set\n");
        break;
    case 'v':
        std::printf("clipboard: ");
        printEscaped(tb::host()->clipboardText());
        std::printf("\n");
        break;
    case 'w': printWindows(); break;
    default: break;
    }
}

void onMouseDown(const EventRecord& e) {
    WindowRef w = nullptr;
    short part = FindWindow(e.where, &w);
    std::printf("mouse-down: %d %d mods=0x%04x part=%d window=\"%s\"\n", e.where.h, e.where.v, e.modifiers, part,
                titleOf(w).c_str());
    switch (part) {
    case inDrag: {
        Rect bounds;
        GetAvailableWindowPositioningBounds(GetMainDevice(), &bounds);
        DragWindow(w, e.where, &bounds);
        printWindows();
        break;
    }
    case inGoAway:
        if (TrackGoAway(w, e.where)) closeWindow(w);
        else std::printf("close: cancelled\n");
        break;
    case inContent:
        if (w != FrontWindow()) SelectWindow(w);
        break;
    default: break;
    }
}

// The live state, reported when it changes: the screen size, the key map.
void reportLiveState() {
    static int width = -1, height = -1;
    int w = tb::host()->screenWidth(), h = tb::host()->screenHeight();
    if (w != width || h != height) {
        width = w;
        height = h;
        std::printf("screen: %d %d\n", w, h);
    }
    static std::uint8_t last[16] = {};
    KeyMap keys;
    GetKeys(keys);
    std::uint8_t now[16];
    std::memcpy(now, keys, 16);
    if (std::memcmp(now, last, 16) != 0) {
        std::memcpy(last, now, 16);
        std::printf("keymap:");
        for (int k = 0; k < 128; ++k)
            if (now[k / 8] & (1u << (k % 8))) std::printf(" %d", k);
        std::printf("\n");
    }
}

// The cursor follows what lies under the mouse, as the program's own loop does.
void trackCursor() {
    WindowRef w = nullptr;
    short part = FindWindow(tb::host()->mouse(), &w);
    ThemeCursor c = kThemeArrowCursor;
    if (part == inContent && w == gPlain) c = kThemeIBeamCursor;
    else if (part == inContent && w == gGL) c = kThemeCrossCursor;
    if (part == inContent && w == gGL && (tb::host()->modifiers() & optionKey)) {
        // A colour cursor: a red square with a clear middle, hot spot in the centre.
        tb::CursorImage image;
        image.id = 200;
        image.width = image.height = 16;
        image.hotSpot = Point{8, 8};
        image.rgba.assign(16 * 16 * 4, 0);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (x < 3 || x > 12 || y < 3 || y > 12) {
                    std::uint8_t* p = &image.rgba[std::size_t(y * 16 + x) * 4];
                    p[0] = 255;
                    p[3] = 255;
                }
        tb::host()->setCursor(tb::CursorShape::image, &image);
        return;
    }
    SetThemeCursor(c);
}

int demoMain() {
    AEEventHandlerUPP quitHandler = NewAEEventHandlerUPP(onQuit);
    AEInstallEventHandler(kCoreEventClass, kAEQuitApplication, quitHandler, 0, false);
    InitCursor();
    openWindows();
    printWindows();
    bool ready = false;
    while (!gQuit) {
        reportLiveState();
        trackCursor();
        EventRecord e;
        if (!WaitNextEvent(everyEvent, &e, 0, nullptr)) {
            // Idle with nothing pending: everything has been drawn and presented.
            if (!ready) std::printf("ready\n");
            ready = true;
            continue;
        }
        switch (e.what) {
        case keyDown:
        case autoKey:
        case keyUp: onKey(e); break;
        case mouseDown: onMouseDown(e); break;
        case mouseUp:
            std::printf("mouse-up: %d %d mods=0x%04x\n", e.where.h, e.where.v, e.modifiers);
            break;
        case updateEvt: {
            auto w = reinterpret_cast<WindowRef>(e.message);
            BeginUpdate(w);
            if (w == gPlain) drawPlain(w);
            else if (w == gGL) drawGL(w);
            EndUpdate(w);
            break;
        }
        case osEvt:
            if ((e.message >> 24) == suspendResumeMessage)
                std::printf("os: %s\n", (e.message & resumeFlag) ? "resume" : "suspend");
            break;
        case kHighLevelEvent: AEProcessAppleEvent(&e); break;
        default: break;
        }
    }
    if (gGL) closeWindow(gGL);
    if (gPlain) closeWindow(gPlain);
    AERemoveEventHandler(kCoreEventClass, kAEQuitApplication, quitHandler, false);
    DisposeAEEventHandlerUPP(quitHandler);
    return 0;
}

} // namespace

int main() {
    // The live test reads the lines as they come.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::unique_ptr<tb::Host> host = tb::makeSdl2Host("Host demo");
    if (!host) return 3;
    tb::setHost(host.get());
    int status = tb::runProgram(demoMain);
    tb::setHost(nullptr);
    return status;
}
