// Where the console and new plot windows go on the main screen.
#pragma once

#include "tb/Types.h"

enum : int { kConsoleWindowKind = 1, kPlotWindowKind = 2 };

// The global content rectangle for a window of the given kind: kind 1 the console,
// kind 2 a new plot (after the front plot, when there is one, 40 pixels down and
// right), any other kind the whole usable area. screen is the usable area of the
// main screen; frontPlot the front plot's content in global coordinates, or null.
Rect layoutWindowRect(int kind, const Rect& screen, short menuBarHeight, const Rect* frontPlot);
