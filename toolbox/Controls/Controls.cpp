#include "Controls/ControlRecord.h"

#include "Events/EventQueue.h"
#include "Fonts/FontEngine.h"
#include "QuickDraw/Draw.h"
#include "Windows/WindowRecord.h"
#include "tb/Host.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace {

constexpr int kArrow = 16;        // arrow box size along the bar
constexpr UInt32 kFirstRepeat = 20; // ticks held before an arrow repeats
constexpr UInt32 kRepeatEvery = 4;
constexpr short kTitleFont = 0;
constexpr short kTitleSize = 12;
constexpr RGBColor kBlack{0, 0, 0};
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kFace{0xE800, 0xE800, 0xE800};
constexpr RGBColor kTrack{0xD000, 0xD000, 0xD000};
constexpr RGBColor kPressed{0x5000, 0x5000, 0x5000};
constexpr RGBColor kDim{0x9000, 0x9000, 0x9000};
constexpr RGBColor kThumb{0xA8A8, 0xB8B8, 0xD0D0};

std::map<WindowRef, std::vector<std::unique_ptr<OpaqueControlRef>>>& table() {
    static std::map<WindowRef, std::vector<std::unique_ptr<OpaqueControlRef>>> m;
    return m;
}

void forgetWindow(WindowRef w) { table().erase(w); }
const bool gObserving = [] {
    tb::wm::addDisposeObserver(forgetWindow);
    return true;
}();

OpaqueGrafPtr* portOf(ControlRef c) { return c && tb::wm::isLive(c->owner) ? &c->owner->port : nullptr; }

bool vertical(const OpaqueControlRef& c) {
    return (c.bounds.bottom - c.bounds.top) >= (c.bounds.right - c.bounds.left);
}
int length(const OpaqueControlRef& c) {
    return vertical(c) ? c.bounds.bottom - c.bounds.top : c.bounds.right - c.bounds.left;
}
int breadth(const OpaqueControlRef& c) {
    return vertical(c) ? c.bounds.right - c.bounds.left : c.bounds.bottom - c.bounds.top;
}
int start(const OpaqueControlRef& c) { return vertical(c) ? c.bounds.top : c.bounds.left; }

bool activeBar(const OpaqueControlRef& c) {
    return c.hilite != kControlInactivePart && c.maximum > c.minimum && length(c) >= 2 * kArrow + 8;
}
int thumbSize(const OpaqueControlRef& c) { return std::min(breadth(c), std::max(8, (length(c) - 2 * kArrow) / 2)); }
int trackSpan(const OpaqueControlRef& c) { return length(c) - 2 * kArrow - thumbSize(c); }

// The thumb's offset along the bar (from its start) for the control's value.
int thumbAt(const OpaqueControlRef& c) {
    if (c.maximum <= c.minimum) return kArrow;
    long long span = trackSpan(c);
    return kArrow + int(span * (long long)(c.value - c.minimum) / (long long)(c.maximum - c.minimum));
}

// A rectangle across the bar from a to b along it.
Rect along(const OpaqueControlRef& c, int a, int b) {
    const Rect& r = c.bounds;
    int s = start(c);
    if (vertical(c)) return Rect{short(s + a), r.left, short(s + b), r.right};
    return Rect{r.top, short(s + a), r.bottom, short(s + b)};
}

ControlPartCode barPart(const OpaqueControlRef& c, Point pt) {
    int pos = (vertical(c) ? pt.v : pt.h) - start(c);
    int len = length(c);
    if (pos < kArrow) return kControlUpButtonPart;
    if (pos >= len - kArrow) return kControlDownButtonPart;
    if (c.maximum <= c.minimum) return pos < len / 2 ? kControlPageUpPart : kControlPageDownPart;
    int t = thumbAt(c);
    if (pos < t) return kControlPageUpPart;
    if (pos < t + thumbSize(c)) return kControlIndicatorPart;
    return kControlPageDownPart;
}

void drawTitle(OpaqueGrafPtr* port, const OpaqueControlRef& c, int left, int right, RGBColor color) {
    const auto* t = reinterpret_cast<const unsigned char*>(c.title.data());
    int n = int(c.title.size());
    int w = tb::fonts::textWidth(kTitleFont, kTitleSize, 0, t, n);
    int mid = (c.bounds.top + c.bounds.bottom) / 2;
    int x = right > 0 ? left + std::max(0, (right - left - w) / 2) : left;
    tb::qd::drawText(port, x, mid + 4, kTitleFont, kTitleSize, 0, color, t, n);
}

