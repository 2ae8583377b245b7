// What WaitNextEvent produces, in which order, and the live key, mouse and clock state.
#include "HeadlessFixture.h"

#include "tb/Host.h"

namespace {

using EventsTest = HeadlessTest;


TEST_F(EventsTest, UpdatesComeFrontToBackAndStopAfterValidation) {
    WindowRef back = makeWindow(10, 50, 300, 300, "back");
    WindowRef front = makeWindow(100, 100, 400, 400, "front");
    std::vector<EventRecord> first = only(drain(), updateEvt);
    // Shown windows need drawing: front first.
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(windowOf(first[0]), front);
    EXPECT_EQ(windowOf(first[1]), back);
    EXPECT_TRUE(only(drain(), updateEvt).empty()) << "BeginUpdate took the regions";

    // Until BeginUpdate, the same update comes again.
    Rect all{0, 0, 500, 500};
    InvalWindowRect(back, &all);
    EventRecord e1, e2;
    ASSERT_TRUE(WaitNextEvent(updateMask, &e1, 0, nullptr));
    ASSERT_TRUE(WaitNextEvent(updateMask, &e2, 0, nullptr));
    EXPECT_EQ(windowOf(e1), back);
    EXPECT_EQ(windowOf(e2), back);
    BeginUpdate(back);
    EndUpdate(back);

    Rect part{10, 10, 20, 20};
    InvalWindowRect(back, &part);
    InvalWindowRect(front, &part);
    std::vector<EventRecord> again = only(drain(), updateEvt);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(windowOf(again[0]), front);

    ValidWindowRect(front, &part);
    Rect wider{0, 0, 30, 30};
    ValidWindowRect(back, &wider);
    EXPECT_TRUE(only(drain(), updateEvt).empty());

    // Validating part of an invalid area leaves the rest to update.
    Rect big{0, 0, 100, 100}, half{0, 0, 100, 50};
    InvalWindowRect(front, &big);
    ValidWindowRect(front, &half);
    std::vector<EventRecord> rest = only(drain(), updateEvt);
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(windowOf(rest[0]), front);

    // A hidden window gets no update until it is shown.
    HideWindow(back);
    InvalWindowRect(back, &part);
    EXPECT_TRUE(only(drain(), updateEvt).empty());
}

TEST_F(EventsTest, ChangingTheFrontWindowDeactivatesThenActivates) {
    WindowRef a = makeWindow(10, 50, 300, 300, "a");
    auto activations = [&] {
        std::vector<std::pair<WindowRef, bool>> v;
        for (const EventRecord& e : only(drain(activMask), activateEvt))
            v.emplace_back(windowOf(e), (e.modifiers & activeFlag) != 0);
        return v;
    };
    using Pairs = std::vector<std::pair<WindowRef, bool>>;
    EXPECT_EQ(activations(), (Pairs{{a, true}}));
    EXPECT_EQ(activations(), Pairs{}) << "nothing changed, nothing to say";

    WindowRef b = makeWindow(100, 100, 400, 400, "b");
    EXPECT_EQ(activations(), (Pairs{{a, false}, {b, true}}));
    SelectWindow(a);
    EXPECT_EQ(activations(), (Pairs{{b, false}, {a, true}}));
    HideWindow(a);
    EXPECT_EQ(activations(), (Pairs{{a, false}, {b, true}}));
    // A disposed window gets no deactivate: it is gone.
    DisposeWindow(b);
    EXPECT_EQ(activations(), Pairs{});
    ShowWindow(a);
    EXPECT_EQ(activations(), (Pairs{{a, true}}));
}

TEST_F(EventsTest, QueuedInputComesBeforeActivateAndUpdate) {
    script("key x\n");
    host->pump(tb::PumpMode::idle, 0); // the press is queued before the window exists
    EventRecord e;
    WindowRef w = makeWindow(10, 50, 300, 300);
    ASSERT_TRUE(WaitNextEvent(everyEvent, &e, 0, nullptr));
    EXPECT_EQ(e.what, keyDown);
    ASSERT_TRUE(WaitNextEvent(everyEvent, &e, 0, nullptr));
    EXPECT_EQ(e.what, activateEvt);
    ASSERT_TRUE(WaitNextEvent(everyEvent, &e, 0, nullptr));
    EXPECT_EQ(e.what, updateEvt);
    EXPECT_EQ(windowOf(e), w);
}

TEST_F(EventsTest, MouseMovedOnlyOutsideTheRegion) {
    RgnHandle rgn = NewRgn();
    SetRectRgn(rgn, 100, 100, 200, 200);
    auto moved = [&](const std::string& line) {
        script(line + "\n");
        return only(drain(everyEvent, rgn), osEvt);
    };
    moved("move 150 150");
    EXPECT_TRUE(moved("move 160 160").empty());
    std::vector<EventRecord> out = moved("move 250 150");
    ASSERT_EQ(out.size(), 1u) << "reported once, not on every call";
    EXPECT_EQ(out[0].message >> 24, mouseMovedMessage);
    EXPECT_EQ(out[0].where.h, 250);
    EXPECT_TRUE(moved("move 199 199").empty()) << "the last pixel inside";
    EXPECT_EQ(moved("move 200 199").size(), 1u) << "right and bottom edges are outside";

    // A region with a hole: DiffRgn must leave the hole outside.
    RgnHandle hole = NewRgn();
    SetRectRgn(hole, 140, 140, 160, 160);
    DiffRgn(rgn, hole, rgn);
    EXPECT_EQ(only(drain(everyEvent, rgn), osEvt).size(), 1u) << "a new region is a new question";
    EXPECT_TRUE(moved("move 120 150").empty());
    EXPECT_EQ(moved("move 150 150").size(), 1u);
    DisposeRgn(hole);
    // No region, no mouse-moved events.
    script("move 900 900\n");
    EXPECT_TRUE(only(drain(everyEvent, nullptr), osEvt).empty());
    DisposeRgn(rgn);
}

TEST_F(EventsTest, KeysCarryCharacterCodeAndModifiers) {
    struct Case {
        const char* line;
        unsigned char ch;
        int code;
        EventModifiers mods;
    } cases[] = {
        {"key a", 'a', 0, 0},
        {"key A", 'A', 0, shiftKey},
        {"key q cmd", 'q', 12, cmdKey},
        {"key . cmd", '.', 47, cmdKey},
        {"key return", 13, 36, 0},
        {"key enter", 3, 76, 0},
        {"key escape", 27, 53, 0},
        {"key tab", 9, 48, 0},
        {"key backspace", 8, 51, 0},
        {"key delete", 127, 117, 0},
        {"key left", 28, 123, 0},
        {"key right", 29, 124, 0},
        {"key up shift option", 30, 126, shiftKey | optionKey},
        {"key down control", 31, 125, controlKey},
        {"key space", ' ', 49, 0},
        {"key \"\\\"\"", '"', 39, shiftKey},
    };
    for (const Case& c : cases) {
        script(std::string(c.line) + "\n");
        std::vector<EventRecord> all = drain(keyDownMask | keyUpMask);
        ASSERT_EQ(all.size(), 2u) << c.line;
        EXPECT_EQ(all[0].what, keyDown);
        EXPECT_EQ(all[1].what, keyUp);
        EXPECT_EQ(all[0].message & charCodeMask, c.ch) << c.line;
        EXPECT_EQ((all[0].message & keyCodeMask) >> 8, unsigned(c.code)) << c.line;
        EXPECT_EQ(all[0].modifiers & (cmdKey | shiftKey | optionKey | controlKey), c.mods) << c.line;
    }
    // type sends one press per character, shifted where the character needs it.
    script("type Hi!\n");
    std::vector<EventRecord> typed = only(drain(), keyDown);
    ASSERT_EQ(typed.size(), 3u);
    EXPECT_EQ(typed[0].message & charCodeMask, 'H');
    EXPECT_EQ(typed[2].message & charCodeMask, '!');
    EXPECT_TRUE(typed[2].modifiers & shiftKey);
}

bool isDown(const KeyMap map, int code) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(map);
    return (bytes[code / 8] >> (code % 8)) & 1;
}

