#include "ScriptSupport.h"

#include "Console.h"
#include "PlotData.h"

#include "Text/MacRoman.h"
#include "tb/Driver.h"

#include <ostream>
#include <string>

namespace {

const char* programWindowKind(WindowRef window) {
    if (output && window == output) return "console";
    if (isPlot(window)) return "plot";
    return nullptr;
}

bool printConsole(const tb::driver::Words& args, std::ostream& out) {
    if (!args.empty()) return false;
    if (!hTE) return true;
    const TERec& te = **hTE;
    std::string text;
    if (te.hText && *te.hText) text.assign(*te.hText, static_cast<std::size_t>(te.teLength));
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\r', start);
        if (end == std::string::npos) end = text.size();
        out << "console: " << tb::text::macRomanToUtf8(text.substr(start, end - start), false)
            << '\n';
        start = end + 1;
    }
    return true;
}

} // namespace

void registerScriptSupport() {
    tb::driver::addWindowKindNamer(programWindowKind);
    tb::driver::registerPrintSubject("console", printConsole);
}
