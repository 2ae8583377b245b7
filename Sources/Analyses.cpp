// The bifurcation diagram, the Lyapunov exponent, the orbit's density and the exit time.
#include "Map.h"

#include "Colors.h"
#include "PlotData.h"
#include "WindowHelpers.h"

#include <cmath>
#include <vector>

namespace {

// Restores the map's mu (and n) however the drawing ends.
struct SavedParameters {
    Map& map;
    double mu;
    std::int32_t n;
    explicit SavedParameters(Map& m) : map(m), mu(m.mu), n(m.n) {}
    ~SavedParameters() {
        map.mu = mu;
        map.n = n;
    }
};

// A bin number that saturates instead of wrapping; NaN falls in no bin.
long binOf(double x, double xStart, double xScale) {
    double b = std::trunc((x - xStart) * xScale);
    if (!(b == b) || b < -1.0) return -1;
    if (b > 2147483647.0) return 2147483647L;
    return static_cast<long>(b);
}

} // namespace

void Map::bifurcation(OpaqueWindowPtr* window, double xStart, double xScale, int nPixels) {
    PlotData* plot = GetPlotData(window);
    if (!plot) return;
    SavedParameters saved(*this);
    double x = initial;
    const double nudge = x >= 0 ? 1e-6 : -1e-6;
    glColor3fv(color);
    glBegin(GL_POINTS);
    for (int i = 0; i < nPixels; ++i) {
        mu = i / xScale + xStart;
        x = x + nudge;
        for (std::int32_t k = time / 10; k > 0; --k) x = f(x);
        for (std::int32_t k = time; k > 0; --k) {
            plot->drawPoint(mu, x);
            x = f(x);
        }
        if (userCancel()) break;
    }
    glEnd();
    if (plot->getShow(showCritical)) {
        glBegin(GL_LINE_STRIP);
        glColor3fv(glYELLOW);
        for (int i = 0; i < nPixels; ++i) {
            mu = i / xScale + xStart;
            plot->drawPoint(mu, xCrit());
        }
        glEnd();
    }
}

void Map::lyapunov(OpaqueWindowPtr* window, double xStart, double xScale, int nPixels) {
    PlotData* plot = GetPlotData(window);
    if (!plot) return;
    SavedParameters saved(*this);
    const double x0 = initial;
    glColor3fv(color);
    glBegin(GL_LINE_STRIP);
    n = time;
    for (int i = nPixels - 1; i >= 0; --i) {
        mu = i / xScale + xStart;
        plot->drawPoint(mu, df(x0));
        if (userCancel()) break;
    }
    glEnd();
}

void Map::density(OpaqueWindowPtr* window, double xStart, double xScale, int nPixels) {
    PlotData* plot = GetPlotData(window);
    if (!plot) return;
    std::vector<std::int32_t> counts(nPixels > 0 ? static_cast<std::size_t>(nPixels) : 0, 0);
    double x = initial;
    glColor3fv(color);
    glBegin(GL_LINES);
    for (std::int32_t k = time; k > 0; --k) {
        long bin = binOf(x, xStart, xScale);
        if (bin >= 0 && bin < nPixels) {
            std::int32_t& c = counts[static_cast<std::size_t>(bin)];
            ++c;
            plot->drawPoint(x, 0);
            plot->drawPoint(x, c);
        }
        x = f(x);
        if (userCancel()) break;
    }
    glEnd();
    if (plot->getShow(showCritical)) drawCriticalLine(window);
}

void Map::exitTime(OpaqueWindowPtr* window, double xStart, double xScale, int nPixels) {
    PlotData* plot = GetPlotData(window);
    if (!plot) return;
    glColor3fv(color);
    glBegin(GL_LINES);
    for (int i = 0; i < nPixels; ++i) {
        double x0 = i / xScale + xStart;
        double x = x0;
        std::int32_t j = 0;
        while (j < time) {
            x = f(x);
            if (x < xMin || x > xMax) break;
            ++j;
        }
        plot->drawPoint(x0, 0);
        plot->drawPoint(x0, j);
        if (userCancel()) break;
    }
    glEnd();
    if (plot->getShow(showCritical)) drawCriticalLine(window);
}
