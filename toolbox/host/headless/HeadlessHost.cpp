#include "host/headless/HeadlessHost.h"
#include "host/headless/ScriptWords.h"

#include "Events/EventQueue.h"
#include "Text/MacRoman.h"
#include "Windows/Compositor.h"
#include "Windows/WindowRecord.h"

#include "tb/AppleEvents.h"
#include "tb/Windows.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ostream>
#include <sstream>

namespace tb::headless {
namespace {

// The US layout: the virtual key of a character and whether it needs Shift.
struct KeyOf {
    int code;
    bool shift;
};

bool keyOfChar(unsigned char c, KeyOf& k) {
    static const char* lower = "asdfhgzxcv\0bqweryt";
    if (c >= 'A' && c <= 'Z') {
        if (!keyOfChar(static_cast<unsigned char>(c - 'A' + 'a'), k)) return false;
        k.shift = true;
        return true;
    }
    for (int i = 0; i < 18; ++i)
        if (lower[i] && lower[i] == c) { k = {i, false}; return true; }
    struct Entry { char plain, shifted; int code; };
    static const Entry table[] = {
        {'1', '!', 18}, {'2', '@', 19}, {'3', '#', 20}, {'4', '$', 21}, {'6', '^', 22},
        {'5', '%', 23}, {'=', '+', 24}, {'9', '(', 25}, {'7', '&', 26}, {'-', '_', 27},
        {'8', '*', 28}, {'0', ')', 29}, {']', '}', 30}, {'o', 'O', 31}, {'u', 'U', 32},
        {'[', '{', 33}, {'i', 'I', 34}, {'p', 'P', 35}, {'l', 'L', 37}, {'j', 'J', 38},
        {'\'', '"', 39}, {'k', 'K', 40}, {';', ':', 41}, {'\\', '|', 42}, {',', '<', 43},
        {'/', '?', 44}, {'n', 'N', 45}, {'m', 'M', 46}, {'.', '>', 47}, {' ', ' ', 49},
        {'`', '~', 50},
    };
    for (const Entry& e : table) {
        if (e.plain == char(c)) { k = {e.code, false}; return true; }
        if (e.shifted == char(c)) { k = {e.code, true}; return true; }
    }
    return false;
}

struct Named {
    const char* name;
    int code;
    unsigned char ch;
};
const Named kNamedKeys[] = {
    {"space", kVKSpace, ' '},   {"return", kVKReturn, 13},         {"enter", kVKKeypadEnter, 3},
    {"escape", kVKEscape, 27},  {"tab", kVKTab, 9},                {"backspace", kVKBackspace, 8},
    {"delete", kVKForwardDelete, 127}, {"left", kVKLeft, 28},      {"right", kVKRight, 29},
    {"up", kVKUp, 30},          {"down", kVKDown, 31},
};

bool modifierKey(const std::string& word, int& code, EventModifiers& mod) {
    if (word == "cmd") { code = kVKCommand; mod = cmdKey; return true; }
    if (word == "shift") { code = kVKShift; mod = shiftKey; return true; }
    if (word == "option") { code = kVKOption; mod = optionKey; return true; }
    if (word == "control") { code = kVKControl; mod = controlKey; return true; }
    return false;
}

bool parseInt(const std::string& s, int& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    long x = std::strtol(s.c_str(), &end, 10);
    if (*end || x < -32768 || x > 32767) return false;
    v = int(x);
    return true;
}

// The character a key gives with the modifiers held, as the classic keyboard maps it.
unsigned char withModifiers(unsigned char ch, EventModifiers mods) {
    if ((mods & shiftKey) && ch >= 'a' && ch <= 'z') ch = static_cast<unsigned char>(ch - 'a' + 'A');
    if ((mods & controlKey) && std::isalpha(ch)) ch = static_cast<unsigned char>(ch & 0x1F);
    return ch;
}

} // namespace

HeadlessHost::HeadlessHost(int width, int height, std::ostream& out, std::ostream& err)
    : width_(std::clamp(width, 64, 8192)), height_(std::clamp(height, 64, 8192)), out_(out), err_(err) {
    mouse_ = Point{SInt16(height_ / 2), SInt16(width_ / 2)};
}

void HeadlessHost::addScript(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines_.push_back(line);
    }
}

