// The record behind a window and the window list, shared by the Window Manager's files.
#pragma once

#include "QuickDraw/Port.h"
#include "QuickDraw/Region.h"

#include "tb/Windows.h"

#include <string>
#include <vector>

namespace tb::wm {

// What a window definition gives a frame.
struct Features {
    bool titleBar = true;
    bool closeBox = true; // only when the window also asked for a go-away box
    bool zoomBox = false;
    bool growBox = true;
    int border = 1; // frame thickness around the content on the sides without a title bar
};

Features featuresOf(short procID, bool goAway);

constexpr int kTitleBarHeight = 20; // rows above the content, top border and separator included
constexpr int kMenuBarHeight = 22;
constexpr int kGrowBoxSize = 15;
constexpr int kMaxOrigin = 16000;

} // namespace tb::wm

struct OpaqueWindowPtr {
    OpaqueGrafPtr port; // the content; port.origin is the content's global top-left
    short procID = documentProc;
    tb::wm::Features features;
    bool visible = false;
    bool hilited = false;
    long refCon = 0;
    short windowKind = userKind;
    std::string title; // MacRoman, at most 255 bytes
    OpaqueRgnHandle updateRgn; // local coordinates
    Rect userState{0, 0, 0, 0}; // global content rectangle to zoom back in to

    // Origins stay within +-16000 and sizes within 4096, so this and the frame around it
    // fit in 16 bits.
    Rect contentGlobal() const {
        return Rect{port.origin.v, port.origin.h, SInt16(port.origin.v + port.height),
                    SInt16(port.origin.h + port.width)};
    }
};

namespace tb::wm {

// Front to back, visible or not.
std::vector<WindowRef>& windowList();
bool isLive(WindowRef window);

Rect structureRect(WindowRef w);  // global
Rect titleBarRect(WindowRef w);   // global; empty without a title bar
Rect closeBoxRect(WindowRef w);   // global; empty without one
Rect zoomBoxRect(WindowRef w);    // global; empty without one
Rect growBoxRect(WindowRef w);    // global; empty without one
Rect standardState(WindowRef w);  // global content rectangle of the zoomed-out state

// Draws the window's frame onto the screen port, active or inactive.
void drawFrame(OpaqueGrafPtr* screen, WindowRef w, bool active, short pressedPart);
void drawGrowIcon(OpaqueGrafPtr* port, const Rect& box, bool active);

// The part being held down inside a tracking loop, drawn pressed; 0 for none.
void setPressed(WindowRef w, short part);

} // namespace tb::wm
