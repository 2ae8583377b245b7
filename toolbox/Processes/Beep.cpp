#include "tb/Processes.h"

namespace {
tb::BeepHook gBeepHook = nullptr;
unsigned long gBeeps = 0;
} // namespace

void SysBeep(SInt16 duration) {
    ++gBeeps;
    if (gBeepHook) gBeepHook(duration);
}

namespace tb {
void setBeepHook(BeepHook hook) { gBeepHook = hook; }
unsigned long beepCount() { return gBeeps; }
} // namespace tb
