// gdi_text.cpp - text on a device context. Placeholder until the font
// engine lands: fonts can be created and selected, nothing is drawn.
#include "platform/font.h"
#include "platform/gdi.h"

namespace platform {

HFONT CreateFontIndirect(const LOGFONTA* font) { return font ? new Font(*font) : nullptr; }

BOOL Dc::TextOut(int, int, const char*, int) { return FALSE; }
int Dc::DrawText(const char*, int, RECT*, UINT) { return 0; }
BOOL Dc::GetTextExtentPoint32(const char*, int, SIZE* size) {
  if (size) *size = SIZE{0, 0};
  return FALSE;
}
int Dc::EnumFonts(const char*, FontEnumProc, LPARAM) { return 0; }

}  // namespace platform
