// sdl_message_box.h - a message box drawn inside the window with the
// library's own text engine: caption bar, icon, the (CP932) text, and an
// OK button (notices) or はい / いいえ (questions). Keyboard: Enter/Space
// press the focused button, Esc answers no (or OK), arrows and Tab move the
// focus, Y and N answer a question. Mouse: press and release on a button.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/win_types.h"

namespace platform::sdl {

class MessageBoxUi {
 public:
  ~MessageBoxUi();
  // Opens a box of MB_* `type` centred in a client area of the given size.
  void Open(const char* text, const char* caption, UINT type, int clientWidth,
            int clientHeight);
  bool IsOpen() const { return open_; }
  // IDOK, IDYES or IDNO once the box has closed.
  int Result() const { return result_; }
  // Keyboard and mouse events while the box is open (client coordinates).
  void HandleInput(const SDL_Event& event);
  // Closes the box as Esc would (the window is going away).
  void Cancel();
  // The box's picture as a texture of `renderer`, redrawn when it changed,
  // and where it goes in the client area.
  SDL_Texture* Texture(SDL_Renderer* renderer);
  const SDL_Rect& Where() const { return where_; }
  // Button `index` (0: OK or はい, 1: いいえ) in client coordinates.
  SDL_Rect ButtonRect(int index) const;
  // Frees the texture (the renderer is going away).
  void ReleaseTexture();

  // The box's pixels (0x00RRGGBB rows), for tests.
  const std::vector<Uint32>& Pixels();

 private:
  struct Button {
    SDL_Rect rect;
    std::string label;  // CP932
    int result;
  };

  void Layout(int clientWidth, int clientHeight);
  void Draw();
  void Press(int index);
  void MoveFocus(int step);
  int ButtonAt(int x, int y) const;

  bool open_ = false, dirty_ = true;
  bool question_ = false;
  int result_ = 0;
  std::string text_, caption_;  // CP932
  SDL_Rect where_{};
  SDL_Rect textRect_{};
  std::vector<Button> buttons_;
  int focus_ = 0, pressed_ = -1;
  std::vector<Uint32> pixels_;
  SDL_Texture* texture_ = nullptr;
  SDL_Renderer* textureOwner_ = nullptr;
};

}  // namespace platform::sdl
