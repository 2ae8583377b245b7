#include "Map.h"

#include <cmath>

Map::Map()
    : xMin(-0.05), xMax(1.05), initial(0.5), current(0.5), time(500), color{0.0f, 0.0f, 1.0f},
      name{}, mu(0), muMin(0), muMax(4), n(1) {}

Map::~Map() = default;

double Map::f(double x) { return x; }

double Map::df(double x) {
    // The identity's slope is 1 everywhere: its log is 0.
    (void)x;
    return 0;
}

double Map::xCrit() { return 0.5; }
