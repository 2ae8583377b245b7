#include "Windows/Compositor.h"
#include "Windows/WindowRecord.h"

#include "Events/EventQueue.h"
#include "tb/Events.h"
#include "tb/Host.h"

#include <algorithm>
#include <cstdlib>

using namespace tb::wm;

namespace {
Point mouseNow() { return tb::host() ? tb::host()->mouse() : Point{0, 0}; }

// In the standard state (give or take a few pixels, as the classic test had it) the box
// zooms back in; anywhere else it zooms out.
short zoomPart(WindowRef w) {
    Rect c = w->contentGlobal(), s = standardState(w);
    auto near = [](int a, int b) { return std::abs(a - b) <= 7; };
    bool standard = near(c.top, s.top) && near(c.left, s.left) && near(c.bottom, s.bottom) && near(c.right, s.right);
    return standard ? inZoomIn : inZoomOut;
}
} // namespace

short FindWindow(Point where, WindowRef* window) {
    if (window) *window = nullptr;
    if (where.v >= 0 && where.v < kMenuBarHeight) return inMenuBar;
    for (WindowRef w : windowList()) {
        if (!w->visible) continue;
        Rect s = structureRect(w);
        if (!PtInRect(where, &s)) continue;
        if (window) *window = w;
        Rect r = closeBoxRect(w);
        if (PtInRect(where, &r)) return inGoAway;
        r = zoomBoxRect(w);
        if (PtInRect(where, &r)) return zoomPart(w);
        r = growBoxRect(w);
        if (PtInRect(where, &r)) return inGrow;
        Rect c = w->contentGlobal();
        if (PtInRect(where, &c)) return inContent;
        // The title bar drags; so does the thin border of a frame that has no title bar.
        return inDrag;
    }
    return inDesk;
}

void DragWindow(WindowRef window, Point start, const Rect* boundsRect) {
    if (!isLive(window)) return;
    Rect limit;
    if (boundsRect) limit = *boundsRect;
    else {
        GetRegionBounds(GetGrayRgn(), &limit);
        InsetRect(&limit, 4, 4);
    }
    Rect frame = structureRect(window);
    auto clampPoint = [&](Point p) {
        p.h = SInt16(std::clamp<int>(p.h, limit.left, std::max<int>(limit.left, limit.right - 1)));
        p.v = SInt16(std::clamp<int>(p.v, limit.top, std::max<int>(limit.top, limit.bottom - 1)));
        return p;
    };
    start = clampPoint(start);
    Point at = start;
    while (tb::events::trackStep()) {
        at = clampPoint(mouseNow());
        Rect outline = frame;
        OffsetRect(&outline, short(at.h - start.h), short(at.v - start.v));
        tb::screen::setOutline(&outline);
    }
    at = clampPoint(mouseNow());
    tb::screen::setOutline(nullptr);
    tb::events::endTracking();
    int dh = at.h - start.h, dv = at.v - start.v;
    if (dh || dv)
        MoveWindow(window, short(window->port.origin.h + dh), short(window->port.origin.v + dv), false);
    bool cmd = tb::host() && (tb::host()->modifiers() & cmdKey);
    if (!cmd) SelectWindow(window);
}

long GrowWindow(WindowRef window, Point start, const Rect* sizeRect) {
    if (!isLive(window)) return 0;
    Rect limits = sizeRect ? *sizeRect : Rect{80, 80, 32767, 32767};
    int w0 = window->port.width, h0 = window->port.height;
    auto sizeAt = [&](Point p, int& w, int& h) {
        w = std::clamp<int>(w0 + p.h - start.h, limits.left, std::max<int>(limits.left, limits.right));
        h = std::clamp<int>(h0 + p.v - start.v, limits.top, std::max<int>(limits.top, limits.bottom));
    };
    int w = w0, h = h0;
    Rect frame = structureRect(window);
    while (tb::events::trackStep()) {
        sizeAt(mouseNow(), w, h);
        Rect outline{frame.top, frame.left, SInt16(frame.bottom + h - h0), SInt16(frame.right + w - w0)};
        tb::screen::setOutline(&outline);
    }
    sizeAt(mouseNow(), w, h);
    tb::screen::setOutline(nullptr);
    tb::events::endTracking();
    if (w == w0 && h == h0) return 0;
    return long((unsigned long)(h & 0xFFFF) << 16 | (unsigned long)(w & 0xFFFF));
}

namespace {
// Shows the box pressed while the mouse is over it; true when released over it.
bool trackFrameBox(WindowRef window, short part, Rect (*boxOf)(WindowRef)) {
    if (!isLive(window)) return false;
    Rect box = boxOf(window);
    setPressed(window, PtInRect(mouseNow(), &box) ? part : 0);
    while (tb::events::trackStep())
        setPressed(window, PtInRect(mouseNow(), &box) ? part : 0);
    bool inside = PtInRect(mouseNow(), &box);
    setPressed(window, 0);
    tb::events::endTracking();
    return inside;
}
} // namespace

Boolean TrackGoAway(WindowRef window, Point) { return trackFrameBox(window, inGoAway, closeBoxRect); }

Boolean TrackBox(WindowRef window, Point, short part) { return trackFrameBox(window, part, zoomBoxRect); }
