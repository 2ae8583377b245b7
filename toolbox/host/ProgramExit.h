// How exitProgram unwinds to the runner that started the program.
#pragma once

namespace tb {

// Thrown by exitProgram and caught only by the runners (runProgram, runScripted).
struct ProgramExit {
    int status;
};

} // namespace tb
