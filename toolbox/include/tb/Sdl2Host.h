// The live host: the toolbox's screen in a real, resizable SDL2 window. Defined in toolbox_sdl2.
#pragma once

#include "tb/Host.h"

#include <memory>

namespace tb {

struct Sdl2HostOptions {
    const char* title = "";
    // Window size in screen coordinates; 0 picks one that fits the display.
    int width = 0;
    int height = 0;
    // Window position; kCentred lets the display centre it.
    static constexpr int kCentred = -100000;
    int x = kCentred;
    int y = kCentred;
    // Screen pixels per toolbox pixel; 0 follows the display's density (1 on most).
    int scale = 0;
};

// Options from the environment:
//   ILVARON_WINDOW=WxH or WxH+X+Y  the window's size and place (as for X geometry)
//   ILVARON_SCALE=N                every toolbox pixel shown as N by N (1 to 4)
// Malformed values are ignored.
Sdl2HostOptions sdl2HostOptionsFromEnvironment(const char* title);

// Opens the window. Null (with the reason on standard error) when there is no display.
// The caller installs it with setHost; it closes the window and SDL when destroyed.
std::unique_ptr<Host> makeSdl2Host(const Sdl2HostOptions& options);
std::unique_ptr<Host> makeSdl2Host(const char* title); // options from the environment

} // namespace tb
