// Pictures and CopyBits.
//
// A picture handle holds:
//   the Picture record (picSize: low 16 bits of the total size; picFrame), in the
//   machine's own layout so the program can read (**pic).picFrame directly;
//   then opcodes, each a big-endian 16-bit code followed by its operands (big-endian):
//     0x0030 FrameRect, 0x0031 PaintRect, 0x0032 EraseRect:
//            rect (top, left, bottom, right), colour (red, green, blue, 16 bits each)
//     0x0090 Pixels: destination rect, width, height, then width * height RGBA bytes,
//            top row first (the source pixels at recording time)
//     0x00FF End
//   Rectangles are in the frame's coordinates; DrawPicture maps the frame onto its target.
#include "QuickDraw/Draw.h"
#include "QuickDraw/Recording.h"
#include "QuickDraw/ResourceBytes.h"

#include "tb/Memory.h"
#include "tb/QuickDraw.h"
#include "tb/Resources.h"

#include <algorithm>
#include <cstring>

namespace tb::qd {
namespace {
struct Open {
    OpaqueGrafPtr* port = nullptr;
    PicHandle handle = nullptr;
    Rect frame{0, 0, 0, 0};
    std::vector<std::uint8_t> ops;
};
Open gOpen;

// Handed out when no memory is left for a picture: its frame is empty, as the classic
// call reports that failure, and it is never freed.
Picture gNoPicture{0, {0, 0, 0, 0}};
PicPtr gNoPictureMaster = &gNoPicture;

void put16(std::vector<std::uint8_t>& v, int x) {
    v.push_back(std::uint8_t((x >> 8) & 0xFF));
    v.push_back(std::uint8_t(x & 0xFF));
}
void putRect(std::vector<std::uint8_t>& v, const Rect& r) {
    put16(v, r.top);
    put16(v, r.left);
    put16(v, r.bottom);
    put16(v, r.right);
}
Rect getRect(const std::uint8_t* p) {
    return Rect{SInt16(be16(p)), SInt16(be16(p + 2)), SInt16(be16(p + 4)), SInt16(be16(p + 6))};
}

// Maps a rectangle in the frame's coordinates into dst.
Rect mapRect(const Rect& r, const Rect& frame, const Rect& dst) {
    int fw = std::max(1, frame.right - frame.left), fh = std::max(1, frame.bottom - frame.top);
    int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
    auto mh = [&](int h) { return SInt16(dst.left + (long long)(h - frame.left) * dw / fw); };
    auto mv = [&](int v) { return SInt16(dst.top + (long long)(v - frame.top) * dh / fh); };
    return Rect{mv(r.top), mh(r.left), mv(r.bottom), mh(r.right)};
}
} // namespace

std::vector<std::uint8_t>* recordingFor(const OpaqueGrafPtr* port) {
    return port && gOpen.port == port ? &gOpen.ops : nullptr;
}

void recordRect(const OpaqueGrafPtr* port, PictureOp op, const Rect& r, RGBColor color) {
    auto* ops = recordingFor(port);
    if (!ops) return;
    put16(*ops, op);
    putRect(*ops, r);
    put16(*ops, color.red);
    put16(*ops, color.green);
    put16(*ops, color.blue);
}

void recordPixels(const OpaqueGrafPtr* port, const Rect& dst, const OpaqueGrafPtr* src, const Rect& srcRect) {
    auto* ops = recordingFor(port);
    if (!ops || !src) return;
    Rect s;
    if (!SectRect(&srcRect, &src->portRect, &s)) return;
    int w = s.right - s.left, h = s.bottom - s.top;
    // The part of dst that the clipped source covers.
    Rect d = mapRect(s, srcRect, dst);
    put16(*ops, opPixels);
    putRect(*ops, d);
    put16(*ops, w);
    put16(*ops, h);
    for (int y = s.top; y < s.bottom; ++y) {
        const std::uint8_t* row = &src->pixels[(std::size_t(y) * src->width + s.left) * 4];
        ops->insert(ops->end(), row, row + std::size_t(w) * 4);
    }
}

} // namespace tb::qd

using namespace tb::qd;
using tb::be16;

const BitMap* GetPortBitMapForCopyBits(CGrafPtr port) { return port ? &port->bitMap : nullptr; }

