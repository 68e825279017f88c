// font_instance.cpp - a face realised at one size and style: GDI's height
// rules, escapement, synthetic bold and oblique, underline metrics, and the
// monochrome glyph cache.
//
// Height: a positive lfHeight is the cell height (ascent + descent), a
// negative one the character (em) height, 0 a 16-pixel cell. Ascent and
// descent come from the face's horizontal header (for the IPA faces they
// add up to the em, so a 12-pixel cell is a 12-pixel em, as the standard
// faces behave on the original system). Glyphs are hinted and rendered
// monochrome; the mask of every glyph is kept for the instance's life.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/font/font_engine.h"

namespace platform {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kObliqueShear = 0.2;  // synthetic italic: x += 0.2 y
constexpr int kMaxPixelSize = 1024;
constexpr int kDefaultCell = 16;
// Glyph masks one instance keeps before it starts its cache again (huge
// sizes with many different characters would otherwise grow without end).
constexpr size_t kMaskStoreBound = 32u << 20;

FT_Fixed ToFixed(double v) { return FT_Fixed(std::lround(v * 65536.0)); }

// Ascender and descender in font units, positive both; never a zero sum.
void VerticalUnits(FT_Face face, long& ascender, long& descender) {
  ascender = face->ascender;
  descender = -face->descender;
  if (ascender + descender <= 0) {
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
      ascender = os2->usWinAscent;
      descender = os2->usWinDescent;
    }
  }
  if (ascender + descender <= 0) {
    ascender = std::max<long>(face->units_per_EM, 1) * 4 / 5;
    descender = std::max<long>(face->units_per_EM, 1) - ascender;
  }
}

// The em size in whole pixels for a LOGFONTA height.
int EmPixels(long long height, long ascUnits, long descUnits, double upem) {
  double em = 0;
  if (height > 0) em = double(std::min<long long>(height, kMaxPixelSize)) * upem / (ascUnits + descUnits);
  else if (height < 0) em = double(std::min<long long>(-height, kMaxPixelSize));
  else em = kDefaultCell * upem / (ascUnits + descUnits);
  return std::clamp(int(std::lround(em)), 1, kMaxPixelSize);
}

// Horizontal pixel size for a LOGFONTA width (average character width);
// 0 keeps the em's proportions.
int WidthPixels(FT_Face face, LONG width, double upem) {
  if (width <= 0) return 0;
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const double average = os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upem / 2;
  return std::clamp(int(std::lround(std::min<LONG>(width, kMaxPixelSize) * upem / average)), 1,
                    kMaxPixelSize);
}

// Sets the face's active size: scalable faces exactly, bitmap-only faces
// to their nearest strike.
void SelectPixelSize(FT_Face face, int widthPixels, int emPixels) {
  if (FT_IS_SCALABLE(face)) {
    FT_Set_Pixel_Sizes(face, FT_UInt(widthPixels), FT_UInt(emPixels));
    return;
  }
  if (face->num_fixed_sizes <= 0) return;
  int best = 0;
  for (int i = 1; i < face->num_fixed_sizes; ++i)
    if (std::abs(face->available_sizes[i].height - emPixels) <
        std::abs(face->available_sizes[best].height - emPixels))
      best = i;
  FT_Select_Size(face, best);
}

}  // namespace

FontInstance::FontInstance(const LOGFONTA& d, const FaceInfo& info) : face_(info.face) {
  masks_.reserve(4096);
  doubleByte_ = d.lfCharSet == SHIFTJIS_CHARSET || d.lfCharSet == DEFAULT_CHARSET;
  symbol_ = d.lfCharSet == SYMBOL_CHARSET;
  FT_New_Size(face_, &size_);
  FT_Activate_Size(size_);
  SetSize(d);
  SetStyle(d, info);
}

void FontInstance::SetSize(const LOGFONTA& d) {
  FT_Face face = face_;
  long ascUnits = 0, descUnits = 0;
  VerticalUnits(face, ascUnits, descUnits);
  const double upem = face->units_per_EM > 0 ? face->units_per_EM : ascUnits + descUnits;
  const int emPixels = EmPixels(d.lfHeight, ascUnits, descUnits, upem);
  SelectPixelSize(face, WidthPixels(face, d.lfWidth, upem), emPixels);

  ascent_ = int(std::lround(ascUnits * double(emPixels) / upem));
  descent_ = int(std::lround(descUnits * double(emPixels) / upem));
  if (d.lfHeight > 0) {  // the cell is exactly the height asked for
    const int cell = int(std::min<LONG>(d.lfHeight, kMaxPixelSize));
    ascent_ = std::min(ascent_, cell);
    descent_ = cell - ascent_;
  }
  underline_ = d.lfUnderline != 0;
  underlineThickness_ = std::max(1, int(std::lround(face->underline_thickness * emPixels / upem)));
  underlineOffset_ = std::max(0, int(std::lround(-face->underline_position * emPixels / upem)) - 1);
  if (underlineOffset_ + underlineThickness_ > descent_)  // keep it inside the cell
    underlineOffset_ = std::max(0, descent_ - underlineThickness_);
}

