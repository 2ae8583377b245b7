// The scenario driver's extension points: output subjects, input commands and window kinds.
#pragma once

#include "tb/EventTypes.h"
#include "tb/Types.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace tb::driver {

// The words after a command's name, unquoted, as UTF-8.
using Words = std::vector<std::string>;

// Raw input that an input command turns its line into; it is fed step by step, like
// the built-in input lines, each step when the program next takes input.
class Input {
public:
    virtual ~Input() = default;
    virtual void down(int x, int y, EventModifiers mods = 0) = 0;
    virtual void move(int x, int y) = 0;
    virtual void up(int x, int y) = 0;
    // A press and release of virtual key `keyCode` giving MacRoman character `ch`.
    virtual void key(int keyCode, unsigned char ch, EventModifiers mods = 0) = 0;
};

// `print NAME ARGS...`: writes its lines to out. Returns false for arguments it does not
// understand (the driver then reports the line and stops with status 2).
using PrintSubject = std::function<bool(const Words& args, std::ostream& out)>;
// Registering a name again replaces the earlier subject.
void registerPrintSubject(const std::string& name, PrintSubject subject);

// A new input command, such as `choose MENU ITEM`. Returns false for bad arguments.
using InputCommand = std::function<bool(const Words& args, Input& input)>;
void registerInputCommand(const std::string& name, InputCommand command);

// `print windows` names each window's kind with the first namer that answers (non-null);
// the toolbox's own answers are "dialog" for dialog windows and "other".
using WindowKindNamer = const char* (*)(WindowRef window);
void addWindowKindNamer(WindowKindNamer namer);
const char* windowKindName(WindowRef window);

// TEXT in double quotes, with `"` and `\` escaped, for output lines.
std::string quoted(const std::string& utf8);

// Lookups for the driver itself.
const PrintSubject* findPrintSubject(const std::string& name);
const InputCommand* findInputCommand(const std::string& name);

} // namespace tb::driver
