// font_cache.cpp - logical fonts and the shared instance cache.
//
// CreateFontIndirect of a description seen before must cost almost nothing
// (the quick-output path creates and deletes a font per call): Font objects
// come from a free list, and the realised face, size and glyphs are shared
// per description in a cache keyed by the fields that change the output.
// Instances no Font uses are dropped once the cache grows past its bound.
#include <algorithm>
#include <cstring>
#include <new>
#include <unordered_map>
#include <utility>

#include "platform/os/encoding.h"
#include "platform/font/font.h"
#include "platform/font/font_engine.h"

namespace platform {

namespace {

constexpr size_t kCacheBound = 64;

// The fields of a LOGFONTA that change what is drawn; padding zeroed so the
// key compares and hashes as bytes.
struct FontKey {
  LONG height, width, escapement;
  BYTE bold, italic, underline, charSet;
  char face[LF_FACESIZE];

  bool operator==(const FontKey& other) const { return std::memcmp(this, &other, sizeof *this) == 0; }
};

struct FontKeyHash {
  size_t operator()(const FontKey& key) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&key);
    size_t hash = 14695981039346656037ull;
    for (size_t i = 0; i < sizeof key; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
  }
};

FontKey MakeKey(const LOGFONTA& d) {
  FontKey key;
  std::memset(&key, 0, sizeof key);
  key.height = d.lfHeight;
  key.width = d.lfWidth;
  key.escapement = d.lfEscapement % 3600;
  key.bold = d.lfWeight >= 600;
  key.italic = d.lfItalic != 0;
  key.underline = d.lfUnderline != 0;
  key.charSet = d.lfCharSet;
  // The face name may fill all 32 bytes without a terminator: read at most
  // 31 and never keep half of a double-byte character.
  const size_t length = Cp932SafeLength(d.lfFaceName, strnlen(d.lfFaceName, LF_FACESIZE - 1));
  std::memcpy(key.face, d.lfFaceName, length);
  return key;
}

using InstanceCache = std::unordered_map<FontKey, FontInstance*, FontKeyHash>;

InstanceCache& Cache() {
  static auto* cache = new InstanceCache();  // kept to the end of the run
  return *cache;
}

void DropUnused(InstanceCache& cache) {
  for (auto it = cache.begin(); it != cache.end();) {
    if (it->second && it->second->references == 0) {
      delete it->second;
      it = cache.erase(it);
    } else {
      ++it;
    }
  }
}

// Free list of Font-sized blocks.
struct FreeBlock {
  FreeBlock* next;
};
FreeBlock* freeFonts = nullptr;

}  // namespace

FontInstance* AcquireFontInstance(const LOGFONTA& description) {
  const FontKey key = MakeKey(description);
  InstanceCache& cache = Cache();
  auto it = cache.find(key);
  if (it == cache.end()) {
    if (cache.size() >= kCacheBound) DropUnused(cache);
    const FaceInfo* face = ResolveFace(key.face, key.charSet, key.bold, key.italic);
    LOGFONTA normalised = description;
    std::memcpy(normalised.lfFaceName, key.face, LF_FACESIZE);
    it = cache.emplace(key, face ? new FontInstance(normalised, *face) : nullptr).first;
  }
  if (it->second) ++it->second->references;
  return it->second;
}

void ReleaseFontInstance(FontInstance* instance) {
  if (instance && instance->references > 0) --instance->references;
}

Font::Font(const LOGFONTA& description) : description_(description) {}

Font::~Font() { ReleaseFontInstance(instance_); }

FontInstance* Font::Instance() const {
  if (!resolved_) {
    instance_ = AcquireFontInstance(description_);
    resolved_ = true;
  }
  return instance_;
}

void* Font::operator new(size_t size) {
  if (size == sizeof(Font) && freeFonts) return std::exchange(freeFonts, freeFonts->next);
  return ::operator new(std::max(size, sizeof(FreeBlock)));
}

void Font::operator delete(void* memory) noexcept {
  if (!memory) return;
  auto* block = static_cast<FreeBlock*>(memory);
  block->next = freeFonts;
  freeFonts = block;
}

}  // namespace platform
