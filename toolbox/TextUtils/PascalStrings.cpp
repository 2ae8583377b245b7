#include "tb/TextUtils.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kMaxPascal = 255;
}

void CopyCStringToPascal(const char* src, Str255 dst) {
    if (!dst) return;
    if (!src) {
        dst[0] = 0;
        return;
    }
    std::size_t n = strnlen(src, kMaxPascal);
    std::memmove(dst + 1, src, n);
    dst[0] = static_cast<unsigned char>(n);
}

void CopyPascalStringToC(ConstStr255Param src, char* dst) {
    if (!dst) return;
    if (!src) {
        dst[0] = 0;
        return;
    }
    std::size_t n = src[0];
    std::memmove(dst, src + 1, n);
    dst[n] = 0;
}

StringPtr c2pstr(char* aStr) {
    if (!aStr) return nullptr;
    auto* p = reinterpret_cast<StringPtr>(aStr);
    CopyCStringToPascal(aStr, p);
    return p;
}

char* p2cstr(StringPtr aStr) {
    if (!aStr) return nullptr;
    char* c = reinterpret_cast<char*>(aStr);
    CopyPascalStringToC(aStr, c);
    return c;
}

namespace tb {

std::string pascalToString(ConstStr255Param s) {
    if (!s) return {};
    return std::string(reinterpret_cast<const char*>(s + 1), s[0]);
}

void stringToPascal(std::string_view text, Str255 dst) {
    if (!dst) return;
    std::size_t n = std::min(text.size(), kMaxPascal);
    std::memmove(dst + 1, text.data(), n);
    dst[0] = static_cast<unsigned char>(n);
}

} // namespace tb
