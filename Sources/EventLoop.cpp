#include "EventLoop.h"

#include "Console.h"
#include "MenuCommands.h"
#include "PlotData.h"
#include "PlotInteraction.h"
#include "PlotWindows.h"
#include "WindowHelpers.h"

RgnHandle cursorRgn = nullptr;
long gScaleOn = 0;
double gDelta = 0.1;

namespace {
AEEventHandlerUPP doQuitAppEventUPP = nullptr;

void dispatch(const EventRecord& event) {
    if (event.what == osEvt) {
        DoOSEvent(event);
        return;
    }
    switch (event.what) {
    case mouseDown: mouseDownEvent(event); break;
    case keyDown:
    case autoKey: {
        char ch = static_cast<char>(event.message & charCodeMask);
        if (event.modifiers & cmdKey)
            doCommand(MenuKey(static_cast<unsigned char>(ch)));
        else
            keyDownEvent(ch);
        break;
    }
    case updateEvt: {
        WindowRef window = reinterpret_cast<WindowRef>(event.message);
        BeginUpdate(window);
        if (window == output)
            upDateText();
        else
            upDatePlot(window);
        EndUpdate(window);
        break;
    }
    case activateEvt:
        MaintainCursor(event.where);
        if (reinterpret_cast<WindowRef>(event.message) == output)
            activateOutput(static_cast<unsigned char>(event.modifiers & activeFlag));
        break;
    case kHighLevelEvent: AEProcessAppleEvent(&event); break;
    default: break;
    }
}

} // namespace

bool handleNextEvent() {
    if (output && FrontWindow() == output) TEIdle(hTE);
    EventRecord event;
    if (!WaitNextEvent(everyEvent, &event, 0, cursorRgn)) return false;
    dispatch(event);
    return true;
}

void eventLoop() {
    for (;;) handleNextEvent();
}

void DoOSEvent(EventRecord event) {
    switch ((event.message >> 24) & 0xFF) {
    case suspendResumeMessage:
        activateOutput((event.message & resumeFlag) != 0);
        break;
    case mouseMovedMessage: MaintainCursor(event.where); break;
    default: break;
    }
}

void mouseDownEvent(EventRecord event) {
    WindowRef window = nullptr;
    short part = FindWindow(event.where, &window);
    switch (part) {
    case inMenuBar:
        updateMenus();
        doCommand(MenuSelect(event.where));
        break;
    case inContent:
        if (window != FrontWindow()) {
            show(window);
        } else if (isPlot(window) && gScaleOn != 0) {
            dragCoordinates(static_cast<int>(gScaleOn));
            gScaleOn = 0;
        } else if (isPlot(window)) {
            getInitialPoint(event.where);
        } else if (window == output) {
            doScroll(event);
        }
        break;
    case inDrag:
        DragWindow(window, event.where, nullptr);
        if (PlotData* plot = GetPlotData(window)) aglUpdateContext(plot->context());
        break;
    case inGrow: growTheWindow(window, event.where); break;
    case inGoAway:
        if (TrackGoAway(window, event.where)) {
            HideWindow(window);
            if (isPlot(window)) disposePlot(window);
        }
        break;
    case inZoomIn:
    case inZoomOut: zoomTheWindow(window, event.where, part); break;
    default: break;
    }
}

void keyDownEvent(char ch) {
    PlotData* plot = GetPlotData();
    if (!plot) return;
    switch (static_cast<signed char>(ch)) {
    case 28: plot->map()->setParameter(-1); break;
    case 29: plot->map()->setParameter(1); break;
    case 30: plot->map()->setParameter(gDelta); break;
    case 31: plot->map()->setParameter(-gDelta); break;
    case 32:
        plot->setDrawable();
        if (plot->getPlotType() == cobwebPlot) plot->map()->iterate(plot->window());
        break;
    case 'R':
    case 'r': plot->setStdScale(); break;
    default: break;
    }
}

void MakeGlobalRegion(RgnHandle rgn, WindowRef window) {
    SetPortWindowPort(window);
    Point origin = {0, 0};
    LocalToGlobal(&origin);
    OffsetRgn(rgn, origin.h, origin.v);
}

void MaintainCursor(Point where) {
    Rect desk;
    GetRegionBounds(GetGrayRgn(), &desk);
    if (!cursorRgn) {
        cursorRgn = NewRgn();
        RectRgn(cursorRgn, &desk);
    }
    WindowRef front = FrontWindow();
    if (!front) {
        RectRgn(cursorRgn, &desk);
        SetThemeCursor(kThemeArrowCursor);
        return;
    }
    GrafPtr saved;
    GetPort(&saved);
    SetPortWindowPort(front);
    enum { plotWindow, consoleWindow, otherWindow } kind = otherWindow;
    if (isPlot(front)) {
        kind = plotWindow;
        Rect port;
        GetLocalWindowBounds(front, port);
        RgnHandle grow = NewRgn();
        SetRectRgn(grow, static_cast<short>(port.right - 15), static_cast<short>(port.bottom - 15),
                   port.right, port.bottom);
        RectRgn(cursorRgn, &port);
        DiffRgn(cursorRgn, grow, cursorRgn);
        DisposeRgn(grow);
        MakeGlobalRegion(cursorRgn, front);
    } else if (front == output) {
        kind = consoleWindow;
        Rect view = (**hTE).viewRect;
        RectRgn(cursorRgn, &view);
        MakeGlobalRegion(cursorRgn, front);
    }
    if (PtInRgn(where, cursorRgn)) {
        if (kind == plotWindow) {
            if (gScaleOn == 1 || gScaleOn == 2)
                SetCCursor(GetCCursor(static_cast<short>(gScaleOn == 1 ? 128 : 129)));
            else
                SetThemeCursor(kThemeCrossCursor);
        } else if (kind == consoleWindow) {
            SetThemeCursor(kThemeIBeamCursor);
        }
    } else {
        SetThemeCursor(kThemeArrowCursor);
        RgnHandle outside = NewRgn();
        CopyRgn(GetGrayRgn(), outside);
        DiffRgn(outside, cursorRgn, cursorRgn);
        DisposeRgn(outside);
    }
    SetPort(saved);
}

OSErr doHasGotRequiredParams(const AppleEvent* event) {
    DescType returnedType;
    Size actualSize;
    OSErr err = AEGetAttributePtr(event, keyMissedKeywordAttr, typeWildCard, &returnedType,
                                  nullptr, 0, &actualSize);
    if (err == errAEDescNotFound) return noErr;
    if (err == noErr) return errAEParamMissed;
    return err;
}

OSErr doQuitAppEvent(const AppleEvent* event, AppleEvent*, long) {
    OSErr err = doHasGotRequiredParams(event);
    if (err == noErr) ExitToShell();
    return err;
}

void doInstallAEHandlers() {
    doQuitAppEventUPP = NewAEEventHandlerUPP(doQuitAppEvent);
    AEInstallEventHandler(kCoreEventClass, kAEQuitApplication, doQuitAppEventUPP, 0, false);
}
