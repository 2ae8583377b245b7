#include "tb/Driver.h"
#include "tb/Windows.h"

#include <map>

namespace tb::driver {
namespace {
std::map<std::string, PrintSubject>& subjects() {
    static std::map<std::string, PrintSubject> m;
    return m;
}
std::map<std::string, InputCommand>& commands() {
    static std::map<std::string, InputCommand> m;
    return m;
}
std::vector<WindowKindNamer>& namers() {
    static std::vector<WindowKindNamer> v;
    return v;
}
} // namespace

void registerPrintSubject(const std::string& name, PrintSubject subject) { subjects()[name] = std::move(subject); }
void registerInputCommand(const std::string& name, InputCommand command) { commands()[name] = std::move(command); }
void addWindowKindNamer(WindowKindNamer namer) {
    if (namer) namers().push_back(namer);
}

const char* windowKindName(WindowRef window) {
    for (WindowKindNamer n : namers())
        if (const char* name = n(window)) return name;
    return GetWindowKind(window) == dialogKind ? "dialog" : "other";
}

std::string quoted(const std::string& utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

const PrintSubject* findPrintSubject(const std::string& name) {
    auto it = subjects().find(name);
    return it == subjects().end() ? nullptr : &it->second;
}

const InputCommand* findInputCommand(const std::string& name) {
    auto it = commands().find(name);
    return it == commands().end() ? nullptr : &it->second;
}

} // namespace tb::driver
