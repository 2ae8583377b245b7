// The Window Manager: the window list, frames, hit testing, frame tracking and update regions.
#pragma once

#include "tb/QuickDraw.h"
#include "tb/Types.h"

// FindWindow part codes.
enum : short {
    inDesk = 0,
    inNoWindow = 0,
    inMenuBar = 1,
    inSysWindow = 2,
    inContent = 3,
    inDrag = 4,
    inGrow = 5,
    inGoAway = 6,
    inZoomIn = 7,  // zoom box of a window in its standard state: back to the user state
    inZoomOut = 8, // zoom box of a window in its user state: out to the standard state
};

// Window definition numbers (procID): the classic ones and the Appearance ones.
enum : short {
    documentProc = 0,
    dBoxProc = 1,
    plainDBox = 2,
    altDBoxProc = 3,
    noGrowDocProc = 4,
    movableDBoxProc = 5,
    zoomDocProc = 8,
    zoomNoGrow = 12,
    kWindowDocumentProc = 1024,
    kWindowGrowDocumentProc = 1025,
    kWindowFullZoomDocumentProc = 1030,
    kWindowFullZoomGrowDocumentProc = 1031,
    kWindowPlainDialogProc = 1040,
    kWindowShadowDialogProc = 1041,
    kWindowModalDialogProc = 1042,
    kWindowMovableModalDialogProc = 1043,
    kWindowAlertProc = 1044,
    kWindowMovableAlertProc = 1045,
};

// windowKind values.
enum : short { dialogKind = 2, userKind = 8 };

// A window template as resource 'WIND' holds it. Resource layout (big-endian): bounds rect
// (top, left, bottom, right), procID, visible (16 bits, non-zero is true), goAway (16
// bits), refCon (32 bits), then the title as a Pascal string.
struct WindowTemplate {
    Rect boundsRect; // global content rectangle
    short procID;
    Boolean visible;
    Boolean goAwayFlag;
    long refCon;
    Str255 title;
};

namespace tb {
// Reads template `id`; false when there is none.
bool windowTemplate(short id, WindowTemplate* out);
} // namespace tb

// The `behind` argument: (WindowRef)-1 puts the window in front of all others, nullptr behind all.
#define kFirstWindowOfClass ((WindowRef)-1)
#define kLastWindowOfClass ((WindowRef)0)

WindowRef NewCWindow(void* storage, const Rect* bounds, ConstStr255Param title, Boolean visible,
                     short procID, WindowRef behind, Boolean goAwayFlag, long refCon);
WindowRef NewWindow(void* storage, const Rect* bounds, ConstStr255Param title, Boolean visible,
                    short procID, WindowRef behind, Boolean goAwayFlag, long refCon);
WindowRef GetNewCWindow(short templateID, void* storage, WindowRef behind);
WindowRef GetNewWindow(short templateID, void* storage, WindowRef behind);
void DisposeWindow(WindowRef window);

void ShowWindow(WindowRef window);
void HideWindow(WindowRef window);
// Brings the window to the front; the activate events follow from WaitNextEvent.
void SelectWindow(WindowRef window);
void BringToFront(WindowRef window);
// Moves the window right behind `behind`, or to the back with nullptr.
void SendBehind(WindowRef window, WindowRef behind);
void HiliteWindow(WindowRef window, Boolean hilite);
// The front-most visible window.
WindowRef FrontWindow();
WindowRef FrontNonFloatingWindow();
// The next window behind, visible or not, in the list.
WindowRef GetNextWindow(WindowRef window);
Boolean IsWindowVisible(WindowRef window);
Boolean IsWindowHilited(WindowRef window);

void SetWTitle(WindowRef window, ConstStr255Param title);
void GetWTitle(WindowRef window, Str255 title);
void SetWRefCon(WindowRef window, long refCon);
long GetWRefCon(WindowRef window);
void SetWindowKind(WindowRef window, short kind);
short GetWindowKind(WindowRef window);

// Places the content's top-left corner at (h, v) global; front brings it to the front too.
void MoveWindow(WindowRef window, short h, short v, Boolean front);
// Content size; with fUpdate the area that is new is added to the update region.
void SizeWindow(WindowRef window, short width, short height, Boolean fUpdate);
void ZoomWindow(WindowRef window, short part, Boolean front);

enum : UInt16 { kWindowStructureRgn = 32, kWindowContentRgn = 33 };
// Global rectangles of the window's frame (structure) or content.
OSStatus GetWindowBounds(WindowRef window, UInt16 regionCode, Rect* bounds);

short FindWindow(Point where, WindowRef* window);
// Modal frame tracking; each runs until the button is released.
void DragWindow(WindowRef window, Point start, const Rect* boundsRect);
// sizeRect: top/left the minimum height/width, bottom/right the maximum. The result is the
// new height in the high 16 bits and width in the low 16, or 0 when the size is unchanged.
long GrowWindow(WindowRef window, Point start, const Rect* sizeRect);
Boolean TrackGoAway(WindowRef window, Point start);
Boolean TrackBox(WindowRef window, Point start, short part);

// Update regions, in the window's local coordinates.
void InvalWindowRect(WindowRef window, const Rect* bounds);
void ValidWindowRect(WindowRef window, const Rect* bounds);
void InvalWindowRgn(WindowRef window, RgnHandle region);
void BeginUpdate(WindowRef window);
void EndUpdate(WindowRef window);
void DrawGrowIcon(WindowRef window);

typedef UInt32 WindowTransitionEffect;
typedef UInt32 WindowTransitionAction;
enum : UInt32 { kWindowZoomTransitionEffect = 1 };
enum : UInt32 { kWindowShowTransitionAction = 1, kWindowHideTransitionAction = 2 };
OSStatus TransitionWindow(WindowRef window, WindowTransitionEffect effect,
                          WindowTransitionAction action, const Rect* rect);

// The main screen.
struct GDevice;
typedef GDevice* GDPtr;
typedef GDPtr* GDHandle;
GDHandle GetMainDevice();
// The screen minus the menu bar.
OSStatus GetAvailableWindowPositioningBounds(GDHandle device, Rect* bounds);
short GetMBarHeight();
