// The event loop: every event to where it belongs, the cursor, and the Quit event.
#pragma once

#include "Toolbox.h"

extern RgnHandle cursorRgn;
extern long gScaleOn;
extern double gDelta;

[[noreturn]] void eventLoop();
void DoOSEvent(EventRecord event);
void mouseDownEvent(EventRecord event);
void keyDownEvent(char ch);
void MaintainCursor(Point where);
void MakeGlobalRegion(RgnHandle rgn, WindowRef window);
void doInstallAEHandlers();
OSErr doHasGotRequiredParams(const AppleEvent* event);
OSErr doQuitAppEvent(const AppleEvent* event, AppleEvent* reply, long refcon);
// One pass of the loop; false when no event was there.
bool handleNextEvent();
