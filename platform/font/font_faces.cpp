// font_faces.cpp - face resolution: a LOGFONTA face name and character set
// become a face file found by fontconfig and opened once by FreeType.
//
// "標準明朝" and "標準ゴシック" map to the system's Japanese serif and sans
// faces, and so do the Windows Japanese faces ("ＭＳ 明朝", "MS Gothic", ...)
// by their design; an empty name asks for the default Japanese sans face;
// any other name is a fontconfig family, with Japanese coverage preferred for the
// Shift-JIS and default character sets so that a missing family still
// falls back to a face that draws kanji. For the Shift-JIS set a family
// that cannot draw Japanese gives way to the default Japanese face. Faces
// are kept for the whole run.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstring>
#include <map>
#include <string>
#include <tuple>

#include "platform/os/encoding.h"
#include "platform/font/font_engine.h"

namespace platform {

FT_Library FreeTypeLibrary();

namespace {

// UTF-8 spellings of the two standard face names (the CP932 bytes of the
// LOGFONTA decode to these).
constexpr const char* kStandardSerif = "\xE6\xA8\x99\xE6\xBA\x96\xE6\x98\x8E\xE6\x9C\x9D";
constexpr const char* kStandardSans =
    "\xE6\xA8\x99\xE6\xBA\x96\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";

// What fontconfig is asked for one face request.
struct FaceQuery {
  std::string family;   // preferred family ("" = only the generic one)
  std::string generic;  // "serif" / "sans-serif" fallback family
  bool japanese = false;       // prefer faces that cover Japanese
  bool needsJapanese = false;  // the family itself must cover Japanese
};

// The Japanese faces every Windows system has, by their Japanese and
// English names, and the installed faces of the same design that stand in
// for them (fixed or proportional, serif or sans).
struct StandIn {
  const char* windowsName;
  const char* family;
  const char* generic;
};
constexpr StandIn kWindowsFaces[] = {
    // ＭＳ 明朝
    {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D", "IPAMincho", "serif"},
    // ＭＳ Ｐ明朝
    {"\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE6\x98\x8E\xE6\x9C\x9D", "IPAPMincho", "serif"},
    // ＭＳ ゴシック
    {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF", "IPAGothic",
     "sans-serif"},
    // ＭＳ Ｐゴシック
    {"\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF",
     "IPAPGothic", "sans-serif"},
    {"MS Mincho", "IPAMincho", "serif"},
    {"MS PMincho", "IPAPMincho", "serif"},
    {"MS Gothic", "IPAGothic", "sans-serif"},
    {"MS PGothic", "IPAPGothic", "sans-serif"},
    {"MS UI Gothic", "IPAPGothic", "sans-serif"},
};

// The Shift-JIS character set outranks the face name, as in the font
// mapper: a named face that cannot draw Japanese is not taken for it.
FaceQuery QueryFor(const std::string& name, BYTE charSet) {
  const bool needs = charSet == SHIFTJIS_CHARSET;
  if (name == kStandardSerif) return {"IPAMincho", "serif", true, needs};
  if (name == kStandardSans || name.empty()) return {"IPAGothic", "sans-serif", true, needs};
  for (const StandIn& face : kWindowsFaces)
    if (name == face.windowsName) return {face.family, face.generic, true, needs};
  const bool japanese = charSet == SHIFTJIS_CHARSET || charSet == DEFAULT_CHARSET;
  return {name, "sans-serif", japanese, needs};
}

bool CoversJapanese(FcPattern* match) {
  FcLangSet* langs = nullptr;
  return FcPatternGetLangSet(match, FC_LANG, 0, &langs) == FcResultMatch && langs &&
         FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("ja")) == FcLangEqual;
}

// True if one of the match's family names is `family` (case-insensitive).
bool HasFamily(FcPattern* match, const std::string& family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
    if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family.c_str())) == 0)
      return true;
  return false;
}

