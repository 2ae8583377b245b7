// Text utilities: copies between Pascal and C strings, and strings read from resources.
#pragma once

#include "tb/Types.h"

#include <string>
#include <string_view>

// A C string longer than 255 characters is cut at 255. Source and destination may be
// the same buffer. A null source gives the empty string.
void CopyCStringToPascal(const char* src, Str255 dst);
// dst must hold 256 bytes: at most 255 characters and the terminating zero.
void CopyPascalStringToC(ConstStr255Param src, char* dst);
// In place; the buffer keeps its size (a C string of more than 255 characters is cut).
StringPtr c2pstr(char* aStr);
char* p2cstr(StringPtr aStr);

// String index of the 'STR#' list strListID, counted from 1. A missing list or an
// index out of range gives the empty string (ResError tells which).
void GetIndString(Str255 theString, SInt16 strListID, SInt16 index);
// The 'STR ' resource as a handle to its Pascal string; null when missing.
StringHandle GetString(SInt16 stringID);

namespace tb {
// Conveniences for the toolbox's own code, with the same cut at 255 characters.
std::string pascalToString(ConstStr255Param s);
void stringToPascal(std::string_view text, Str255 dst);
} // namespace tb