void FontInstance::SetStyle(const LOGFONTA& d, const FaceInfo& info) {
  const LONG weight = d.lfWeight == 0 ? FW_NORMAL : d.lfWeight;
  emboldens_ = weight >= 600 && !info.bold;
  const bool oblique = d.lfItalic && !info.italic;
  autoHint_ = info.autoHint;
  const int tenths = int(((long long)d.lfEscapement % 3600 + 3600) % 3600);
  rotated_ = tenths != 0;
  cos_ = std::cos(tenths * kPi / 1800.0);
  sin_ = std::sin(tenths * kPi / 1800.0);
  if (tenths == 900 || tenths == 2700) cos_ = 0;
  if (tenths == 1800) sin_ = 0;
  transformed_ = rotated_ || oblique;
  const double shear = oblique ? kObliqueShear : 0.0;
  // Rotation after shear, in FreeType's y-up glyph space.
  matrix_[0] = ToFixed(cos_);
  matrix_[1] = ToFixed(cos_ * shear - sin_);
  matrix_[2] = ToFixed(sin_);
  matrix_[3] = ToFixed(sin_ * shear + cos_);
}

FontInstance::~FontInstance() {
  if (size_) FT_Done_Size(size_);
}

const Glyph& FontInstance::GetGlyph(char32_t code) {
  if (masks_.size() > kMaskStoreBound) Flush();
  if (code < 256) {
    Glyph& glyph = low_[code];
    if (!glyph.loaded) Rasterise(code, glyph);
    return glyph;
  }
  auto it = high_.find(code);
  if (it != high_.end()) return it->second;
  Glyph& glyph = high_[code];
  Rasterise(code, glyph);
  return glyph;
}

void FontInstance::Flush() {
  masks_.clear();
  for (Glyph& glyph : low_) glyph.loaded = false;
  high_.clear();
}

void FontInstance::Rasterise(char32_t code, Glyph& glyph) {
  glyph = Glyph{};
  glyph.loaded = true;
  glyph.offset = std::uint32_t(masks_.size());
  FT_Face face = face_;
  FT_Activate_Size(size_);
  FT_Matrix matrix{matrix_[0], matrix_[1], matrix_[2], matrix_[3]};
  FT_Set_Transform(face, transformed_ ? &matrix : nullptr, nullptr);

  FT_UInt index = FT_Get_Char_Index(face, code);
  if (!index && code < 0x100 && (symbol_ || !face->charmap))
    index = FT_Get_Char_Index(face, 0xF000 + code);  // symbol faces' private area
  FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO;
  if (transformed_) flags |= FT_LOAD_NO_BITMAP;
  if (autoHint_) flags |= FT_LOAD_FORCE_AUTOHINT;
  if (FT_Load_Glyph(face, index, flags) != 0 && (index == 0 || FT_Load_Glyph(face, 0, flags) != 0)) {
    glyph.advanceX = int(std::lround(cos_ * Height() / 2)) * 64;  // an empty half-width cell
    glyph.advanceY = -int(std::lround(sin_ * Height() / 2)) * 64;
    return;
  }
  FT_GlyphSlot slot = face->glyph;
  StoreMask(&slot->bitmap, glyph);
  glyph.left = std::int16_t(glyph.left + std::clamp(slot->bitmap_left, -30000, 30000));
  glyph.top = std::int16_t(glyph.top + std::clamp(-slot->bitmap_top, -30000, 30000));
  if (rotated_) {
    glyph.advanceX = std::int32_t(slot->advance.x);
    glyph.advanceY = std::int32_t(-slot->advance.y);
    if (emboldens_) {
      glyph.advanceX += std::int32_t(std::lround(64 * cos_));
      glyph.advanceY -= std::int32_t(std::lround(64 * sin_));
    }
  } else {
    glyph.advanceX = std::int32_t((slot->advance.x + 32) & ~63) + (emboldens_ ? 64 : 0);
  }
}

void FontInstance::StoreMask(const void* source, Glyph& glyph) {
  const auto& bitmap = *static_cast<const FT_Bitmap*>(source);
  const int width = int(bitmap.width), rows = int(bitmap.rows);
  if (width <= 0 || rows <= 0 || !bitmap.buffer) return;
  // GDI's bold simulation: the glyph overstruck one pixel further along the
  // text's main axis (right when level, up at 90 degrees, left at 180; a
  // diagonal step would double thin strokes into stairs).
  const bool level = std::abs(cos_) >= std::abs(sin_) - 1e-9;
  const int stepX = !emboldens_ || !level ? 0 : cos_ < 0 ? -1 : 1;
  const int stepY = !emboldens_ || level ? 0 : sin_ > 0 ? -1 : 1;
  const int shiftX = std::max(0, -stepX), shiftY = std::max(0, -stepY);  // room for the copy
  const int outWidth = width + std::abs(stepX), outRows = rows + std::abs(stepY);
  const size_t start = masks_.size();
  masks_.resize(start + size_t(outWidth) * outRows, 0);
  std::uint8_t* out = masks_.data() + start;
  for (int y = 0; y < rows; ++y) {
    const unsigned char* row = bitmap.buffer + (long)y * bitmap.pitch;
    for (int x = 0; x < width; ++x) {
      bool ink = false;
      switch (bitmap.pixel_mode) {
        case FT_PIXEL_MODE_MONO: ink = (row[x >> 3] >> (7 - (x & 7))) & 1; break;
        case FT_PIXEL_MODE_GRAY: ink = row[x] >= 128; break;
        case FT_PIXEL_MODE_BGRA: ink = row[x * 4 + 3] >= 128; break;
        default: break;
      }
      if (!ink) continue;
      out[size_t(y + shiftY) * outWidth + x + shiftX] = 1;
      if (emboldens_) out[size_t(y + shiftY + stepY) * outWidth + x + shiftX + stepX] = 1;
    }
  }
  glyph.width = std::uint16_t(outWidth);
  glyph.height = std::uint16_t(outRows);
  glyph.left = std::int16_t(-shiftX);  // the caller adds the bitmap's own offsets
  glyph.top = std::int16_t(-shiftY);
}

}  // namespace platform
