// The headless host: a screen in memory, input from a script, a virtual clock.
#pragma once

#include "tb/Driver.h"
#include "tb/Host.h"

#include <deque>
#include <iosfwd>
#include <set>
#include <string>
#include <vector>

namespace tb::headless {

class HeadlessHost : public Host, private driver::Input {
public:
    // Output lines go to out, complaints about the script to err.
    HeadlessHost(int width, int height, std::ostream& out, std::ostream& err);

    // Adds script lines (the scenario syntax) after those not yet read.
    void addScript(const std::string& text);
    // At the end of the script the Quit event is sent; tests that drive the toolbox
    // directly may turn that off.
    void setQuitAtEnd(bool on) { quitAtEnd_ = on; }
    // True when every line has been read and every step fed.
    bool scriptDone() const { return next_ >= lines_.size() && steps_.empty(); }
    // Feeds input until the script is done, as an idle program would let it.
    void feedAll();

    // What `print cursor` names the current cursor.
    std::string cursorName() const;

    // Host.
    int screenWidth() const override { return width_; }
    int screenHeight() const override { return height_; }
    void present(const std::uint8_t*, int, int) override {}
    bool wantsFrames() const override { return false; }
    void pump(PumpMode mode, UInt32 sleepTicks) override;
    bool inputEnded() const override { return scriptDone(); }
    void keyMap(std::uint8_t map[16]) const override;
    Point mouse() const override { return mouse_; }
    bool button() const override { return button_; }
    EventModifiers modifiers() const override;
    void setCursor(CursorShape shape, const CursorImage* image) override;
    std::string clipboardText() const override { return clipboard_; }
    void setClipboardText(const std::string& utf8) override { clipboard_ = utf8; }
    UInt32 ticks() const override { return ticks_; }
    void delay(UInt32 ticks) override { ticks_ += ticks; }

private:
    enum class Kind { down, up, move, keyDown, keyUp, hold, release, wait, quit };
    struct Step {
        explicit Step(Kind k) : kind(k) {}
        Kind kind;
        int x = 0, y = 0;
        int keyCode = 0;
        unsigned char ch = 0;
        EventModifiers mods = 0;
        std::vector<int> keys;
        UInt32 ticks = 0;
    };

    // driver::Input, for registered input commands.
    void down(int x, int y, EventModifiers mods) override;
    void move(int x, int y) override;
    void up(int x, int y) override;
    void key(int keyCode, unsigned char ch, EventModifiers mods) override;

    void apply(const Step& step);
    // Runs an output line or queues an input line's steps; false when it is malformed.
    bool handleLine(const std::string& line);
    [[noreturn]] void badLine(const std::string& line, const std::string& why);
    void setKey(int code, bool down, std::set<int>& set);
    void post(EventKind what, unsigned long message);
    void postQuit();

    int width_, height_;
    std::ostream& out_;
    std::ostream& err_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::deque<Step> steps_;
    bool quitAtEnd_ = true;
    bool quitSent_ = false;
    unsigned long idleAfterEnd_ = 0;

    Point mouse_{0, 0};
    bool button_ = false;
    std::set<int> held_;      // hold / release
    std::set<int> transient_; // keys down for one key or click line
    UInt32 ticks_ = 0;
    std::string clipboard_;
    CursorShape cursor_ = CursorShape::arrow;
    short cursorImageId_ = 0;
};

// The scenario driver over a given script and streams; runScripted passes argv, stdin,
// stdout and stderr. options are the command-line arguments after the program's name.
int runScript(const std::vector<std::string>& options, const std::string& script, std::ostream& out,
              std::ostream& err, int (*programMain)());

// The screen as the driver's `shot` writes it: false when the file cannot be written.
bool writePng(const std::string& path, const std::uint8_t* rgba, int width, int height);

} // namespace tb::headless
