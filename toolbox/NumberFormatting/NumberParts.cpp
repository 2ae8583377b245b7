// The script's number parts, read from the C library's locale each time they are asked for.
#include "tb/Script.h"

#include <clocale>
#include <cstring>

namespace tb {
namespace {

enum class Source { locale, fixed, none };
Source gSource = Source::locale;
NumberParts gFixed{};

// The table handed out by GetIntlResourceTable lives here; its handle points at it.
NumberParts gTable{};
char* gTableMaster = reinterpret_cast<char*>(&gTable);

// One locale character as a MacRoman byte; 0 when it has none we can show.
unsigned char macRomanOf(const char* utf8) {
    if (!utf8 || !*utf8) return 0;
    const auto* s = reinterpret_cast<const unsigned char*>(utf8);
    if (s[0] < 0x80) return s[1] == 0 ? s[0] : 0;
    // The few non-ASCII separators locales use, as MacRoman holds them.
    if (!std::strcmp(utf8, "\xC2\xA0") || !std::strcmp(utf8, "\xE2\x80\xAF")) return 0xCA;
    if (!std::strcmp(utf8, "\xE2\x80\x99")) return 0xD5;
    if (!std::strcmp(utf8, "\xE2\x88\x92")) return '-';
    return 0;
}

} // namespace

NumberParts plainNumberParts() {
    NumberParts p{};
    p.version = curNumberPartsVersion;
    p.decimalSeparator = '.';
    p.groupSeparator = 0;
    p.minusSign = '-';
    p.plusSign = '+';
    p.exponentSymbol = 'e';
    p.groupSize = 0;
    return p;
}

NumberParts localeNumberParts() {
    NumberParts p = plainNumberParts();
    const std::lconv* lc = std::localeconv();
    if (!lc) return p;
    if (unsigned char dp = macRomanOf(lc->decimal_point)) p.decimalSeparator = dp;
    p.groupSeparator = macRomanOf(lc->thousands_sep);
    if (p.groupSeparator == p.decimalSeparator) p.groupSeparator = 0;
    unsigned char g = lc->grouping ? static_cast<unsigned char>(lc->grouping[0]) : 0;
    p.groupSize = (p.groupSeparator && g > 0 && g < 0x7F) ? g : 0;
    if (unsigned char minus = macRomanOf(lc->negative_sign)) p.minusSign = minus;
    if (unsigned char plus = macRomanOf(lc->positive_sign)) p.plusSign = plus;
    return p;
}

void useLocaleNumberParts() { gSource = Source::locale; }
void useNumberParts(const NumberParts& parts) {
    gFixed = parts;
    gSource = Source::fixed;
}
void useNoNumberParts() { gSource = Source::none; }

} // namespace tb

long GetScriptManagerVariable(SInt16 selector) {
    return selector == smSysScript ? smRoman : 0;
}

void GetIntlResourceTable(ScriptCode, SInt16 tableCode, Handle* itlHandle, long* offset,
                          long* length) {
    using namespace tb;
    if (itlHandle) *itlHandle = nullptr;
    if (offset) *offset = 0;
    if (length) *length = 0;
    if (tableCode != iuNumberPartsTable || gSource == Source::none) return;
    gTable = gSource == Source::fixed ? gFixed : localeNumberParts();
    if (itlHandle) *itlHandle = &gTableMaster;
    if (length) *length = sizeof(NumberParts);
}