void drawArrow(OpaqueGrafPtr* port, const Rect& box, bool up, bool vert, RGBColor color) {
    int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    for (int i = 0; i < 4; ++i) {
        // A small filled triangle pointing along the bar.
        if (vert) {
            int y = up ? cy - 2 + i : cy + 2 - i;
            tb::qd::fillRect(port, Rect{short(y), short(cx - i), short(y + 1), short(cx + i + 1)}, color);
        } else {
            int x = up ? cx - 2 + i : cx + 2 - i;
            tb::qd::fillRect(port, Rect{short(cy - i), short(x), short(cy + i + 1), short(x + 1)}, color);
        }
    }
}

void drawScrollBar(OpaqueGrafPtr* port, const OpaqueControlRef& c, int thumbTop) {
    const Rect& r = c.bounds;
    tb::qd::fillRect(port, r, activeBar(c) ? kTrack : kWhite);
    tb::qd::frameRect(port, r, kBlack);
    if (!activeBar(c)) return; // inactive: no arrows, no thumb
    int len = length(c);
    Rect up = along(c, 0, kArrow), down = along(c, len - kArrow, len);
    bool v = vertical(c);
    tb::qd::fillRect(port, up, c.hilite == kControlUpButtonPart ? kPressed : kFace);
    tb::qd::fillRect(port, down, c.hilite == kControlDownButtonPart ? kPressed : kFace);
    tb::qd::frameRect(port, up, kBlack);
    tb::qd::frameRect(port, down, kBlack);
    drawArrow(port, up, true, v, c.hilite == kControlUpButtonPart ? kWhite : kBlack);
    drawArrow(port, down, false, v, c.hilite == kControlDownButtonPart ? kWhite : kBlack);
    int t = thumbTop >= 0 ? thumbTop : thumbAt(c);
    Rect thumb = along(c, t, t + thumbSize(c));
    tb::qd::fillRect(port, thumb, kThumb);
    tb::qd::frameRect(port, thumb, kBlack);
}

void drawButton(OpaqueGrafPtr* port, const OpaqueControlRef& c) {
    Rect r = c.bounds;
    bool pressed = c.hilite == kControlButtonPart;
    bool inactive = c.hilite == kControlInactivePart;
    tb::qd::fillRect(port, r, pressed ? kPressed : kFace);
    tb::qd::frameRect(port, r, inactive ? kDim : kBlack);
    if (c.isDefault) {
        // The default button's thick outline, three pixels outside it.
        Rect o = r;
        InsetRect(&o, -4, -4);
        for (int i = 0; i < 3; ++i) {
            tb::qd::frameRect(port, o, inactive ? kDim : kBlack);
            InsetRect(&o, 1, 1);
        }
    }
    drawTitle(port, c, r.left, r.right, pressed ? kWhite : (inactive ? kDim : kBlack));
}

void drawCheck(OpaqueGrafPtr* port, const OpaqueControlRef& c) {
    const Rect& r = c.bounds;
    int mid = (r.top + r.bottom) / 2;
    Rect box{short(mid - 6), short(r.left + 1), short(mid + 6), short(r.left + 13)};
    bool inactive = c.hilite == kControlInactivePart;
    tb::qd::fillRect(port, r, port->backColor);
    tb::qd::fillRect(port, box, c.hilite == kControlCheckBoxPart ? kTrack : kWhite);
    tb::qd::frameRect(port, box, inactive ? kDim : kBlack);
    if (c.value) {
        if (c.kind == OpaqueControlRef::Kind::radio) {
            Rect dot = box;
            InsetRect(&dot, 3, 3);
            tb::qd::fillRect(port, dot, kBlack);
        } else {
            tb::qd::drawLine(port, Point{short(box.top + 2), short(box.left + 2)}, Point{short(box.bottom - 3), short(box.right - 3)}, kBlack);
            tb::qd::drawLine(port, Point{short(box.bottom - 3), short(box.left + 2)}, Point{short(box.top + 2), short(box.right - 3)}, kBlack);
        }
    }
    drawTitle(port, c, r.left + 18, -1, inactive ? kDim : kBlack);
}

void clampValue(OpaqueControlRef& c) {
    if (c.maximum < c.minimum) c.maximum = c.minimum;
    c.value = std::clamp(c.value, c.minimum, c.maximum);
}

void redraw(ControlRef c) {
    if (c->visible) tb::controls::drawControl(c);
}

