#include "host/headless/ScriptWords.h"

namespace tb::headless {
namespace {
bool blank(char c) { return c == ' ' || c == '\t'; }

// Reads one word at s[i]; a word starting with a quote runs to the closing quote.
bool readWord(const std::string& s, std::size_t& i, std::string& word, std::string& problem) {
    word.clear();
    if (s[i] != '"') {
        while (i < s.size() && !blank(s[i])) word += s[i++];
        return true;
    }
    ++i;
    while (i < s.size()) {
        char c = s[i++];
        if (c == '"') return true;
        if (c == '\\' && i < s.size()) c = s[i++];
        word += c;
    }
    problem = "unfinished quote";
    return false;
}
} // namespace

bool parseScriptLine(const std::string& line, ScriptLine& out, std::string& problem) {
    out = ScriptLine{};
    std::size_t i = 0;
    while (i < line.size() && blank(line[i])) ++i;
    if (i == line.size() || line[i] == '#') return true;
    if (!readWord(line, i, out.command, problem)) return false;
    if (i < line.size()) ++i; // the one blank after the command
    out.rest = line.substr(std::min(i, line.size()));
    while (i < line.size()) {
        while (i < line.size() && blank(line[i])) ++i;
        if (i == line.size() || line[i] == '#') break;
        std::string word;
        if (!readWord(line, i, word, problem)) return false;
        out.words.push_back(word);
    }
    // A rest that is exactly one quoted word means the word.
    std::size_t r = 0;
    while (r < out.rest.size() && blank(out.rest[r])) ++r;
    if (r < out.rest.size() && out.rest[r] == '"') {
        std::string word, ignored;
        std::size_t j = r;
        if (readWord(out.rest, j, word, ignored)) {
            while (j < out.rest.size() && blank(out.rest[j])) ++j;
            if (j == out.rest.size()) out.rest = word;
        }
    }
    return true;
}

} // namespace tb::headless
