#include "QuickDraw/Draw.h"

#include "Fonts/FontEngine.h"
#include "tb/QuickDraw.h"

#include <algorithm>

using tb::qd::currentPort;

namespace {
void drawBytes(const unsigned char* text, int length) {
    OpaqueGrafPtr* port = currentPort();
    if (!port || !text || length <= 0) return;
    int advance = tb::qd::drawText(port, port->pen.h, port->pen.v, port->txFont, port->txSize,
                                   port->txFace, port->foreColor, text, length);
    port->pen.h = SInt16(std::clamp(port->pen.h + advance, -32768, 32767));
}

int widthOf(const unsigned char* text, int length) {
    OpaqueGrafPtr* port = currentPort();
    if (!text || length <= 0) return 0;
    short font = port ? port->txFont : 0, face = port ? port->txFace : 0;
    short size = tb::qd::effectiveSize(port ? port->txSize : 0);
    return std::min(tb::fonts::textWidth(font, size, face, text, length), 32767);
}
} // namespace

void TextFont(short font) {
    if (currentPort()) currentPort()->txFont = font;
}
void TextSize(short size) {
    if (currentPort()) currentPort()->txSize = size;
}
void TextFace(Style face) {
    if (currentPort()) currentPort()->txFace = face;
}

void DrawChar(short ch) {
    unsigned char c = static_cast<unsigned char>(ch);
    drawBytes(&c, 1);
}

void DrawString(ConstStr255Param s) {
    if (s) drawBytes(s + 1, s[0]);
}

void DrawText(const void* text, short firstByte, short byteCount) {
    if (!text || firstByte < 0) return;
    drawBytes(static_cast<const unsigned char*>(text) + firstByte, byteCount);
}

short CharWidth(short ch) {
    unsigned char c = static_cast<unsigned char>(ch);
    return short(widthOf(&c, 1));
}

short StringWidth(ConstStr255Param s) { return s ? short(widthOf(s + 1, s[0])) : 0; }

short TextWidth(const void* text, short firstByte, short byteCount) {
    if (!text || firstByte < 0) return 0;
    return short(widthOf(static_cast<const unsigned char*>(text) + firstByte, byteCount));
}

void GetFontInfo(FontInfo* info) {
    if (!info) return;
    OpaqueGrafPtr* port = currentPort();
    short font = port ? port->txFont : 0, face = port ? port->txFace : 0;
    tb::fonts::Metrics m = tb::fonts::metrics(font, tb::qd::effectiveSize(port ? port->txSize : 0), face);
    *info = FontInfo{m.ascent, m.descent, m.widMax, m.leading};
}
