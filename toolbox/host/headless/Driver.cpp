#include "host/ProgramExit.h"
#include "host/headless/HeadlessHost.h"

#include "Faults/Faults.h"
#include "tb/Gestalt.h"
#include "tb/Runner.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace tb {
namespace {
int usage(std::ostream& err, const std::string& why) {
    err << "ilvaron-script: " << why << "\n"
              << "usage: ilvaron-script [--screen WxH] [--gestalt SELECTOR=VALUE] [--fail glcontext|menubar|memory] < script\n";
    return 2;
}
} // namespace

int runScripted(int argc, char** argv, int (*programMain)()) {
    std::vector<std::string> options(argv + 1, argv + argc);
    std::string script((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    return headless::runScript(options, script, std::cout, std::cerr, programMain);
}

namespace headless {
int runScript(const std::vector<std::string>& argv, const std::string& script, std::ostream& out,
              std::ostream& err, int (*programMain)()) {
    int argc = int(argv.size());
    int width = 1280, height = 1024;
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i], value;
        std::size_t eq = arg.find('=');
        std::string name = arg;
        if (arg.rfind("--", 0) == 0 && eq != std::string::npos && arg.compare(0, 9, "--gestalt") != 0) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        } else if (arg.rfind("--gestalt=", 0) == 0) {
            name = "--gestalt";
            value = arg.substr(10);
        } else if (i + 1 < argc) {
            value = argv[i + 1];
            if (name == "--screen" || name == "--gestalt" || name == "--fail") ++i;
        }
        if (name == "--screen") {
            int w = 0, h = 0;
            char tail = 0;
            if (std::sscanf(value.c_str(), "%dx%d%c", &w, &h, &tail) != 2 || w < 64 || h < 64 || w > 8192 || h > 8192)
                return usage(err, "bad screen size: " + value);
            width = w;
            height = h;
        } else if (name == "--gestalt") {
            if (!applyGestaltOption(value.c_str())) return usage(err, "bad Gestalt answer: " + value);
        } else if (name == "--fail") {
            if (value == "glcontext") faults::arm(faults::Fault::glcontext);
            else if (value == "menubar") faults::arm(faults::Fault::menubar);
            else if (value == "memory") faults::arm(faults::Fault::memory);
            else return usage(err, "unknown fault: " + value);
        } else {
            return usage(err, "unknown option: " + arg);
        }
    }

    HeadlessHost host(width, height, out, err);
    host.addScript(script);
    setHost(&host);
    int status;
    try {
        status = programMain();
    } catch (const ProgramExit& e) {
        status = e.status;
    }
    out << "exit: " << status << std::endl;
    setHost(nullptr);
    return status;
}
} // namespace headless

} // namespace tb
