// SDL input as classic events: clicks, keys with their characters, focus, the close button.
#include "host/sdl2/KeyCodes.h"
#include "host/sdl2/Sdl2Window.h"

#include "Events/EventQueue.h"
#include "Text/MacRoman.h"
#include "tb/AppleEvents.h"

#include <algorithm>

namespace tb::sdl2 {
namespace {
// WaitNextEvent with no sleep still gives up the processor for up to a tick, as the
// classic system gave it to other programs there; an idle program then stays idle.
constexpr Uint32 kIdleMinimumMs = 1000 / 60;
constexpr UInt32 kIdleMaximumTicks = 60;
// A modal loop steps again this soon when nothing happens (the throttle of its redraws).
constexpr int kTrackingWaitMs = 10;
// One pump handles at most this many events, so a flood of them cannot hold it.
constexpr int kMaxEventsPerPump = 512;
} // namespace

void Sdl2Window::pump(PumpMode mode, UInt32 sleepTicks) {
    int waitMs = 0;
    if (mode == PumpMode::idle)
        waitMs = int(std::max<Uint32>(kIdleMinimumMs, std::min(sleepTicks, kIdleMaximumTicks) * 1000 / 60));
    else if (mode == PumpMode::tracking)
        waitMs = kTrackingWaitMs;
    SDL_Event e;
    int handled = 0;
    if (waitMs > 0 && SDL_WaitEventTimeout(&e, waitMs)) {
        handle(e);
        ++handled;
    }
    while (handled < kMaxEventsPerPump && SDL_PollEvent(&e)) {
        handle(e);
        ++handled;
    }
}

void Sdl2Window::post(EventKind what, int ch, int virtualKey) {
    UInt32 message = UInt32(ch & 0xFF) | (UInt32(virtualKey & 0xFF) << 8);
    postEvent(events::makeEvent(what, message));
}

void Sdl2Window::handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT: postQuitApplicationEvent(); break;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            updateGeometry();
            show();
            break;
        case SDL_WINDOWEVENT_EXPOSED: show(); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            if (!focused_) {
                focused_ = true;
                postEvent(events::makeEvent(osEvt, (UInt32(suspendResumeMessage) << 24) | resumeFlag));
            }
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // The release may happen elsewhere, where we never hear of it: end any drag now.
            if (button_) {
                button_ = false;
                post(mouseUp, 0, 0);
            }
            keys_.reset();
            textKey_ = -1;
            if (focused_) {
                focused_ = false;
                postEvent(events::makeEvent(osEvt, UInt32(suspendResumeMessage) << 24));
            }
            break;
        default: break;
        }
        break;
    case SDL_MOUSEMOTION: mouse_ = toScreen(e.motion.x, e.motion.y); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        // One button, as the classic mouse had.
        if (e.button.button != SDL_BUTTON_LEFT) break;
        mouse_ = toScreen(e.button.x, e.button.y);
        button_ = e.type == SDL_MOUSEBUTTONDOWN;
        textKey_ = -1;
        post(button_ ? mouseDown : mouseUp, 0, 0);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: handleKey(e.key, e.type == SDL_KEYDOWN); break;
    case SDL_TEXTINPUT: handleText(e.text.text); break;
    default: break;
    }
}

void Sdl2Window::handleKey(const SDL_KeyboardEvent& k, bool down) {
    SDL_Scancode sc = k.keysym.scancode;
    int vk = virtualKeyCode(sc);
    if (vk >= 0) keys_.set(std::size_t(vk), down);
    if (vk >= 0 && isModifierKey(vk)) return;
    int control = controlCharacter(sc);
    bool shift = keys_.test(kVKShift);
    int code = std::max(vk, 0);
    if (!down) {
        int ch = control >= 0 ? control : symbolCharacter(k.keysym.sym, shift);
        if (vk >= 0 || ch >= 0) post(keyUp, std::max(ch, 0), code);
        return;
    }
    EventKind kind = k.repeat ? autoKey : keyDown;
    textKey_ = -1;
    if (control >= 0) {
        post(kind, control, code);
    } else if (commandHeld()) {
        // SDL sends no text with Ctrl held: the key's symbol is the character.
        int ch = symbolCharacter(k.keysym.sym, shift);
        if (ch >= 0) post(kind, ch, code);
    } else {
        // The character comes with the text input that follows, in the layout's terms.
        textKey_ = code;
        textKind_ = kind;
    }
}

void Sdl2Window::handleText(const char* utf8) {
    // With Command held the key-down gave the character already.
    if (!utf8 || commandHeld()) return;
    std::string macRoman = text::utf8ToMacRoman(utf8, false);
    for (unsigned char ch : macRoman) post(textKind_, ch, textKey_ >= 0 ? textKey_ : 0);
    textKey_ = -1;
    textKind_ = keyDown;
}

void Sdl2Window::keyMap(std::uint8_t map[16]) const {
    for (int i = 0; i < 16; ++i) map[i] = 0;
    for (std::size_t k = 0; k < keys_.size(); ++k)
        if (keys_.test(k)) map[k / 8] |= std::uint8_t(1u << (k % 8));
}

EventModifiers Sdl2Window::modifiers() const {
    EventModifiers m = 0;
    if (keys_.test(kVKCommand)) m |= cmdKey;
    if (keys_.test(kVKShift)) m |= shiftKey;
    if (keys_.test(kVKOption)) m |= optionKey;
    if (SDL_GetModState() & KMOD_CAPS) m |= alphaLock;
    return m;
}

} // namespace tb::sdl2
