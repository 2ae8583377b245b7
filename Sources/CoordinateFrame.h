// Conversions between a plot's physical coordinates and its window pixels.
#pragma once

#include "tb/Types.h"

#include <cstdint>

struct vect {
    double x;
    double y;
};

// The physical rectangle a window shows and its pixels per unit.
struct Frame {
    double xmin, xmax, ymin, ymax;
    double xScale, yScale;
};

// Truncates toward zero into 16 bits; far-off values stop at the ends of the range.
Point toWindow(const Frame& frame, vect p);
vect toPhysical(const Frame& frame, Point pt);

// A plotted vertex, rounded to the nearest pixel as the plots draw them. Values beyond
// 32 bits saturate; a NaN gives the most negative value, as the processor's own
// conversion does, so the vertex still reaches GL.
std::int32_t vertexH(const Frame& frame, double x);
std::int32_t vertexV(const Frame& frame, double y);

// Cuts the segment a-b to the frame widened by one frame size on every side, so both
// ends convert to window pixels without leaving 16 bits while the visible part stays
// where it is. False when nothing of it is near the frame or an end is not finite.
bool clipToFrameMargin(const Frame& frame, vect& a, vect& b);
