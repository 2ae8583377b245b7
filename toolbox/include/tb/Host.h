// The small interface between the toolbox and the machine it draws on: a real window or memory.
#pragma once

#include "tb/EventTypes.h"
#include "tb/Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tb {

// Classic virtual key codes, as GetKeys numbers them (bit k of the 16-byte map is key k,
// byte k/8, bit k%8 counted from the least significant).
enum : int {
    kVKA = 0, kVKS = 1, kVKD = 2, kVKF = 3, kVKH = 4, kVKG = 5, kVKZ = 6, kVKX = 7,
    kVKC = 8, kVKV = 9, kVKB = 11, kVKQ = 12, kVKW = 13, kVKE = 14, kVKR = 15,
    kVKY = 16, kVKT = 17, kVK1 = 18, kVK2 = 19, kVK3 = 20, kVK4 = 21, kVK6 = 22,
    kVK5 = 23, kVKEqual = 24, kVK9 = 25, kVK7 = 26, kVKMinus = 27, kVK8 = 28, kVK0 = 29,
    kVKRightBracket = 30, kVKO = 31, kVKU = 32, kVKLeftBracket = 33, kVKI = 34,
    kVKP = 35, kVKReturn = 36, kVKL = 37, kVKJ = 38, kVKQuote = 39, kVKK = 40,
    kVKSemicolon = 41, kVKBackslash = 42, kVKComma = 43, kVKSlash = 44, kVKN = 45,
    kVKM = 46, kVKPeriod = 47, kVKTab = 48, kVKSpace = 49, kVKGrave = 50,
    kVKBackspace = 51, kVKEnter = 52, kVKEscape = 53, kVKCommand = 55, kVKShift = 56,
    kVKCapsLock = 57, kVKOption = 58, kVKControl = 59, kVKKeypadEnter = 76,
    kVKForwardDelete = 117, kVKLeft = 123, kVKRight = 124, kVKDown = 125, kVKUp = 126,
};

// The cursor shapes a host can show; `image` is a colour cursor given by its pixels.
enum class CursorShape { arrow, ibeam, cross, watch, image };

struct CursorImage {
    short id = 0;                   // the resource number it was read from (128, 129, ...)
    int width = 0;                  // pixels
    int height = 0;
    std::vector<std::uint8_t> rgba; // width * height * 4, top row first; alpha 0 is clear
    Point hotSpot{0, 0};            // v, h from the top-left pixel
};

// How a caller waits for input.
enum class PumpMode {
    idle,     // WaitNextEvent found nothing pending: the host may feed new input
    tracking, // a modal loop (drag, menu, dialog, Button polling) waits for the mouse or keys
    poll,     // only refresh live state (key map, mouse); never feed new script input
};

class Host {
public:
    virtual ~Host() = default;

    // The screen is the host window's size (or the headless screen's).
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    // Shows a composed screen image: RGBA, 4 bytes a pixel, top row first.
    virtual void present(const std::uint8_t* rgba, int width, int height) = 0;
    // False for a host nobody looks at: the toolbox then composes only when asked to.
    virtual bool wantsFrames() const { return true; }

    // Turns pending host input into events through tb::postEvent and updates the live
    // state below. In idle mode it may wait up to sleepTicks for something to happen; the
    // program polls with a sleep of 0, so a live host may wait a few milliseconds there
    // rather than let the loop spin.
    virtual void pump(PumpMode mode, UInt32 sleepTicks) = 0;
    // True once no input can ever arrive again (a script that has run out). Modal loops
    // then end as if the button were released instead of waiting forever.
    virtual bool inputEnded() const { return false; }

    // Live state, independent of the event queue.
    virtual void keyMap(std::uint8_t map[16]) const = 0;
    virtual Point mouse() const = 0;     // global screen pixels
    virtual bool button() const = 0;     // the primary button is down
    // Keys held: cmdKey, shiftKey, optionKey, controlKey, alphaLock (the button is not in it).
    virtual EventModifiers modifiers() const = 0;

    // `image` is used only with CursorShape::image and is not kept past the call.
    virtual void setCursor(CursorShape shape, const CursorImage* image) = 0;

    // Host clipboard text, UTF-8 with LF line ends.
    virtual std::string clipboardText() const = 0;
    virtual void setClipboardText(const std::string& utf8) = 0;

    // Sixty ticks a second since the host started.
    virtual UInt32 ticks() const = 0;
    virtual void delay(UInt32 ticks) = 0;
};

// The toolbox's one host; set once before the first toolbox call.
void setHost(Host* host);
Host* host();

// Ends the program with a status: unwinds to the runner (live main or scenario driver),
// which stops the program and reports the status. ExitToShell calls it with 0.
[[noreturn]] void exitProgram(int status);

} // namespace tb
