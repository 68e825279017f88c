// font_list.cpp - the installed font families as enumeration reports them.
//
// One entry per family (the first family name fontconfig gives, in CP932,
// cut to 31 bytes at a character boundary), in fontconfig's order. The
// character set is 128 for faces that cover Japanese, 2 for symbol faces,
// else 0. Tests may replace the list.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <set>
#include <string>

#include "platform/os/encoding.h"
#include "platform/font/font.h"
#include "platform/font/font_engine.h"

namespace platform {

namespace {

const std::vector<FontFamily>* testFamilies = nullptr;

BYTE CharSetOf(FcPattern* font) {
  FcLangSet* langs = nullptr;
  if (FcPatternGetLangSet(font, FC_LANG, 0, &langs) == FcResultMatch && langs &&
      FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("ja")) == FcLangEqual)
    return SHIFTJIS_CHARSET;
  FcBool symbol = FcFalse;
  if (FcPatternGetBool(font, FC_SYMBOL, 0, &symbol) == FcResultMatch && symbol)
    return SYMBOL_CHARSET;
  return ANSI_CHARSET;
}

std::vector<FontFamily> ListSystemFamilies() {
  std::vector<FontFamily> families;
  if (FcInit() != FcTrue) return families;
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_LANG, FC_SYMBOL, nullptr);
  FcFontSet* set = FcFontList(nullptr, pattern, objects);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  if (!set) return families;
  std::set<std::string> seen;
  for (int i = 0; i < set->nfont; ++i) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch || !family)
      continue;
    std::string name = Utf8ToCp932(reinterpret_cast<const char*>(family));
    name.resize(Cp932SafeLength(name.data(), std::min<size_t>(name.size(), LF_FACESIZE - 1)));
    const BYTE charSet = CharSetOf(set->fonts[i]);
    if (name.empty() || !seen.insert(name).second) {
      // A family listed again (several styles): Japanese coverage of any
      // style counts for the family.
      if (charSet == SHIFTJIS_CHARSET)
        for (auto& entry : families)
          if (entry.name == name) entry.charSet = SHIFTJIS_CHARSET;
      continue;
    }
    families.push_back({name, charSet});
  }
  FcFontSetDestroy(set);
  return families;
}

}  // namespace

const std::vector<FontFamily>& FontFamilies() {
  if (testFamilies) return *testFamilies;
  static const auto* families = new std::vector<FontFamily>(ListSystemFamilies());
  return *families;
}

void SetFontListForTests(const std::vector<FontFamily>* families) { testFamilies = families; }

}  // namespace platform
