// The program's start: toolbox set-up, the splash with the system checks, the first
// windows and the keyboard help; and the About box.
#pragma once

int ilvaronMain();
void initializeMac();
void initializeWindows();
void printInfo();
void aboutBox();
