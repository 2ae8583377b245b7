// Resource bytes for QuickDraw and the Window Manager (cursors, pictures, window templates).
#pragma once

#include "tb/Types.h"

#include <cstdint>
#include <vector>

namespace tb {

// Fills `out` with the registered bytes of resource (type, id); false when there is none.
bool resourceBytes(ResType type, short id, std::vector<std::uint8_t>& out);

inline int be16(const std::uint8_t* p) { return SInt16((p[0] << 8) | p[1]); }
inline std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

} // namespace tb
