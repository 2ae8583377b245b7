// Glyph rendering for the toolbox's fonts: classic font numbers over DejaVu faces.
#pragma once

#include "tb/Types.h"

#include <cstdint>
#include <vector>

namespace tb::fonts {

// Classic style bits, as TextFace takes them.
enum : short { faceBold = 1, faceItalic = 2, faceUnderline = 4 };

// Font numbers the program uses; 0 (the system font) and any unknown number draw as Geneva.
enum : short { fontSystem = 0, fontGeneva = 3, fontMonaco = 4, fontTimes = 20, fontSymbol = 23 };

struct Metrics {
    short ascent = 0;
    short descent = 0;
    short widMax = 0;
    short leading = 0;
};

struct Glyph {
    int width = 0;  // bitmap columns
    int height = 0; // bitmap rows
    int left = 0;   // from the pen position to the bitmap's left column
    int top = 0;    // from the baseline up to the bitmap's top row
    int advance = 0;
    std::vector<std::uint8_t> coverage; // width * height, top row first, 0..255
};

// One point is one pixel. The character is a MacRoman code; for Symbol it is read
// through the Symbol encoding (m is mu, p is pi, ...). Results are cached and stay valid.
const Glyph& glyph(short fontNum, short size, short face, unsigned char code);
Metrics metrics(short fontNum, short size, short face);
int textWidth(short fontNum, short size, short face, const unsigned char* text, int length);

// GetFNum's table: "Monaco" 4, "Geneva" 3, "Times" 20, "Symbol" 23; false when unknown.
bool fontNumber(const unsigned char* pascalName, short* number);

} // namespace tb::fonts
