#include "StringUtils.h"

#include <cstring>

void pStrCopy(const unsigned char* source, unsigned char* dest) {
    if (!source || !dest) return;
    std::memmove(dest, source, static_cast<std::size_t>(source[0]) + 1);
}

unsigned char pStrLength(const unsigned char* s) { return s ? s[0] : 0; }

void pStrAppend(const unsigned char* source, unsigned char* dest) {
    if (!source || !dest) return;
    unsigned have = dest[0];
    unsigned add = source[0];
    if (have + add > 255) add = 255 - have;
    std::memmove(dest + 1 + have, source + 1, add);
    dest[0] = static_cast<unsigned char>(have + add);
}

long cStrLength(const char* s) { return s ? static_cast<long>(std::strlen(s)) : 0; }

void cStrCopy(const char* source, char* dest) {
    if (!source || !dest) return;
    std::memmove(dest, source, std::strlen(source) + 1);
}

int isDigit(char c) {
    signed char s = static_cast<signed char>(c);
    return s >= '0' && s <= '9' ? 1 : 0;
}
