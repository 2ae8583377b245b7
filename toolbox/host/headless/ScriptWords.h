// Splitting a scenario line into its command and words (quotes, escapes, comments).
#pragma once

#include "tb/Driver.h"

#include <string>

namespace tb::headless {

struct ScriptLine {
    std::string command;   // empty for a blank or comment line
    driver::Words words;   // the words after the command, unquoted, comments dropped
    std::string rest;      // the raw text after the command (unquoted when it is one quoted word)
};

// False with a reason for a line that cannot be split (an unfinished quote).
bool parseScriptLine(const std::string& line, ScriptLine& out, std::string& problem);

} // namespace tb::headless
