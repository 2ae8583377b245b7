// Integers to and from Pascal strings, in plain decimal with an ASCII minus.
#include "tb/NumberFormatting.h"

#include <climits>
#include <cstdio>
#include <cstring>

void NumToString(long theNum, Str255 theString) {
    if (!theString) return;
    char buf[32];
    int n = std::snprintf(buf, sizeof buf, "%ld", theNum);
    if (n < 0) n = 0;
    theString[0] = static_cast<unsigned char>(n);
    std::memcpy(theString + 1, buf, static_cast<std::size_t>(n));
}

// Reads an optional sign and the digits that follow; anything after them is ignored.
// A number too large for a long saturates instead of wrapping.
void StringToNum(ConstStr255Param theString, long* theNum) {
    if (!theNum) return;
    *theNum = 0;
    if (!theString) return;
    int len = theString[0];
    int i = 1;
    bool negative = false;
    if (i <= len && (theString[i] == '-' || theString[i] == '+')) {
        negative = theString[i] == '-';
        ++i;
    }
    unsigned long long magnitude = 0;
    const unsigned long long limit = negative ? 0x8000000000000000ull : LONG_MAX;
    for (; i <= len && theString[i] >= '0' && theString[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + static_cast<unsigned>(theString[i] - '0');
        if (magnitude > limit) {
            magnitude = limit;
            for (; i <= len && theString[i] >= '0' && theString[i] <= '9'; ++i) {
            }
            break;
        }
    }
    if (negative)
        *theNum = magnitude == 0x8000000000000000ull ? LONG_MIN : -static_cast<long>(magnitude);
    else
        *theNum = static_cast<long>(magnitude);
}
