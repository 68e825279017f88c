// font.h - fonts as GDI creates them from a LOGFONTA (FreeType and
// fontconfig behind it), and the list of installed font families that
// enumeration reports. The text half of GDI (gdi_text.cpp) draws with these.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"

namespace platform {

class FontInstance;

// A logical font. Creating one is cheap: identical descriptions share one
// realised face, size and glyph cache (FontInstance), found on first use.
class Font final : public GdiObject {
 public:
  explicit Font(const LOGFONTA& description);
  ~Font() override;
  Kind GetKind() const override { return Kind::Font; }
  const LOGFONTA& Description() const { return description_; }
  // The realised font; nullptr when no face at all could be loaded.
  FontInstance* Instance() const;

  // Fonts come from a free list so that creating and deleting one per call
  // (the quick-output path) allocates nothing once warm.
  static void* operator new(std::size_t size);
  static void operator delete(void* memory) noexcept;

 private:
  LOGFONTA description_;
  mutable FontInstance* instance_ = nullptr;
  mutable bool resolved_ = false;
};

// One installed family as enumeration reports it.
struct FontFamily {
  std::string name;  // CP932, at most 31 bytes, cut at a character boundary
  BYTE charSet = ANSI_CHARSET;  // 128 covers Japanese, 2 symbol, else 0
};

// The installed families, in fontconfig's order, each once (built on first
// call, then kept).
const std::vector<FontFamily>& FontFamilies();
// Replaces the family list that enumeration reports (nullptr: back to the
// system's). Faces are still resolved through fontconfig.
void SetFontListForTests(const std::vector<FontFamily>* families);

}  // namespace platform
