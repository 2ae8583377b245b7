// Kept apart so that code which never exits need not link the host's exit.
#include "Processes/Exit.h"
#include "tb/Processes.h"

void ExitToShell() { tb::exitProgram(0); }
