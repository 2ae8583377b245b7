// Small routines over the toolbox shared by the dialogs and the program: dialog items,
// showing windows, the screen's bounds, alerts with a memory reserve, key polling.
#pragma once

#include "Toolbox.h"

ControlRef ItemHandle(DialogRef dialog, short item);
// Shows a hidden window with a zoom, then selects it (visible or not before).
void Show(WindowRef window);
// The main screen's area for windows, without the menu bar.
Rect ScreenBounds();
// Allocates the 2048-byte reserve again; ends the program when even that fails.
void MemorySave();
// Stop alert 1280 with message n of string list 256, the reserve released meanwhile.
void Advise(short n);
// 1 while the key with this virtual key code is down.
short isPressed(unsigned short keyCode);

void SetDialogControlID(DialogRef dialog, short item, unsigned long id);
Rect ItemRect(DialogRef dialog, short item);
OSErr FindProcess(OSType creator, OSType type, ProcessSerialNumber* psn);
void BringFinderToFront();
void DisplayFileErrorAlert(short error);
void DisplayErrorAlert(int message, short error);
void AnimateCursor(unsigned long cursor);
// The program's short version from 'vers' 1; 0, or -1 when there is none.
short GetVersionString(unsigned char* version);
void DoAboutBox();
