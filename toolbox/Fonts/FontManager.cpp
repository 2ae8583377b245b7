#include "tb/Fonts.h"

#include "Fonts/FontEngine.h"

void GetFNum(ConstStr255Param name, SInt16* familyID) {
    short number = 0;
    tb::fonts::fontNumber(name, &number);
    if (familyID) *familyID = number;
}
