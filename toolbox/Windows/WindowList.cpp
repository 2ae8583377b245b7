#include "Windows/WindowRecord.h"

#include "Events/EventQueue.h"
#include "QuickDraw/Draw.h"
#include "QuickDraw/ResourceBytes.h"
#include "tb/Host.h"

#include <algorithm>
#include <cstring>

namespace tb::wm {

std::vector<WindowRef>& windowList() {
    // Never destroyed: windows open when the program exits stay reachable through it,
    // instead of the list going away under them during static destruction.
    static auto* list = new std::vector<WindowRef>;
    return *list;
}

namespace {
std::vector<DisposeObserver>& disposeObservers() {
    static std::vector<DisposeObserver> v;
    return v;
}
} // namespace

void addDisposeObserver(DisposeObserver observer) {
    if (observer) disposeObservers().push_back(observer);
}

void notifyDispose(WindowRef window) {
    for (DisposeObserver o : disposeObservers()) o(window);
}

bool isLive(WindowRef window) {
    auto& l = windowList();
    return window && std::find(l.begin(), l.end(), window) != l.end();
}

Features featuresOf(short procID, bool goAway) {
    Features f;
    auto dialogBox = [&](bool title, int border) {
        f.titleBar = title;
        f.closeBox = false;
        f.zoomBox = false;
        f.growBox = false;
        f.border = border;
    };
    if (procID >= 1024) {
        switch (procID) {
        case kWindowDocumentProc: f.growBox = false; break;
        case kWindowGrowDocumentProc: break;
        case kWindowFullZoomDocumentProc: f.growBox = false; f.zoomBox = true; break;
        case kWindowFullZoomGrowDocumentProc: f.zoomBox = true; break;
        case kWindowPlainDialogProc: dialogBox(false, 1); break;
        case kWindowShadowDialogProc:
        case kWindowModalDialogProc:
        case kWindowAlertProc: dialogBox(false, 3); break;
        case kWindowMovableModalDialogProc:
        case kWindowMovableAlertProc: dialogBox(true, 1); break;
        default: // the other Appearance document kinds zoom one way; treat them as full zoom
            f.zoomBox = (procID & 6) != 0;
            f.growBox = (procID & 1) != 0;
        }
    } else {
        switch (procID & 15) {
        case documentProc: break;
        case dBoxProc: dialogBox(false, 3); break;
        case plainDBox: dialogBox(false, 1); break;
        case altDBoxProc: dialogBox(false, 2); break;
        case noGrowDocProc: f.growBox = false; break;
        case movableDBoxProc: dialogBox(true, 1); break;
        case zoomDocProc: f.zoomBox = true; break;
        case zoomNoGrow: f.zoomBox = true; f.growBox = false; break;
        default: break;
        }
    }
    f.closeBox = f.closeBox && goAway && f.titleBar;
    return f;
}

Rect structureRect(WindowRef w) {
    Rect c = w->contentGlobal();
    int b = w->features.border;
    int top = w->features.titleBar ? c.top - kTitleBarHeight : c.top - b;
    int side = w->features.titleBar ? 1 : b;
    return Rect{SInt16(top), SInt16(c.left - side), SInt16(c.bottom + side), SInt16(c.right + side)};
}

Rect titleBarRect(WindowRef w) {
    if (!w->features.titleBar) return Rect{0, 0, 0, 0};
    Rect s = structureRect(w);
    Rect c = w->contentGlobal();
    return Rect{s.top, s.left, c.top, s.right};
}

namespace {
Rect boxAt(WindowRef w, int fromLeft, int fromRight) {
    Rect t = titleBarRect(w);
    int top = t.top + 5, bottom = top + 11;
    if (fromLeft >= 0) return Rect{SInt16(top), SInt16(t.left + fromLeft), SInt16(bottom), SInt16(t.left + fromLeft + 11)};
    return Rect{SInt16(top), SInt16(t.right - fromRight - 11), SInt16(bottom), SInt16(t.right - fromRight)};
}
} // namespace

Rect closeBoxRect(WindowRef w) {
    return w->features.closeBox ? boxAt(w, 8, -1) : Rect{0, 0, 0, 0};
}

Rect zoomBoxRect(WindowRef w) {
    return w->features.zoomBox && w->features.titleBar ? boxAt(w, -1, 8) : Rect{0, 0, 0, 0};
}

Rect growBoxRect(WindowRef w) {
    if (!w->features.growBox) return Rect{0, 0, 0, 0};
    Rect c = w->contentGlobal();
    return Rect{SInt16(c.bottom - kGrowBoxSize), SInt16(c.right - kGrowBoxSize), c.bottom, c.right};
}

Rect standardState(WindowRef w) {
    Rect avail;
    GetAvailableWindowPositioningBounds(GetMainDevice(), &avail);
    // The whole frame fits the usable screen.
    int side = w->features.titleBar ? 1 : w->features.border;
    int top = w->features.titleBar ? kTitleBarHeight : w->features.border;
    return Rect{SInt16(avail.top + top), SInt16(avail.left + side), SInt16(avail.bottom - side),
                SInt16(avail.right - side)};
}

} // namespace tb::wm

