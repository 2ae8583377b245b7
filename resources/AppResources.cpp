#include "AppResources.h"

#include "Artwork.h"
#include "MenuResources.h"
#include "DialogResources.h"

#include "tb/Resources.h"
#include "tb/Windows.h"

namespace {

using tb::res::Writer;

constexpr ResType kWIND = FOUR_CHAR("WIND");

// 'WIND': bounds, procID, visible, goAway, refCon, title.
void window(SInt16 id, const Rect& bounds, short procID, bool visible, bool goAway,
            const char* title) {
    Writer w;
    w.rect(bounds).s16(procID).u16(visible ? 1 : 0).u16(goAway ? 1 : 0).s32(0).pstr(title);
    tb::registerResource(kWIND, id, w.data());
}

void strings() {
    tb::registerResource(
        FOUR_CHAR("STR#"), 256,
        tb::res::strList({
            "Ilvaron needs a newer system than this one.",
            "Ilvaron needs Colour QuickDraw, which this system lacks.",
            "No OpenGL pixel format or context could be made for a plot window.",
            "The console is full: its text will be erased.",
            "",
            "The Finder could not be found.",
            "Window bounds rejected: each lower bound must be below its upper bound.",
        }));
    tb::registerResource(FOUR_CHAR("STR#"), 257,
                         tb::res::strList({
                             "The disk is full.",
                             "The file could not be found.",
                             "Too many files are open.",
                             "The disk is locked.",
                             "The file is already open for writing.",
                             "The file was not found.",
                             "The folder was not found.",
                             "The file is locked.",
                             "There is not enough memory.",
                             "A file error occurred.",
                         }));
}

} // namespace

void registerApplicationResources() {
    // The plot window and the console: both placed and sized by the program.
    window(256, tb::rect(2, 64, 402, 464), kWindowFullZoomGrowDocumentProc, false, true, "Plot");
    window(257, tb::rect(500, 64, 900, 464), kWindowFullZoomGrowDocumentProc, false, true,
           "Output");
    // The splash and About window: a plain box, 320 by 420.
    window(258, tb::rect(200, 120, 520, 540), plainDBox, true, false, "");

    strings();
    tb::res::Version version;
    version.major = 0x01;
    version.minorAndBug = 0x00;
    version.shortVersion = "1.0";
    version.longVersion = "1.0, Ilvaron: one-dimensional iterated maps";
    tb::registerResource(FOUR_CHAR("vers"), 1, tb::res::vers(version));
    tb::registerResource(FOUR_CHAR("PICT"), 128, artwork::splashPicture(320, 420));
    tb::registerResource(FOUR_CHAR("crsr"), 128, artwork::magnifierCursor(true));
    tb::registerResource(FOUR_CHAR("crsr"), 129, artwork::magnifierCursor(false));
    registerMenuResources();
    registerDialogResources();
}
