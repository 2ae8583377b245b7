// Kept apart so that code which never posts events need not link the event queue.
#include "tb/AppleEvents.h"

void tb::postQuitApplicationEvent() {
    tb::postEvent(tb::makeAppleEventRecord(kCoreEventClass, kAEQuitApplication));
}
