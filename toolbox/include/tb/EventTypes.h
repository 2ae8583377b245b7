// The event record and its constants, shared by every manager that makes or reads events.
#pragma once

#include "tb/Types.h"

typedef UInt16 EventKind;
typedef UInt16 EventModifiers;
typedef UInt16 EventMask;

struct EventRecord {
    EventKind what;
    unsigned long message; // wide enough for a window's address (update and activate events)
    UInt32 when;
    Point where;
    EventModifiers modifiers;
};

enum : EventKind {
    nullEvent = 0,
    mouseDown = 1,
    mouseUp = 2,
    keyDown = 3,
    keyUp = 4,
    autoKey = 5,
    updateEvt = 6,
    diskEvt = 7,
    activateEvt = 8,
    osEvt = 15,
    kHighLevelEvent = 23,
};

enum : EventMask { everyEvent = 0xFFFF };

enum : EventModifiers {
    activeFlag = 0x0001,
    btnState = 0x0080,
    cmdKey = 0x0100,
    shiftKey = 0x0200,
    alphaLock = 0x0400,
    optionKey = 0x0800,
    controlKey = 0x1000,
};

enum : UInt32 {
    charCodeMask = 0x000000FF,
    keyCodeMask = 0x0000FF00,
    osEvtMessageMask = 0xFF000000,
    suspendResumeMessage = 0x01,
    mouseMovedMessage = 0xFA,
    resumeFlag = 1,
};

namespace tb {
// Appends an event to the toolbox's queue (the Event Manager owns the queue).
void postEvent(const EventRecord& event);
} // namespace tb
