// The Event Manager: the event queue, WaitNextEvent, the mouse, the key map and the clock.
#pragma once

#include "tb/EventTypes.h"
#include "tb/Types.h"

enum : EventMask {
    mDownMask = 1 << mouseDown,
    mUpMask = 1 << mouseUp,
    keyDownMask = 1 << keyDown,
    keyUpMask = 1 << keyUp,
    autoKeyMask = 1 << autoKey,
    updateMask = 1 << updateEvt,
    diskMask = 1 << diskEvt,
    activMask = 1 << activateEvt,
    highLevelEventMask = 0x0400,
    osMask = 0x8000,
};

// The next event: queued input first; with the queue empty, activate events, then update
// events front to back, then a mouse-moved event when the mouse is outside mouseRgn (global;
// nullptr for none); only then the host is asked for input. False with a null event.
Boolean WaitNextEvent(EventMask mask, EventRecord* event, UInt32 sleep, RgnHandle mouseRgn);
Boolean GetNextEvent(EventMask mask, EventRecord* event);
// The event WaitNextEvent would return, left in place (queued events only).
Boolean EventAvail(EventMask mask, EventRecord* event);
// Removes queued events in whichMask up to the first one in stopMask.
void FlushEvents(EventMask whichMask, EventMask stopMask);

// 128 bits, one a virtual key code: code k is bit k % 8 of byte k / 8.
typedef UInt32 KeyMap[4];
typedef UInt8 KeyMapByteArray[16];
void GetKeys(KeyMap keys);

Boolean Button();
// True while the button is down and no mouse-up is waiting.
Boolean StillDown();
// Like StillDown, but takes the mouse-up out of the queue when the button is up.
Boolean WaitMouseUp();
// The mouse in the current port's local coordinates.
void GetMouse(Point* where);

UInt32 TickCount();
void Delay(UInt32 ticks, UInt32* finalTicks);

typedef UInt16 MouseTrackingResult;
enum : MouseTrackingResult {
    kMouseTrackingMouseDown = 1,
    kMouseTrackingMouseUp = 2,
    kMouseTrackingMouseExited = 3,
    kMouseTrackingMouseEntered = 4,
    kMouseTrackingMouseDragged = 5,
    kMouseTrackingKeyModifiersChanged = 6,
    kMouseTrackingUserCancelled = 7,
    kMouseTrackingTimedOut = 8,
    kMouseTrackingMouseMoved = 9,
};
// Waits for the next change of the mouse or the modifier keys; outPt is local to `port`
// (the current port when nullptr).
OSStatus TrackMouseLocation(GrafPtr port, Point* outPt, MouseTrackingResult* result);
