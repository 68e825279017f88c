// draw_fallbacks.cpp - TEMPORARY weak stand-ins for what the drawing, text
// and sound modules define, so the system core links and runs on its own.
// The drawing and text modules (and the MCI interpreter) replace them with
// their strong definitions; delete this file once they have all landed.
#include "draw/draw.h"
#include "platform/mci.h"
#include "text/text.h"

#define RU_WEAK __attribute__((weak))

namespace ruDraw {
RU_WEAK platform::Display* DirectDraw = nullptr;
RU_WEAK int ScreenWidth = 0;
RU_WEAK int ScreenHeight = 0;
RU_WEAK RECT ClipWindow = {0, 0, 0, 0};
RU_WEAK int OverlayShown = 0;
RU_WEAK void Present() {}
RU_WEAK void ExitScreen() {}
RU_WEAK void ExitFont() {}
}  // namespace ruDraw

namespace platform {
RU_WEAK DWORD MciSendString(const char*, char* reply, UINT replySize, HWND) {
  if (reply && replySize) reply[0] = '\0';
  return 0;
}
}  // namespace platform