TEST_F(EventsTest, HeldKeysShowInTheKeyMapWithoutEvents) {
    KeyMap map;
    script("hold cmd period\n");
    std::vector<EventRecord> events = drain();
    EXPECT_TRUE(only(events, keyDown).empty());
    GetKeys(map);
    EXPECT_TRUE(isDown(map, 55));
    EXPECT_TRUE(isDown(map, 47));
    EXPECT_FALSE(isDown(map, 56));
    // A click meanwhile carries the held Command key.
    script("click 500 500\n");
    std::vector<EventRecord> clicks = only(drain(), mouseDown);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_TRUE(clicks[0].modifiers & cmdKey);
    EXPECT_FALSE(clicks[0].modifiers & btnState) << "the button is down";

    script("release period\n");
    drain();
    GetKeys(map);
    EXPECT_TRUE(isDown(map, 55));
    EXPECT_FALSE(isDown(map, 47));
    script("release cmd\n");
    drain();
    GetKeys(map);
    for (int k = 0; k < 128; ++k) EXPECT_FALSE(isDown(map, k)) << k;
}

TEST_F(EventsTest, ClockMovesOnlyByDelayAndWait) {
    UInt32 t0 = TickCount();
    drain();
    EXPECT_EQ(TickCount(), t0);
    UInt32 final = 0;
    Delay(30, &final);
    EXPECT_EQ(final, t0 + 30);
    EXPECT_EQ(TickCount(), t0 + 30);
    script("wait 600\n");
    drain();
    EXPECT_EQ(TickCount(), t0 + 630);
    Delay(0, &final);
    EXPECT_EQ(final, t0 + 630);
}

