// The way out of the program, provided by the host layer.
#pragma once

namespace tb {
[[noreturn]] void exitProgram(int status);
}
