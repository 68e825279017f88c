// sdl_keys_test.cpp - SDL keys as virtual keys and key-message lParams.
#include <gtest/gtest.h>

#include "platform/sdl/sdl_keys.h"

namespace {

using platform::sdl::KeyLParam;
using platform::sdl::TranslateKey;
using platform::sdl::VirtualKey;

SDL_Keysym Sym(SDL_Scancode code, SDL_Keycode sym, Uint16 mod = KMOD_NUM) {
  SDL_Keysym k{};
  k.scancode = code;
  k.sym = sym;
  k.mod = mod;
  return k;
}

TEST(SdlKeys, GameKeysHaveTheirCodesAndScanCodes) {
  struct Case {
    SDL_Scancode code;
    SDL_Keycode sym;
    int vk, scan;
    bool extended;
  };
  const Case cases[] = {
      {SDL_SCANCODE_RETURN, SDLK_RETURN, VK_RETURN, 0x1C, false},
      {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, VK_RETURN, 0x1C, true},
      {SDL_SCANCODE_SPACE, SDLK_SPACE, VK_SPACE, 0x39, false},
      {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, VK_ESCAPE, 0x01, false},
      {SDL_SCANCODE_UP, SDLK_UP, VK_UP, 0x48, true},
      {SDL_SCANCODE_DOWN, SDLK_DOWN, VK_DOWN, 0x50, true},
      {SDL_SCANCODE_LEFT, SDLK_LEFT, VK_LEFT, 0x4B, true},
      {SDL_SCANCODE_RIGHT, SDLK_RIGHT, VK_RIGHT, 0x4D, true},
      {SDL_SCANCODE_F10, SDLK_F10, VK_F10, 0x44, false},
      {SDL_SCANCODE_F12, SDLK_F12, VK_F12, 0x58, false},
      {SDL_SCANCODE_RCTRL, SDLK_RCTRL, VK_CONTROL, 0x1D, true},
      {SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, VK_SHIFT, 0x2A, false},
      {SDL_SCANCODE_RALT, SDLK_RALT, VK_MENU, 0x38, true},
      {SDL_SCANCODE_0, SDLK_0, '0', 0x0B, false},
      {SDL_SCANCODE_KP_7, SDLK_KP_7, VK_NUMPAD0 + 7, 0x47, false},
      {SDL_SCANCODE_SLASH, SDLK_SLASH, VK_OEM_2, 0x35, false},
  };
  for (const Case& c : cases) {
    const VirtualKey key = TranslateKey(Sym(c.code, c.sym));
    EXPECT_EQ(key.vk, c.vk) << SDL_GetScancodeName(c.code);
    EXPECT_EQ(key.scan, c.scan) << SDL_GetScancodeName(c.code);
    EXPECT_EQ(key.extended, c.extended) << SDL_GetScancodeName(c.code);
  }
}

TEST(SdlKeys, EveryLetterDigitAndFunctionKeyIsMapped) {
  for (int i = 0; i < 26; ++i) {
    const auto code = SDL_Scancode(SDL_SCANCODE_A + i);
    EXPECT_EQ(TranslateKey(Sym(code, SDLK_a + i)).vk, 'A' + i);
  }
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(TranslateKey(Sym(SDL_Scancode(SDL_SCANCODE_F1 + i), 0)).vk, VK_F1 + i);
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(TranslateKey(Sym(SDL_Scancode(SDL_SCANCODE_1 + i), SDLK_1 + i)).vk, '1' + i);
}

TEST(SdlKeys, LettersFollowTheLayoutAndKeypadFollowsNumLock) {
  // A French keyboard: the key at the Q position types 'a'.
  EXPECT_EQ(TranslateKey(Sym(SDL_SCANCODE_Q, SDLK_a)).vk, 'A');
  EXPECT_EQ(TranslateKey(Sym(SDL_SCANCODE_Q, SDLK_a)).scan, 0x10);
  // Num Lock off: keypad 8 is Up, but not an extended key, whether the
  // driver names the keypad key (with Num Lock in the modifiers) or Up.
  const VirtualKey up = TranslateKey(Sym(SDL_SCANCODE_KP_8, SDLK_UP));
  EXPECT_EQ(up.vk, VK_UP);
  EXPECT_FALSE(up.extended);
  EXPECT_EQ(TranslateKey(Sym(SDL_SCANCODE_KP_8, SDLK_KP_8, KMOD_NONE)).vk, VK_UP);
  EXPECT_EQ(TranslateKey(Sym(SDL_SCANCODE_KP_1, SDLK_KP_1, KMOD_SHIFT)).vk, VK_END);
  EXPECT_EQ(TranslateKey(Sym(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, KMOD_NONE)).vk, VK_DELETE);
  EXPECT_EQ(TranslateKey(Sym(SDL_SCANCODE_KP_1, SDLK_KP_1)).vk, VK_NUMPAD0 + 1);
  // Operators and Enter do not depend on Num Lock.
  EXPECT_EQ(TranslateKey(Sym(SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, KMOD_NONE)).vk, VK_ADD);
}

TEST(SdlKeys, UnknownScanCodesHaveNoCode) {
  EXPECT_EQ(TranslateKey(Sym(SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN)).vk, 0);
  EXPECT_EQ(TranslateKey(Sym(SDL_Scancode(SDL_NUM_SCANCODES), 0)).vk, 0);
  EXPECT_EQ(TranslateKey(Sym(SDL_SCANCODE_MUTE, SDLK_MUTE)).vk, 0);
}

TEST(SdlKeys, LParamPacksRepeatScanExtendedContextPreviousAndTransition) {
  const VirtualKey up{VK_UP, 0x48, true};
  EXPECT_EQ(KeyLParam(up, false, false, false), LPARAM(0x01480001));
  EXPECT_EQ(KeyLParam(up, false, true, false), LPARAM(0x41480001));  // auto-repeat
  EXPECT_EQ(KeyLParam(up, true, false, false), LPARAM(0xC1480001u));
  const VirtualKey a{'A', 0x1E, false};
  EXPECT_EQ(KeyLParam(a, false, false, true), LPARAM(0x201E0001));  // Alt+A
  EXPECT_EQ(KeyLParam(a, true, false, true), LPARAM(0xE01E0001u));
}

}  // namespace
