#include "StringUtils.h"
#include "setValues.h"

namespace {

short kindOf(char letter) {
    switch (letter) {
    case 'd': return kItemShort;
    case 'e':
    case 'f':
    case 'g': return kItemFloat;
    case 's': return kItemString;
    case 'c': return kItemChar;
    case 'm':
    case 'M': return kItemMarker;
    case 'b':
    case 'B': return kItemLastRow;
    default: return kItemNone;
    }
}

short kindOfLong(char letter) {
    switch (letter) {
    case 'd': return kItemLong;
    case 'e':
    case 'f':
    case 'g': return kItemDouble;
    default: return kItemNone;
    }
}

} // namespace

short ParseFormat(const char* format, unsigned char (*labels)[256], short* kinds) {
    if (!format || !labels || !kinds) return 0;
    short count = 0;
    int labelLength = 0;
    const char* p = format;
    auto store = [&](short kind) {
        if (count < kMaxDialogItems) {
            kinds[count] = kind;
            labels[count][0] = static_cast<unsigned char>(labelLength);
        }
        ++count;
        labelLength = 0;
    };
    while (*p && count <= kMaxDialogItems) {
        char ch = *p;
        if (ch == ',' || ch == ';') {
            ++p;
            continue;
        }
        if (ch != '%') {
            if (labelLength < 255 && count < kMaxDialogItems)
                labels[count][++labelLength] = static_cast<unsigned char>(ch);
            ++p;
            continue;
        }
        // Up to two width digits, read and not used.
        if (isDigit(p[1])) {
            ++p;
            if (isDigit(p[1])) ++p;
        }
        ++p;
        if (!*p) { // unfinished at the end of the format
            store(kItemNone);
            break;
        }
        if (*p == 'l' || *p == 'L') {
            ++p;
            if (!*p) {
                store(kItemNone);
                break;
            }
            store(kindOfLong(*p));
        } else {
            store(kindOf(*p));
        }
        ++p;
    }
    return count > kMaxDialogItems ? kMaxDialogItems + 1 : count;
}