using namespace tb::wm;

namespace {
const WindowRef kInFront = reinterpret_cast<WindowRef>(-1);

void insertBehind(WindowRef w, WindowRef behind) {
    auto& l = windowList();
    if (behind == kInFront) {
        l.insert(l.begin(), w);
        return;
    }
    auto it = std::find(l.begin(), l.end(), behind);
    if (!behind || it == l.end()) l.push_back(w);
    else l.insert(it + 1, w);
}

void unlink(WindowRef w) {
    auto& l = windowList();
    l.erase(std::remove(l.begin(), l.end(), w), l.end());
}

void setTitle(WindowRef w, ConstStr255Param title) {
    w->title.assign(title ? reinterpret_cast<const char*>(title + 1) : "", title ? title[0] : 0);
    tb::qd::screenChanged();
}

short clampSize(int v) { return short(std::clamp(v, 0, 4096)); }
Point clampOrigin(int h, int v) {
    return Point{SInt16(std::clamp(v, -kMaxOrigin, kMaxOrigin)), SInt16(std::clamp(h, -kMaxOrigin, kMaxOrigin))};
}

void invalidateAll(WindowRef w) { InvalWindowRect(w, &w->port.portRect); }
} // namespace

WindowRef NewCWindow(void*, const Rect* bounds, ConstStr255Param title, Boolean visible,
                     short procID, WindowRef behind, Boolean goAwayFlag, long refCon) {
    auto* w = new OpaqueWindowPtr;
    w->port.window = w;
    w->procID = procID;
    w->features = featuresOf(procID, goAwayFlag);
    w->refCon = refCon;
    Rect r = bounds ? *bounds : Rect{64, 64, 264, 364};
    w->port.origin = clampOrigin(r.left, r.top);
    w->port.resize(clampSize(r.right - r.left), clampSize(r.bottom - r.top));
    w->userState = w->contentGlobal();
    setTitle(w, title);
    insertBehind(w, behind);
    if (visible) ShowWindow(w);
    return w;
}

WindowRef NewWindow(void* storage, const Rect* bounds, ConstStr255Param title, Boolean visible,
                    short procID, WindowRef behind, Boolean goAwayFlag, long refCon) {
    return NewCWindow(storage, bounds, title, visible, procID, behind, goAwayFlag, refCon);
}

namespace tb {
bool windowTemplate(short id, WindowTemplate* out) {
    std::vector<std::uint8_t> d;
    if (!out || !resourceBytes(FOUR_CHAR("WIND"), id, d) || d.size() < 18) return false;
    out->boundsRect = Rect{SInt16(be16(&d[0])), SInt16(be16(&d[2])), SInt16(be16(&d[4])), SInt16(be16(&d[6]))};
    out->procID = short(be16(&d[8]));
    out->visible = be16(&d[10]) != 0;
    out->goAwayFlag = be16(&d[12]) != 0;
    out->refCon = SInt32(be32(&d[14]));
    std::size_t n = d.size() > 18 ? std::min<std::size_t>(d[18], d.size() - 19) : 0;
    out->title[0] = static_cast<unsigned char>(n);
    if (n) std::memcpy(out->title + 1, &d[19], n);
    return true;
}
} // namespace tb

