// sdl_keys.cpp - the SDL scan code -> virtual-key table (US positions plus
// the Japanese keyboard's extra keys) and key-message lParam packing.
#include "platform/sdl/sdl_keys.h"

#include <array>

namespace platform::sdl {

namespace {

// Virtual-key codes win_types.h does not name.
constexpr int VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D;
constexpr int VK_F13 = 0x7C;
constexpr int VK_OEM_102 = 0xE2, VK_CONVERT = 0x1C, VK_NONCONVERT = 0x1D;
constexpr int VK_KANA = 0x15, VK_KANJI = 0x19;

struct Entry {
  SDL_Scancode code;
  VirtualKey key;
};

constexpr VirtualKey K(int vk, int scan, bool extended = false) {
  return VirtualKey{vk, scan, extended};
}

// Every key the table knows, by scan code.
constexpr Entry kEntries[] = {
    // Letters: scan codes of a US keyboard; the code follows the layout.
    {SDL_SCANCODE_A, K('A', 0x1E)}, {SDL_SCANCODE_B, K('B', 0x30)},
    {SDL_SCANCODE_C, K('C', 0x2E)}, {SDL_SCANCODE_D, K('D', 0x20)},
    {SDL_SCANCODE_E, K('E', 0x12)}, {SDL_SCANCODE_F, K('F', 0x21)},
    {SDL_SCANCODE_G, K('G', 0x22)}, {SDL_SCANCODE_H, K('H', 0x23)},
    {SDL_SCANCODE_I, K('I', 0x17)}, {SDL_SCANCODE_J, K('J', 0x24)},
    {SDL_SCANCODE_K, K('K', 0x25)}, {SDL_SCANCODE_L, K('L', 0x26)},
    {SDL_SCANCODE_M, K('M', 0x32)}, {SDL_SCANCODE_N, K('N', 0x31)},
    {SDL_SCANCODE_O, K('O', 0x18)}, {SDL_SCANCODE_P, K('P', 0x19)},
    {SDL_SCANCODE_Q, K('Q', 0x10)}, {SDL_SCANCODE_R, K('R', 0x13)},
    {SDL_SCANCODE_S, K('S', 0x1F)}, {SDL_SCANCODE_T, K('T', 0x14)},
    {SDL_SCANCODE_U, K('U', 0x16)}, {SDL_SCANCODE_V, K('V', 0x2F)},
    {SDL_SCANCODE_W, K('W', 0x11)}, {SDL_SCANCODE_X, K('X', 0x2D)},
    {SDL_SCANCODE_Y, K('Y', 0x15)}, {SDL_SCANCODE_Z, K('Z', 0x2C)},
    // Digit row.
    {SDL_SCANCODE_1, K('1', 0x02)}, {SDL_SCANCODE_2, K('2', 0x03)},
    {SDL_SCANCODE_3, K('3', 0x04)}, {SDL_SCANCODE_4, K('4', 0x05)},
    {SDL_SCANCODE_5, K('5', 0x06)}, {SDL_SCANCODE_6, K('6', 0x07)},
    {SDL_SCANCODE_7, K('7', 0x08)}, {SDL_SCANCODE_8, K('8', 0x09)},
    {SDL_SCANCODE_9, K('9', 0x0A)}, {SDL_SCANCODE_0, K('0', 0x0B)},
    // Editing and whitespace.
    {SDL_SCANCODE_RETURN, K(VK_RETURN, 0x1C)}, {SDL_SCANCODE_ESCAPE, K(VK_ESCAPE, 0x01)},
    {SDL_SCANCODE_BACKSPACE, K(VK_BACK, 0x0E)}, {SDL_SCANCODE_TAB, K(VK_TAB, 0x0F)},
    {SDL_SCANCODE_SPACE, K(VK_SPACE, 0x39)},
    // Punctuation (US positions).
    {SDL_SCANCODE_MINUS, K(VK_OEM_MINUS, 0x0C)}, {SDL_SCANCODE_EQUALS, K(VK_OEM_PLUS, 0x0D)},
    {SDL_SCANCODE_LEFTBRACKET, K(VK_OEM_4, 0x1A)},
    {SDL_SCANCODE_RIGHTBRACKET, K(VK_OEM_6, 0x1B)},
    {SDL_SCANCODE_BACKSLASH, K(VK_OEM_5, 0x2B)}, {SDL_SCANCODE_NONUSHASH, K(VK_OEM_5, 0x2B)},
    {SDL_SCANCODE_SEMICOLON, K(VK_OEM_1, 0x27)}, {SDL_SCANCODE_APOSTROPHE, K(VK_OEM_7, 0x28)},
    {SDL_SCANCODE_GRAVE, K(VK_OEM_3, 0x29)}, {SDL_SCANCODE_COMMA, K(VK_OEM_COMMA, 0x33)},
    {SDL_SCANCODE_PERIOD, K(VK_OEM_PERIOD, 0x34)}, {SDL_SCANCODE_SLASH, K(VK_OEM_2, 0x35)},
    {SDL_SCANCODE_NONUSBACKSLASH, K(VK_OEM_102, 0x56)},
    // Locks.
    {SDL_SCANCODE_CAPSLOCK, K(VK_CAPITAL, 0x3A)},
    {SDL_SCANCODE_SCROLLLOCK, K(VK_SCROLL, 0x46)},
    {SDL_SCANCODE_NUMLOCKCLEAR, K(VK_NUMLOCK, 0x45, true)},
    // Function keys.
    {SDL_SCANCODE_F1, K(VK_F1 + 0, 0x3B)}, {SDL_SCANCODE_F2, K(VK_F1 + 1, 0x3C)},
    {SDL_SCANCODE_F3, K(VK_F1 + 2, 0x3D)}, {SDL_SCANCODE_F4, K(VK_F1 + 3, 0x3E)},
    {SDL_SCANCODE_F5, K(VK_F1 + 4, 0x3F)}, {SDL_SCANCODE_F6, K(VK_F1 + 5, 0x40)},
    {SDL_SCANCODE_F7, K(VK_F1 + 6, 0x41)}, {SDL_SCANCODE_F8, K(VK_F1 + 7, 0x42)},
    {SDL_SCANCODE_F9, K(VK_F1 + 8, 0x43)}, {SDL_SCANCODE_F10, K(VK_F1 + 9, 0x44)},
    {SDL_SCANCODE_F11, K(VK_F1 + 10, 0x57)}, {SDL_SCANCODE_F12, K(VK_F1 + 11, 0x58)},
    {SDL_SCANCODE_F13, K(VK_F13 + 0, 0x64)}, {SDL_SCANCODE_F14, K(VK_F13 + 1, 0x65)},
    {SDL_SCANCODE_F15, K(VK_F13 + 2, 0x66)}, {SDL_SCANCODE_F16, K(VK_F13 + 3, 0x67)},
    // Print screen, pause, navigation block.
    {SDL_SCANCODE_PRINTSCREEN, K(VK_SNAPSHOT, 0x37, true)},
    {SDL_SCANCODE_PAUSE, K(VK_PAUSE, 0x45)},
    {SDL_SCANCODE_INSERT, K(VK_INSERT, 0x52, true)}, {SDL_SCANCODE_DELETE, K(VK_DELETE, 0x53, true)},
    {SDL_SCANCODE_HOME, K(VK_HOME, 0x47, true)}, {SDL_SCANCODE_END, K(VK_END, 0x4F, true)},
    {SDL_SCANCODE_PAGEUP, K(VK_PRIOR, 0x49, true)}, {SDL_SCANCODE_PAGEDOWN, K(VK_NEXT, 0x51, true)},
    // Arrows.
    {SDL_SCANCODE_LEFT, K(VK_LEFT, 0x4B, true)}, {SDL_SCANCODE_UP, K(VK_UP, 0x48, true)},
    {SDL_SCANCODE_RIGHT, K(VK_RIGHT, 0x4D, true)}, {SDL_SCANCODE_DOWN, K(VK_DOWN, 0x50, true)},
    // Keypad.
    {SDL_SCANCODE_KP_DIVIDE, K(VK_DIVIDE, 0x35, true)},
    {SDL_SCANCODE_KP_MULTIPLY, K(VK_MULTIPLY, 0x37)},
    {SDL_SCANCODE_KP_MINUS, K(VK_SUBTRACT, 0x4A)}, {SDL_SCANCODE_KP_PLUS, K(VK_ADD, 0x4E)},
    {SDL_SCANCODE_KP_ENTER, K(VK_RETURN, 0x1C, true)},
    {SDL_SCANCODE_KP_1, K(VK_NUMPAD0 + 1, 0x4F)}, {SDL_SCANCODE_KP_2, K(VK_NUMPAD0 + 2, 0x50)},
    {SDL_SCANCODE_KP_3, K(VK_NUMPAD0 + 3, 0x51)}, {SDL_SCANCODE_KP_4, K(VK_NUMPAD0 + 4, 0x4B)},
    {SDL_SCANCODE_KP_5, K(VK_NUMPAD0 + 5, 0x4C)}, {SDL_SCANCODE_KP_6, K(VK_NUMPAD0 + 6, 0x4D)},
    {SDL_SCANCODE_KP_7, K(VK_NUMPAD0 + 7, 0x47)}, {SDL_SCANCODE_KP_8, K(VK_NUMPAD0 + 8, 0x48)},
    {SDL_SCANCODE_KP_9, K(VK_NUMPAD0 + 9, 0x49)}, {SDL_SCANCODE_KP_0, K(VK_NUMPAD0 + 0, 0x52)},
    {SDL_SCANCODE_KP_PERIOD, K(VK_DECIMAL, 0x53)},
    {SDL_SCANCODE_KP_COMMA, K(VK_SEPARATOR, 0x7E)},
    // Modifiers: messages carry the generic codes; right-hand keys are extended.
    {SDL_SCANCODE_LSHIFT, K(VK_SHIFT, 0x2A)}, {SDL_SCANCODE_RSHIFT, K(VK_SHIFT, 0x36)},
    {SDL_SCANCODE_LCTRL, K(VK_CONTROL, 0x1D)}, {SDL_SCANCODE_RCTRL, K(VK_CONTROL, 0x1D, true)},
    {SDL_SCANCODE_LALT, K(VK_MENU, 0x38)}, {SDL_SCANCODE_RALT, K(VK_MENU, 0x38, true)},
    {SDL_SCANCODE_LGUI, K(VK_LWIN, 0x5B, true)}, {SDL_SCANCODE_RGUI, K(VK_RWIN, 0x5C, true)},
    {SDL_SCANCODE_APPLICATION, K(VK_APPS, 0x5D, true)},
    // Japanese keyboard: ro, yen, kana, conversion keys, half/full width.
    {SDL_SCANCODE_INTERNATIONAL1, K(VK_OEM_102, 0x73)},
    {SDL_SCANCODE_INTERNATIONAL2, K(VK_KANA, 0x70)},
    {SDL_SCANCODE_INTERNATIONAL3, K(VK_OEM_5, 0x7D)},
    {SDL_SCANCODE_INTERNATIONAL4, K(VK_CONVERT, 0x79)},
    {SDL_SCANCODE_INTERNATIONAL5, K(VK_NONCONVERT, 0x7B)},
    {SDL_SCANCODE_LANG5, K(VK_KANJI, 0x29)},
};

// The table indexed by scan code, built once.
const std::array<VirtualKey, SDL_NUM_SCANCODES>& Table() {
  static const auto table = [] {
    std::array<VirtualKey, SDL_NUM_SCANCODES> t{};
    for (const Entry& e : kEntries) t[e.code] = e.key;
    return t;
  }();
  return table;
}

// With Num Lock off a keypad digit or point stands for the navigation key
// printed on it (not extended); 0 for any other key.
int KeypadNavigation(SDL_Scancode code) {
  switch (code) {
    case SDL_SCANCODE_KP_7: return VK_HOME;
    case SDL_SCANCODE_KP_1: return VK_END;
    case SDL_SCANCODE_KP_9: return VK_PRIOR;
    case SDL_SCANCODE_KP_3: return VK_NEXT;
    case SDL_SCANCODE_KP_4: return VK_LEFT;
    case SDL_SCANCODE_KP_6: return VK_RIGHT;
    case SDL_SCANCODE_KP_8: return VK_UP;
    case SDL_SCANCODE_KP_2: return VK_DOWN;
    case SDL_SCANCODE_KP_0: return VK_INSERT;
    case SDL_SCANCODE_KP_PERIOD: return VK_DELETE;
    case SDL_SCANCODE_KP_5: return 0x0C;  // VK_CLEAR
    default: return 0;
  }
}

// SDL reports keypad keys as SDLK_KP_* whatever Num Lock says and keeps its
// state in the modifiers; some drivers report the navigation key instead.
bool NumLockOff(const SDL_Keysym& keysym) {
  const bool keypadSym = keysym.sym >= SDLK_KP_1 && keysym.sym <= SDLK_KP_PERIOD;
  return !keypadSym || (keysym.mod & KMOD_NUM) == 0;
}

}  // namespace

VirtualKey TranslateKey(const SDL_Keysym& keysym) {
  if (keysym.scancode < 0 || keysym.scancode >= SDL_NUM_SCANCODES) return {};
  VirtualKey key = Table()[keysym.scancode];
  if (key.vk == 0) return key;
  if (keysym.sym >= SDLK_a && keysym.sym <= SDLK_z) {
    key.vk = 'A' + (keysym.sym - SDLK_a);
  } else if (const int navigation = KeypadNavigation(keysym.scancode);
             navigation != 0 && NumLockOff(keysym)) {
    key.vk = navigation;
  }
  return key;
}

LPARAM KeyLParam(const VirtualKey& key, bool up, bool repeat, bool altDown) {
  std::uint32_t value = 1;
  value |= std::uint32_t(key.scan & 0xFF) << 16;
  if (key.extended) value |= 1u << 24;
  if (altDown) value |= 1u << 29;
  if (repeat || up) value |= 1u << 30;
  if (up) value |= 1u << 31;
  return LPARAM(value);
}

}  // namespace platform::sdl
