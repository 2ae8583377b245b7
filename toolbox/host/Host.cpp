#include "tb/Host.h"
#include "tb/Runner.h"

#include "host/ProgramExit.h"

namespace tb {
namespace {
Host* gHost = nullptr;
}

void setHost(Host* h) { gHost = h; }
Host* host() { return gHost; }

void exitProgram(int status) { throw ProgramExit{status}; }

int runProgram(int (*programMain)()) {
    try {
        return programMain();
    } catch (const ProgramExit& e) {
        return e.status;
    }
}

} // namespace tb