WindowRef GetNewCWindow(short templateID, void* storage, WindowRef behind) {
    WindowTemplate t;
    if (!tb::windowTemplate(templateID, &t)) return nullptr;
    return NewCWindow(storage, &t.boundsRect, t.title, t.visible, t.procID, behind, t.goAwayFlag, t.refCon);
}

WindowRef GetNewWindow(short templateID, void* storage, WindowRef behind) {
    return GetNewCWindow(templateID, storage, behind);
}

void DisposeWindow(WindowRef window) {
    if (!isLive(window)) return;
    notifyDispose(window);
    unlink(window);
    tb::events::forgetWindow(window);
    GrafPtr current;
    GetPort(&current);
    if (current == &window->port) SetPort(nullptr);
    delete window;
    tb::qd::screenChanged();
}

void ShowWindow(WindowRef window) {
    if (!isLive(window) || window->visible) return;
    window->visible = true;
    invalidateAll(window);
    tb::qd::screenChanged();
}

void HideWindow(WindowRef window) {
    if (!isLive(window) || !window->visible) return;
    window->visible = false;
    tb::qd::screenChanged();
}

void SelectWindow(WindowRef window) { BringToFront(window); }

void BringToFront(WindowRef window) {
    if (!isLive(window)) return;
    unlink(window);
    insertBehind(window, kInFront);
    tb::qd::screenChanged();
}

void SendBehind(WindowRef window, WindowRef behind) {
    if (!isLive(window) || window == behind) return;
    unlink(window);
    insertBehind(window, isLive(behind) ? behind : nullptr);
    tb::qd::screenChanged();
}

void HiliteWindow(WindowRef window, Boolean hilite) {
    if (isLive(window)) window->hilited = hilite;
    tb::qd::screenChanged();
}

WindowRef FrontWindow() {
    for (WindowRef w : windowList())
        if (w->visible) return w;
    return nullptr;
}

WindowRef FrontNonFloatingWindow() { return FrontWindow(); }

WindowRef GetNextWindow(WindowRef window) {
    auto& l = windowList();
    auto it = std::find(l.begin(), l.end(), window);
    if (it == l.end() || ++it == l.end()) return nullptr;
    return *it;
}

Boolean IsWindowVisible(WindowRef window) { return isLive(window) && window->visible; }
Boolean IsWindowHilited(WindowRef window) { return isLive(window) && window == FrontWindow(); }

void SetWTitle(WindowRef window, ConstStr255Param title) {
    if (isLive(window)) setTitle(window, title);
}

void GetWTitle(WindowRef window, Str255 title) {
    if (!title) return;
    title[0] = 0;
    if (!isLive(window)) return;
    std::size_t n = std::min<std::size_t>(window->title.size(), 255);
    title[0] = static_cast<unsigned char>(n);
    std::memcpy(title + 1, window->title.data(), n);
}

void SetWRefCon(WindowRef window, long refCon) {
    if (isLive(window)) window->refCon = refCon;
}
long GetWRefCon(WindowRef window) { return isLive(window) ? window->refCon : 0; }
void SetWindowKind(WindowRef window, short kind) {
    if (isLive(window)) window->windowKind = kind;
}
short GetWindowKind(WindowRef window) { return isLive(window) ? window->windowKind : 0; }

CGrafPtr GetWindowPort(WindowRef window) { return isLive(window) ? &window->port : nullptr; }

void SetPortWindowPort(WindowRef window) {
    if (isLive(window)) SetPort(&window->port);
}

Rect* GetWindowPortBounds(WindowRef window, Rect* bounds) {
    if (!bounds) return nullptr;
    *bounds = isLive(window) ? window->port.portRect : Rect{0, 0, 0, 0};
    return bounds;
}

void MoveWindow(WindowRef window, short h, short v, Boolean front) {
    if (!isLive(window)) return;
    window->port.origin = clampOrigin(h, v);
    if (front) SelectWindow(window);
    tb::qd::screenChanged();
}

