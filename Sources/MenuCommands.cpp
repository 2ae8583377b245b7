#include "MenuCommands.h"

#include "Console.h"
#include "EventLoop.h"
#include "PlotData.h"
#include "PlotWindows.h"
#include "Startup.h"
#include "WindowHelpers.h"

void setupMenus() {
    Handle bar = GetNewMBar(128);
    if (!bar) ExitToShell();
    SetMenuBar(bar);
    DrawMenuBar();
    DisableMenuItem(GetMenuHandle(kEditMenu), 1);
    MenuRef file = GetMenuHandle(kFileMenu);
    DeleteMenuItem(file, 7);
    DeleteMenuItem(file, 6);
    DrawMenuBar();
}

void updateMenus() {
    PlotData* plot = GetPlotData();
    MenuRef mapMenu = GetMenuHandle(kMapMenu);
    MenuRef plotMenu = GetMenuHandle(kPlotMenu);
    for (short i = 1; i <= 7; ++i) CheckMenuItem(mapMenu, i, false);
    for (short i = 1; i <= 5; ++i) CheckMenuItem(plotMenu, i, false);
    if (!plot) return;
    CheckMenuItem(plotMenu, plot->getPlotType(), true);
    for (plotEnum v : {showAxes, showBox, showCritical})
        CheckMenuItem(plotMenu, v, plot->getShow(v) != 0);
    CheckMenuItem(mapMenu, static_cast<short>(plot->mapNumber()), true);
}

void doCommand(long command) {
    short menu = static_cast<short>((command >> 16) & 0xFFFF);
    short item = static_cast<short>(command & 0xFFFF);
    switch (menu) {
    case kAppleMenu: doApple(item); break;
    case kFileMenu: doFile(item); break;
    case kEditMenu: doEdit(item); break;
    case kMapMenu: doMap(item); break;
    case kPlotMenu:
        if (PlotData* plot = GetPlotData()) plot->toggleShow(static_cast<plotEnum>(item % 256));
        break;
    case kParamMenu: doParam(item); break;
    case kWindowMenu: doWindow(item); break;
    default: break;
    }
    HiliteMenu(0);
}

void doApple(int item) {
    if (item == 1) aboutBox();
}

void doFile(int item) {
    switch (item) {
    case 1:
        if (WindowRef window = createPlot()) show(window);
        break;
    case 2:
        if (WindowRef window = FrontWindow()) {
            HideWindow(window);
            if (isPlot(window)) disposePlot(window);
        }
        break;
    default: break;
    }
}

void doMap(int item) {
    if (PlotData* plot = GetPlotData()) plot->setMap(item);
}

void doParam(int item) {
    PlotData* plot = GetPlotData();
    if (!plot) return;
    Map* map = plot->map();
    switch (item) {
    case 2: map->eraseTransients(); break;
    case 4:
        map->setTime(0);
        requestUpdate(FrontPlotWindow());
        break;
    // Items 1, 3, 5 and 6 open the parameter dialog, which is not built yet.
    default: break;
    }
}

void doWindow(int item) {
    switch (item) {
    case 1:
        if (WindowRef next = NextPlotWindow()) show(next);
        break;
    case 2: show(output); break;
    case 4: eraseWindow(FrontWindow()); break;
    case 6:
        if (PlotData* plot = GetPlotData()) plot->setStdScale();
        break;
    case 8:
        gScaleOn = 1;
        SetCCursor(GetCCursor(128));
        break;
    case 9:
        gScaleOn = 2;
        SetCCursor(GetCCursor(129));
        break;
    case 12:
    case 13:
    case 14:
        setBackground(item - 12);
        requestUpdate(FrontWindow());
        break;
    case 11:
        if (PlotData* plot = GetPlotData()) {
            plot->map()->chooseColor();
            requestUpdate(plot->window());
        }
        break;
    // Item 7 opens the parameter dialog, which is not built yet.
    default: break;
    }
}

void doEdit(short) {
    // The Edit menu's commands are not built yet.
}
