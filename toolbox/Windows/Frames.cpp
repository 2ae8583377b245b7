#include "Windows/WindowRecord.h"

#include "Fonts/FontEngine.h"
#include "QuickDraw/Draw.h"

#include <algorithm>

namespace tb::wm {
namespace {
constexpr RGBColor kBlack{0, 0, 0};
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kGray{0x8000, 0x8000, 0x8000};
constexpr RGBColor kActiveBar{0xDDDD, 0xDDDD, 0xDDDD};
constexpr RGBColor kStripe{0xAAAA, 0xAAAA, 0xAAAA};
constexpr RGBColor kInactiveBar{0xEEEE, 0xEEEE, 0xEEEE};

WindowRef gPressedWindow = nullptr;
short gPressedPart = 0;

Rect inset(Rect r, int d) {
    return Rect{SInt16(r.top + d), SInt16(r.left + d), SInt16(r.bottom - d), SInt16(r.right - d)};
}

void drawBox(OpaqueGrafPtr* s, const Rect& box, bool zoom, bool pressed) {
    qd::fillRect(s, inset(box, -1), kActiveBar); // clear the stripes around the box
    qd::fillRect(s, box, pressed ? kBlack : kWhite);
    qd::frameRect(s, box, kBlack);
    if (zoom && !pressed) {
        Rect inner{box.top, box.left, SInt16(box.top + 7), SInt16(box.left + 7)};
        qd::frameRect(s, inner, kBlack);
    }
}
} // namespace

void setPressed(WindowRef w, short part) {
    gPressedWindow = part ? w : nullptr;
    gPressedPart = part;
    qd::screenChanged();
}

void drawFrame(OpaqueGrafPtr* s, WindowRef w, bool active, short pressedPart) {
    if (w == gPressedWindow) pressedPart = std::max(pressedPart, gPressedPart);
    Rect st = structureRect(w);
    Rect c = w->contentGlobal();
    RGBColor edge = active ? kBlack : kGray;
    qd::fillRect(s, st, edge);
    // Drop shadow on the right and bottom, as the classic frame has.
    qd::fillRect(s, Rect{SInt16(st.top + 2), st.right, SInt16(st.bottom + 1), SInt16(st.right + 1)}, kGray);
    qd::fillRect(s, Rect{st.bottom, SInt16(st.left + 2), SInt16(st.bottom + 1), SInt16(st.right + 1)}, kGray);
    if (!w->features.titleBar) {
        if (w->features.border > 1) // the inner white ring of a modal box
            qd::frameRect(s, inset(c, -(w->features.border - 1)), kWhite);
        return;
    }
    Rect bar = titleBarRect(w);
    Rect inside{SInt16(bar.top + 1), SInt16(bar.left + 1), SInt16(bar.bottom - 1), SInt16(bar.right - 1)};
    qd::fillRect(s, inside, active ? kActiveBar : kInactiveBar);

    const unsigned char* text = reinterpret_cast<const unsigned char*>(w->title.data());
    int len = int(w->title.size());
    int avail = (inside.right - inside.left) - 2 * 28;
    while (len > 0 && fonts::textWidth(fonts::fontSystem, 12, 0, text, len) > avail) --len;
    int tw = fonts::textWidth(fonts::fontSystem, 12, 0, text, len);
    int tx = (inside.left + inside.right - tw) / 2;

    if (active) {
        for (int y = inside.top + 3; y < inside.bottom - 2; y += 2)
            qd::fillRect(s, Rect{SInt16(y), SInt16(inside.left + 2), SInt16(y + 1), SInt16(inside.right - 2)}, kStripe);
        if (len > 0)
            qd::fillRect(s, Rect{inside.top, SInt16(tx - 6), inside.bottom, SInt16(tx + tw + 6)}, kActiveBar);
        if (w->features.closeBox) drawBox(s, closeBoxRect(w), false, pressedPart == inGoAway);
        if (w->features.zoomBox)
            drawBox(s, zoomBoxRect(w), true, pressedPart == inZoomIn || pressedPart == inZoomOut);
    }
    if (len > 0)
        qd::drawText(s, tx, inside.bottom - 5, fonts::fontSystem, 12, 0, active ? kBlack : kGray, text, len);
}

void drawGrowIcon(OpaqueGrafPtr* port, const Rect& box, bool active) {
    qd::fillRect(port, box, kWhite);
    qd::fillRect(port, Rect{box.top, box.left, box.bottom, SInt16(box.left + 1)}, kBlack);
    qd::fillRect(port, Rect{box.top, box.left, SInt16(box.top + 1), box.right}, kBlack);
    if (!active) return;
    Rect big{SInt16(box.top + 5), SInt16(box.left + 5), SInt16(box.top + 13), SInt16(box.left + 13)};
    Rect small{SInt16(box.top + 3), SInt16(box.left + 3), SInt16(box.top + 9), SInt16(box.left + 9)};
    qd::frameRect(port, big, kBlack);
    qd::fillRect(port, small, kWhite);
    qd::frameRect(port, small, kBlack);
}

} // namespace tb::wm
