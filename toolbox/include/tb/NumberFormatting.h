// Number formatting: number-format patterns compiled with the script's number parts,
// and the 80-bit extended values the formatter works on.
#pragma once

#include "tb/Types.h"

// The script's number parts, taken from the C library's current locale. Characters
// are MacRoman bytes; 0 means "none".
struct NumberParts {
    SInt16 version;
    unsigned char decimalSeparator;
    unsigned char groupSeparator;
    unsigned char minusSign;
    unsigned char plusSign;
    unsigned char exponentSymbol;
    UInt8 groupSize; // digits between group separators; 0 when the locale groups none
    UInt8 reserved[24];
};

enum : SInt16 { curNumberPartsVersion = 1 };

// A pattern compiled with its number parts, opaque to callers.
struct NumFormatString {
    UInt8 fLength;
    UInt8 fVersion;
    char data[254];
};

// The 80-bit extended format: sign and biased exponent, then a 64-bit mantissa with
// an explicit integer bit, most significant word first.
struct extended80 {
    UInt16 exp;
    UInt16 man[4];
};

typedef SInt8 FormatStatus;

// What a conversion reports: 0 an exact match, 1 a best guess, larger values a failure.
enum : SInt8 {
    fFormatOK = 0,
    fBestGuess = 1,
    fOutOfSynch = 2,
    fSpuriousChars = 3,
    fMissingDelimiter = 4,
    fExtraDecimal = 5,
    fMissingLiteral = 6,
    fExtraExp = 7,
    fFormatOverflow = 8,
    fFormStrIsNAN = 9,
    fBadPartsTable = 10,
    fExtraPercent = 11,
    fExtraSeparator = 12,
    fEmptyFormatString = 13,
};

FormatStatus StringToFormatRec(ConstStr255Param inString, const NumberParts* partsTable,
                               NumFormatString* outString);
FormatStatus ExtendedToString(const extended80* x, const NumFormatString* myCanonical,
                              const NumberParts* partsTable, Str255 outString);
FormatStatus StringToExtended(ConstStr255Param source, const NumFormatString* myCanonical,
                              const NumberParts* partsTable, extended80* x);

void NumToString(long theNum, Str255 theString);
void StringToNum(ConstStr255Param theString, long* theNum);

void dtox80(const double* x, extended80* x80);
double x80tod(const extended80* x80);

// Long double is the platform's extended type; these convert without loss.
namespace tb {
void longDoubleToX80(long double value, extended80* x80);
long double x80ToLongDouble(const extended80* x80);
} // namespace tb
