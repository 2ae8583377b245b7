// Window operations every part of the program uses: redraw requests, showing, bounds,
// placement, the program's stop alert and the Command-period poll.
#pragma once

#include "Toolbox.h"

void requestUpdate(WindowRef window);
void show(WindowRef window);
void GetLocalWindowBounds(WindowRef window, Rect& bounds);
void LocalToGlobalRect(WindowRef window, Rect& r);
void GlobalToLocalRect(WindowRef window, Rect& r);
void ForceBufferFlush(WindowRef window);
// Stop alert 129 with message n of string list 256.
void advise(short n);
// True while Command and period are both held.
bool userCancel();
// Kind 1 the console's place, 2 a new plot's, any other the whole usable area.
Rect GetIdealWindowRect(int kind);
