// The cobweb plot's own layers: the orbit, the graph of f^n and the critical line.
#include "Map.h"

#include "Colors.h"
#include "PlotData.h"
#include "WindowHelpers.h"

void Map::cobweb(OpaqueWindowPtr* window) {
    PlotData* plot = GetPlotData(window);
    if (!plot) return;
    std::int32_t k = time;
    double x = initial;
    glColor3fv(color);
    glBegin(GL_LINE_STRIP);
    plot->drawPoint(x, x);
    while (k > 0) {
        --k;
        double y = f(x);
        plot->drawPoint(x, y);
        plot->drawPoint(y, y);
        x = y;
        // Every step but each hundredth polls for Command-period.
        if (k % 100 != 0 && userCancel()) break;
    }
    glEnd();
}

void Map::drawF(OpaqueWindowPtr* window, double xStart, double xScale, int nPixels) {
    PlotData* plot = GetPlotData(window);
    if (!plot) return;
    glColor3fv(glRED);
    glBegin(GL_LINE_STRIP);
    for (int i = nPixels - 1; i >= 0; --i) {
        double x = static_cast<double>(i) / xScale + xStart;
        plot->drawPoint(x, f(x));
    }
    glEnd();
    if (plot->getShow(showCritical)) drawCriticalLine(window);
}

void Map::drawCriticalLine(OpaqueWindowPtr* window) {
    PlotData* plot = GetPlotData(window);
    if (!plot) return;
    double xmin, xmax, ymin, ymax;
    plot->getCoordinates(&xmin, &xmax, &ymin, &ymax);
    glColor3fv(glYELLOW);
    plot->drawLine(vect{xCrit(), ymin}, vect{xCrit(), ymax});
}
