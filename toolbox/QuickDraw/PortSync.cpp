#include "QuickDraw/Port.h"

namespace tb {
namespace {
PortSyncHook gHook = nullptr;
}

void setPortSyncHook(PortSyncHook hook) { gHook = hook; }

void syncPort(OpaqueGrafPtr* port) {
    if (gHook && port && port->glAttachment) gHook(port);
}

} // namespace tb
