// The Event Manager's queue and the steps of modal loops, for the other managers.
#pragma once

#include "tb/EventTypes.h"

namespace tb::events {

// Drops queued events about a window that is going away.
void forgetWindow(WindowRef window);
// An event of `what` stamped with the clock, the mouse and the modifiers now.
EventRecord makeEvent(EventKind what, unsigned long message);
EventModifiers modifiersNow();
// Takes the first queued event in mask; false when none.
bool take(EventMask mask, EventRecord* event);
bool pending(EventMask mask);

// One step of a loop that tracks the pressed mouse: presents the screen and takes host
// input. False once the button is up or no input can come any more.
bool trackStep();
// Called when such a loop ends: the release it saw is consumed, not left to the program.
void endTracking();

} // namespace tb::events
