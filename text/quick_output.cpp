// quick_output.cpp - text in the fixed style (standard sans, 12 pixels,
// white on dark blue, opaque) at a point, formatted, and the frames-per-
// second meter. Each call sets the style, draws and resets the font.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/os/clock.h"
#include "platform/os/encoding.h"
#include "text/text.h"

namespace ruDraw {

int FpsCount = 0;
DWORD FpsNext = 0;
float Fps = 0.0f, FpsMax = 0.0f, FpsMin = 999.9f;

namespace {

constexpr COLORREF kQuickText = 0xFFFFFF, kQuickBack = 0x800000;
constexpr int kFormatBuffer = 256;
constexpr DWORD kFpsPeriod = 2000;
constexpr int kMaxFpsCount = 999;

char fpsLine[kFormatBuffer];  // the meter's formatted line

}  // namespace

void Print(int x, int y, const char* text) {
  SetFont(1, 12, 0, 0, 0, 0);
  SetTextColor(kQuickText, kQuickBack, 0);
  PutText(x, y, text);
  ResetFont();
}

void Printf(int x, int y, const char* format, ...) {
  char buf[kFormatBuffer] = "";
  va_list args;
  va_start(args, format);
  // Bounded: a longer result is cut to 255 bytes, at a character boundary.
  if (format) platform::FormatCp932(buf, sizeof buf, format, args);
  va_end(args);
  Print(x, y, buf);
}

void PrintFps() {
  if (platform::TimeGetTime() >= FpsNext) {
    Fps = float(FpsCount / 2.0);
    if (Fps > FpsMax) FpsMax = Fps;
    if (Fps > 0 && Fps < FpsMin) FpsMin = Fps;
    FpsNext = platform::TimeGetTime() + kFpsPeriod;
    FpsCount = 0;
  }
  if (++FpsCount > kMaxFpsCount) FpsCount = kMaxFpsCount;
  std::snprintf(fpsLine, sizeof fpsLine, "%3.1f fps ( max %3.1f / min %3.1f )", double(Fps),
                double(FpsMax), double(FpsMin));
  Print(0, 0, fpsLine);
}

}  // namespace ruDraw
