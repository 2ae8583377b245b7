// Gestalt: what the toolbox reports about itself and the system, by selector.
#pragma once

#include "tb/Types.h"

enum : OSErr { gestaltUndefSelectorErr = -5551 };

enum : OSType {
    gestaltVersion = FOUR_CHAR("vers"),
    gestaltSystemVersion = FOUR_CHAR("sysv"),
    gestaltQuickdrawVersion = FOUR_CHAR("qd  "),
};

// QuickDraw levels as 'qd  ' reports them: 0x0100 and above have colour.
enum : SInt32 {
    gestaltOriginalQD = 0x0000,
    gestalt8BitQD = 0x0100,
    gestalt32BitQD = 0x0200,
    gestalt32BitQD13 = 0x0230,
};

// Defaults: 'vers' 0x0100 (this toolbox), 'sysv' 0x1040 (binary-coded decimal),
// 'qd  ' 0x0230. Any other selector, or one set to fail, gives gestaltUndefSelectorErr
// and a response of 0.
OSErr Gestalt(OSType selector, SInt32* response);

namespace tb {

// Overrides for the scenario driver's --gestalt option; they last until resetGestalt.
void setGestaltAnswer(OSType selector, SInt32 value);
void setGestaltError(OSType selector);
void resetGestalt();

// "qd" is 'qd  ': a selector written without its trailing blanks. 0 for an empty text
// or one longer than four characters.
OSType gestaltSelectorFromText(const char* text);

// One --gestalt argument, SELECTOR=VALUE or SELECTOR=error; VALUE is decimal or 0x hex
// (up to 32 bits, a leading minus allowed). False, and nothing changed, when malformed.
bool applyGestaltOption(const char* option);

} // namespace tb
