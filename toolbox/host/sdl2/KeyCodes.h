// SDL keys in the classic keyboard's terms: virtual key codes and the characters keys give.
#pragma once

#include <SDL.h>

namespace tb::sdl2 {

// The classic virtual key code at a scancode's place on the keyboard, or -1 for none.
// Both Ctrl keys and both Super keys are Command; right-hand modifiers share the left codes
// so that polling for one key finds either.
int virtualKeyCode(SDL_Scancode scancode);

// Command, Shift, Caps Lock and Option give no key events of their own.
bool isModifierKey(int virtualKey);

// The character of a key that SDL sends no text for (Return, arrows, Escape, ...), or -1.
int controlCharacter(SDL_Scancode scancode);

// The MacRoman character a key's symbol stands for, letters capitalised with Shift; -1
// when it has none. Used when no text input comes (with Command held, and for key-ups).
int symbolCharacter(SDL_Keycode sym, bool shift);

} // namespace tb::sdl2
