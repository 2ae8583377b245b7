#include "NumberConversion.h"

#include "tb/Script.h"

#include <cmath>
#include <cstring>

namespace {

// Precisions beyond these would build patterns longer than a Pascal string.
constexpr short kMinPrecision = -1;
constexpr short kMaxPrecision = 99;

} // namespace

void CreateCanonicalFormat(short precision, NumFormatString* format, NumberParts* parts,
                           int scientific) {
    if (!format || !parts) return;
    // Without a number-parts table the plain C conventions stand in for it.
    *parts = tb::plainNumberParts();
    Handle table = nullptr;
    long offset = 0, length = 0;
    GetIntlResourceTable(static_cast<ScriptCode>(GetScriptManagerVariable(smSysScript)),
                         iuNumberPartsTable, &table, &offset, &length);
    if (table && *table && length >= static_cast<long>(sizeof(NumberParts)))
        std::memcpy(parts, *table + offset, sizeof(NumberParts));

    short p = precision < kMinPrecision ? kMinPrecision
              : precision > kMaxPrecision ? kMaxPrecision
                                          : precision;
    Str255 pattern;
    if (!scientific) {
        int len = (p == -1 ? 18 : p) + 8;
        std::memset(pattern + 1, '#', 25);
        if (p == -1 || p > 0) {
            pattern[7] = '0';
            pattern[8] = '.';
        }
        if (p == 0) len = 7;
        if (len > 25) len = 25;
        pattern[0] = static_cast<unsigned char>(len);
    } else {
        int len = p + 7;
        std::memset(pattern + 1, '#', static_cast<std::size_t>(len));
        pattern[0] = static_cast<unsigned char>(len);
        pattern[2] = '.';
        pattern[3] = '0';
        pattern[p + 3] = 'e';
        pattern[p + 4] = '+';
    }
    StringToFormatRec(pattern, parts, format);
}

FormatStatus ConvertDoubleToString(double x, unsigned char* text, short precision) {
    if (!text) return fEmptyFormatString;
    double magnitude = std::fabs(x);
    int scientific = magnitude < 0.001 || magnitude > 100000;
    NumFormatString format;
    NumberParts parts;
    CreateCanonicalFormat(precision, &format, &parts, scientific);
    extended80 x80;
    dtox80(&x, &x80);
    return ExtendedToString(&x80, &format, &parts, text);
}

int ConvertStringToDouble(const unsigned char* text, double* x, short precision) {
    if (!text || !x) return 0;
    NumFormatString format;
    NumberParts parts;
    extended80 x80;
    CreateCanonicalFormat(precision, &format, &parts, 0);
    FormatStatus status = StringToExtended(text, &format, &parts, &x80);
    if (status != fFormatOK) {
        CreateCanonicalFormat(precision, &format, &parts, 1);
        status = StringToExtended(text, &format, &parts, &x80);
    }
    if (status > fBestGuess) return 0;
    long double wide = tb::x80ToLongDouble(&x80);
    double value = static_cast<double>(wide);
    // A number the double cannot hold is refused rather than stored as infinity or 0.
    if (!std::isfinite(value) || (value == 0 && wide != 0)) return 0;
    *x = value;
    return 1;
}
