#include "tb/Gestalt.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>

namespace {

// An answer, or nullopt for a selector that is made to fail.
using Answer = std::optional<SInt32>;

std::map<OSType, Answer> defaults() {
    return {
        {gestaltVersion, 0x0100},
        {gestaltSystemVersion, 0x1040},
        {gestaltQuickdrawVersion, gestalt32BitQD13},
    };
}

std::map<OSType, Answer>& answers() {
    static std::map<OSType, Answer> table = defaults();
    return table;
}

// Decimal or 0x hexadecimal, the whole text, within 32 bits either signed or unsigned.
bool parseValue(const char* text, SInt32& value) {
    bool negative = *text == '-';
    if (negative) ++text;
    int base = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text += 2;
    }
    if (*text == 0 || *text == '-' || *text == '+' || *text == ' ') return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long magnitude = std::strtoull(text, &end, base);
    if (errno || *end != 0 || magnitude > 0xFFFFFFFFull) return false;
    if (negative && magnitude > 0x80000000ull) return false;
    UInt32 bits = UInt32(magnitude);
    value = SInt32(negative ? UInt32(0) - bits : bits);
    return true;
}

} // namespace

OSErr Gestalt(OSType selector, SInt32* response) {
    if (!response) return paramErr;
    *response = 0;
    auto it = answers().find(selector);
    if (it == answers().end() || !it->second) return gestaltUndefSelectorErr;
    *response = *it->second;
    return noErr;
}

namespace tb {

void setGestaltAnswer(OSType selector, SInt32 value) { answers()[selector] = value; }

void setGestaltError(OSType selector) { answers()[selector] = std::nullopt; }

void resetGestalt() { answers() = defaults(); }

OSType gestaltSelectorFromText(const char* text) {
    if (!text) return 0;
    std::size_t n = strnlen(text, 5);
    if (n == 0 || n > 4) return 0;
    OSType code = 0;
    for (std::size_t i = 0; i < 4; ++i) code = (code << 8) | (i < n ? UInt8(text[i]) : UInt8(' '));
    return code;
}

bool applyGestaltOption(const char* option) {
    if (!option) return false;
    const char* eq = std::strchr(option, '=');
    if (!eq) return false;
    std::string name(option, eq);
    OSType selector = gestaltSelectorFromText(name.c_str());
    if (!selector) return false;
    const char* value = eq + 1;
    if (std::strcmp(value, "error") == 0) {
        setGestaltError(selector);
        return true;
    }
    SInt32 number = 0;
    if (!parseValue(value, number)) return false;
    setGestaltAnswer(selector, number);
    return true;
}

} // namespace tb