void HeadlessHost::feedAll() {
    while (!scriptDone()) pump(PumpMode::idle, 0);
}

std::string HeadlessHost::cursorName() const {
    switch (cursor_) {
    case CursorShape::arrow: return "arrow";
    case CursorShape::ibeam: return "ibeam";
    case CursorShape::cross: return "cross";
    case CursorShape::watch: return "watch";
    case CursorShape::image: break;
    }
    if (cursorImageId_ == 128) return "zoomin";
    if (cursorImageId_ == 129) return "zoomout";
    return "other";
}

void HeadlessHost::setCursor(CursorShape shape, const CursorImage* image) {
    cursor_ = shape;
    cursorImageId_ = shape == CursorShape::image && image ? image->id : 0;
}

void HeadlessHost::keyMap(std::uint8_t map[16]) const {
    std::memset(map, 0, 16);
    for (const auto* set : {&held_, &transient_})
        for (int k : *set)
            if (k >= 0 && k < 128) map[k / 8] |= std::uint8_t(1u << (k % 8));
}

EventModifiers HeadlessHost::modifiers() const {
    auto down = [&](int k) { return held_.count(k) || transient_.count(k); };
    EventModifiers m = 0;
    if (down(kVKCommand)) m |= cmdKey;
    if (down(kVKShift)) m |= shiftKey;
    if (down(kVKOption)) m |= optionKey;
    if (down(kVKControl)) m |= controlKey;
    if (down(kVKCapsLock)) m |= alphaLock;
    return m;
}

void HeadlessHost::setKey(int code, bool isDown, std::set<int>& set) {
    if (isDown) set.insert(code);
    else set.erase(code);
}

void HeadlessHost::post(EventKind what, unsigned long message) { postEvent(events::makeEvent(what, message)); }

void HeadlessHost::postQuit() { postQuitApplicationEvent(); }

namespace {
void addModKeys(EventModifiers mods, std::set<int>& keys) {
    if (mods & cmdKey) keys.insert(kVKCommand);
    if (mods & shiftKey) keys.insert(kVKShift);
    if (mods & optionKey) keys.insert(kVKOption);
    if (mods & controlKey) keys.insert(kVKControl);
}
} // namespace

void HeadlessHost::apply(const Step& s) {
    switch (s.kind) {
    case Kind::down:
        mouse_ = Point{SInt16(s.y), SInt16(s.x)};
        addModKeys(s.mods, transient_);
        button_ = true;
        post(mouseDown, 0);
        break;
    case Kind::up:
        mouse_ = Point{SInt16(s.y), SInt16(s.x)};
        button_ = false;
        post(mouseUp, 0);
        transient_.clear();
        break;
    case Kind::move: mouse_ = Point{SInt16(s.y), SInt16(s.x)}; break;
    case Kind::keyDown: {
        addModKeys(s.mods, transient_);
        transient_.insert(s.keyCode);
        unsigned char ch = withModifiers(s.ch, modifiers());
        post(keyDown, (unsigned long)ch | ((unsigned long)s.keyCode << 8));
        break;
    }
    case Kind::keyUp: {
        unsigned char ch = withModifiers(s.ch, modifiers());
        transient_.erase(s.keyCode);
        post(keyUp, (unsigned long)ch | ((unsigned long)s.keyCode << 8));
        transient_.clear();
        break;
    }
    case Kind::hold:
        for (int k : s.keys) setKey(k, true, held_);
        break;
    case Kind::release:
        for (int k : s.keys) setKey(k, false, held_);
        break;
    case Kind::wait: ticks_ += s.ticks; break;
    case Kind::quit: postQuit(); break;
    }
}