void CopyBits(const BitMap* src, const BitMap* dst, const Rect* srcRect, const Rect* dstRect,
              short mode, RgnHandle) {
    if (!src || !dst || !src->port || !dst->port || !srcRect || !dstRect) return;
    tb::syncPort(src->port);
    recordPixels(dst->port, *dstRect, src->port, *srcRect);
    if (mode == srcCopy) blit(src->port, *srcRect, dst->port, *dstRect);
}

PicHandle OpenPicture(const Rect* frame) {
    OpaqueGrafPtr* port = currentPort();
    if (!port || !frame) return nullptr;
    gOpen = Open{};
    Handle h = NewHandleClear(sizeof(Picture));
    if (!h) return &gNoPictureMaster;
    gOpen.port = port;
    gOpen.handle = reinterpret_cast<PicHandle>(h);
    gOpen.frame = *frame;
    (*gOpen.handle)->picFrame = *frame;
    return gOpen.handle;
}

void ClosePicture() {
    if (!gOpen.handle) return;
    put16(gOpen.ops, opEnd);
    Handle h = reinterpret_cast<Handle>(gOpen.handle);
    Size total = Size(sizeof(Picture) + gOpen.ops.size());
    SetHandleSize(h, total);
    if (MemError() != noErr) {
        (*gOpen.handle)->picFrame = Rect{0, 0, 0, 0};
    } else {
        std::memcpy(*h + sizeof(Picture), gOpen.ops.data(), gOpen.ops.size());
        (*gOpen.handle)->picSize = SInt16(total & 0xFFFF);
    }
    gOpen = Open{};
}

void KillPicture(PicHandle picture) {
    if (!picture || picture == &gNoPictureMaster) return;
    if (gOpen.handle == picture) gOpen = Open{};
    DisposeHandle(reinterpret_cast<Handle>(picture));
}

void DrawPicture(PicHandle picture, const Rect* dst) {
    OpaqueGrafPtr* port = currentPort();
    if (!port || !picture || !*picture || !dst) return;
    Size size = GetHandleSize(reinterpret_cast<Handle>(picture));
    if (size < Size(sizeof(Picture))) return;
    const auto* base = reinterpret_cast<const std::uint8_t*>(*picture);
    Rect frame = (*picture)->picFrame;
    std::size_t pos = sizeof(Picture), end = std::size_t(size);
    while (pos + 2 <= end) {
        int op = be16(base + pos) & 0xFFFF;
        pos += 2;
        if (op == opEnd) break;
        if (op == opFrameRect || op == opPaintRect || op == opEraseRect) {
            if (pos + 14 > end) break;
            Rect r = mapRect(getRect(base + pos), frame, *dst);
            RGBColor c{UInt16(be16(base + pos + 8)), UInt16(be16(base + pos + 10)), UInt16(be16(base + pos + 12))};
            pos += 14;
            if (op == opFrameRect) tb::qd::frameRect(port, r, c);
            else tb::qd::fillRect(port, r, c);
        } else if (op == opPixels) {
            if (pos + 12 > end) break;
            Rect r = mapRect(getRect(base + pos), frame, *dst);
            int w = be16(base + pos + 8) & 0xFFFF, h = be16(base + pos + 10) & 0xFFFF;
            pos += 12;
            std::size_t bytes = std::size_t(w) * h * 4;
            if (pos + bytes > end) break;
            blitImage(base + pos, w, h, port, r, false);
            pos += bytes;
        } else {
            break; // an opcode this toolbox never writes: stop rather than guess its length
        }
    }
}

PicHandle GetPicture(short id) { return reinterpret_cast<PicHandle>(GetResource(FOUR_CHAR("PICT"), id)); }

namespace tb {
std::vector<unsigned char> pictureFromPixels(const Rect& frame, const std::uint8_t* rgba, int width, int height) {
    std::vector<std::uint8_t> ops;
    if (rgba && width > 0 && height > 0 && width <= 0xFFFF && height <= 0xFFFF) {
        put16(ops, opPixels);
        putRect(ops, frame);
        put16(ops, width);
        put16(ops, height);
        ops.insert(ops.end(), rgba, rgba + std::size_t(width) * height * 4);
    }
    put16(ops, opEnd);
    Picture head{SInt16((sizeof(Picture) + ops.size()) & 0xFFFF), frame};
    // Sized once and filled by memcpy: GCC 12 at -O2 misreads an insert here as out of bounds.
    std::vector<unsigned char> out(sizeof(Picture) + ops.size());
    std::memcpy(out.data(), &head, sizeof head);
    if (!ops.empty()) std::memcpy(out.data() + sizeof head, ops.data(), ops.size());
    return out;
}
} // namespace tb
