#include "QuickDraw/ResourceBytes.h"

#include "tb/Host.h"
#include "tb/QuickDraw.h"

#include <new>

struct CCrsr {
    tb::CursorImage image;
};

namespace {
struct CursorBlock {
    CCrsr* master;
    CCrsr cursor;
};

void show(tb::CursorShape shape, const tb::CursorImage* image = nullptr) {
    if (tb::host()) tb::host()->setCursor(shape, image);
}
} // namespace

void InitCursor() { show(tb::CursorShape::arrow); }

void SetCursor(const Cursor*) { show(tb::CursorShape::arrow); }

CCrsrHandle GetCCursor(short id) {
    std::vector<std::uint8_t> data;
    if (!tb::resourceBytes(FOUR_CHAR("crsr"), id, data) || data.size() < 8) return nullptr;
    int w = tb::be16(&data[0]), h = tb::be16(&data[2]);
    if (w <= 0 || h <= 0 || w > 256 || h > 256 || data.size() < 8 + std::size_t(w) * h * 4)
        return nullptr;
    auto* block = new (std::nothrow) CursorBlock;
    if (!block) return nullptr;
    block->master = &block->cursor;
    tb::CursorImage& img = block->cursor.image;
    img.id = id;
    img.width = w;
    img.height = h;
    img.hotSpot = Point{SInt16(tb::be16(&data[4])), SInt16(tb::be16(&data[6]))};
    img.rgba.assign(data.begin() + 8, data.begin() + 8 + std::size_t(w) * h * 4);
    return &block->master;
}

void SetCCursor(CCrsrHandle cursor) {
    if (cursor && *cursor) show(tb::CursorShape::image, &(*cursor)->image);
}

void DisposeCCursor(CCrsrHandle cursor) {
    // The master pointer is the block's first member.
    if (cursor) delete reinterpret_cast<CursorBlock*>(cursor);
}

OSStatus SetThemeCursor(ThemeCursor cursor) {
    switch (cursor) {
    case kThemeIBeamCursor: show(tb::CursorShape::ibeam); break;
    case kThemeCrossCursor: show(tb::CursorShape::cross); break;
    case kThemeWatchCursor: show(tb::CursorShape::watch); break;
    default: show(tb::CursorShape::arrow); break;
    }
    return noErr;
}

OSStatus SetAnimatedThemeCursor(ThemeCursor cursor, UInt32) { return SetThemeCursor(cursor); }
