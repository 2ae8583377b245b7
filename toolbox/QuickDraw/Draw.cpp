#include "QuickDraw/Draw.h"

#include "Fonts/FontEngine.h"

#include <algorithm>
#include <cstdlib>

namespace tb::qd {
namespace {
unsigned gGeneration = 1;

inline std::uint8_t* at(OpaqueGrafPtr* port, int h, int v) {
    return &port->pixels[(std::size_t(v) * port->width + h) * 4];
}

// r clipped to the port's store, as half-open ints.
bool clip(const OpaqueGrafPtr* port, const Rect& r, int& l, int& t, int& rr, int& b) {
    l = std::max<int>(r.left, 0);
    t = std::max<int>(r.top, 0);
    rr = std::min<int>(r.right, port->width);
    b = std::min<int>(r.bottom, port->height);
    return l < rr && t < b;
}
} // namespace

void screenChanged() { ++gGeneration; }
unsigned screenGeneration() { return gGeneration; }

short effectiveSize(short size) { return size <= 0 ? 12 : std::min<short>(size, 512); }

void fillRect(OpaqueGrafPtr* port, const Rect& r, RGBColor color) {
    int l, t, rr, b;
    if (!port || !clip(port, r, l, t, rr, b)) return;
    const std::uint8_t c[4] = {channel(color.red), channel(color.green), channel(color.blue), 255};
    for (int v = t; v < b; ++v) {
        std::uint8_t* p = at(port, l, v);
        for (int h = l; h < rr; ++h, p += 4) std::copy(c, c + 4, p);
    }
    screenChanged();
}

void setPixel(OpaqueGrafPtr* port, int h, int v, RGBColor color) {
    if (!port || h < 0 || v < 0 || h >= port->width || v >= port->height) return;
    std::uint8_t* p = at(port, h, v);
    p[0] = channel(color.red);
    p[1] = channel(color.green);
    p[2] = channel(color.blue);
    p[3] = 255;
}

void frameRect(OpaqueGrafPtr* port, const Rect& r, RGBColor color) {
    if (!port || r.right <= r.left || r.bottom <= r.top) return;
    fillRect(port, Rect{r.top, r.left, SInt16(r.top + 1), r.right}, color);
    fillRect(port, Rect{SInt16(r.bottom - 1), r.left, r.bottom, r.right}, color);
    fillRect(port, Rect{r.top, r.left, r.bottom, SInt16(r.left + 1)}, color);
    fillRect(port, Rect{r.top, SInt16(r.right - 1), r.bottom, r.right}, color);
}

void drawLine(OpaqueGrafPtr* port, Point from, Point to, RGBColor color) {
    if (!port) return;
    // Bresenham over both end points, as a one-pixel pen draws it.
    int x0 = from.h, y0 = from.v, x1 = to.h, y1 = to.v;
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        setPixel(port, x0, y0, color);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
    screenChanged();
}

int drawText(OpaqueGrafPtr* port, int h, int v, short font, short size, short face,
             RGBColor color, const unsigned char* text, int length) {
    if (!text || length <= 0) return 0;
    size = effectiveSize(size);
    const int fr = channel(color.red), fg = channel(color.green), fb = channel(color.blue);
    int pen = h;
    for (int i = 0; i < length; ++i) {
        const fonts::Glyph& g = fonts::glyph(font, size, face, text[i]);
        if (port) {
            int x0 = pen + g.left, y0 = v - g.top;
            for (int y = 0; y < g.height; ++y) {
                int py = y0 + y;
                if (py < 0 || py >= port->height) continue;
                for (int x = 0; x < g.width; ++x) {
                    int px = x0 + x;
                    if (px < 0 || px >= port->width) continue;
                    int a = g.coverage[std::size_t(y) * g.width + x];
                    if (!a) continue;
                    std::uint8_t* p = at(port, px, py);
                    p[0] = std::uint8_t(p[0] + (fr - p[0]) * a / 255);
                    p[1] = std::uint8_t(p[1] + (fg - p[1]) * a / 255);
                    p[2] = std::uint8_t(p[2] + (fb - p[2]) * a / 255);
                    p[3] = 255;
                }
            }
        }
        pen += g.advance;
    }
    if (port && (face & fonts::faceUnderline))
        fillRect(port, Rect{SInt16(v + 1), SInt16(h), SInt16(v + 2), SInt16(pen)}, color);
    if (port) screenChanged();
    return pen - h;
}

namespace {
// Nearest-pixel scaling of a source of sw x sh (rect sr) into dst's dr.
template <class Sample>
void scaleInto(const Rect& sr, OpaqueGrafPtr* dst, const Rect& dr, Sample sample) {
    int dw = dr.right - dr.left, dh = dr.bottom - dr.top;
    int sw = sr.right - sr.left, sh = sr.bottom - sr.top;
    if (!dst || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    int l, t, r, b;
    if (!clip(dst, dr, l, t, r, b)) return;
    for (int v = t; v < b; ++v) {
        int sy = sr.top + int((long long)(v - dr.top) * sh / dh);
        for (int h = l; h < r; ++h) {
            int sx = sr.left + int((long long)(h - dr.left) * sw / dw);
            sample(sx, sy, at(dst, h, v));
        }
    }
    screenChanged();
}
} // namespace

void blit(const OpaqueGrafPtr* src, const Rect& srcRect, OpaqueGrafPtr* dst, const Rect& dstRect) {
    if (!src || !dst) return;
    if (src == dst) { // a copy onto itself reads from a snapshot
        OpaqueGrafPtr copy;
        copy.width = src->width;
        copy.height = src->height;
        copy.pixels = src->pixels;
        blit(&copy, srcRect, dst, dstRect);
        return;
    }
    scaleInto(srcRect, dst, dstRect, [src](int sx, int sy, std::uint8_t* out) {
        if (sx < 0 || sy < 0 || sx >= src->width || sy >= src->height) return;
        const std::uint8_t* in = &src->pixels[(std::size_t(sy) * src->width + sx) * 4];
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        out[3] = 255;
    });
}

void blitImage(const std::uint8_t* rgba, int width, int height, OpaqueGrafPtr* dst,
               const Rect& dstRect, bool keyed) {
    if (!rgba || width <= 0 || height <= 0) return;
    Rect sr{0, 0, SInt16(height), SInt16(width)};
    scaleInto(sr, dst, dstRect, [&](int sx, int sy, std::uint8_t* out) {
        const std::uint8_t* in = &rgba[(std::size_t(sy) * width + sx) * 4];
        if (keyed && in[3] == 0) return;
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        out[3] = 255;
    });
}

} // namespace tb::qd
