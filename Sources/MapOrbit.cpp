// The orbit state of a map and the commands that change it.
#include "Map.h"

#include "Colors.h"
#include "PlotData.h"
#include "WindowHelpers.h"

void Map::setTime(long t) {
    // A negative count runs no step instead of about four billion.
    if (t < 0) t = 0;
    if (t > INT32_MAX) t = INT32_MAX;
    time = static_cast<std::int32_t>(t);
    current = initial;
    for (std::int32_t k = time; k > 0; --k) current = f(current);
}

void Map::setInitial(double x) {
    current = x;
    initial = x;
    for (std::int32_t k = time; k > 0; --k) current = f(current);
}

double Map::getInitial() { return initial; }

void Map::eraseTransients() {
    setInitial(current);
    requestUpdate(FrontPlotWindow());
}

void Map::setParameter(double newMu, int newN) {
    mu = newMu;
    n = newN <= 0 ? 1 : newN;
    setInitial(initial);
    if (PlotData* plot = GetPlotData()) plot->setTitle();
    requestUpdate(FrontPlotWindow());
}

void Map::setParameter(int k) {
    long next = static_cast<long>(n) + k;
    if (next == 0) return;
    if (next > INT32_MAX) next = INT32_MAX;
    setParameter(mu, static_cast<int>(next));
}

void Map::setParameter(double d) { setParameter(mu + d, n); }

void Map::chooseColor() { chooseAColor(color); }

void Map::iterate(OpaqueWindowPtr* window) {
    double x = current;
    double y = f(x);
    PlotData* plot = GetPlotData(window);
    if (plot) {
        glColor3fv(color);
        glBegin(GL_LINE_STRIP);
        plot->drawPoint(x, x);
        plot->drawPoint(x, y);
        plot->drawPoint(y, y);
        glEnd();
        display();
    }
    current = y;
    if (time < INT32_MAX) ++time;
}
