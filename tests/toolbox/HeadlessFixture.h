// A fresh headless screen for each toolbox test, driven by script lines.
#pragma once

#include "Windows/WindowRecord.h"
#include "host/headless/HeadlessHost.h"

#include "tb/Events.h"
#include "tb/QuickDraw.h"
#include "tb/Windows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        host = std::make_unique<tb::headless::HeadlessHost>(1280, 1024, out, err);
        host->setQuitAtEnd(false);
        tb::setHost(host.get());
    }

    void TearDown() override {
        while (WindowRef w = lastWindow()) DisposeWindow(w);
        FlushEvents(everyEvent, 0);
        EventRecord e;
        while (WaitNextEvent(everyEvent, &e, 0, nullptr)) {
        }
        SetPort(nullptr);
        tb::setHost(nullptr);
    }

    static WindowRef lastWindow() {
        auto& list = tb::wm::windowList();
        return list.empty() ? nullptr : list.back();
    }

    WindowRef makeWindow(short left, short top, short right, short bottom, const char* title = "W",
                         short procID = zoomDocProc, bool visible = true) {
        Rect r{top, left, bottom, right};
        Str255 t;
        t[0] = static_cast<unsigned char>(std::strlen(title));
        std::memcpy(t + 1, title, t[0]);
        return NewCWindow(nullptr, &r, t, visible, procID, kFirstWindowOfClass, true, 0);
    }

    void script(const std::string& text) { host->addScript(text); }

    // The button goes down at (h, v) and the program takes the mouse-down, as a
    // dispatcher does before it calls a tracking operation.
    EventRecord press(short h, short v) {
        script("down " + std::to_string(h) + " " + std::to_string(v) + "\n");
        EventRecord e{};
        for (int guard = 0; guard < 100; ++guard)
            if (WaitNextEvent(mDownMask, &e, 0, nullptr)) break;
        return e;
    }

    // Every event up to the point where the program would be idle with nothing left to read.
    std::vector<EventRecord> drain(EventMask mask = everyEvent, RgnHandle mouseRgn = nullptr) {
        std::vector<EventRecord> events;
        int idle = 0;
        for (int guard = 0; guard < 10000 && idle < 2; ++guard) {
            EventRecord e;
            if (WaitNextEvent(mask, &e, 0, mouseRgn)) {
                events.push_back(e);
                idle = 0;
                // Handled as a program does, or it would come again and again.
                if (e.what == updateEvt) {
                    BeginUpdate(windowOf(e));
                    EndUpdate(windowOf(e));
                }
            } else if (host->scriptDone()) {
                ++idle;
            }
        }
        return events;
    }

    // Events of one kind, in order, for one window (or any when window is null).
    static std::vector<EventRecord> only(const std::vector<EventRecord>& all, EventKind what) {
        std::vector<EventRecord> out;
        for (const EventRecord& e : all)
            if (e.what == what) out.push_back(e);
        return out;
    }

    static WindowRef windowOf(const EventRecord& e) { return reinterpret_cast<WindowRef>(e.message); }

    std::ostringstream out, err;
    std::unique_ptr<tb::headless::HeadlessHost> host;
};
