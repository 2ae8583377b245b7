// The parameter dialog built from a printf-like format, and its format parser.
#pragma once

// The dialog has seven rows; a format's items beyond them are not stored.
constexpr short kMaxDialogItems = 7;

enum : short {
    kItemNone = 0,    // a letter that is no conversion
    kItemShort = 1,   // %d
    kItemLong = 2,    // %ld
    kItemFloat = 3,   // %e %f %g
    kItemDouble = 4,  // %le %lf %lg
    kItemChar = 5,    // %c
    kItemString = 6,  // %s
    kItemMarker = 7,  // %m
    kItemLastRow = 8, // %b
};

// Fills labels (Pascal strings, cut at 255 characters) and kinds for the first seven
// items and returns the number of items; a format with more than seven returns
// kMaxDialogItems + 1, which no dialog can show.
short ParseFormat(const char* format, unsigned char (*labels)[256], short* kinds);
