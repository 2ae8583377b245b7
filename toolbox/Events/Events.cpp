#include "Events/EventQueue.h"

#include "Windows/Compositor.h"
#include "Windows/WindowRecord.h"

#include "tb/Events.h"
#include "tb/Host.h"
#include "tb/QuickDraw.h"
#include "tb/Windows.h"

#include <algorithm>
#include <cstring>
#include <deque>

namespace tb::events {
namespace {
std::deque<EventRecord> gQueue;
WindowRef gActive = nullptr; // the window that last got an activate event

// The last mouse-moved report, so a mouse resting outside the region is reported once
// per position and region, not on every call.
bool gMovedReported = false;
Point gMovedAt{0, 0};
std::vector<Rect> gMovedRgn;

// TrackMouseLocation's view of the last state it reported.
bool gTrackKnown = false;
Point gTrackAt{0, 0};
bool gTrackButton = false;
EventModifiers gTrackMods = 0;

bool inMask(EventMask mask, EventKind what) {
    if (what == kHighLevelEvent) return mask & highLevelEventMask;
    return what < 16 && (mask & (1u << what));
}

Host* h() { return host(); }
} // namespace

EventModifiers modifiersNow() {
    EventModifiers m = h() ? h()->modifiers() : 0;
    m &= EventModifiers(cmdKey | shiftKey | alphaLock | optionKey | controlKey);
    if (!(h() && h()->button())) m |= btnState; // the classic bit is set while the button is up
    return m;
}

EventRecord makeEvent(EventKind what, unsigned long message) {
    EventRecord e{};
    e.what = what;
    e.message = message;
    e.when = h() ? h()->ticks() : 0;
    e.where = h() ? h()->mouse() : Point{0, 0};
    e.modifiers = modifiersNow();
    return e;
}

void forgetWindow(WindowRef window) {
    unsigned long msg = reinterpret_cast<unsigned long>(window);
    gQueue.erase(std::remove_if(gQueue.begin(), gQueue.end(),
                                [&](const EventRecord& e) {
                                    return (e.what == updateEvt || e.what == activateEvt) && e.message == msg;
                                }),
                 gQueue.end());
    if (gActive == window) gActive = nullptr;
}

bool take(EventMask mask, EventRecord* event) {
    for (auto it = gQueue.begin(); it != gQueue.end(); ++it) {
        if (!inMask(mask, it->what)) continue;
        if (event) *event = *it;
        gQueue.erase(it);
        return true;
    }
    return false;
}

bool pending(EventMask mask) {
    return std::any_of(gQueue.begin(), gQueue.end(), [&](const EventRecord& e) { return inMask(mask, e.what); });
}

bool trackStep() {
    screen::present();
    if (!h()) return false;
    h()->pump(PumpMode::tracking, 0);
    return h()->button() && !pending(mUpMask) && !h()->inputEnded();
}

void endTracking() {
    take(mUpMask, nullptr);
    screen::present();
}

namespace {
// Activate events from a change of the front window: the deactivate comes first.
bool activateEvent(EventMask mask, EventRecord* event) {
    if (!(mask & activMask)) return false;
    WindowRef front = FrontWindow();
    if (gActive == front) return false;
    EventRecord e;
    if (gActive) {
        e = makeEvent(activateEvt, reinterpret_cast<unsigned long>(gActive));
        e.modifiers &= EventModifiers(~activeFlag);
        gActive = nullptr;
    } else {
        e = makeEvent(activateEvt, reinterpret_cast<unsigned long>(front));
        e.modifiers |= activeFlag;
        gActive = front;
    }
    if (event) *event = e;
    screen::present();
    return true;
}

bool updateEvent(EventMask mask, EventRecord* event) {
    if (!(mask & updateMask)) return false;
    for (WindowRef w : wm::windowList()) {
        if (!w->visible || w->updateRgn.rects.empty()) continue;
        if (event) *event = makeEvent(updateEvt, reinterpret_cast<unsigned long>(w));
        return true;
    }
    return false;
}

bool mouseMovedEvent(EventMask mask, EventRecord* event, RgnHandle mouseRgn) {
    if (!(mask & osMask) || !mouseRgn || !h()) return false;
    Point at = h()->mouse();
    if (PtInRgn(at, mouseRgn)) {
        gMovedReported = false;
        return false;
    }
    if (gMovedReported && at.h == gMovedAt.h && at.v == gMovedAt.v &&
        gMovedRgn.size() == mouseRgn->rects.size() &&
        std::equal(gMovedRgn.begin(), gMovedRgn.end(), mouseRgn->rects.begin(),
                   [](const Rect& a, const Rect& b) { return EqualRect(&a, &b); }))
        return false;
    gMovedReported = true;
    gMovedAt = at;
    gMovedRgn = mouseRgn->rects;
    if (event) *event = makeEvent(osEvt, UInt32(mouseMovedMessage) << 24);
    return true;
}
} // namespace

} // namespace tb::events

using namespace tb::events;

