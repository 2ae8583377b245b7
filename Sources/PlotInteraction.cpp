#include "PlotInteraction.h"

#include "Colors.h"
#include "Console.h"
#include "PlotData.h"
#include "Utilities.h"
#include "WindowHelpers.h"

#include <cstdlib>
#include <utility>

void getInitialPoint(Point where) {
    PlotData* plot = GetPlotData();
    if (!plot) return;
    SetPortWindowPort(plot->window());
    GlobalToLocal(&where);
    vect p = plot->physicalCoordinates(where);
    printToText("(x,y) = %.13lg,%.13lg", p.x, p.y);
    if (plot->getPlotType() == cobwebPlot) {
        plot->map()->setInitial(p.x);
        requestUpdate(plot->window());
    }
}

void dragCoordinates(int mode) {
    PlotData* plot = GetPlotData(FrontWindow());
    if (!plot) return;
    plot->setDrawable();
    Point start, end;
    dragRect(start, end);
    vect a = plot->physicalCoordinates(start);
    vect b = plot->physicalCoordinates(end);
    if (b.x < a.x) std::swap(a.x, b.x);
    if (b.y < a.y) std::swap(a.y, b.y);
    if (a.x >= b.x || a.y >= b.y) return;
    double xmin, xmax, ymin, ymax;
    plot->getCoordinates(&xmin, &xmax, &ymin, &ymax);
    if (mode == 1) {
        plot->setCoordinates(a.x, b.x, a.y, b.y);
        return;
    }
    double cx = (a.x + b.x) * 0.5, sx = (xmax - xmin) / (b.x - a.x);
    double cy = (a.y + b.y) * 0.5, sy = (ymax - ymin) / (b.y - a.y);
    plot->setCoordinates((xmin - cx) * sx + cx, (xmax - cx) * sx + cx, (ymin - cy) * sy + cy,
                         (ymax - cy) * sy + cy);
}

void dragRect(Point& start, Point& end) {
    PlotData* plot = GetPlotData();
    GrafPtr port;
    GetPort(&port);
    GetMouse(&start);
    end = start;
    if (!plot) return;
    vect a = plot->physicalCoordinates(start);
    vect previous = a;
    glEnable(GL_COLOR_LOGIC_OP);
    glLogicOp(GL_INVERT);
    isglError();
    bool shiftDown = isPressed(0x38) != 0;
    for (bool done = false; !done;) {
        MouseTrackingResult result = 0;
        TrackMouseLocation(port, &end, &result);
        switch (result) {
        case kMouseTrackingMouseDown:
        case kMouseTrackingMouseDragged: {
            if (shiftDown) Constrain(&end, start);
            plot->drawRect(a, previous);
            vect corner = plot->physicalCoordinates(end);
            plot->drawRect(a, corner);
            display();
            previous = corner;
            break;
        }
        case kMouseTrackingMouseUp:
        case kMouseTrackingUserCancelled: done = true; break;
        case kMouseTrackingKeyModifiersChanged: shiftDown = isPressed(0x38) != 0; break;
        default: break;
        }
    }
    glDisable(GL_COLOR_LOGIC_OP);
}

void Constrain(Point* corner, Point anchor) {
    int dh = corner->h - anchor.h;
    int dv = anchor.v - corner->v;
    int s = dv >= 0 ? 1 : -1;
    corner->v = static_cast<short>(anchor.v - s * std::abs(dh));
}