void HeadlessHost::down(int x, int y, EventModifiers mods) {
    Step s(Kind::down);
    s.x = x;
    s.y = y;
    s.mods = mods;
    steps_.push_back(s);
}
void HeadlessHost::move(int x, int y) {
    Step s(Kind::move);
    s.x = x;
    s.y = y;
    steps_.push_back(s);
}
void HeadlessHost::up(int x, int y) {
    Step s(Kind::up);
    s.x = x;
    s.y = y;
    steps_.push_back(s);
}
void HeadlessHost::key(int keyCode, unsigned char ch, EventModifiers mods) {
    Step s(Kind::keyDown);
    s.keyCode = keyCode;
    s.ch = ch;
    s.mods = mods;
    steps_.push_back(s);
    s.kind = Kind::keyUp;
    steps_.push_back(s);
}

void HeadlessHost::pump(PumpMode mode, UInt32 sleepTicks) {
    if (mode == PumpMode::poll) return;
    for (;;) {
        if (!steps_.empty()) {
            Step s = steps_.front();
            steps_.pop_front();
            apply(s);
            return;
        }
        if (next_ < lines_.size()) {
            std::string line = lines_[next_++];
            handleLine(line);
            continue;
        }
        // The script is over: a held button is let go, then the program is asked to quit.
        if (button_) {
            button_ = false;
            transient_.clear();
            post(mouseUp, 0);
            return;
        }
        if (quitAtEnd_ && !quitSent_) {
            quitSent_ = true;
            postQuit();
            return;
        }
        if (mode == PumpMode::idle) ticks_ += sleepTicks;
        if (quitAtEnd_ && ++idleAfterEnd_ > 100000) {
            err_ << "ilvaron-script: the program did not end after the script's Quit event\n";
            exitProgram(3);
        }
        return;
    }
}

void HeadlessHost::badLine(const std::string& line, const std::string& why) {
    err_ << "ilvaron-script: line " << next_ << ": " << why << ": " << line << "\n";
    err_.flush();
    exitProgram(2);
}

