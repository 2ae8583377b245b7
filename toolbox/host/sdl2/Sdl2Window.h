// The SDL2 host's one window: its geometry, its input state, its picture and its cursor.
#pragma once

#include "tb/Sdl2Host.h"

#include <SDL.h>

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace tb::sdl2 {

class Sdl2Window : public Host {
public:
    // SDL video must be initialised; the window is made by the caller.
    Sdl2Window(SDL_Window* window, int requestedScale);
    ~Sdl2Window() override;
    Sdl2Window(const Sdl2Window&) = delete;
    Sdl2Window& operator=(const Sdl2Window&) = delete;

    int screenWidth() const override { return screenW_; }
    int screenHeight() const override { return screenH_; }
    void present(const std::uint8_t* rgba, int width, int height) override;

    void pump(PumpMode mode, UInt32 sleepTicks) override;

    void keyMap(std::uint8_t map[16]) const override;
    Point mouse() const override { return mouse_; }
    bool button() const override { return button_; }
    EventModifiers modifiers() const override;

    void setCursor(CursorShape shape, const CursorImage* image) override;

    std::string clipboardText() const override;
    void setClipboardText(const std::string& utf8) override;

    UInt32 ticks() const override;
    void delay(UInt32 ticks) override;

private:
    // Window size and density decide the screen size and the scale; called on resizes.
    void updateGeometry();
    // Shows the last presented image again (after an expose or a resize).
    void show();
    void handle(const SDL_Event& e);
    void handleKey(const SDL_KeyboardEvent& k, bool down);
    void handleText(const char* utf8);
    void post(EventKind what, int ch, int virtualKey);
    Point toScreen(int x, int y) const;
    bool commandHeld() const { return keys_.test(kVKCommand); }

    SDL_Window* window_;
    int requestedScale_;
    int scale_ = 1;
    int screenW_ = 1, screenH_ = 1;
    int windowW_ = 1, windowH_ = 1; // SDL's window coordinates, which mouse events use
    int pixelW_ = 1, pixelH_ = 1;   // the drawable in real pixels
    Uint64 startMs_;

    std::vector<std::uint8_t> image_; // the last presented screen, RGBA
    int imageW_ = 0, imageH_ = 0;
    bool stale_ = true; // the window does not show image_ (not yet, or after a failure)

    std::bitset<128> keys_;
    Point mouse_{0, 0};
    bool button_ = false;
    bool focused_ = true;
    // A key whose character comes with the SDL_TEXTINPUT that follows its key-down.
    int textKey_ = -1;
    EventKind textKind_ = keyDown;

    std::array<SDL_Cursor*, 4> systemCursors_{};
    SDL_Cursor* imageCursor_ = nullptr;
    CursorShape shape_ = CursorShape::arrow;
    CursorImage shownImage_; // what imageCursor_ was made from, so repeats cost nothing
};

} // namespace tb::sdl2
