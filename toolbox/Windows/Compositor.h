// The screen image: desktop, windows back to front and the menu bar, handed to the host.
#pragma once

#include "QuickDraw/Port.h"

#include <cstdint>
#include <vector>

namespace tb::screen {

// Paints onto the composed screen after the windows (the menu bar, an open menu).
using Painter = void (*)(OpaqueGrafPtr* screen);
void setMenuBarPainter(Painter painter);
void setOverlayPainter(Painter painter);

// A tracking outline (dragged or grown frame) drawn over everything; nullptr for none.
void setOutline(const Rect* globalRect);

// Composes now (syncing every visible GL port first) and returns the screen port.
OpaqueGrafPtr* compose();
// Composes and presents when anything changed since the last present (or `force`).
void present(bool force = false);
// Present at most a few times a second by the host clock; for long computations that poll.
void presentThrottled();

} // namespace tb::screen
