// Pixel-level drawing into a port's store, shared by QuickDraw, window frames and the compositor.
#pragma once

#include "QuickDraw/Port.h"

#include <cstdint>

namespace tb::qd {

OpaqueGrafPtr* currentPort();

// Anything that changes pixels a person could see calls this so the screen is composed again.
void screenChanged();
// Bumped by screenChanged; the compositor compares it with what it last presented.
unsigned screenGeneration();

inline std::uint8_t channel(UInt16 c) { return std::uint8_t(c >> 8); }

// All coordinates are the port's local ones; everything is clipped to the port's store.
void fillRect(OpaqueGrafPtr* port, const Rect& r, RGBColor color);
void frameRect(OpaqueGrafPtr* port, const Rect& r, RGBColor color);
void drawLine(OpaqueGrafPtr* port, Point from, Point to, RGBColor color);
void setPixel(OpaqueGrafPtr* port, int h, int v, RGBColor color);
// Draws MacRoman text with its baseline at v starting at h; returns the advance.
int drawText(OpaqueGrafPtr* port, int h, int v, short font, short size, short face,
             RGBColor color, const unsigned char* text, int length);
// Scales src's srcRect into dstRect of dst (nearest pixel); the source is not synced here.
void blit(const OpaqueGrafPtr* src, const Rect& srcRect, OpaqueGrafPtr* dst, const Rect& dstRect);
// Scales an RGBA image (top row first) into dstRect of dst; alpha 0 pixels are skipped
// when `keyed`, otherwise copied as opaque.
void blitImage(const std::uint8_t* rgba, int width, int height, OpaqueGrafPtr* dst,
               const Rect& dstRect, bool keyed);

short effectiveSize(short size);

} // namespace tb::qd
