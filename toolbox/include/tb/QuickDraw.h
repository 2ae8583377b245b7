// QuickDraw: graphics ports, rectangles and regions, colours, shapes, text, pictures, cursors.
#pragma once

#include "tb/Types.h"

// ---- Ports -------------------------------------------------------------------------------

void GetPort(GrafPtr* port);
void SetPort(GrafPtr port);
// Makes inNewPort current; stores the previous one in *outOldPort when given. True when it changed.
Boolean QDSwapPort(CGrafPtr inNewPort, CGrafPtr* outOldPort);
void SetPortWindowPort(WindowRef window);
CGrafPtr GetWindowPort(WindowRef window);
WindowRef GetWindowFromPort(CGrafPtr port);
Rect* GetWindowPortBounds(WindowRef window, Rect* bounds);
Rect* GetPortBounds(CGrafPtr port, Rect* bounds);
// Pushes what was drawn into the port to the screen now.
OSStatus QDFlushPortBuffer(CGrafPtr port, RgnHandle region);

// ---- Points and rectangles ---------------------------------------------------------------

void SetPt(Point* pt, short h, short v);
void SetRect(Rect* r, short left, short top, short right, short bottom);
void OffsetRect(Rect* r, short dh, short dv);
void InsetRect(Rect* r, short dh, short dv);
Boolean SectRect(const Rect* a, const Rect* b, Rect* result);
void UnionRect(const Rect* a, const Rect* b, Rect* result);
Boolean PtInRect(Point pt, const Rect* r);
Boolean EqualRect(const Rect* a, const Rect* b);
Boolean EmptyRect(const Rect* r);

// Between the current port's local coordinates and global screen coordinates.
void LocalToGlobal(Point* pt);
void GlobalToLocal(Point* pt);

// ---- Regions -----------------------------------------------------------------------------

RgnHandle NewRgn();
void DisposeRgn(RgnHandle rgn);
void RectRgn(RgnHandle rgn, const Rect* r);
void SetRectRgn(RgnHandle rgn, short left, short top, short right, short bottom);
void SetEmptyRgn(RgnHandle rgn);
void CopyRgn(RgnHandle src, RgnHandle dst);
void DiffRgn(RgnHandle a, RgnHandle b, RgnHandle result);
void UnionRgn(RgnHandle a, RgnHandle b, RgnHandle result);
void SectRgn(RgnHandle a, RgnHandle b, RgnHandle result);
void OffsetRgn(RgnHandle rgn, short dh, short dv);
Boolean PtInRgn(Point pt, RgnHandle rgn);
Boolean EmptyRgn(RgnHandle rgn);
Rect* GetRegionBounds(RgnHandle rgn, Rect* bounds);
// The desktop: the screen below the menu bar. Owned by the toolbox; do not dispose of it.
RgnHandle GetGrayRgn();

// ---- Colour and drawing ------------------------------------------------------------------

void RGBForeColor(const RGBColor* color);
void RGBBackColor(const RGBColor* color);
void GetForeColor(RGBColor* color);
void GetBackColor(RGBColor* color);

void EraseRect(const Rect* r);  // fills with the background colour
void PaintRect(const Rect* r);  // fills with the foreground colour
void FrameRect(const Rect* r);  // one-pixel outline inside r in the foreground colour
void MoveTo(short h, short v);
void Move(short dh, short dv);
void LineTo(short h, short v);  // one-pixel line in the foreground colour
void GetPen(Point* pt);

// ---- Text --------------------------------------------------------------------------------

typedef unsigned char Style; // bold 1, italic 2, underline 4
enum : Style { normal = 0, bold = 1, italic = 2, underline = 4 };

struct FontInfo {
    short ascent;
    short descent;
    short widMax;
    short leading;
};

void TextFont(short font);
void TextSize(short size);
void TextFace(Style face);
// Text is MacRoman; drawing starts at the pen on the baseline and advances the pen.
void DrawChar(short ch);
void DrawString(ConstStr255Param s);
void DrawText(const void* text, short firstByte, short byteCount);
short CharWidth(short ch);
short StringWidth(ConstStr255Param s);
short TextWidth(const void* text, short firstByte, short byteCount);
void GetFontInfo(FontInfo* info);

// ---- Pixel copies and pictures -----------------------------------------------------------

// A port's pixels as CopyBits sees them.
struct BitMap {
    GrafPtr port; // the port whose pixel store this is
    Rect bounds;  // in the port's local coordinates
};
typedef BitMap* BitMapPtr;

enum : short { srcCopy = 0 };

const BitMap* GetPortBitMapForCopyBits(CGrafPtr port);
// Copies srcRect of src, scaled to dstRect of dst. Only srcCopy is drawn; the mask is ignored.
void CopyBits(const BitMap* src, const BitMap* dst, const Rect* srcRect, const Rect* dstRect,
              short mode, RgnHandle maskRgn);

// A picture is a handle holding a recorded drawing; the layout is described in Pictures.cpp.
struct Picture {
    SInt16 picSize;  // low 16 bits of the total size, as the classic record keeps it
    Rect picFrame;
};
typedef Picture* PicPtr;
typedef PicPtr* PicHandle;

// Starts recording the current port's drawing (CopyBits, FrameRect, PaintRect, EraseRect).
PicHandle OpenPicture(const Rect* frame);
void ClosePicture();
void KillPicture(PicHandle picture);
// Plays the picture back into the current port, its frame scaled to dst.
void DrawPicture(PicHandle picture, const Rect* dst);
// Picture resource 'PICT' id, or nullptr when missing.
PicHandle GetPicture(short id);

#include <cstdint>
#include <vector>
namespace tb {
// The bytes of a picture showing an RGBA image (top row first) scaled into frame, in the
// layout pictures use: for a 'PICT' resource registered with the Resource Manager.
std::vector<unsigned char> pictureFromPixels(const Rect& frame, const std::uint8_t* rgba, int width, int height);
} // namespace tb

// ---- Cursors -----------------------------------------------------------------------------

struct Cursor {
    UInt16 data[16];
    UInt16 mask[16];
    Point hotSpot;
};

struct CCrsr; // a colour cursor read from a 'crsr' resource
typedef CCrsr* CCrsrPtr;
typedef CCrsrPtr* CCrsrHandle;

typedef UInt32 ThemeCursor;
enum : ThemeCursor {
    kThemeArrowCursor = 0,
    kThemeIBeamCursor = 4,
    kThemeCrossCursor = 5,
    kThemeWatchCursor = 7,
};

void InitCursor();
// Any black-and-white cursor shows as the arrow: the program sets no cursor of its own that way.
void SetCursor(const Cursor* cursor);
// Colour cursor resource 'crsr' id, or nullptr when missing. Data layout of the resource:
// width, height, hot spot v, hot spot h as big-endian 16-bit values, then width * height
// RGBA pixels, top row first.
CCrsrHandle GetCCursor(short id);
void SetCCursor(CCrsrHandle cursor);
void DisposeCCursor(CCrsrHandle cursor);
OSStatus SetThemeCursor(ThemeCursor cursor);
OSStatus SetAnimatedThemeCursor(ThemeCursor cursor, UInt32 animationStep);
