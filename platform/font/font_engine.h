// font_engine.h - the engine behind GDI text (platform-internal): a face
// realised at one size and style with its cache of monochrome glyphs, face
// resolution through fontconfig, CP932 decoding for glyph lookup, and the
// writer that puts glyph runs onto a DC's target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/os/encoding.h"
#include "platform/gdi/gdi.h"
#include "platform/win_types.h"

struct FT_FaceRec_;
struct FT_SizeRec_;

namespace platform {

// ---------------------------------------------------------------- faces

// A face file opened by FreeType, shared by every size made from it.
struct FaceInfo {
  FT_FaceRec_* face = nullptr;
  bool bold = false;    // the face itself is bold (no synthesis needed)
  bool italic = false;  // the face itself is italic or oblique
  bool autoHint = false;  // hinted by FreeType's auto-hinter, not the face's own hints
};

// The face for a CP932 face name (at most 32 bytes read) and character
// set: the two standard Japanese names map to the system's Japanese serif
// and sans faces, an empty name to the default Japanese sans face, others
// go through fontconfig. nullptr only when no face at all can be loaded.
const FaceInfo* ResolveFace(const char* faceName, BYTE charSet, bool bold, bool italic);

// ---------------------------------------------------------------- glyphs

// One rasterised glyph. Offsets are in screen axes (x right, y down)
// relative to the pen on the baseline.
struct Glyph {
  std::int16_t left = 0, top = 0;  // top-left of the mask
  std::uint16_t width = 0, height = 0;
  std::int32_t advanceX = 0, advanceY = 0;  // pen step in 1/64 pixel
  std::uint32_t offset = 0;                 // first byte in the mask store
  bool loaded = false;
};

// A face at one size and style, with its glyph cache.
class FontInstance {
 public:
  FontInstance(const LOGFONTA& description, const FaceInfo& face);
  ~FontInstance();
  FontInstance(const FontInstance&) = delete;
  FontInstance& operator=(const FontInstance&) = delete;

  int Ascent() const { return ascent_; }
  int Descent() const { return descent_; }
  int Height() const { return ascent_ + descent_; }  // the cell height
  bool Underlined() const { return underline_; }
  int UnderlineOffset() const { return underlineOffset_; }  // below the baseline
  int UnderlineThickness() const { return underlineThickness_; }
  bool Rotated() const { return rotated_; }
  double Cos() const { return cos_; }  // text direction on screen: (cos, -sin)
  double Sin() const { return sin_; }

  // True if text in this font is CP932 (double-byte characters); else
  // every byte is one character.
  bool DoubleByte() const { return doubleByte_; }
  // Decodes the character at text[i] and advances i past it.
  char32_t NextChar(const char* text, std::size_t length, std::size_t& i) const {
    if (doubleByte_) return DecodeCp932(text, length, i);
    return static_cast<unsigned char>(text[i++]);
  }
  // The glyph of a code point (rasterised on first use, then cached).
  const Glyph& GetGlyph(char32_t code);
  // The glyph's mask: width x height bytes, 1 where the glyph has ink.
  const std::uint8_t* Mask(const Glyph& glyph) const { return masks_.data() + glyph.offset; }

  int references = 0;  // Font objects using this instance

 private:
  void SetSize(const LOGFONTA& description);  // pixel size, cell and underline
  void SetStyle(const LOGFONTA& description, const FaceInfo& face);  // bold, oblique, turn
  void Rasterise(char32_t code, Glyph& glyph);
  void Flush();  // forgets every cached glyph
  void StoreMask(const void* bitmap, Glyph& glyph);

  FT_FaceRec_* face_;
  FT_SizeRec_* size_ = nullptr;
  int ascent_ = 0, descent_ = 0;
  bool underline_ = false;
  int underlineOffset_ = 1, underlineThickness_ = 1;
  bool doubleByte_ = true, symbol_ = false;
  bool rotated_ = false, transformed_ = false;
  bool emboldens_ = false;  // synthetic bold: overstruck one pixel along the text
  bool autoHint_ = false;
  double cos_ = 1.0, sin_ = 0.0;
  long matrix_[4] = {0x10000, 0, 0, 0x10000};  // FT_Matrix xx, xy, yx, yy
  Glyph low_[256];
  std::unordered_map<char32_t, Glyph> high_;
  std::vector<std::uint8_t> masks_;
};

// The shared instance for a description (made on first request); the
// caller releases it when done. nullptr when no face can be loaded.
FontInstance* AcquireFontInstance(const LOGFONTA& description);
void ReleaseFontInstance(FontInstance* instance);

// ---------------------------------------------------------------- drawing

// Width in pixels of text's first `length` bytes (the sum of advances).
int MeasureRun(FontInstance& font, const char* text, std::size_t length);
// Draws text's first `length` bytes with the cell's top-left at (x, y),
// in the DC's colours and background mode, clipped to `clip` and the
// target. Returns the run's width in pixels.
int DrawRun(Dc& dc, FontInstance& font, int x, int y, const char* text, std::size_t length,
            const RECT& clip);

}  // namespace platform
