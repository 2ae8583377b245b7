#include "PlotData.h"

#include "Colors.h"
#include "Console.h"
#include "Utilities.h"
#include "WindowHelpers.h"
#include "aglFonts.h"

#include <GL/glu.h>
#include <cstdio>

PlotData::PlotData(WindowRef window)
    : plotWindow(window), glContext(nullptr), xmin(0), xmax(1), ymin(0), ymax(1), xLabel('x'),
      yLabel('y'), xLabelFont(0), yLabelFont(0), xScale(1), yScale(1), theMap(nullptr), mapNum(1),
      plotType(cobwebPlot), showFlags(0) {
    const GLint attributes[] = {AGL_RGBA, AGL_NONE};
    AGLPixelFormat format = aglChoosePixelFormat(nullptr, 0, attributes);
    if (!format) {
        advise(3);
        ExitToShell();
    }
    glContext = aglCreateContext(format, nullptr);
    if (!glContext) {
        advise(3);
        ExitToShell();
    }
    aglDestroyPixelFormat(format);
    aglSetDrawable(glContext, GetWindowPort(plotWindow));
    aglSetCurrentContext(glContext);
    SetWRefCon(plotWindow, reinterpret_cast<long>(this));
    createFonts();
    showFlags = 0;
    toggleShow(showAxes);
    plotType = cobwebPlot;
    setMap(1);
}

PlotData::~PlotData() {
    setDrawable();
    deleteFonts();
    aglSetCurrentContext(nullptr);
    aglDestroyContext(glContext);
    delete theMap;
    SetWRefCon(plotWindow, 0);
    DisposeWindow(plotWindow);
}

void PlotData::setDrawable() {
    aglSetCurrentContext(glContext);
    SetPortWindowPort(plotWindow);
}

void PlotData::setCoordinates() {
    printToText("Window Bounds: (%g,%g,%g,%g)", xmin, xmax, ymin, ymax);
    setDrawable();
    Rect r;
    GetLocalWindowBounds(plotWindow, r);
    glViewport(0, 0, r.right, r.bottom);
    glLoadIdentity();
    gluOrtho2D(0, r.right, r.bottom, 0);
    xScale = (r.right - r.left) / (xmax - xmin);
    yScale = (r.bottom - r.top) / (ymax - ymin);
    isglError();
    aglUpdateContext(glContext);
    setTitle();
    requestUpdate(plotWindow);
}

void PlotData::setCoordinates(double xmn, double xmx, double ymn, double ymx) {
    xmin = xmn;
    xmax = xmx;
    ymin = ymn;
    ymax = ymx;
    setCoordinates();
}

void PlotData::getCoordinates(double* xmn, double* xmx, double* ymn, double* ymx) {
    *xmn = xmin;
    *xmx = xmax;
    *ymn = ymin;
    *ymx = ymax;
}

void PlotData::setStdScale() {
    const Map& m = *theMap;
    switch (plotType) {
    case cobwebPlot: setCoordinates(m.xMin, m.xMax, m.xMin, m.xMax); break;
    case bifurcationPlot: setCoordinates(m.muMin, m.muMax, m.xMin, m.xMax); break;
    case densityPlot: setCoordinates(m.xMin, m.xMax, 0, 100); break;
    case lyapunovPlot: setCoordinates(m.muMin, m.muMax, -5, 1); break;
    case exitTimePlot: setCoordinates(m.xMin, m.xMax, 0, 100); break;
    default: break;
    }
}

void PlotData::setMap(int n) {
    delete theMap;
    theMap = nullptr;
    mapNum = n;
    theMap = newMap(n);
    setStdScale();
    setTitle();
}

void PlotData::toggleShow(plotEnum v) {
    if (v <= 5) {
        plotType = v;
        setStdScale();
        setTitle();
    } else {
        showFlags ^= 1 << (v - 6);
    }
    requestUpdate(plotWindow);
}

unsigned char PlotData::getShow(plotEnum v) {
    return static_cast<unsigned char>(showFlags & (1 << (v - 6)));
}

void PlotData::setTitle() {
    xLabelFont = yLabelFont = kMonacoFont;
    char title[256];
    const Map& m = *theMap;
    long n = m.n;
    switch (plotType) {
    case cobwebPlot:
        std::snprintf(title, sizeof title, "%s \xB5 = %lf n = %ld", m.name, m.mu, n);
        xLabel = 'x';
        yLabel = 'y';
        break;
    case bifurcationPlot:
        std::snprintf(title, sizeof title, "%s n= %ld Bifurcation, \xB5= (%lf,%lf)", m.name, n,
                      xmin, xmax);
        xLabel = 'm';
        xLabelFont = kSymbolFont;
        yLabel = 'x';
        break;
    case densityPlot:
        std::snprintf(title, sizeof title, "%s \xB5 = %lf n = %ld Density, x= (%lf,%lf)", m.name,
                      m.mu, n, xmin, xmax);
        xLabel = 'x';
        yLabel = 'r';
        yLabelFont = kSymbolFont;
        break;
    case lyapunovPlot:
        std::snprintf(title, sizeof title, "%s \xB5 = %lf n = %ld Lyapunov Exp., x= (%lf,%lf)",
                      m.name, m.mu, n, xmin, xmax);
        xLabel = 'm';
        xLabelFont = kSymbolFont;
        yLabel = 'l';
        yLabelFont = kSymbolFont;
        break;
    case exitTimePlot:
        std::snprintf(title, sizeof title, "%s \xB5 = %lf n = %ld ExitTime, x= (%lf,%lf)", m.name,
                      m.mu, n, xmin, xmax);
        xLabel = 'x';
        yLabel = 't';
        break;
    default:
        title[0] = '\0';
        break;
    }
    Str255 pascalTitle;
    CopyCStringToPascal(title, pascalTitle);
    SetWTitle(plotWindow, pascalTitle);
}

Point PlotData::windowCoordinates(vect p) { return toWindow(frame(), p); }

vect PlotData::physicalCoordinates(Point pt) { return toPhysical(frame(), pt); }

void PlotData::chooseCoordinates() {
    // The bounds dialog arrives with the parameter dialog.
}

bool isPlot(WindowRef window) { return window && GetWRefCon(window) != 0; }

PlotData* GetPlotData(WindowRef window) {
    return window ? reinterpret_cast<PlotData*>(GetWRefCon(window)) : nullptr;
}

WindowRef FrontPlotWindow() {
    for (WindowRef w = FrontWindow(); w; w = GetNextWindow(w))
        if (GetWRefCon(w) != 0) return w;
    return nullptr;
}

PlotData* GetPlotData() { return GetPlotData(FrontPlotWindow()); }

WindowRef NextPlotWindow() {
    WindowRef front = FrontPlotWindow();
    if (!front) return nullptr;
    for (WindowRef w = GetNextWindow(front); w; w = GetNextWindow(w)) {
        if (GetWRefCon(w) != 0) {
            SendBehind(front, nullptr);
            return w;
        }
    }
    return nullptr;
}
