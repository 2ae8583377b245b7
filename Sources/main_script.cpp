// The scenario driver: the program on the headless host, its script on standard input.
#include "ScriptSupport.h"
#include "Startup.h"

#include "tb/Runner.h"

int main(int argc, char** argv) {
    registerScriptSupport();
    return tb::runScripted(argc, argv, ilvaronMain);
}
