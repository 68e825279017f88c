// font.h - fonts as GDI creates them from a LOGFONTA (FreeType and
// fontconfig behind it). The text half of GDI (gdi_text.cpp) draws with
// these.
#pragma once

#include "platform/gdi.h"

namespace platform {

class Font final : public GdiObject {
 public:
  explicit Font(const LOGFONTA& description) : description_(description) {}
  Kind GetKind() const override { return Kind::Font; }
  const LOGFONTA& Description() const { return description_; }

 private:
  LOGFONTA description_;
};

}  // namespace platform
