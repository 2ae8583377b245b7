// Font Manager: font family numbers by name.
#pragma once

#include "tb/Types.h"

enum : SInt16 {
    systemFont = 0,
    applFont = 1,
    kFontIDGeneva = 3,
    kFontIDMonaco = 4,
    kFontIDTimes = 20,
    kFontIDSymbol = 23,
};

// The family number of a font name ("Monaco", "Geneva", "Times", "Symbol");
// a name the system does not know gives 0, the system font.
void GetFNum(ConstStr255Param name, SInt16* familyID);
