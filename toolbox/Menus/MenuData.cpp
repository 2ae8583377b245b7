#include "Menus/MenuRecord.h"

namespace tb::res {

Bytes menu(const MenuSpec& spec) {
    UInt32 flags = spec.enabled ? 1u : 0u;
    for (std::size_t i = 0; i < spec.items.size(); ++i)
        if (i + 1 >= 32 || spec.items[i].enabled) flags |= i + 1 < 32 ? (1u << (i + 1)) : 0u;
    Writer w;
    w.s16(spec.id).u32(flags).pstr(spec.title);
    for (const MenuItemSpec& item : spec.items) {
        // An empty text would end the list: it is stored as one blank.
        w.pstr(item.text.empty() ? std::string(" ") : item.text);
        w.u8(UInt8(item.key)).u8(item.mark).u8(0);
    }
    w.u8(0);
    return w.take();
}

Bytes menuBar(const std::vector<short>& menuIDs) {
    Writer w;
    w.u16(UInt16(menuIDs.size()));
    for (short id : menuIDs) w.s16(id);
    return w.take();
}

} // namespace tb::res

namespace tb::menus {

bool parseMenu(const void* data, std::size_t size, OpaqueMenuRef& out) {
    res::Reader r(data, size);
    out.id = r.s16();
    UInt32 flags = r.u32();
    out.title = r.pstr();
    out.enabled = flags & 1u;
    out.items.clear();
    while (r.ok() && r.remaining() > 0) {
        std::string text = r.pstr();
        if (text.empty()) break;
        OpaqueMenuRef::Item item;
        item.text = text;
        item.key = r.u8();
        item.mark = r.u8();
        item.style = r.u8();
        std::size_t n = out.items.size() + 1;
        item.enabled = n >= 32 || (flags & (1u << n));
        if (item.separator()) item.enabled = false;
        if (r.ok()) out.items.push_back(item);
    }
    return r.ok();
}

bool parseMenuBar(const void* data, std::size_t size, std::vector<short>& ids) {
    res::Reader r(data, size);
    UInt16 n = r.u16();
    ids.clear();
    for (UInt16 i = 0; i < n && r.ok(); ++i) ids.push_back(r.s16());
    return r.ok();
}

} // namespace tb::menus
