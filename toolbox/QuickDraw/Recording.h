// The picture being recorded: drawing operations on its port append their opcodes here.
#pragma once

#include "QuickDraw/Port.h"

#include <cstdint>
#include <vector>

namespace tb::qd {

enum PictureOp : std::uint16_t {
    opEnd = 0x00FF,
    opFrameRect = 0x0030,
    opPaintRect = 0x0031,
    opEraseRect = 0x0032,
    opPixels = 0x0090,
};

// Non-null while a picture is open on this port.
std::vector<std::uint8_t>* recordingFor(const OpaqueGrafPtr* port);

void recordRect(const OpaqueGrafPtr* port, PictureOp op, const Rect& r, RGBColor color);
void recordPixels(const OpaqueGrafPtr* port, const Rect& dst, const OpaqueGrafPtr* src,
                  const Rect& srcRect);

} // namespace tb::qd