void SizeWindow(WindowRef window, short width, short height, Boolean fUpdate) {
    if (!isLive(window)) return;
    int oldW = window->port.width, oldH = window->port.height;
    window->port.resize(clampSize(width), clampSize(height));
    if (fUpdate) {
        Rect right{0, SInt16(oldW), SInt16(window->port.height), SInt16(window->port.width)};
        Rect below{SInt16(oldH), 0, SInt16(window->port.height), SInt16(window->port.width)};
        InvalWindowRect(window, &right);
        InvalWindowRect(window, &below);
    }
    // The update region never reaches outside the content.
    RgnHandle bounds = NewRgn();
    RectRgn(bounds, &window->port.portRect);
    SectRgn(&window->updateRgn, bounds, &window->updateRgn);
    DisposeRgn(bounds);
}

void ZoomWindow(WindowRef window, short part, Boolean front) {
    if (!isLive(window)) return;
    Rect target;
    if (part == inZoomOut) {
        window->userState = window->contentGlobal();
        target = standardState(window);
    } else if (part == inZoomIn) {
        target = window->userState;
    } else {
        return;
    }
    MoveWindow(window, target.left, target.top, front);
    SizeWindow(window, short(target.right - target.left), short(target.bottom - target.top), true);
    invalidateAll(window);
}

OSStatus GetWindowBounds(WindowRef window, UInt16 regionCode, Rect* bounds) {
    if (!isLive(window) || !bounds) return paramErr;
    *bounds = regionCode == kWindowStructureRgn ? structureRect(window) : window->contentGlobal();
    return noErr;
}

void InvalWindowRect(WindowRef window, const Rect* bounds) {
    if (!isLive(window) || !bounds) return;
    Rect r;
    if (!SectRect(bounds, &window->port.portRect, &r)) return;
    OpaqueRgnHandle add;
    RectRgn(&add, &r);
    UnionRgn(&window->updateRgn, &add, &window->updateRgn);
}

void InvalWindowRgn(WindowRef window, RgnHandle region) {
    if (!isLive(window) || !region) return;
    for (const Rect& r : region->rects) InvalWindowRect(window, &r);
}

void ValidWindowRect(WindowRef window, const Rect* bounds) {
    if (!isLive(window) || !bounds) return;
    OpaqueRgnHandle cut;
    RectRgn(&cut, bounds);
    DiffRgn(&window->updateRgn, &cut, &window->updateRgn);
}

void BeginUpdate(WindowRef window) {
    // Every port keeps its own pixels, so nothing outside the update region needs
    // protecting: the region is simply handed over as done.
    if (isLive(window)) SetEmptyRgn(&window->updateRgn);
}

void EndUpdate(WindowRef window) {
    if (isLive(window)) tb::qd::screenChanged();
}

void DrawGrowIcon(WindowRef window) {
    if (!isLive(window) || !window->features.growBox) return;
    Rect c = window->port.portRect;
    Rect box{SInt16(c.bottom - kGrowBoxSize), SInt16(c.right - kGrowBoxSize), c.bottom, c.right};
    drawGrowIcon(&window->port, box, window == FrontWindow());
}

OSStatus TransitionWindow(WindowRef window, WindowTransitionEffect, WindowTransitionAction action,
                          const Rect*) {
    if (!isLive(window)) return paramErr;
    if (action == kWindowShowTransitionAction) ShowWindow(window);
    else if (action == kWindowHideTransitionAction) HideWindow(window);
    return noErr;
}

struct GDevice {
    GDevice* self;
};

GDHandle GetMainDevice() {
    static GDevice device{&device};
    return &device.self;
}

OSStatus GetAvailableWindowPositioningBounds(GDHandle, Rect* bounds) {
    if (!bounds) return paramErr;
    tb::Host* h = tb::host();
    int w = h ? h->screenWidth() : 0, ht = h ? h->screenHeight() : 0;
    *bounds = Rect{SInt16(kMenuBarHeight), 0, SInt16(std::min(ht, 32767)), SInt16(std::min(w, 32767))};
    return noErr;
}

short GetMBarHeight() { return kMenuBarHeight; }