void tb::postEvent(const EventRecord& event) {
    EventRecord e = event;
    if (e.when == 0 && tb::host()) e.when = tb::host()->ticks();
    gQueue.push_back(e);
}

Boolean WaitNextEvent(EventMask mask, EventRecord* event, UInt32 sleep, RgnHandle mouseRgn) {
    EventRecord scratch;
    if (!event) event = &scratch;
    tb::screen::present();
    if (take(mask, event)) return true;
    if (activateEvent(mask, event) || updateEvent(mask, event) || mouseMovedEvent(mask, event, mouseRgn))
        return true;
    if (tb::host()) tb::host()->pump(tb::PumpMode::idle, sleep);
    if (take(mask, event)) return true;
    *event = makeEvent(nullEvent, 0);
    return false;
}

Boolean GetNextEvent(EventMask mask, EventRecord* event) { return WaitNextEvent(mask, event, 0, nullptr); }

Boolean EventAvail(EventMask mask, EventRecord* event) {
    for (const EventRecord& e : gQueue)
        if (inMask(mask, e.what)) {
            if (event) *event = e;
            return true;
        }
    if (event) *event = makeEvent(nullEvent, 0);
    return false;
}

void FlushEvents(EventMask whichMask, EventMask stopMask) {
    auto in = [](EventMask m, EventKind k) { return inMask(m, k); };
    std::deque<EventRecord> kept;
    bool stopped = false;
    for (const EventRecord& e : gQueue) {
        if (!stopped && in(stopMask, e.what)) stopped = true;
        if (stopped || !in(whichMask, e.what)) kept.push_back(e);
    }
    gQueue.swap(kept);
}

void GetKeys(KeyMap keys) {
    if (!keys) return;
    std::uint8_t map[16] = {};
    if (tb::host()) {
        tb::host()->pump(tb::PumpMode::poll, 0);
        tb::host()->keyMap(map);
    }
    std::memcpy(keys, map, 16);
    // Long computations poll the keys; let what they draw show meanwhile.
    tb::screen::presentThrottled();
}

Boolean Button() {
    if (!tb::host()) return false;
    tb::screen::present();
    tb::host()->pump(tb::PumpMode::tracking, 0);
    return tb::host()->button();
}

Boolean StillDown() {
    if (!tb::host()) return false;
    tb::screen::present();
    tb::host()->pump(tb::PumpMode::tracking, 0);
    return tb::host()->button() && !pending(mUpMask) && !tb::host()->inputEnded();
}

Boolean WaitMouseUp() {
    if (StillDown()) return true;
    take(mUpMask, nullptr);
    return false;
}

void GetMouse(Point* where) {
    if (!where) return;
    if (tb::host()) tb::host()->pump(tb::PumpMode::poll, 0);
    *where = tb::host() ? tb::host()->mouse() : Point{0, 0};
    GlobalToLocal(where);
}

UInt32 TickCount() { return tb::host() ? tb::host()->ticks() : 0; }

void Delay(UInt32 ticks, UInt32* finalTicks) {
    if (tb::host()) {
        tb::screen::present();
        tb::host()->delay(ticks);
    }
    if (finalTicks) *finalTicks = TickCount();
}

OSStatus TrackMouseLocation(GrafPtr port, Point* outPt, MouseTrackingResult* result) {
    tb::Host* h = tb::host();
    if (!h) return paramErr;
    if (!port) GetPort(&port);
    auto finish = [&](Point global, MouseTrackingResult r) {
        gTrackKnown = true;
        gTrackAt = global;
        gTrackButton = r == kMouseTrackingMouseDown || r == kMouseTrackingMouseDragged ||
                       (r != kMouseTrackingMouseUp && h->button());
        gTrackMods = h->modifiers();
        if (outPt) {
            *outPt = global;
            if (port) {
                outPt->h = SInt16(outPt->h - port->origin.h);
                outPt->v = SInt16(outPt->v - port->origin.v);
            }
        }
        if (result) *result = r;
        return noErr;
    };
    if (!gTrackKnown) {
        gTrackAt = h->mouse();
        gTrackButton = h->button();
        gTrackMods = h->modifiers();
        gTrackKnown = true;
    }
    for (;;) {
        EventRecord e;
        // Presses and releases already queued are reported, and consumed, in order.
        if (take(mDownMask | mUpMask, &e))
            return finish(e.where, e.what == mouseDown ? kMouseTrackingMouseDown : kMouseTrackingMouseUp);
        Point at = h->mouse();
        bool down = h->button();
        EventModifiers mods = h->modifiers();
        if (mods != gTrackMods) return finish(at, kMouseTrackingKeyModifiersChanged);
        if (down != gTrackButton) return finish(at, down ? kMouseTrackingMouseDown : kMouseTrackingMouseUp);
        if (at.h != gTrackAt.h || at.v != gTrackAt.v)
            return finish(at, down ? kMouseTrackingMouseDragged : kMouseTrackingMouseMoved);
        if (h->inputEnded()) return finish(at, kMouseTrackingMouseUp);
        tb::screen::present();
        h->pump(tb::PumpMode::tracking, 1);
    }
}
