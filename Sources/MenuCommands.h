// The menu bar and the commands its items carry out.
#pragma once

#include "Toolbox.h"

enum : short {
    kAppleMenu = 128,
    kFileMenu = 129,
    kEditMenu = 130,
    kMapMenu = 131,
    kPlotMenu = 132,
    kParamMenu = 133,
    kWindowMenu = 134,
};

void setupMenus();
void updateMenus();
void doCommand(long command);
void doApple(int item);
void doFile(int item);
void doMap(int item);
void doParam(int item);
void doWindow(int item);
void doEdit(short item);
