// Number-format patterns: "#" a digit shown when significant, "0" a digit always shown,
// "." the decimal separator, "e+" or "e-" an exponent (with "+" its sign always shown).
#include "tb/NumberFormatting.h"
#include "tb/Script.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

namespace {

struct Compiled {
    UInt8 magic;
    UInt8 intPlaces;
    UInt8 intRequired;
    UInt8 hasSeparator;
    UInt8 fracPlaces;
    UInt8 fracRequired;
    UInt8 scientific;
    UInt8 expPlaces;
    UInt8 expRequired;
    UInt8 expSignAlways;
};
static_assert(sizeof(Compiled) <= sizeof(NumFormatString::data));
constexpr UInt8 kMagic = 0xA5;

bool partsUsable(const NumberParts* p) {
    return p && p->decimalSeparator != 0 && p->minusSign != 0 &&
           p->decimalSeparator != p->minusSign;
}

const NumberParts& partsOr(const NumberParts* p, NumberParts& fallback) {
    if (partsUsable(p)) return *p;
    fallback = tb::plainNumberParts();
    return fallback;
}

bool load(const NumFormatString* f, Compiled& c) {
    if (!f || f->fLength != sizeof(Compiled)) return false;
    std::memcpy(&c, f->data, sizeof c);
    return c.magic == kMagic;
}

// Writes text into a Pascal string, cut at 255 characters; true when it all fitted.
bool toPascal(const std::string& text, Str255 out) {
    std::size_t n = text.size() > 255 ? 255 : text.size();
    out[0] = static_cast<unsigned char>(n);
    std::memcpy(out + 1, text.data(), n);
    return n == text.size();
}

locale_t cLocale();

// The C library writes digits in the C locale here; the number parts add the separators.
std::string printfLongDouble(const char* format, int precision, long double value) {
    struct CLocaleScope {
        locale_t previous = uselocale(cLocale());
        ~CLocaleScope() { uselocale(previous); }
    } scope;
    int n = std::snprintf(nullptr, 0, format, precision, value);
    if (n <= 0) return std::string();
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(s.data(), s.size(), format, precision, value);
    s.resize(static_cast<std::size_t>(n));
    return s;
}

locale_t cLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

bool isBlank(unsigned char ch) { return ch == ' ' || ch == '\t' || ch == 0xCA; }

} // namespace

FormatStatus StringToFormatRec(ConstStr255Param inString, const NumberParts* partsTable,
                               NumFormatString* outString) {
    if (!outString) return fEmptyFormatString;
    std::memset(outString, 0, sizeof *outString);
    if (!inString || inString[0] == 0) return fEmptyFormatString;

    Compiled c{};
    c.magic = kMagic;
    enum { integer, fraction, exponent } part = integer;
    bool expSignSeen = false;
    for (int i = 1; i <= inString[0]; ++i) {
        unsigned char ch = inString[i];
        if (ch == '#' || ch == '0') {
            bool required = ch == '0';
            switch (part) {
            case integer:
                ++c.intPlaces;
                c.intRequired += required;
                break;
            case fraction:
                ++c.fracPlaces;
                c.fracRequired += required;
                break;
            case exponent:
                ++c.expPlaces;
                c.expRequired += required;
                break;
            }
        } else if (ch == '.' && part == integer) {
            c.hasSeparator = 1;
            part = fraction;
        } else if ((ch == 'e' || ch == 'E') && part != exponent) {
            c.scientific = 1;
            part = exponent;
        } else if ((ch == '+' || ch == '-') && part == exponent && !expSignSeen &&
                   c.expPlaces == 0) {
            expSignSeen = true;
            c.expSignAlways = ch == '+';
        } else if (ch == '.') {
            return fExtraDecimal;
        } else {
            return fSpuriousChars;
        }
    }
    if (c.intPlaces + c.fracPlaces == 0) return fEmptyFormatString;
    if (c.scientific && c.expPlaces == 0) return fMissingLiteral;

    outString->fLength = sizeof(Compiled);
    outString->fVersion = 1;
    std::memcpy(outString->data, &c, sizeof c);
    return partsUsable(partsTable) ? fFormatOK : fBadPartsTable;
}

