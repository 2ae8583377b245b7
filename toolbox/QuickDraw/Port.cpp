#include "QuickDraw/Draw.h"
#include "QuickDraw/Port.h"

#include "tb/QuickDraw.h"

#include <algorithm>
#include <cstring>
#include <new>

void OpaqueGrafPtr::resize(int newWidth, int newHeight) {
    // Larger than any screen a window can be shown on; keeps absurd sizes from exhausting memory.
    newWidth = std::clamp(newWidth, 0, 4096);
    newHeight = std::clamp(newHeight, 0, 4096);
    std::vector<std::uint8_t> fresh;
    try {
        fresh.assign(std::size_t(newWidth) * newHeight * 4, 0xFF);
    } catch (const std::bad_alloc&) {
        newWidth = newHeight = 0;
    }
    int w = std::min(width, newWidth), h = std::min(height, newHeight);
    for (int y = 0; y < h; ++y)
        std::memcpy(&fresh[std::size_t(y) * newWidth * 4], &pixels[std::size_t(y) * width * 4],
                    std::size_t(w) * 4);
    pixels.swap(fresh);
    width = newWidth;
    height = newHeight;
    portRect = Rect{0, 0, SInt16(newHeight), SInt16(newWidth)};
    bitMap.bounds = portRect;
    tb::qd::screenChanged();
}

namespace {
GrafPtr gCurrent = nullptr;
}

namespace tb::qd {
OpaqueGrafPtr* currentPort() { return gCurrent; }
} // namespace tb::qd

void GetPort(GrafPtr* port) {
    if (port) *port = gCurrent;
}

void SetPort(GrafPtr port) { gCurrent = port; }

Boolean QDSwapPort(CGrafPtr inNewPort, CGrafPtr* outOldPort) {
    GrafPtr old = gCurrent;
    if (outOldPort) *outOldPort = old;
    gCurrent = inNewPort;
    return old != inNewPort;
}

Rect* GetPortBounds(CGrafPtr port, Rect* bounds) {
    if (!bounds) return nullptr;
    *bounds = port ? port->portRect : Rect{0, 0, 0, 0};
    return bounds;
}

WindowRef GetWindowFromPort(CGrafPtr port) { return port ? port->window : nullptr; }

void RGBForeColor(const RGBColor* color) {
    if (gCurrent && color) gCurrent->foreColor = *color;
}
void RGBBackColor(const RGBColor* color) {
    if (gCurrent && color) gCurrent->backColor = *color;
}
void GetForeColor(RGBColor* color) {
    if (color) *color = gCurrent ? gCurrent->foreColor : RGBColor{0, 0, 0};
}
void GetBackColor(RGBColor* color) {
    if (color) *color = gCurrent ? gCurrent->backColor : RGBColor{0xFFFF, 0xFFFF, 0xFFFF};
}

void LocalToGlobal(Point* pt) {
    if (!pt || !gCurrent) return;
    pt->h = SInt16(pt->h + gCurrent->origin.h);
    pt->v = SInt16(pt->v + gCurrent->origin.v);
}

void GlobalToLocal(Point* pt) {
    if (!pt || !gCurrent) return;
    pt->h = SInt16(pt->h - gCurrent->origin.h);
    pt->v = SInt16(pt->v - gCurrent->origin.v);
}

void MoveTo(short h, short v) {
    if (gCurrent) gCurrent->pen = Point{v, h};
}
void Move(short dh, short dv) {
    if (gCurrent) gCurrent->pen = Point{SInt16(gCurrent->pen.v + dv), SInt16(gCurrent->pen.h + dh)};
}
void GetPen(Point* pt) {
    if (pt) *pt = gCurrent ? gCurrent->pen : Point{0, 0};
}
