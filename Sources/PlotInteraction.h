// The mouse in the front plot: a click reports its point, an armed drag zooms.
#pragma once

#include "Toolbox.h"

void getInitialPoint(Point where);
void dragCoordinates(int mode);
void dragRect(Point& start, Point& end);
void Constrain(Point* corner, Point anchor);
