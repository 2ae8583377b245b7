#include "WindowHelpers.h"

#include "Layout.h"
#include "PlotData.h"
#include "Utilities.h"

void requestUpdate(WindowRef window) {
    if (!window) return;
    Rect bounds;
    GetLocalWindowBounds(window, bounds);
    InvalWindowRect(window, &bounds);
}

void show(WindowRef window) {
    if (!window) return;
    ShowWindow(window);
    SelectWindow(window);
}

void GetLocalWindowBounds(WindowRef window, Rect& bounds) {
    GetPortBounds(GetWindowPort(window), &bounds);
}

void LocalToGlobalRect(WindowRef window, Rect& r) {
    SetPortWindowPort(window);
    Point origin = {0, 0};
    LocalToGlobal(&origin);
    OffsetRect(&r, origin.h, origin.v);
}

void GlobalToLocalRect(WindowRef window, Rect& r) {
    SetPortWindowPort(window);
    Point origin = {0, 0};
    GlobalToLocal(&origin);
    OffsetRect(&r, origin.h, origin.v);
}

void ForceBufferFlush(WindowRef window) {
    if (!window) window = FrontPlotWindow();
    if (window) QDFlushPortBuffer(GetWindowPort(window), nullptr);
}

void advise(short n) {
    static const unsigned char empty[] = {0};
    Str255 message;
    GetIndString(message, 256, n);
    ParamText(message, empty, empty, empty);
    StopAlert(129, nullptr);
}

bool userCancel() { return isPressed(47) && isPressed(55); }

Rect GetIdealWindowRect(int kind) {
    Rect screen = ScreenBounds();
    Rect front;
    const Rect* frontPlot = nullptr;
    if (kind == kPlotWindowKind) {
        if (WindowRef window = FrontPlotWindow()) {
            SetPortWindowPort(window);
            GetLocalWindowBounds(window, front);
            LocalToGlobalRect(window, front);
            frontPlot = &front;
        }
    }
    return layoutWindowRect(kind, screen, GetMBarHeight(), frontPlot);
}
