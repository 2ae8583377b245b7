// Running a program's main so that exitProgram (and ExitToShell) can end it from anywhere.
#pragma once

namespace tb {

// Runs programMain and returns its status, or the status given to exitProgram.
// The host must already be set.
int runProgram(int (*programMain)());

// The scenario driver: parses the driver's options from argv, installs the headless
// host reading its script from standard input, runs programMain and prints
// "exit: STATUS" last. Returns the status the process should exit with.
// Defined in toolbox_headless.
int runScripted(int argc, char** argv, int (*programMain)());

} // namespace tb
