#include "tb/Resources.h"

#include "Resources/ResError.h"

#include "tb/TextUtils.h"

void GetIndString(Str255 theString, SInt16 strListID, SInt16 index) {
    if (!theString) return;
    theString[0] = 0;
    const tb::res::Bytes* list = tb::findResourceData(FOUR_CHAR("STR#"), strListID);
    tb::resources::setResError(list ? noErr : resNotFound);
    if (!list) return;
    tb::res::Reader r(list->data(), list->size());
    UInt16 count = r.u16();
    if (index < 1 || index > count) return;
    for (SInt16 i = 1; i < index; ++i) r.pstr(theString);
    r.pstr(theString);
    // A list cut short by its own data gives the empty string rather than a stale one.
    if (!r.ok()) theString[0] = 0;
}

StringHandle GetString(SInt16 stringID) {
    return reinterpret_cast<StringHandle>(GetResource(FOUR_CHAR("STR "), stringID));
}
