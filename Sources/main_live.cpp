// Ilvaron in a real window.
#include "Startup.h"

#include "tb/Host.h"
#include "tb/Runner.h"
#include "tb/Sdl2Host.h"

#include <cstdio>

int main() {
    std::unique_ptr<tb::Host> host = tb::makeSdl2Host("Ilvaron");
    if (!host) {
        std::fprintf(stderr, "ilvaron: no window could be opened (is a display available?)\n");
        return 1;
    }
    tb::setHost(host.get());
    return tb::runProgram(ilvaronMain);
}