OpaqueControlRef::Kind kindOf(short procID) {
    switch (procID) {
    case pushButProc: case kControlPushButtonProc: return OpaqueControlRef::Kind::button;
    case checkBoxProc: case kControlCheckBoxProc: return OpaqueControlRef::Kind::checkBox;
    case radioButProc: case kControlRadioButtonProc: return OpaqueControlRef::Kind::radio;
    case scrollBarProc: case kControlScrollBarProc: return OpaqueControlRef::Kind::scrollBar;
    default: return OpaqueControlRef::Kind::custom;
    }
}

Point mouseIn(OpaqueGrafPtr* port) {
    Point m = tb::host() ? tb::host()->mouse() : Point{0, 0};
    return Point{short(m.v - port->origin.v), short(m.h - port->origin.h)};
}

} // namespace

namespace tb::controls {

bool isControl(ControlRef control) {
    if (!control) return false;
    for (auto& [w, list] : table())
        for (auto& c : list)
            if (c.get() == control) return true;
    return false;
}

const std::vector<ControlRef>& controlsOf(WindowRef window) {
    static std::vector<ControlRef> out;
    out.clear();
    auto it = table().find(window);
    if (it != table().end())
        for (auto& c : it->second) out.push_back(c.get());
    return out;
}

void drawControl(ControlRef c, int thumbTop) {
    OpaqueGrafPtr* port = portOf(c);
    if (!port || !c->visible) return;
    switch (c->kind) {
    case OpaqueControlRef::Kind::button: drawButton(port, *c); break;
    case OpaqueControlRef::Kind::checkBox:
    case OpaqueControlRef::Kind::radio: drawCheck(port, *c); break;
    case OpaqueControlRef::Kind::scrollBar: drawScrollBar(port, *c, thumbTop); break;
    case OpaqueControlRef::Kind::custom:
        if (c->draw) c->draw(c);
        break;
    }
    tb::qd::screenChanged();
}

} // namespace tb::controls

using tb::controls::isControl;

ControlRef NewControl(WindowRef owningWindow, const Rect* boundsRect, ConstStr255Param controlTitle,
                      Boolean initiallyVisible, SInt16 initialValue, SInt16 minimumValue,
                      SInt16 maximumValue, SInt16 procID, SInt32 controlReference) {
    (void)gObserving;
    if (!tb::wm::isLive(owningWindow) || !boundsRect) return nullptr;
    auto c = std::make_unique<OpaqueControlRef>();
    c->owner = owningWindow;
    c->bounds = *boundsRect;
    if (c->bounds.right < c->bounds.left) c->bounds.right = c->bounds.left;
    if (c->bounds.bottom < c->bounds.top) c->bounds.bottom = c->bounds.top;
    c->procID = procID;
    c->kind = kindOf(procID);
    if (controlTitle) c->title.assign(reinterpret_cast<const char*>(controlTitle + 1), controlTitle[0]);
    c->visible = initiallyVisible;
    c->minimum = minimumValue;
    c->maximum = maximumValue;
    c->value = initialValue;
    clampValue(*c);
    c->refCon = controlReference;
    ControlRef ref = c.get();
    table()[owningWindow].push_back(std::move(c));
    redraw(ref);
    return ref;
}

void DisposeControl(ControlRef control) {
    for (auto& [w, list] : table())
        for (auto it = list.begin(); it != list.end(); ++it)
            if (it->get() == control) {
                list.erase(it);
                return;
            }
}

void KillControls(WindowRef window) { table().erase(window); }

ControlActionUPP NewControlActionUPP(ControlActionProcPtr proc) { return proc; }
void DisposeControlActionUPP(ControlActionUPP) {}

ControlPartCode TestControl(ControlRef c, Point pt) {
    if (!isControl(c) || !c->visible || c->hilite == kControlInactivePart) return kControlNoPart;
    if (!PtInRect(pt, &c->bounds)) return kControlNoPart;
    switch (c->kind) {
    case OpaqueControlRef::Kind::button: return kControlButtonPart;
    case OpaqueControlRef::Kind::checkBox:
    case OpaqueControlRef::Kind::radio: return kControlCheckBoxPart;
    case OpaqueControlRef::Kind::scrollBar: return activeBar(*c) || c->maximum <= c->minimum ? barPart(*c, pt) : ControlPartCode(kControlNoPart);
    case OpaqueControlRef::Kind::custom: return c->customPart;
    }
    return kControlNoPart;
}

