// display_mode.cpp - the colour depth the game needs, the display's own
// depth, and the question that offers full-screen mode when a window would
// run at too low a depth.
#include <cstdio>
#include <cstring>

#include "platform/backend.h"
#include "system/system.h"

namespace ruSystem {

int ColorDepth = 16, ColorDepthAlt1 = 0, ColorDepthAlt2 = 0;

namespace {
const char* const kColorList[4] = {"16", "256", "65536", "1670万"};

int DepthIndex(int depth) {
  switch (depth) {
    case 8: return 1;
    case 16: return 2;
    case 24: case 32: return 3;
    default: return 0;
  }
}
}  // namespace

// The depth the game needs and the two depths to try next.
void SetColorDepth(int depth, int alternative1, int alternative2) {
  ColorDepth = depth;
  ColorDepthAlt1 = alternative1;
  ColorDepthAlt2 = alternative2;
}

// The display's bits per pixel.
int GetColorDepth() { return platform::GetBackend().DisplayBitsPerPixel(); }

// 1 unless full-screen mode was chosen.
int IsWindowed() { return FullScreen == 0 ? 1 : 0; }

// Explains a too-low desktop depth and offers full screen; 0 when the program was told to end.
int CheckColorDepth(const char* fileName) {
  const int index = DepthIndex(ColorDepth);
  if (index == 0) return 1;
  if (FullScreen || GetColorDepth() >= ColorDepth) return 1;
  Message("　ウィンドウ状態で実行しようとしていますが、"
          "画面が%s色以下に設定されています。\n"
          "正しく動作させるには、%s色以上に設定するか、"
          "フルスクリーンで実行させて下さい。",
          kColorList[index - 1], kColorList[index]);
  const char* name = fileName ? fileName : "";
  const char* question = nullptr;
  if (name[0] == '\0') question = nullptr;
  else if (std::strcmp(name, "*") == 0) question = "フルスクリーンに切り換えますか？";
  else question = "フルスクリーンに設定し直しますか？";
  if (question && Question(question) == 1) {
    if (std::strcmp(name, "*") != 0) WriteValue(name, 1);
    FullScreen = 1;
    return 1;
  }
  Exit();
  return 0;
}

}  // namespace ruSystem
