// sdl_message_box.cpp - layout, drawing and input of the in-window message
// box. Pixels are 32-bit 0x00RRGGBB drawn by hand (frame, bevels, icon) and
// by a platform::Dc for the text, so Japanese renders with our fonts.
#include "platform/sdl/sdl_message_box.h"

#include <algorithm>
#include <utility>

#include "platform/os/encoding.h"
#include "platform/gdi/gdi.h"

namespace platform::sdl {

namespace {

constexpr int kTitleHeight = 22, kMargin = 20, kButtonWidth = 88, kButtonHeight = 26;
constexpr int kButtonGap = 12, kIconSize = 32, kMaxTextWidth = 440, kMinWidth = 220;
constexpr int kFontHeight = 16;

constexpr Uint32 kFace = 0xD4D0C8, kLight = 0xFFFFFF, kShadow = 0x808080, kDark = 0x404040;
constexpr Uint32 kTitle = 0x0A246A, kBlack = 0x000000;
constexpr PixelFormat kFormat{32, 0xFF0000, 0x00FF00, 0x0000FF};

// The text without its trailing line ends (the library appends "\r\n").
std::string TrimLineEnds(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

// A font of the standard Japanese sans face.
HFONT MakeFont(int height, bool bold) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  const std::string face = Utf8ToCp932("標準ゴシック");
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

// Size of `text` laid out within `maxWidth`; a rough estimate when the text
// engine cannot measure.
SIZE MeasureText(const std::string& text, int maxWidth) {
  Uint32 scratch = 0;
  Dc dc(DcTarget{reinterpret_cast<BYTE*>(&scratch), 4, 1, 1, kFormat});
  HFONT font = MakeFont(kFontHeight, false);
  HGDIOBJ old = dc.SelectObject(font);
  RECT r{0, 0, maxWidth, 0};
  const int height = dc.DrawText(text.c_str(), int(text.size()), &r,
                                 DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  dc.SelectObject(old);
  DeleteObject(font);
  if (height > 0 && r.right > 0) return SIZE{r.right - r.left, r.bottom - r.top};
  int lines = 1, column = 0, widest = 0;
  for (char c : text) {
    if (c == '\n') ++lines, column = 0;
    else if (c != '\r') widest = std::max(widest, ++column);
  }
  return SIZE{std::min(maxWidth, widest * kFontHeight / 2), lines * kFontHeight};
}

class Painter {
 public:
  Painter(std::vector<Uint32>& pixels, int width, int height)
      : pixels_(pixels), width_(width), height_(height) {}

  void Fill(int x, int y, int w, int h, Uint32 color) {
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(width_, x + w), y1 = std::min(height_, y + h);
    for (int row = y0; row < y1; ++row)
      std::fill(&pixels_[size_t(row) * width_ + x0], &pixels_[size_t(row) * width_ + x1], color);
  }
  // A raised (or sunken) edge: light top-left, dark bottom-right.
  void Bevel(const SDL_Rect& r, bool sunken) {
    const Uint32 hi = sunken ? kDark : kLight, lo = sunken ? kLight : kDark;
    Fill(r.x, r.y, r.w, 1, hi);
    Fill(r.x, r.y, 1, r.h, hi);
    Fill(r.x, r.y + r.h - 1, r.w, 1, lo);
    Fill(r.x + r.w - 1, r.y, 1, r.h, lo);
    Fill(r.x + 1, r.y + r.h - 2, r.w - 2, 1, kShadow);
    Fill(r.x + r.w - 2, r.y + 1, 1, r.h - 2, kShadow);
  }
  void Outline(const SDL_Rect& r, Uint32 color) {
    Fill(r.x, r.y, r.w, 1, color);
    Fill(r.x, r.y + r.h - 1, r.w, 1, color);
    Fill(r.x, r.y, 1, r.h, color);
    Fill(r.x + r.w - 1, r.y, 1, r.h, color);
  }
  void Disc(int cx, int cy, int radius, Uint32 color) {
    for (int y = -radius; y <= radius; ++y)
      for (int x = -radius; x <= radius; ++x)
        if (x * x + y * y <= radius * radius) Fill(cx + x, cy + y, 1, 1, color);
  }

 private:
  std::vector<Uint32>& pixels_;
  int width_, height_;
};

}  // namespace

MessageBoxUi::~MessageBoxUi() { ReleaseTexture(); }

void MessageBoxUi::Open(const char* text, const char* caption, UINT type, int clientWidth,
                        int clientHeight) {
  text_ = TrimLineEnds(text ? text : "");
  caption_ = caption ? caption : "";
  question_ = (type & MB_TYPEMASK) == MB_YESNO;
  buttons_.clear();
  if (question_) {
    buttons_.push_back(Button{{}, Utf8ToCp932("はい"), IDYES});
    buttons_.push_back(Button{{}, Utf8ToCp932("いいえ"), IDNO});
  } else {
    buttons_.push_back(Button{{}, "OK", IDOK});
  }
  focus_ = 0;
  pressed_ = -1;
  result_ = 0;
  open_ = true;
  Layout(clientWidth, clientHeight);
  dirty_ = true;
}

void MessageBoxUi::Layout(int clientWidth, int clientHeight) {
  const SIZE text = MeasureText(text_, kMaxTextWidth);
  const int buttonsWidth = int(buttons_.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
  const int contentWidth = kIconSize + kMargin + int(text.cx);
  const int width = std::min(clientWidth, std::max({kMinWidth, contentWidth + 2 * kMargin,
                                                    buttonsWidth + 2 * kMargin}));
  const int bodyHeight = std::max(kIconSize, int(text.cy));
  const int height = std::min(clientHeight, kTitleHeight + kMargin + bodyHeight + kMargin +
                                                kButtonHeight + kMargin * 3 / 4);
  where_ = SDL_Rect{(clientWidth - width) / 2, (clientHeight - height) / 2, width, height};
  const int contentLeft = (width - contentWidth) / 2;
  textRect_ = SDL_Rect{contentLeft + kIconSize + kMargin,
                       kTitleHeight + kMargin + (bodyHeight - int(text.cy)) / 2, int(text.cx),
                       int(text.cy)};
  int x = (width - buttonsWidth) / 2;
  const int y = height - kMargin * 3 / 4 - kButtonHeight;
  for (Button& button : buttons_) {
    button.rect = SDL_Rect{x, y, kButtonWidth, kButtonHeight};
    x += kButtonWidth + kButtonGap;
  }
  pixels_.assign(size_t(width) * size_t(height), kFace);
}

void MessageBoxUi::Draw() {
  const int width = where_.w, height = where_.h;
  pixels_.assign(size_t(width) * size_t(height), kFace);
  Painter paint(pixels_, width, height);
  paint.Bevel(SDL_Rect{0, 0, width, height}, false);
  paint.Fill(3, 3, width - 6, kTitleHeight - 3, kTitle);
  // Icon: blue disc for a question, amber for a notice.
  const int iconX = textRect_.x - kMargin - kIconSize / 2;
  const int iconY = kTitleHeight + kMargin + kIconSize / 2;
  paint.Disc(iconX, iconY, kIconSize / 2 - 1, question_ ? 0x2050C0 : 0xE0A000);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const SDL_Rect& r = buttons_[i].rect;
    paint.Bevel(r, int(i) == pressed_);
    if (int(i) == focus_) paint.Outline(SDL_Rect{r.x - 1, r.y - 1, r.w + 2, r.h + 2}, kBlack);
  }

  Dc dc(DcTarget{reinterpret_cast<BYTE*>(pixels_.data()), LONG(width * 4), width, height,
                 kFormat});
  dc.SetBkMode(TRANSPARENT);
  HFONT bold = MakeFont(kFontHeight - 2, true), plain = MakeFont(kFontHeight, false);
  HGDIOBJ old = dc.SelectObject(bold);
  dc.SetTextColor(0xFFFFFF);
  dc.TextOut(8, 4, caption_.c_str(), int(caption_.size()));
  dc.SelectObject(plain);
  dc.SetTextColor(0xFFFFFF);
  const char* mark = question_ ? "?" : "!";
  SIZE markSize{0, 0};
  dc.GetTextExtentPoint32(mark, 1, &markSize);
  dc.TextOut(iconX - markSize.cx / 2, iconY - markSize.cy / 2, mark, 1);
  dc.SetTextColor(0x000000);
  RECT textArea{textRect_.x, textRect_.y, textRect_.x + textRect_.w, textRect_.y + textRect_.h};
  dc.DrawText(text_.c_str(), int(text_.size()), &textArea, DT_WORDBREAK | DT_NOPREFIX);
  for (const Button& button : buttons_) {
    RECT r{button.rect.x, button.rect.y, button.rect.x + button.rect.w,
           button.rect.y + button.rect.h};
    SIZE size{0, 0};
    dc.GetTextExtentPoint32(button.label.c_str(), int(button.label.size()), &size);
    dc.TextOut((r.left + r.right - size.cx) / 2, (r.top + r.bottom - size.cy) / 2,
               button.label.c_str(), int(button.label.size()));
  }
  dc.SelectObject(old);
  DeleteObject(bold);
  DeleteObject(plain);
  dirty_ = false;
}

const std::vector<Uint32>& MessageBoxUi::Pixels() {
  if (dirty_) Draw();
  return pixels_;
}

void MessageBoxUi::Press(int index) {
  if (index < 0 || index >= int(buttons_.size())) return;
  result_ = buttons_[index].result;
  open_ = false;
}

void MessageBoxUi::Cancel() {
  if (!open_) return;
  result_ = question_ ? IDNO : IDOK;
  open_ = false;
}

void MessageBoxUi::MoveFocus(int step) {
  const int count = int(buttons_.size());
  focus_ = (focus_ + step + count) % count;
  dirty_ = true;
}

SDL_Rect MessageBoxUi::ButtonRect(int index) const {
  if (index < 0 || index >= int(buttons_.size())) return SDL_Rect{};
  const SDL_Rect& r = buttons_[index].rect;
  return SDL_Rect{where_.x + r.x, where_.y + r.y, r.w, r.h};
}

int MessageBoxUi::ButtonAt(int x, int y) const {
  const SDL_Point p{x - where_.x, y - where_.y};
  for (size_t i = 0; i < buttons_.size(); ++i)
    if (SDL_PointInRect(&p, &buttons_[i].rect)) return int(i);
  return -1;
}

void MessageBoxUi::HandleInput(const SDL_Event& event) {
  if (!open_) return;
  if (event.type == SDL_KEYDOWN && !event.key.repeat) {
    switch (event.key.keysym.sym) {
      case SDLK_RETURN: case SDLK_KP_ENTER: case SDLK_SPACE: Press(focus_); break;
      case SDLK_ESCAPE: Cancel(); break;
      case SDLK_LEFT: case SDLK_UP: MoveFocus(-1); break;
      case SDLK_RIGHT: case SDLK_DOWN: MoveFocus(1); break;
      case SDLK_TAB: MoveFocus((event.key.keysym.mod & KMOD_SHIFT) ? -1 : 1); break;
      case SDLK_y: if (question_) Press(0); break;
      case SDLK_n: if (question_) Press(1); break;
      default: break;
    }
  } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
    pressed_ = ButtonAt(event.button.x, event.button.y);
    if (pressed_ >= 0) focus_ = pressed_;
    dirty_ = true;
  } else if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT) {
    const int released = ButtonAt(event.button.x, event.button.y);
    const int pressed = std::exchange(pressed_, -1);
    dirty_ = true;
    if (pressed >= 0 && released == pressed) Press(pressed);
  }
}

SDL_Texture* MessageBoxUi::Texture(SDL_Renderer* renderer) {
  if (texture_ && textureOwner_ != renderer) ReleaseTexture();
  if (texture_) {
    int w = 0, h = 0;
    SDL_QueryTexture(texture_, nullptr, nullptr, &w, &h);
    if (w != where_.w || h != where_.h) ReleaseTexture();
  }
  if (!texture_) {
    texture_ = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 where_.w, where_.h);
    textureOwner_ = renderer;
    dirty_ = true;
  }
  if (!texture_) return nullptr;
  if (dirty_) {
    Draw();
    SDL_UpdateTexture(texture_, nullptr, pixels_.data(), where_.w * 4);
  }
  return texture_;
}

void MessageBoxUi::ReleaseTexture() {
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
  textureOwner_ = nullptr;
}

}  // namespace platform::sdl