FormatStatus ExtendedToString(const extended80* x, const NumFormatString* myCanonical,
                              const NumberParts* partsTable, Str255 outString) {
    if (!outString) return fEmptyFormatString;
    outString[0] = 0;
    Compiled c;
    if (!x || !load(myCanonical, c)) return fEmptyFormatString;
    NumberParts fallback;
    const NumberParts& parts = partsOr(partsTable, fallback);

    long double v = tb::x80ToLongDouble(x);
    if (std::isnan(v) || std::isinf(v)) {
        std::string text = std::isnan(v) ? "NaN" : "Inf";
        if (std::isinf(v) && v < 0) text.insert(text.begin(), static_cast<char>(parts.minusSign));
        toPascal(text, outString);
        return fFormStrIsNAN;
    }

    FormatStatus status = fFormatOK;
    std::string intDigits, fracDigits, expText;
    long double magnitude = std::fabs(v);
    if (!c.scientific) {
        std::string s = printfLongDouble("%.*Lf", c.fracPlaces, magnitude);
        std::size_t dot = s.find('.');
        intDigits = s.substr(0, dot);
        if (dot != std::string::npos) fracDigits = s.substr(dot + 1);
    } else {
        std::string s = printfLongDouble("%.*Le", c.fracPlaces, magnitude);
        std::size_t e = s.find('e');
        std::string mantissa = s.substr(0, e);
        std::size_t dot = mantissa.find('.');
        intDigits = mantissa.substr(0, dot);
        if (dot != std::string::npos) fracDigits = mantissa.substr(dot + 1);
        int exponent = std::atoi(s.c_str() + e + 1);
        std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
        std::size_t minDigits = c.expRequired > 0 ? c.expRequired : 1;
        while (digits.size() < minDigits) digits.insert(digits.begin(), '0');
        if (digits.size() > c.expPlaces) status = fFormatOverflow;
        expText.push_back(static_cast<char>(parts.exponentSymbol ? parts.exponentSymbol : 'e'));
        if (exponent < 0)
            expText.push_back(static_cast<char>(parts.minusSign));
        else if (c.expSignAlways)
            expText.push_back(static_cast<char>(parts.plusSign ? parts.plusSign : '+'));
        expText += digits;
    }

    // Optional digits: leading zeros of the integer part and trailing zeros of the
    // fraction disappear, but one integer digit always stays.
    std::size_t keepInt = c.intRequired > 0 ? c.intRequired : 1;
    std::size_t lead = 0;
    while (intDigits.size() - lead > keepInt && intDigits[lead] == '0') ++lead;
    intDigits.erase(0, lead);
    while (fracDigits.size() > c.fracRequired && fracDigits.back() == '0') fracDigits.pop_back();
    if (!c.scientific && intDigits.size() > c.intPlaces) status = fFormatOverflow;

    bool allZero = intDigits.find_first_not_of('0') == std::string::npos &&
                   fracDigits.find_first_not_of('0') == std::string::npos;
    std::string text;
    if (std::signbit(v) && !allZero) text.push_back(static_cast<char>(parts.minusSign));
    text += intDigits;
    if (!fracDigits.empty()) {
        text.push_back(static_cast<char>(parts.decimalSeparator));
        text += fracDigits;
    }
    text += expText;
    if (!toPascal(text, outString)) status = fFormatOverflow;
    return status;
}

// Reads the shape [sign] digits [separator digits] [e [sign] digits], surrounded by
// blanks at most. Texts that exceed the pattern's places, or that are not a number at
// all, are refused; a number whose shape merely differs from the pattern's is a best guess.
FormatStatus StringToExtended(ConstStr255Param source, const NumFormatString* myCanonical,
                              const NumberParts* partsTable, extended80* x) {
    Compiled c;
    if (!source || !x || !load(myCanonical, c)) return fEmptyFormatString;
    NumberParts fallback;
    const NumberParts& parts = partsOr(partsTable, fallback);

    int end = source[0];
    int i = 1;
    while (i <= end && isBlank(source[i])) ++i;
    while (end >= i && isBlank(source[end])) --end;
    if (i > end) return fOutOfSynch;

    auto digit = [&](int k) { return k <= end && source[k] >= '0' && source[k] <= '9'; };
    bool negative = false;
    if (source[i] == parts.minusSign || source[i] == '-') {
        negative = true;
        ++i;
    } else if (source[i] == '+' || (parts.plusSign && source[i] == parts.plusSign)) {
        ++i;
    }
    std::string intDigits, fracDigits, expDigits;
    bool hasExp = false, expNegative = false;
    while (digit(i)) intDigits.push_back(static_cast<char>(source[i++]));
    if (i <= end && source[i] == parts.decimalSeparator) {
        ++i;
        while (digit(i)) fracDigits.push_back(static_cast<char>(source[i++]));
    }
    if (intDigits.empty() && fracDigits.empty()) return fSpuriousChars;
    if (i <= end && (source[i] == 'e' || source[i] == 'E' ||
                     (parts.exponentSymbol && source[i] == parts.exponentSymbol))) {
        hasExp = true;
        ++i;
        if (i <= end && (source[i] == '+' || source[i] == '-' || source[i] == parts.minusSign)) {
            expNegative = source[i] != '+';
            ++i;
        }
        while (digit(i)) expDigits.push_back(static_cast<char>(source[i++]));
        if (expDigits.empty()) return fMissingDelimiter;
    }
    if (i <= end) {
        unsigned char ch = source[i];
        if (ch == parts.decimalSeparator) return fExtraDecimal;
        if (parts.groupSeparator && ch == parts.groupSeparator) return fExtraSeparator;
        if (ch == 'e' || ch == 'E') return fExtraExp;
        return fSpuriousChars;
    }
    if (hasExp && !c.scientific) return fExtraExp;

    std::size_t significantInt = intDigits.find_first_not_of('0');
    significantInt = significantInt == std::string::npos ? 0 : intDigits.size() - significantInt;
    std::size_t intLimit = c.scientific ? (c.intPlaces > 0 ? 1 : 0) : c.intPlaces;
    if (c.scientific && significantInt == 0 && !intDigits.empty()) significantInt = 1;
    if (significantInt > intLimit || fracDigits.size() > c.fracPlaces) return fFormatOverflow;
    std::size_t significantExp = expDigits.find_first_not_of('0');
    significantExp = significantExp == std::string::npos ? 0 : expDigits.size() - significantExp;
    if (significantExp > c.expPlaces) return fFormatOverflow;

    std::string normal = (negative ? "-" : "") + (intDigits.empty() ? "0" : intDigits);
    if (!fracDigits.empty()) normal += "." + fracDigits;
    if (hasExp) normal += std::string("e") + (expNegative ? "-" : "+") + expDigits;
    long double value = strtold_l(normal.c_str(), nullptr, cLocale());
    tb::longDoubleToX80(value, x);

    bool exact = hasExp == bool(c.scientific) && intDigits.size() >= c.intRequired &&
                 fracDigits.size() >= c.fracRequired;
    return exact ? fFormatOK : fBestGuess;
}