ControlPartCode FindControl(Point pt, WindowRef window, ControlRef* control) {
    if (control) *control = nullptr;
    auto it = table().find(window);
    if (it == table().end()) return kControlNoPart;
    // The last made is drawn on top, so it is found first.
    for (auto c = it->second.rbegin(); c != it->second.rend(); ++c) {
        ControlPartCode part = TestControl(c->get(), pt);
        if (part != kControlNoPart) {
            if (control) *control = c->get();
            return part;
        }
    }
    return kControlNoPart;
}

ControlPartCode TrackControl(ControlRef c, Point startPoint, ControlActionUPP actionProc) {
    OpaqueGrafPtr* port = portOf(c);
    ControlPartCode part = TestControl(c, startPoint);
    if (!port || part == kControlNoPart) {
        tb::events::endTracking();
        return kControlNoPart;
    }
    bool hasAction = actionProc && actionProc != reinterpret_cast<ControlActionUPP>(-1);

    if (part == kControlIndicatorPart && !hasAction) {
        int grab = (vertical(*c) ? startPoint.v : startPoint.h) - start(*c) - thumbAt(*c);
        int top = thumbAt(*c);
        while (tb::events::trackStep()) {
            Point m = mouseIn(port);
            top = std::clamp((vertical(*c) ? m.v : m.h) - start(*c) - grab, kArrow, kArrow + trackSpan(*c));
            tb::controls::drawControl(c, top);
        }
        Point m = mouseIn(port);
        top = std::clamp((vertical(*c) ? m.v : m.h) - start(*c) - grab, kArrow, kArrow + trackSpan(*c));
        int span = std::max(1, trackSpan(*c));
        long long range = (long long)c->maximum - c->minimum;
        c->value = c->minimum + SInt32((range * (top - kArrow) * 2 + span) / (2LL * span));
        clampValue(*c);
        tb::events::endTracking();
        redraw(c);
        return part;
    }

    // Arrows, page areas and buttons: pressed while the mouse is over the part.
    auto inside = [&]() { return TestControl(c, mouseIn(port)) == part; };
    auto hilite = [&](bool on) {
        ControlPartCode want = on ? part : 0;
        if (c->hilite != want) {
            c->hilite = want;
            redraw(c);
        }
    };
    bool repeats = hasAction && c->kind == OpaqueControlRef::Kind::scrollBar;
    hilite(true);
    UInt32 t0 = tb::host() ? tb::host()->ticks() : 0;
    UInt32 calls = 0;
    if (repeats) {
        actionProc(c, part);
        ++calls;
    }
    bool in = true;
    while (tb::events::trackStep()) {
        in = inside();
        hilite(in);
        if (!repeats) {
            if (hasAction) actionProc(c, in ? part : ControlPartCode(kControlNoPart));
            continue;
        }
        if (!in) {
            actionProc(c, kControlNoPart);
            continue;
        }
        // Held: the first repeat comes after a delay, then one every few ticks.
        UInt32 held = (tb::host() ? tb::host()->ticks() : t0) - t0;
        UInt32 due = held < kFirstRepeat ? 1 : 2 + (held - kFirstRepeat) / kRepeatEvery;
        for (int guard = 0; calls < due && guard < 1000; ++guard, ++calls) actionProc(c, part);
    }
    in = inside();
    hilite(false);
    tb::events::endTracking();
    return in ? part : ControlPartCode(kControlNoPart);
}

SInt16 GetControlValue(ControlRef c) { return isControl(c) ? SInt16(std::clamp<SInt32>(c->value, -32768, 32767)) : 0; }
void SetControlValue(ControlRef c, SInt16 value) { SetControl32BitValue(c, value); }
SInt16 GetControlMinimum(ControlRef c) { return isControl(c) ? SInt16(std::clamp<SInt32>(c->minimum, -32768, 32767)) : 0; }
void SetControlMinimum(ControlRef c, SInt16 value) { SetControl32BitMinimum(c, value); }
SInt16 GetControlMaximum(ControlRef c) { return isControl(c) ? SInt16(std::clamp<SInt32>(c->maximum, -32768, 32767)) : 0; }
void SetControlMaximum(ControlRef c, SInt16 value) { SetControl32BitMaximum(c, value); }
SInt32 GetControl32BitValue(ControlRef c) { return isControl(c) ? c->value : 0; }
SInt32 GetControl32BitMinimum(ControlRef c) { return isControl(c) ? c->minimum : 0; }
SInt32 GetControl32BitMaximum(ControlRef c) { return isControl(c) ? c->maximum : 0; }

