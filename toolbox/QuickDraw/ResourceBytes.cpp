#include "QuickDraw/ResourceBytes.h"

#include "tb/Resources.h"

namespace tb {

bool resourceBytes(ResType type, short id, std::vector<std::uint8_t>& out) {
    out.clear();
    const res::Bytes* data = findResourceData(type, id);
    if (!data) return false;
    out.assign(data->begin(), data->end());
    return true;
}

} // namespace tb
