#include "Startup.h"

#include "Console.h"
#include "EventLoop.h"
#include "MenuCommands.h"
#include "PlotWindows.h"
#include "AppResources.h"
#include "Toolbox.h"
#include "Utilities.h"
#include "WindowHelpers.h"

#include <clocale>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>

namespace {

void caption(const char* text, short left, short top, short right, short bottom,
             WindowRef splash) {
    Rect box;
    SetRect(&box, left, top, right, bottom);
    // Our faces run wider than the ones the places were chosen for: a caption that
    // would wrap out of its box grows to the left instead, inside the window.
    short length = static_cast<short>(std::strlen(text));
    short needed = static_cast<short>(TextWidth(text, 0, length) + 4);
    if (needed > box.right - box.left) {
        Rect port;
        GetLocalWindowBounds(splash, port);
        if (box.left + needed > port.right - 4) box.right = static_cast<short>(port.right - 4);
        box.left = static_cast<short>(box.right - needed);
        if (box.left < port.left) box.left = port.left;
    }
    TETextBox(text, length, &box, teFlushDefault);
    ForceBufferFlush(splash);
}

void failCheck(short message) {
    advise(message);
    ExitToShell();
}

} // namespace

int ilvaronMain() {
    // Number formatting follows the user's locale.
    std::setlocale(LC_ALL, "");
    registerApplicationResources();
    initializeMac();
    initializeWindows();
    printInfo();
    eventLoop();
    return 0;
}

void initializeMac() {
    InitCursor();
    MoreMasterPointers(150);
    doInstallAEHandlers();
}

void initializeWindows() {
    WindowRef splash = GetNewCWindow(258, nullptr, kFirstWindowOfClass);
    SetPortWindowPort(splash);
    Rect bounds;
    GetLocalWindowBounds(splash, bounds);
    if (PicHandle picture = GetPicture(128)) DrawPicture(picture, &bounds);
    ForceBufferFlush(splash);

    SetThemeCursor(kThemeWatchCursor);
    TextFont(20);
    TextSize(16);
    TextFace(bold | italic);
    caption("Initializing...", 220, 15, 310, 38, splash);

    setupMenus();
    Delay(10, nullptr);

    TextSize(20);
    caption("1 Dimensional", 7, 50, 175, 70, splash);

    SInt32 response = 0;
    if (Gestalt(FOUR_CHAR("vers"), &response) != noErr) failCheck(1);
    if (Gestalt(FOUR_CHAR("sysv"), &response) != noErr || response <= 0x05FF) failCheck(1);
    if (Gestalt(FOUR_CHAR("qd  "), &response) != noErr || response <= 0x00FF) failCheck(2);

    SetDialogFont(3);
    createOutput();
    Delay(20, nullptr);

    SetPortWindowPort(splash);
    caption("Dynamical", 135, 325, 250, 348, splash);

    WindowRef plot = createPlot();

    SetPortWindowPort(splash);
    caption("Systems", 170, 365, 255, 388, splash);
    Delay(60, nullptr);

    DisposeWindow(splash);
    show(output);
    show(plot);
    FlushEvents(everyEvent, 0);
}

void printInfo() {
    printToText("Ilvaron: a desktop explorer for one-dimensional iterated maps");
    printToText("Keyboard shortcuts:");
    printToText("\t spacebar: iterate one step");
    printToText("\t upArrow: increment \xB5");
    printToText("\t downArrow: decrement \xB5");
    printToText("\t rightArrow: f^n -> f^{n+1}");
    printToText("\t leftArrow: f^n -> f^{n-1}");
    printToText("\t Command . to cancel long operations");
    printToText("Otherwise check the menus for command key equivalents.");
}

void aboutBox() {
    Str255 version;
    char versionText[256] = "";
    if (GetVersionString(version) == 0) CopyPascalStringToC(version, versionText);
    // The line is cut to its 20-byte buffer rather than written past it.
    char line[20];
    std::string text = std::string("Ilvaron ") + versionText;
    text.resize(std::min<std::size_t>(text.size(), sizeof line - 1));
    std::memcpy(line, text.c_str(), text.size() + 1);

    WindowRef window = GetNewCWindow(258, nullptr, kFirstWindowOfClass);
    if (!window) return;
    SetPortWindowPort(window);
    TextFont(20);
    TextSize(18);
    Rect bounds;
    GetLocalWindowBounds(window, bounds);
    if (PicHandle picture = GetPicture(128)) DrawPicture(picture, &bounds);
    Rect box;
    SetRect(&box, 75, 390, 275, 410);
    TETextBox(line, static_cast<long>(std::strlen(line)), &box, teFlushDefault);
    ForceBufferFlush(window);
    while (!Button()) {
    }
    DisposeWindow(window);
}