// The file and index fontconfig picks. With `exact`, only a face of the
// query's own family is taken (and one that covers Japanese if the query
// needs it); otherwise the generic family is a weak
// preference below Japanese coverage. False if nothing fits.
bool MatchFile(const FaceQuery& query, bool exact, bool bold, bool italic, std::string& file,
               int& index) {
  FcPattern* pattern = FcPatternCreate();
  const auto* family = reinterpret_cast<const FcChar8*>(exact ? query.family.c_str()
                                                              : query.generic.c_str());
  FcValue value{};
  value.type = FcTypeString;
  value.u.s = family;
  if (exact) FcPatternAdd(pattern, FC_FAMILY, value, FcTrue);
  else FcPatternAddWeak(pattern, FC_FAMILY, value, FcTrue);
  if (query.japanese) FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* path = nullptr;
  bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path &&
               (!exact || (HasFamily(match, query.family) &&
                           (!query.needsJapanese || CoversJapanese(match))));
  if (found) {
    file = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
  }
  FcPatternDestroy(match);
  return found;
}

// Opened faces by (file, index), kept for the run.
std::map<std::pair<std::string, int>, FaceInfo>& OpenFaces() {
  static std::map<std::pair<std::string, int>, FaceInfo> faces;
  return faces;
}

// The IPA serif faces' own hints bend small monochrome kanji out of shape
// (at 12 pixels and below, stems run past the closing strokes and 語 loses
// its parts); the auto-hinter keeps them legible at every size.
bool OwnHintsMisshapeSmallKanji(FT_Face face) {
  const char* family = face->family_name ? face->family_name : "";
  return std::strncmp(family, "IPA", 3) == 0 && std::strstr(family, "Mincho") != nullptr;
}

const FaceInfo* OpenFace(const std::string& file, int index) {
  auto& faces = OpenFaces();
  const auto key = std::make_pair(file, index);
  if (auto it = faces.find(key); it != faces.end()) return it->second.face ? &it->second : nullptr;
  FaceInfo info;
  FT_Face face = nullptr;
  if (FreeTypeLibrary() && FT_New_Face(FreeTypeLibrary(), file.c_str(), index, &face) == 0) {
    if (FT_IS_SCALABLE(face) || face->num_fixed_sizes > 0) {
      info.face = face;
      info.bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
      info.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
      info.autoHint = OwnHintsMisshapeSmallKanji(face);
    } else {
      FT_Done_Face(face);
    }
  }
  auto& stored = faces[key] = info;
  return stored.face ? &stored : nullptr;
}

}  // namespace

FT_Library FreeTypeLibrary() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
    return lib;
  }();
  return library;
}

const FaceInfo* ResolveFace(const char* faceName, BYTE charSet, bool bold, bool italic) {
  const std::string name = Cp932ToUtf8(std::string(faceName, strnlen(faceName, LF_FACESIZE)));
  using Key = std::tuple<std::string, bool, bool, bool, bool>;
  static std::map<Key, const FaceInfo*> resolved;
  const FaceQuery query = QueryFor(name, charSet);
  const Key key{name, query.japanese, query.needsJapanese, bold, italic};
  if (auto it = resolved.find(key); it != resolved.end()) return it->second;

  static const bool ready = FcInit() == FcTrue;
  const FaceInfo* info = nullptr;
  std::string file;
  int index = 0;
  if (ready && !query.family.empty() && MatchFile(query, true, bold, italic, file, index))
    info = OpenFace(file, index);
  if (!info && ready && query.needsJapanese &&
      MatchFile(QueryFor("", charSet), true, bold, italic, file, index))
    info = OpenFace(file, index);  // the default Japanese face takes its place
  if (!info && ready && MatchFile(query, false, bold, italic, file, index))
    info = OpenFace(file, index);
  if (!info && ready && MatchFile({"", "sans-serif", false}, false, false, false, file, index))
    info = OpenFace(file, index);  // any face at all, so that ASCII still draws
  resolved[key] = info;
  return info;
}

}  // namespace platform

// fontconfig (2.14) leaks a few bytes of its parsed configuration once per
// process. Sanitizer builds of every program that draws text would report
// them at exit, so their leak check skips that library; other builds never
// call this.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
