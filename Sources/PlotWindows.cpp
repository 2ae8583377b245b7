#include "PlotWindows.h"

#include "Colors.h"
#include "Console.h"
#include "Layout.h"
#include "PlotData.h"
#include "WindowHelpers.h"

WindowRef createPlot() {
    Rect r = GetIdealWindowRect(kPlotWindowKind);
    WindowRef window = GetNewCWindow(256, nullptr, kFirstWindowOfClass);
    if (!window) return nullptr;
    SetPortWindowPort(window);
    MoveWindow(window, r.left, r.top, false);
    SizeWindow(window, static_cast<short>(r.right - r.left), static_cast<short>(r.bottom - r.top),
               true);
    new PlotData(window);
    glClearColor(1, 1, 1, 1);
    glShadeModel(GL_SMOOTH);
    return window;
}

void disposePlot(WindowRef window) {
    PlotData* plot = GetPlotData(window);
    delete plot;
}

void zoomTheWindow(WindowRef window, Point where, short part) {
    if (!TrackBox(window, where, part)) return;
    ZoomWindow(window, part, false);
    if (PlotData* plot = GetPlotData(window))
        plot->setCoordinates();
    else if (window == output)
        reSizeText();
}

void growTheWindow(WindowRef window, Point where) {
    Rect desk;
    GetRegionBounds(GetGrayRgn(), &desk);
    Rect limits;
    limits.top = 40;
    limits.left = 40;
    limits.bottom = desk.bottom;
    limits.right = desk.right;
    long size = GrowWindow(window, where, &limits);
    if (size == 0) return;
    SizeWindow(window, static_cast<short>(size & 0xFFFF), static_cast<short>((size >> 16) & 0xFFFF),
               false);
    if (PlotData* plot = GetPlotData(window))
        plot->setCoordinates();
    else if (window == output)
        reSizeText();
}

void eraseWindow(WindowRef window) {
    if (!window) return;
    if (window == output) {
        eraseOutput();
    } else if (PlotData* plot = GetPlotData(window)) {
        plot->setDrawable();
        glClear(GL_COLOR_BUFFER_BIT);
        display();
    }
}