void SetControl32BitValue(ControlRef c, SInt32 value) {
    if (!isControl(c)) return;
    SInt32 old = c->value;
    c->value = value;
    clampValue(*c);
    if (c->value != old) redraw(c);
}

void SetControl32BitMinimum(ControlRef c, SInt32 value) {
    if (!isControl(c)) return;
    c->minimum = value;
    if (c->maximum < value) c->maximum = value;
    clampValue(*c);
    redraw(c);
}

void SetControl32BitMaximum(ControlRef c, SInt32 value) {
    if (!isControl(c)) return;
    c->maximum = std::max(value, c->minimum);
    clampValue(*c);
    redraw(c);
}

SInt32 GetControlViewSize(ControlRef c) { return isControl(c) ? c->viewSize : 0; }
void SetControlViewSize(ControlRef c, SInt32 viewSize) {
    if (isControl(c)) c->viewSize = std::max<SInt32>(0, viewSize);
}

void MoveControl(ControlRef c, SInt16 h, SInt16 v) {
    if (!isControl(c)) return;
    OffsetRect(&c->bounds, short(h - c->bounds.left), short(v - c->bounds.top));
    redraw(c);
}

void SizeControl(ControlRef c, SInt16 w, SInt16 h) {
    if (!isControl(c)) return;
    c->bounds.right = short(c->bounds.left + std::max<SInt16>(0, w));
    c->bounds.bottom = short(c->bounds.top + std::max<SInt16>(0, h));
    redraw(c);
}

Rect* GetControlBounds(ControlRef c, Rect* bounds) {
    if (!bounds) return nullptr;
    *bounds = isControl(c) ? c->bounds : Rect{0, 0, 0, 0};
    return bounds;
}

void SetControlBounds(ControlRef c, const Rect* bounds) {
    if (!isControl(c) || !bounds) return;
    c->bounds = *bounds;
    redraw(c);
}

void ShowControl(ControlRef c) {
    if (!isControl(c) || c->visible) return;
    c->visible = true;
    redraw(c);
}

void HideControl(ControlRef c) {
    if (!isControl(c) || !c->visible) return;
    c->visible = false;
    if (OpaqueGrafPtr* port = portOf(c)) {
        tb::qd::fillRect(port, c->bounds, port->backColor);
        if (c->isDefault) {
            Rect o = c->bounds;
            InsetRect(&o, -4, -4);
            tb::qd::fillRect(port, o, port->backColor);
        }
    }
}

Boolean IsControlVisible(ControlRef c) { return isControl(c) && c->visible; }

void HiliteControl(ControlRef c, ControlPartCode hiliteState) {
    if (!isControl(c) || c->hilite == hiliteState) return;
    c->hilite = hiliteState;
    redraw(c);
}

Boolean IsControlActive(ControlRef c) { return isControl(c) && c->hilite != kControlInactivePart; }
OSErr ActivateControl(ControlRef c) {
    HiliteControl(c, 0);
    return isControl(c) ? noErr : paramErr;
}
OSErr DeactivateControl(ControlRef c) {
    HiliteControl(c, kControlInactivePart);
    return isControl(c) ? noErr : paramErr;
}

void DrawControls(WindowRef window) {
    for (ControlRef c : tb::controls::controlsOf(window)) tb::controls::drawControl(c);
}

void Draw1Control(ControlRef c) {
    if (isControl(c)) tb::controls::drawControl(c);
}

void SetControlTitle(ControlRef c, ConstStr255Param title) {
    if (!isControl(c) || !title) return;
    c->title.assign(reinterpret_cast<const char*>(title + 1), title[0]);
    redraw(c);
}

void GetControlTitle(ControlRef c, Str255 title) {
    if (!title) return;
    title[0] = 0;
    if (!isControl(c)) return;
    std::size_t n = std::min<std::size_t>(c->title.size(), 255);
    title[0] = UInt8(n);
    std::memcpy(title + 1, c->title.data(), n);
}

OSStatus SetControlID(ControlRef c, const ControlID* inID) {
    if (!isControl(c) || !inID) return paramErr;
    c->id = *inID;
    return noErr;
}

OSStatus GetControlID(ControlRef c, ControlID* outID) {
    if (!isControl(c) || !outID) return paramErr;
    *outID = c->id;
    return noErr;
}

SInt32 GetControlReference(ControlRef c) { return isControl(c) ? c->refCon : 0; }
void SetControlReference(ControlRef c, SInt32 data) {
    if (isControl(c)) c->refCon = data;
}
WindowRef GetControlOwner(ControlRef c) { return isControl(c) ? c->owner : nullptr; }
