#include "Faults/Faults.h"

namespace tb::faults {
namespace {
bool armed[3] = {false, false, false};
}

void arm(Fault fault) { armed[static_cast<int>(fault)] = true; }

bool take(Fault fault) {
    bool& slot = armed[static_cast<int>(fault)];
    bool was = slot;
    slot = false;
    return was;
}

} // namespace tb::faults
