// The life of plot windows, and zoom, grow and erase for every window of the program.
#pragma once

#include "Toolbox.h"

WindowRef createPlot();
void disposePlot(WindowRef window);
void zoomTheWindow(WindowRef window, Point where, short part);
void growTheWindow(WindowRef window, Point where);
void eraseWindow(WindowRef window);
