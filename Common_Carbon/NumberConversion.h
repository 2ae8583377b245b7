// Numbers written and read in the system's number format, with the canonical patterns.
#pragma once

#include "tb/NumberFormatting.h"

// Compiles the canonical pattern of precision p (digits after the separator; -1 for
// the widest) into format, filling parts with the system script's number parts.
void CreateCanonicalFormat(short precision, NumFormatString* format, NumberParts* parts,
                           int scientific);
// Writes x into text (a Pascal string); returns the formatter's status.
FormatStatus ConvertDoubleToString(double x, unsigned char* text, short precision);
// 1 when the Pascal string reads as a number within the double range (x then holds it),
// 0 otherwise (x untouched).
int ConvertStringToDouble(const unsigned char* text, double* x, short precision);
