// The record behind a graphics port: its own pixel store and drawing state.
#pragma once

#include "tb/QuickDraw.h"
#include "tb/Types.h"

#include <cstdint>
#include <vector>

struct OpaqueGrafPtr {
    // Pixel store: RGBA, 4 bytes a pixel, top row first, width x height of portRect.
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    Rect portRect{0, 0, 0, 0}; // local coordinates, top-left (0,0)

    OpaqueWindowPtr* window = nullptr; // the window this is the content port of, if any
    void* glAttachment = nullptr;      // the GL context drawing into this port, if any

    Point origin{0, 0}; // global position of local (0,0); the Window Manager keeps it
    RGBColor foreColor{0, 0, 0};
    RGBColor backColor{0xFFFF, 0xFFFF, 0xFFFF};
    Point pen{0, 0};
    short txFont = 0;
    short txSize = 0; // 0 is the system size, 12
    short txFace = 0;
    BitMap bitMap{this, {0, 0, 0, 0}};

    // New size; pixels that stay inside keep their place, new ones are white.
    void resize(int newWidth, int newHeight);
};

namespace tb {

// Called before anything reads a port's pixels (composition, CopyBits), so a
// GL context attached to the port can read its framebuffer back first.
using PortSyncHook = void (*)(OpaqueGrafPtr*);
void setPortSyncHook(PortSyncHook hook);
void syncPort(OpaqueGrafPtr* port);

} // namespace tb
