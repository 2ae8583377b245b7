// Control Manager: push buttons, check boxes and scroll bars in windows, and their tracking.
#pragma once

#include "tb/Types.h"

typedef SInt16 ControlPartCode;
typedef void (*ControlActionProcPtr)(ControlRef control, ControlPartCode partCode);
typedef ControlActionProcPtr ControlActionUPP;

// Control definitions (procID).
enum : short {
    pushButProc = 0,
    checkBoxProc = 1,
    radioButProc = 2,
    scrollBarProc = 16,
    kControlPushButtonProc = 368,
    kControlCheckBoxProc = 369,
    kControlRadioButtonProc = 370,
    kControlScrollBarProc = 384,
    kControlUserPaneProc = 256,
    kControlEditTextProc = 272,
    kControlStaticTextProc = 288,
    kControlPictureProc = 304,
};

// Part codes.
enum : ControlPartCode {
    kControlNoPart = 0,
    kControlButtonPart = 10,
    kControlCheckBoxPart = 11,
    kControlEditTextPart = 5,
    kControlUpButtonPart = 20,
    kControlDownButtonPart = 21,
    kControlPageUpPart = 22,
    kControlPageDownPart = 23,
    kControlIndicatorPart = 129,
    kControlInactivePart = 255,
    inButton = 10,
    inCheckBox = 11,
    inUpButton = 20,
    inDownButton = 21,
    inPageUp = 22,
    inPageDown = 23,
    inThumb = 129,
};

struct ControlID {
    OSType signature;
    SInt32 id;
};

// The title is copied; the value is clamped into minimum and maximum.
ControlRef NewControl(WindowRef owningWindow, const Rect* boundsRect, ConstStr255Param controlTitle,
                      Boolean initiallyVisible, SInt16 initialValue, SInt16 minimumValue,
                      SInt16 maximumValue, SInt16 procID, SInt32 controlReference);
void DisposeControl(ControlRef control);
// Disposes of every control of the window.
void KillControls(WindowRef window);

ControlActionUPP NewControlActionUPP(ControlActionProcPtr proc);
void DisposeControlActionUPP(ControlActionUPP upp);

// pt in the window's local coordinates. The part under it and, through control, which
// control; 0 (and a null control) over nothing, a hidden or an inactive control.
ControlPartCode FindControl(Point pt, WindowRef window, ControlRef* control);
ControlPartCode TestControl(ControlRef control, Point pt);
// Follows the pressed mouse. For arrows and page areas the action procedure is called at
// once, then repeatedly after a short delay while the part is held (with part 0 while
// the mouse is outside it). The thumb without an action procedure is dragged and sets
// the value on release. The part is returned when the button is released inside it.
ControlPartCode TrackControl(ControlRef control, Point startPoint, ControlActionUPP actionProc);

SInt16 GetControlValue(ControlRef control);
void SetControlValue(ControlRef control, SInt16 value);
SInt16 GetControlMinimum(ControlRef control);
void SetControlMinimum(ControlRef control, SInt16 value);
SInt16 GetControlMaximum(ControlRef control);
void SetControlMaximum(ControlRef control, SInt16 value);
SInt32 GetControl32BitValue(ControlRef control);
void SetControl32BitValue(ControlRef control, SInt32 value);
SInt32 GetControl32BitMinimum(ControlRef control);
void SetControl32BitMinimum(ControlRef control, SInt32 value);
SInt32 GetControl32BitMaximum(ControlRef control);
void SetControl32BitMaximum(ControlRef control, SInt32 value);
SInt32 GetControlViewSize(ControlRef control);
void SetControlViewSize(ControlRef control, SInt32 viewSize);

// Local coordinates of the owner's port; the top-left corner goes to (h, v).
void MoveControl(ControlRef control, SInt16 h, SInt16 v);
void SizeControl(ControlRef control, SInt16 w, SInt16 h);
Rect* GetControlBounds(ControlRef control, Rect* bounds);
void SetControlBounds(ControlRef control, const Rect* bounds);

void ShowControl(ControlRef control);
void HideControl(ControlRef control);
Boolean IsControlVisible(ControlRef control);
// 0 active, a part code to show that part pressed, 255 inactive.
void HiliteControl(ControlRef control, ControlPartCode hiliteState);
Boolean IsControlActive(ControlRef control);
OSErr ActivateControl(ControlRef control);
OSErr DeactivateControl(ControlRef control);
// Draws every visible control of the window, back to front.
void DrawControls(WindowRef window);
void Draw1Control(ControlRef control);

void SetControlTitle(ControlRef control, ConstStr255Param title);
void GetControlTitle(ControlRef control, Str255 title);
OSStatus SetControlID(ControlRef control, const ControlID* inID);
OSStatus GetControlID(ControlRef control, ControlID* outID);
SInt32 GetControlReference(ControlRef control);
void SetControlReference(ControlRef control, SInt32 data);
WindowRef GetControlOwner(ControlRef control);