TEST_F(EventsTest, FlushEventsStopsAtTheStopMask) {
    script("key a\nclick 10 500\nkey b\n");
    // Queue everything without taking it.
    while (!host->scriptDone()) host->pump(tb::PumpMode::idle, 0);
    FlushEvents(keyDownMask | keyUpMask, mDownMask);
    std::vector<EventRecord> left = drain();
    ASSERT_EQ(left.size(), 4u);
    EXPECT_EQ(left[0].what, mouseDown);
    EXPECT_EQ(left[1].what, mouseUp);
    EXPECT_EQ(left[2].message & charCodeMask, 'b');
}

TEST_F(EventsTest, TrackMouseLocationReportsDragsAndTheRelease) {
    WindowRef w = makeWindow(100, 100, 400, 400);
    SetPortWindowPort(w);
    press(150, 150);
    script("move 160 170\nhold shift\nup 160 170\n");
    std::vector<std::pair<MouseTrackingResult, Point>> seen;
    for (int i = 0; i < 10; ++i) {
        Point p;
        MouseTrackingResult r;
        TrackMouseLocation(nullptr, &p, &r);
        seen.emplace_back(r, p);
        if (r == kMouseTrackingMouseUp) break;
    }
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[seen.size() - 3].first, kMouseTrackingMouseDragged);
    EXPECT_EQ(seen[seen.size() - 3].second.h, 60) << "local to the port";
    EXPECT_EQ(seen[seen.size() - 3].second.v, 70);
    EXPECT_EQ(seen[seen.size() - 2].first, kMouseTrackingKeyModifiersChanged);
    EXPECT_EQ(seen.back().first, kMouseTrackingMouseUp);
    EXPECT_FALSE(EventAvail(mUpMask, nullptr)) << "the release was taken by the tracking";

    // Out of script: tracking ends as a release instead of waiting.
    Point p;
    MouseTrackingResult r = 0;
    TrackMouseLocation(nullptr, &p, &r);
    EXPECT_EQ(r, kMouseTrackingMouseUp);
}

TEST_F(EventsTest, ButtonAndStillDownFollowTheScript) {
    script("down 10 500\nup 10 500\n");
    EXPECT_TRUE(Button());
    EXPECT_TRUE(EventAvail(mDownMask, nullptr)) << "Button leaves the press queued";
    EXPECT_FALSE(StillDown()) << "the release is queued now";
    EXPECT_FALSE(WaitMouseUp());
    EXPECT_FALSE(EventAvail(mUpMask, nullptr));
    Point local;
    GetMouse(&local);
    EXPECT_EQ(local.h, 10) << "no current port: global";
}

} // namespace
