// Font enumeration: the system's families with their character sets, the
// injected list, and stopping when the callback says so.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/font_canvas.h"

using namespace font_test;

namespace {

struct Seen {
  std::vector<LOGFONTA> fonts;
  int limit = 1 << 30;
};

int Collect(const LOGFONTA* font, LPARAM data) {
  auto* seen = reinterpret_cast<Seen*>(data);
  seen->fonts.push_back(*font);
  return int(seen->fonts.size()) < seen->limit;
}

}  // namespace

TEST(EnumFonts, ReportsInjectedFamiliesUntilTheCallbackStops) {
  std::vector<platform::FontFamily> families;
  for (int i = 0; i < 250; ++i)
    families.push_back({"Face" + std::to_string(i), BYTE(i % 3 == 0 ? 128 : i % 3 == 1 ? 2 : 0)});
  platform::SetFontListForTests(&families);
  Canvas canvas(4, 4);
  Seen all;
  canvas.dc->EnumFonts(nullptr, Collect, reinterpret_cast<LPARAM>(&all));
  ASSERT_EQ(all.fonts.size(), 250u);
  EXPECT_STREQ(all.fonts[7].lfFaceName, "Face7");
  EXPECT_EQ(all.fonts[3].lfCharSet, 128);
  EXPECT_EQ(all.fonts[4].lfCharSet, 2);
  EXPECT_EQ(all.fonts[5].lfCharSet, 0);
  Seen some;
  some.limit = 200;
  EXPECT_EQ(canvas.dc->EnumFonts(nullptr, Collect, reinterpret_cast<LPARAM>(&some)), 0);
  EXPECT_EQ(some.fonts.size(), 200u);
  Seen one;
  canvas.dc->EnumFonts("face12", Collect, reinterpret_cast<LPARAM>(&one));
  ASSERT_EQ(one.fonts.size(), 1u);
  EXPECT_STREQ(one.fonts[0].lfFaceName, "Face12");
  platform::SetFontListForTests(nullptr);
}

TEST(EnumFonts, SystemFamiliesAreUniqueTerminatedAndJapaneseFacesAre128) {
  Canvas canvas(4, 4);
  Seen seen;
  canvas.dc->EnumFonts(nullptr, Collect, reinterpret_cast<LPARAM>(&seen));
  ASSERT_FALSE(seen.fonts.empty());
  std::vector<std::string> names;
  for (const LOGFONTA& font : seen.fonts) {
    ASSERT_LT(strnlen(font.lfFaceName, LF_FACESIZE), size_t(LF_FACESIZE));
    names.emplace_back(font.lfFaceName);
    if (names.back() == "IPAGothic" || names.back() == "IPAMincho") {
      EXPECT_EQ(font.lfCharSet, 128) << names.back();
    }
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(std::unique(names.begin(), names.end()), names.end());
}