bool HeadlessHost::handleLine(const std::string& line) {
    ScriptLine parsed;
    std::string problem;
    if (!parseScriptLine(line, parsed, problem)) badLine(line, problem);
    if (parsed.command.empty()) return true;
    const std::string& cmd = parsed.command;
    const auto& w = parsed.words;
    auto need = [&](std::size_t n) {
        if (w.size() < n) badLine(line, "missing arguments");
    };
    auto coord = [&](std::size_t i) {
        int v;
        if (!parseInt(w[i], v)) badLine(line, "not a coordinate: " + w[i]);
        return v;
    };
    auto mods = [&](std::size_t from) {
        EventModifiers m = 0;
        for (std::size_t i = from; i < w.size(); ++i) {
            int code;
            EventModifiers one;
            if (!modifierKey(w[i], code, one)) badLine(line, "unknown modifier: " + w[i]);
            m |= one;
        }
        return m;
    };

    // Input lines.
    if (cmd == "key") {
        need(1);
        const std::string& name = w[0];
        EventModifiers m = mods(1);
        for (const Named& n : kNamedKeys)
            if (name == n.name) {
                key(n.code, n.ch, m);
                return true;
            }
        std::string mac = text::utf8ToMacRoman(name, false);
        if (mac.size() != 1) badLine(line, "unknown key: " + name);
        unsigned char ch = static_cast<unsigned char>(mac[0]);
        KeyOf k{0, false};
        keyOfChar(ch, k);
        if (k.shift) m |= shiftKey;
        key(k.code, ch, m);
        return true;
    }
    if (cmd == "type") {
        std::string mac = text::utf8ToMacRoman(parsed.rest, false);
        for (unsigned char ch : mac) {
            KeyOf k{0, false};
            keyOfChar(ch, k);
            key(k.code, ch, k.shift ? EventModifiers(shiftKey) : EventModifiers(0));
        }
        return true;
    }
    if (cmd == "click") {
        need(2);
        int x = coord(0), y = coord(1);
        down(x, y, mods(2));
        up(x, y);
        return true;
    }
    if (cmd == "drag") {
        need(4);
        int x1 = coord(0), y1 = coord(1), x2 = coord(2), y2 = coord(3);
        down(x1, y1, mods(4));
        int dist = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
        int n = std::clamp((dist + 7) / 8, 1, 64);
        for (int i = 1; i <= n; ++i) move(x1 + (x2 - x1) * i / n, y1 + (y2 - y1) * i / n);
        up(x2, y2);
        return true;
    }
    if (cmd == "down") {
        need(2);
        down(coord(0), coord(1), mods(2));
        return true;
    }
    if (cmd == "move" || cmd == "up") {
        need(2);
        if (w.size() > 2) badLine(line, "too many arguments");
        if (cmd == "move") move(coord(0), coord(1));
        else up(coord(0), coord(1));
        return true;
    }
    if (cmd == "hold" || cmd == "release") {
        need(1);
        Step s(cmd == "hold" ? Kind::hold : Kind::release);
        for (const std::string& k : w) {
            int code;
            EventModifiers m;
            if (modifierKey(k, code, m)) s.keys.push_back(code);
            else if (k == "period") s.keys.push_back(kVKPeriod);
            else {
                std::string mac = text::utf8ToMacRoman(k, false);
                KeyOf kk{0, false};
                if (mac.size() != 1 || !keyOfChar(static_cast<unsigned char>(mac[0]), kk))
                    badLine(line, "unknown key: " + k);
                s.keys.push_back(kk.code);
            }
        }
        steps_.push_back(s);
        return true;
    }
    if (cmd == "wait") {
        need(1);
        char* end = nullptr;
        unsigned long t = std::strtoul(w[0].c_str(), &end, 10);
        if (*end || w[0].empty() || w[0][0] == '-' || t > 0xFFFFFFFFul) badLine(line, "not a tick count: " + w[0]);
        Step s(Kind::wait);
        s.ticks = UInt32(t);
        steps_.push_back(s);
        return true;
    }
    if (cmd == "quit") {
        steps_.push_back(Step(Kind::quit));
        return true;
    }
    if (const driver::InputCommand* c = driver::findInputCommand(cmd)) {
        if (!(*c)(w, *this)) badLine(line, "bad arguments");
        return true;
    }

    // Output lines.
    if (cmd == "echo") {
        out_ << parsed.rest << "\n";
        out_.flush();
        return true;
    }
    if (cmd == "pixel") {
        need(2);
        int x = coord(0), y = coord(1);
        if (x < 0 || y < 0 || x >= width_ || y >= height_) badLine(line, "off the screen");
        OpaqueGrafPtr* s = screen::compose();
        const std::uint8_t* p = &s->pixels[(std::size_t(y) * s->width + x) * 4];
        out_ << "pixel: " << x << " " << y << " " << int(p[0]) << " " << int(p[1]) << " " << int(p[2]) << "\n";
        out_.flush();
        return true;
    }
    if (cmd == "shot") {
        need(1);
        OpaqueGrafPtr* s = screen::compose();
        if (!writePng(w[0], s->pixels.data(), s->width, s->height)) badLine(line, "cannot write " + w[0]);
        return true;
    }
    if (cmd == "print") {
        need(1);
        const std::string& subject = w[0];
        driver::Words args(w.begin() + 1, w.end());
        if (const driver::PrintSubject* p = driver::findPrintSubject(subject)) {
            if (!(*p)(args, out_)) badLine(line, "bad arguments");
        } else if (subject == "windows") {
            for (WindowRef win : wm::windowList()) {
                Rect c = win->contentGlobal();
                out_ << "window: " << driver::windowKindName(win) << " " << (win->visible ? "visible" : "hidden")
                     << " " << c.left << " " << c.top << " " << c.right << " " << c.bottom << " "
                     << driver::quoted(text::macRomanToUtf8(win->title, false)) << "\n";
            }
        } else if (subject == "cursor") {
            out_ << "cursor: " << cursorName() << "\n";
        } else if (subject == "clipboard") {
            // Nothing is on the clipboard until a scrap registers this subject.
        } else {
            badLine(line, "unknown subject");
        }
        out_.flush();
        return true;
    }
    badLine(line, "unknown command");
}

} // namespace tb::headless
