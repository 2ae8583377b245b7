// Drawing a plot window with GL: the full redraw, the axes and the primitives.
#include "PlotData.h"

#include "Colors.h"
#include "EventLoop.h"
#include "WindowHelpers.h"
#include "aglFonts.h"

#include <algorithm>

namespace {
float bkgrndCol[3] = {0, 0, 0};
}

void PlotData::draw(Rect r) {
    setDrawable();
    glClear(GL_COLOR_BUFFER_BIT);
    int nPixels = r.right - r.left;
    double xStart = r.left / xScale + xmin;
    switch (plotType) {
    case cobwebPlot: {
        theMap->cobweb(plotWindow);
        theMap->drawF(plotWindow, xStart, xScale, nPixels);
        glColor3fv(glBLACK);
        double lo = std::max(xmin, ymin), hi = std::min(xmax, ymax);
        drawLine(vect{lo, lo}, vect{hi, hi});
        break;
    }
    case bifurcationPlot: theMap->bifurcation(plotWindow, xStart, xScale, nPixels); break;
    case densityPlot: theMap->density(plotWindow, xStart, xScale, nPixels); break;
    case lyapunovPlot: theMap->lyapunov(plotWindow, xStart, xScale, nPixels); break;
    case exitTimePlot: theMap->exitTime(plotWindow, xStart, xScale, nPixels); break;
    default: break;
    }
    if (getShow(showAxes)) plotAxes();
    if (getShow(showBox)) {
        glColor3fv(glGREEN);
        drawRect(vect{0, 0}, vect{1, 1});
    }
    display();
}

void PlotData::plotAxes() {
    setDrawable();
    glLogicOp(GL_INVERT);
    glEnable(GL_COLOR_LOGIC_OP);
    double x0 = (xmin < 0 && xmax > 0) ? 0 : xmin + (xmax - xmin) * 0.5;
    double y0 = (ymin < 0 && ymax > 0) ? 0 : ymin + (ymax - ymin) * 0.5;
    drawLine(vect{x0, ymin}, vect{x0, ymax});
    drawLine(vect{xmin, y0}, vect{xmax, y0});
    Point pH = windowCoordinates(vect{xmax, y0});
    Point pV = windowCoordinates(vect{x0, ymax});
    glRasterPos2d(pH.h - 10, pH.v + 10);
    drawCharacter(xLabel, xLabelFont);
    glRasterPos2d(pV.h - 10, pV.v + 10);
    drawCharacter(yLabel, yLabelFont);
    glDisable(GL_COLOR_LOGIC_OP);
}

void PlotData::drawLine(Point a, Point b) {
    glBegin(GL_LINES);
    glVertex2i(a.h, a.v);
    glVertex2i(b.h, b.v);
    glEnd();
}

void PlotData::drawLine(vect a, vect b) {
    // Far-off ends are cut to a margin around the frame first, so they stay inside
    // 16-bit window coordinates and the visible part of the line stays where it is.
    if (!clipToFrameMargin(frame(), a, b)) return;
    drawLine(windowCoordinates(a), windowCoordinates(b));
}

void PlotData::drawRect(vect p, vect q) {
    drawLine(p, vect{q.x, p.y});
    drawLine(vect{q.x, p.y}, q);
    drawLine(q, vect{p.x, q.y});
    drawLine(vect{p.x, q.y}, p);
}

void PlotData::drawPoint(double x, double y) {
    glVertex2i(vertexH(frame(), x), vertexV(frame(), y));
}

void upDatePlot(WindowRef window) {
    PlotData* plot = GetPlotData(window);
    if (!plot) return;
    SetThemeCursor(kThemeWatchCursor);
    Rect r;
    GetLocalWindowBounds(window, r);
    plot->draw(r);
    isglError();
    Point where;
    GetMouse(&where);
    LocalToGlobal(&where);
    MaintainCursor(where);
}

void setBackground(int which) {
    PlotData* plot = GetPlotData();
    if (!plot) return;
    plot->setDrawable();
    if (which == 0) {
        chooseAColor(bkgrndCol);
    } else {
        float v = which == 1 ? 0.0f : 1.0f;
        bkgrndCol[0] = bkgrndCol[1] = bkgrndCol[2] = v;
    }
    glClearColor(bkgrndCol[0], bkgrndCol[1], bkgrndCol[2], 1);
    RGBColor rgb;
    convertToRGBColor(bkgrndCol, rgb);
    RGBBackColor(&rgb);
}
