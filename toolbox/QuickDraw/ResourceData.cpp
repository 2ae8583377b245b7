#include "QuickDraw/ResourceData.h"

namespace tb {
namespace {
ResourceReader gReader = nullptr;
}

void setResourceReader(ResourceReader reader) { gReader = reader; }

bool resourceData(ResType type, short id, std::vector<std::uint8_t>& out) {
    out.clear();
    return gReader && gReader(type, id, out);
}

} // namespace tb
