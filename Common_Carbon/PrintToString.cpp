#include "PrintToString.h"

#include "NumberConversion.h"
#include "StringUtils.h"

#include <cstring>

int vPrintToString(unsigned char* out, const char* format, va_list args) {
    if (!out) return 0;
    out[0] = 0;
    if (!format) return 0;
    short precision = 13;
    int pos = 1; // next output position; the string is full once it passes 255
    int items = 0;
    bool full = false;
    const char* p = format;
    while (*p && pos <= 255 && !full) {
        if (*p != '%') {
            out[pos++] = static_cast<unsigned char>(*p++);
            continue;
        }
        // A format that ends inside a conversion ends the text there.
        if (isDigit(p[1])) {
            ++p;
            precision = static_cast<short>(*p - '0');
            if (isDigit(p[1])) {
                ++p;
                precision = static_cast<short>(precision * 10 + (*p - '0'));
            }
        }
        ++p;
        if (!*p) break;
        Str255 piece;
        piece[0] = 0;
        char letter = *p;
        bool isLong = false;
        if (letter == 'l' || letter == 'L') {
            ++p;
            if (!*p) break;
            letter = *p;
            isLong = true;
        }
        switch (letter) {
        case 'd':
            NumToString(isLong ? va_arg(args, long) : va_arg(args, int), piece);
            break;
        case 'c':
            if (!isLong) {
                piece[0] = 1;
                piece[1] = static_cast<unsigned char>(va_arg(args, int) & 0xFF);
            }
            break;
        case 'e':
        case 'f':
        case 'g':
            ConvertDoubleToString(va_arg(args, double), piece, precision);
            break;
        case 's':
            if (!isLong) {
                const unsigned char* s = va_arg(args, const unsigned char*);
                if (s) pStrCopy(s, piece);
            }
            break;
        default:
            break;
        }
        int len = piece[0];
        if (pos + len - 1 > 255) {
            len = 256 - pos;
            full = true;
        }
        std::memcpy(out + pos, piece + 1, static_cast<std::size_t>(len));
        pos += len;
        if (piece[0] > 0) ++items;
        ++p;
    }
    out[0] = static_cast<unsigned char>(pos - 1);
    return items;
}

int PrintToString(unsigned char* out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int items = vPrintToString(out, format, args);
    va_end(args);
    return items;
}
