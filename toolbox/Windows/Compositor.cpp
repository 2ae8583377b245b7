#include "Windows/Compositor.h"
#include "Windows/WindowRecord.h"

#include "QuickDraw/Draw.h"
#include "tb/Host.h"

#include <algorithm>

namespace tb::screen {
namespace {
OpaqueGrafPtr gScreen;
Painter gMenuBar = nullptr;
Painter gOverlay = nullptr;
bool gHasOutline = false;
Rect gOutline{0, 0, 0, 0};
unsigned gPresentedGeneration = 0;
UInt32 gPresentedTicks = 0;

constexpr RGBColor kDesktop{0x5A00, 0x6E00, 0x8C00};
constexpr RGBColor kBlack{0, 0, 0};
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};

void defaultMenuBar(OpaqueGrafPtr* screen) {
    Rect bar{0, 0, SInt16(wm::kMenuBarHeight - 1), SInt16(screen->width)};
    qd::fillRect(screen, bar, kWhite);
    qd::fillRect(screen, Rect{SInt16(wm::kMenuBarHeight - 1), 0, SInt16(wm::kMenuBarHeight),
                              SInt16(screen->width)}, kBlack);
}

UInt32 now() { return host() ? host()->ticks() : 0; }
} // namespace

void setMenuBarPainter(Painter painter) { gMenuBar = painter; qd::screenChanged(); }
void setOverlayPainter(Painter painter) { gOverlay = painter; qd::screenChanged(); }

void setOutline(const Rect* globalRect) {
    gHasOutline = globalRect != nullptr;
    if (globalRect) gOutline = *globalRect;
    qd::screenChanged();
}

OpaqueGrafPtr* compose() {
    int w = host() ? host()->screenWidth() : 0, h = host() ? host()->screenHeight() : 0;
    if (w != gScreen.width || h != gScreen.height) gScreen.resize(w, h);
    qd::fillRect(&gScreen, Rect{0, 0, SInt16(h), SInt16(w)}, kDesktop);

    auto& list = wm::windowList();
    WindowRef front = nullptr;
    for (WindowRef win : list)
        if (win->visible) { front = win; break; }
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        WindowRef win = *it;
        if (!win->visible) continue;
        bool active = win == front;
        wm::drawFrame(&gScreen, win, active, 0);
        syncPort(&win->port);
        Rect content = win->contentGlobal();
        qd::blit(&win->port, win->port.portRect, &gScreen, content);
        if (win->features.growBox) {
            Rect g = wm::growBoxRect(win);
            wm::drawGrowIcon(&gScreen, g, active);
        }
    }
    (gMenuBar ? gMenuBar : defaultMenuBar)(&gScreen);
    if (gOverlay) gOverlay(&gScreen);
    if (gHasOutline) {
        // A two-tone outline stays visible on any background.
        qd::frameRect(&gScreen, gOutline, kBlack);
        Rect inner = gOutline;
        InsetRect(&inner, 1, 1);
        qd::frameRect(&gScreen, inner, RGBColor{0x8000, 0x8000, 0x8000});
    }
    return &gScreen;
}

void present(bool force) {
    Host* h = host();
    if (!h || !h->wantsFrames()) return;
    bool gl = std::any_of(wm::windowList().begin(), wm::windowList().end(),
                          [](WindowRef w) { return w->visible && w->port.glAttachment; });
    UInt32 t = now();
    bool due = force || qd::screenGeneration() != gPresentedGeneration ||
               (gl && t - gPresentedTicks >= 2);
    if (!due) return;
    OpaqueGrafPtr* s = compose();
    gPresentedGeneration = qd::screenGeneration();
    gPresentedTicks = t;
    h->present(s->pixels.data(), s->width, s->height);
}

void presentThrottled() {
    if (now() - gPresentedTicks >= 10) present(true);
}

} // namespace tb::screen

OSStatus QDFlushPortBuffer(CGrafPtr, RgnHandle) {
    // The screen is composed whole, so flushing any port presents everything drawn so far.
    tb::screen::present(true);
    return noErr;
}
