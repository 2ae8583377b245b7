// TextEdit: the monostyled text engine (editing, selection, wrapping, scrolling, its scrap).
#pragma once

#include "tb/QuickDraw.h"
#include "tb/Types.h"

// The most characters a record holds.
enum : SInt16 { teMaxLength = 32767 };

// Justification, for TESetAlignment and TETextBox.
enum : short { teFlushDefault = 0, teCenter = 1, teFlushRight = -1, teFlushLeft = -2 };
enum : short { teJustLeft = 0, teJustCenter = 1, teJustRight = -1, teForceLeft = -2 };

typedef char** CharsHandle;

// The record behind a TEHandle. The program reads these fields directly; they are kept
// current after every operation. Coordinates are the port's local ones.
struct TERec {
    Rect destRect;     // wrapping rectangle: lines start at its left and wrap at its right
    Rect viewRect;     // what is shown; drawing is clipped to it
    Rect selRect;      // the caret or the first line of the selection
    short lineHeight;  // ascent + descent + leading of the record's font
    short fontAscent;
    Point selPoint;    // the caret's top-left
    short selStart;    // the selection, as character offsets, selStart <= selEnd
    short selEnd;
    short active;      // non-zero while active: selection highlighted, caret blinking
    short just;        // teJustLeft, teJustCenter, teJustRight
    short teLength;    // characters in hText
    Handle hText;      // the characters, MacRoman, CR ends a line
    short caretState;  // non-zero while the caret is drawn
    UInt32 caretTime;  // tick of the last blink
    UInt32 clickTime;  // tick of the last click, for double clicks
    short clickLoc;    // offset of the last click
    short autoView;    // non-zero: the selection is kept in view after edits
    short txFont;      // taken from the port when the record is made
    Style txFace;
    short txSize;
    GrafPtr inPort;    // the port drawn into
    short nLines;      // lines of text; the empty line after a final CR is not counted
    short lineStarts[teMaxLength + 2]; // offset of each line's first character; [nLines] is teLength
};
typedef TERec* TEPtr;
typedef TEPtr* TEHandle;

// The record takes its font, size and face from the current port.
TEHandle TENew(const Rect* destRect, const Rect* viewRect);
void TEDispose(TEHandle hTE);

// Replaces the whole text; the caret goes to its end. Nothing is drawn.
void TESetText(const void* text, long length, TEHandle hTE);
// The record's own handle: read it, do not dispose of it.
CharsHandle TEGetText(TEHandle hTE);
// Inserts before the selection, which moves along with the text. Text that would pass
// 32767 characters is refused whole.
void TEInsert(const void* text, long length, TEHandle hTE);
void TEDelete(TEHandle hTE);
void TESetSelect(long selStart, long selEnd, TEHandle hTE);
// Arrows (28 to 31) move the caret, 8 deletes backward, 13 inserts a line end,
// printable characters replace the selection.
void TEKey(short key, TEHandle hTE);
// pt in local coordinates. A drag past the view scrolls it; a double click picks a word.
void TEClick(Point pt, Boolean extend, TEHandle hTE);
void TEActivate(TEHandle hTE);
void TEDeactivate(TEHandle hTE);
// Blinks the caret; call it often while the record is active.
void TEIdle(TEHandle hTE);
// Draws the part of the view inside rUpdate (local coordinates).
void TEUpdate(const Rect* rUpdate, TEHandle hTE);
// Moves the text by dh, dv pixels (positive dv moves it down) and redraws the view.
void TEScroll(short dh, short dv, TEHandle hTE);
// Scrolls so the caret's line is in view, when automatic view is on.
void TESelView(TEHandle hTE);
void TEAutoView(Boolean fAuto, TEHandle hTE);
void TESetAlignment(short just, TEHandle hTE);
// Breaks the lines again, wrapping words at the destination width.
void TECalText(TEHandle hTE);
// Offset of the character under pt (local), and the local point of an offset.
short TEGetOffset(Point pt, TEHandle hTE);
Point TEGetPoint(short offset, TEHandle hTE);

// TextEdit's private scrap. Cut and copy fill it, paste reads it; TEFromScrap and
// TEToScrap move it from and to the current scrap's 'TEXT'.
void TECut(TEHandle hTE);
void TECopy(TEHandle hTE);
void TEPaste(TEHandle hTE);
OSErr TEFromScrap();
OSErr TEToScrap();
long TEGetScrapLength();
void TESetScrapLength(long length);
Handle TEScrapHandle();

// Draws text wrapped into box in the current port, after erasing the box.
void TETextBox(const void* text, long length, const Rect* box, short just);
