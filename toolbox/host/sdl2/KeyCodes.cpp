#include "host/sdl2/KeyCodes.h"

#include "Text/MacRoman.h"
#include "tb/Host.h"

namespace tb::sdl2 {

int virtualKeyCode(SDL_Scancode sc) {
    // Scancodes name places on a US keyboard, as the classic codes do, so this holds for
    // every layout.
    switch (sc) {
    case SDL_SCANCODE_A: return kVKA;
    case SDL_SCANCODE_S: return kVKS;
    case SDL_SCANCODE_D: return kVKD;
    case SDL_SCANCODE_F: return kVKF;
    case SDL_SCANCODE_H: return kVKH;
    case SDL_SCANCODE_G: return kVKG;
    case SDL_SCANCODE_Z: return kVKZ;
    case SDL_SCANCODE_X: return kVKX;
    case SDL_SCANCODE_C: return kVKC;
    case SDL_SCANCODE_V: return kVKV;
    case SDL_SCANCODE_NONUSBACKSLASH: return 10;
    case SDL_SCANCODE_B: return kVKB;
    case SDL_SCANCODE_Q: return kVKQ;
    case SDL_SCANCODE_W: return kVKW;
    case SDL_SCANCODE_E: return kVKE;
    case SDL_SCANCODE_R: return kVKR;
    case SDL_SCANCODE_Y: return kVKY;
    case SDL_SCANCODE_T: return kVKT;
    case SDL_SCANCODE_1: return kVK1;
    case SDL_SCANCODE_2: return kVK2;
    case SDL_SCANCODE_3: return kVK3;
    case SDL_SCANCODE_4: return kVK4;
    case SDL_SCANCODE_6: return kVK6;
    case SDL_SCANCODE_5: return kVK5;
    case SDL_SCANCODE_EQUALS: return kVKEqual;
    case SDL_SCANCODE_9: return kVK9;
    case SDL_SCANCODE_7: return kVK7;
    case SDL_SCANCODE_MINUS: return kVKMinus;
    case SDL_SCANCODE_8: return kVK8;
    case SDL_SCANCODE_0: return kVK0;
    case SDL_SCANCODE_RIGHTBRACKET: return kVKRightBracket;
    case SDL_SCANCODE_O: return kVKO;
    case SDL_SCANCODE_U: return kVKU;
    case SDL_SCANCODE_LEFTBRACKET: return kVKLeftBracket;
    case SDL_SCANCODE_I: return kVKI;
    case SDL_SCANCODE_P: return kVKP;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_RETURN2: return kVKReturn;
    case SDL_SCANCODE_L: return kVKL;
    case SDL_SCANCODE_J: return kVKJ;
    case SDL_SCANCODE_APOSTROPHE: return kVKQuote;
    case SDL_SCANCODE_K: return kVKK;
    case SDL_SCANCODE_SEMICOLON: return kVKSemicolon;
    case SDL_SCANCODE_BACKSLASH:
    case SDL_SCANCODE_NONUSHASH: return kVKBackslash;
    case SDL_SCANCODE_COMMA: return kVKComma;
    case SDL_SCANCODE_SLASH: return kVKSlash;
    case SDL_SCANCODE_N: return kVKN;
    case SDL_SCANCODE_M: return kVKM;
    case SDL_SCANCODE_PERIOD: return kVKPeriod;
    case SDL_SCANCODE_TAB: return kVKTab;
    case SDL_SCANCODE_SPACE: return kVKSpace;
    case SDL_SCANCODE_GRAVE: return kVKGrave;
    case SDL_SCANCODE_BACKSPACE: return kVKBackspace;
    case SDL_SCANCODE_ESCAPE: return kVKEscape;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
    case SDL_SCANCODE_LGUI:
    case SDL_SCANCODE_RGUI: return kVKCommand;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return kVKShift;
    case SDL_SCANCODE_CAPSLOCK: return kVKCapsLock;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return kVKOption;
    case SDL_SCANCODE_KP_PERIOD: return 65;
    case SDL_SCANCODE_KP_MULTIPLY: return 67;
    case SDL_SCANCODE_KP_PLUS: return 69;
    case SDL_SCANCODE_NUMLOCKCLEAR: return 71;
    case SDL_SCANCODE_KP_DIVIDE: return 75;
    case SDL_SCANCODE_KP_ENTER: return kVKKeypadEnter;
    case SDL_SCANCODE_KP_MINUS: return 78;
    case SDL_SCANCODE_KP_EQUALS: return 81;
    case SDL_SCANCODE_KP_0: return 82;
    case SDL_SCANCODE_KP_1: return 83;
    case SDL_SCANCODE_KP_2: return 84;
    case SDL_SCANCODE_KP_3: return 85;
    case SDL_SCANCODE_KP_4: return 86;
    case SDL_SCANCODE_KP_5: return 87;
    case SDL_SCANCODE_KP_6: return 88;
    case SDL_SCANCODE_KP_7: return 89;
    case SDL_SCANCODE_KP_8: return 91;
    case SDL_SCANCODE_KP_9: return 92;
    case SDL_SCANCODE_INTERNATIONAL3: return 93;
    case SDL_SCANCODE_INTERNATIONAL1: return 94;
    case SDL_SCANCODE_KP_COMMA: return 95;
    case SDL_SCANCODE_F5: return 96;
    case SDL_SCANCODE_F6: return 97;
    case SDL_SCANCODE_F7: return 98;
    case SDL_SCANCODE_F3: return 99;
    case SDL_SCANCODE_F8: return 100;
    case SDL_SCANCODE_F9: return 101;
    case SDL_SCANCODE_LANG2: return 102;
    case SDL_SCANCODE_F11: return 103;
    case SDL_SCANCODE_LANG1: return 104;
    case SDL_SCANCODE_F13: return 105;
    case SDL_SCANCODE_F14: return 107;
    case SDL_SCANCODE_F10: return 109;
    case SDL_SCANCODE_F12: return 111;
    case SDL_SCANCODE_F15: return 113;
    case SDL_SCANCODE_INSERT:
    case SDL_SCANCODE_HELP: return 114;
    case SDL_SCANCODE_HOME: return 115;
    case SDL_SCANCODE_PAGEUP: return 116;
    case SDL_SCANCODE_DELETE: return kVKForwardDelete;
    case SDL_SCANCODE_F4: return 118;
    case SDL_SCANCODE_END: return 119;
    case SDL_SCANCODE_F2: return 120;
    case SDL_SCANCODE_PAGEDOWN: return 121;
    case SDL_SCANCODE_F1: return 122;
    case SDL_SCANCODE_LEFT: return kVKLeft;
    case SDL_SCANCODE_RIGHT: return kVKRight;
    case SDL_SCANCODE_DOWN: return kVKDown;
    case SDL_SCANCODE_UP: return kVKUp;
    default: return -1;
    }
}

bool isModifierKey(int vk) {
    return vk == kVKCommand || vk == kVKShift || vk == kVKCapsLock || vk == kVKOption || vk == kVKControl;
}

int controlCharacter(SDL_Scancode sc) {
    switch (sc) {
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_RETURN2: return 13;
    case SDL_SCANCODE_KP_ENTER: return 3;
    case SDL_SCANCODE_ESCAPE:
    case SDL_SCANCODE_NUMLOCKCLEAR: return 27;
    case SDL_SCANCODE_TAB: return 9;
    case SDL_SCANCODE_BACKSPACE: return 8;
    case SDL_SCANCODE_DELETE: return 127;
    case SDL_SCANCODE_LEFT: return 28;
    case SDL_SCANCODE_RIGHT: return 29;
    case SDL_SCANCODE_UP: return 30;
    case SDL_SCANCODE_DOWN: return 31;
    case SDL_SCANCODE_HOME: return 1;
    case SDL_SCANCODE_END: return 4;
    case SDL_SCANCODE_PAGEUP: return 11;
    case SDL_SCANCODE_PAGEDOWN: return 12;
    case SDL_SCANCODE_INSERT:
    case SDL_SCANCODE_HELP: return 5;
    default:
        if ((sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) ||
            (sc >= SDL_SCANCODE_F13 && sc <= SDL_SCANCODE_F15))
            return 16; // function keys share one character; the key code tells them apart
        return -1;
    }
}

int symbolCharacter(SDL_Keycode sym, bool shift) {
    switch (sym) {
    case SDLK_KP_0: case SDLK_KP_1: case SDLK_KP_2: case SDLK_KP_3: case SDLK_KP_4:
    case SDLK_KP_5: case SDLK_KP_6: case SDLK_KP_7: case SDLK_KP_8: case SDLK_KP_9:
        return sym == SDLK_KP_0 ? '0' : '1' + int(sym - SDLK_KP_1);
    case SDLK_KP_PERIOD: return '.';
    case SDLK_KP_DIVIDE: return '/';
    case SDLK_KP_MULTIPLY: return '*';
    case SDLK_KP_MINUS: return '-';
    case SDLK_KP_PLUS: return '+';
    case SDLK_KP_EQUALS: return '=';
    default: break;
    }
    // Other symbols outside the scancode-masked range are the Unicode character itself.
    if (sym < 32 || sym == 127 || (sym & SDLK_SCANCODE_MASK)) return -1;
    if (shift && sym >= 'a' && sym <= 'z') return int(sym - 'a' + 'A');
    return text::unicodeToMacRoman(char32_t(sym));
}

} // namespace tb::sdl2
