// Script Manager: the system script and its international resource tables.
#pragma once

#include "tb/NumberFormatting.h"
#include "tb/Types.h"

enum : SInt16 { smSystemScript = -1, smRoman = 0 };
enum : SInt16 { smSysScript = 18 };
enum : SInt16 { iuNumberPartsTable = 2 };

long GetScriptManagerVariable(SInt16 selector);

// Hands out the script's table of the given code: a handle, the table's offset in it
// and its length. The handle is null when the script has no such table.
void GetIntlResourceTable(ScriptCode script, SInt16 tableCode, Handle* itlHandle, long* offset,
                          long* length);

namespace tb {
// Where the number parts come from: the C library's current locale (the default),
// a fixed record, or nowhere at all (the script then has no number-parts table).
void useLocaleNumberParts();
void useNumberParts(const NumberParts& parts);
void useNoNumberParts();
// The number parts of the C library's current locale.
NumberParts localeNumberParts();
// The C conventions: '.', '-', '+', 'e', no grouping.
NumberParts plainNumberParts();
} // namespace tb
