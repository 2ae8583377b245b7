#include "tb/Dialogs.h"

namespace tb::res {

Bytes itemList(const std::vector<DialogItemSpec>& items) {
    Writer w;
    w.u16(UInt16(items.size()));
    for (const DialogItemSpec& item : items) {
        w.u8(UInt8(item.type)).rect(item.rect).pstr(item.text).s16(item.resID);
    }
    return w.take();
}

Bytes dialogTemplate(const DialogSpec& spec) {
    Writer w;
    w.rect(spec.bounds).s16(spec.procID).u16(spec.visible ? 1 : 0).u16(spec.goAway ? 1 : 0);
    w.s32(spec.refCon).s16(spec.itemsID).pstr(spec.title);
    return w.take();
}

Bytes alertTemplate(const AlertSpec& spec) {
    Writer w;
    w.rect(spec.bounds).s16(spec.itemsID).u16(0);
    return w.take();
}

} // namespace tb::res
