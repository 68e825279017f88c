// messages.cpp - the notice and question boxes, the error report and the
// debug log. Box texts are built in 256-byte buffers, cut at a character
// boundary when too long.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "draw/draw.h"
#include "platform/backend.h"
#include "platform/os/encoding.h"
#include "sound/sound.h"
#include "system/system.h"
#include "system/system_internal.h"

namespace ruSystem {

namespace {
constexpr UINT kNoticeType = MB_SYSTEMMODAL | MB_ICONEXCLAMATION;
constexpr UINT kQuestionType = MB_YESNO | MB_ICONQUESTION;

// Formats into buffer and appends "\r\n"; the line end always fits.
void FormatBox(char (&buffer)[256], const char* format, va_list args) {
  platform::FormatCp932(buffer, sizeof buffer - 2, format, args);
  std::strcat(buffer, "\r\n");
}

void FlipToGdi() {
  if (ruDraw::DirectDraw) ruDraw::DirectDraw->FlipToGDISurface();
}

int ShowBox(const char* text, UINT type) {
  FlipToGdi();
  ShowCursorIfHidden();
  InMessageBox = 1;
  const int answer = platform::GetBackend().MessageBox(MainWindow, text, "メッセージ", type);
  InMessageBox = 0;
  ResetFrameTime();
  return answer;
}

// Appends `text` to buffer[used..] within 256 bytes, cut at a character
// boundary; returns the new length.
size_t Append(char (&buffer)[256], size_t used, const char* text) {
  const size_t n = platform::Cp932SafeLength(text, sizeof buffer - 1 - used);
  std::memcpy(buffer + used, text, n);
  buffer[used + n] = '\0';
  return used + n;
}
}  // namespace

// A formatted notice box.
void Message(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  FormatBox(buffer, format, args);
  va_end(args);
  ShowBox(buffer, kNoticeType);
}

// A formatted yes/no box; 1 for yes.
int Question(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  FormatBox(buffer, format, args);
  va_end(args);
  return ShowBox(buffer, kQuestionType) == IDYES ? 1 : 0;
}

// The error report: beep, "tag : message" box, ErrorFlag set; returns 0.
int Error(const char* tag, const char* message, int) {
  char buffer[256] = "";
  size_t used = Append(buffer, 0, tag ? tag : "");
  used = Append(buffer, used, " : ");
  Append(buffer, used, message ? message : "");
  FlipToGdi();
  ruSound::Beep();
  platform::GetBackend().MessageBox(MainWindow, buffer, "エラー発生", kNoticeType);
  ErrorFlag = 1;
  return 0;
}

// ErrorFlag.
int IsError() { return ErrorFlag; }

// Appends one formatted line to DEBUG.TXT; 0 if it cannot be opened.
int WriteLog(const char* format, ...) {
  std::FILE* f = std::fopen("DEBUG.TXT", "a");
  if (!f) return 0;
  if (format) {  // no format: an empty line
    va_list args;
    va_start(args, format);
    std::vfprintf(f, format, args);
    va_end(args);
  }
  std::fputs("\n", f);
  return std::fclose(f);
}

}  // namespace ruSystem
