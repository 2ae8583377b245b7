// printf-like formatting into Pascal strings, with numbers in the system's number format.
#pragma once

#include <cstdarg>

// Returns the number of conversions that produced text. The result holds at most 255
// characters; formatting stops where it would run past them.
int vPrintToString(unsigned char* out, const char* format, va_list args);
int PrintToString(unsigned char* out, const char* format, ...);
