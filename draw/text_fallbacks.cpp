// text_fallbacks.cpp - TEMPORARY: a weak InitFont so that screen set-up
// links before the font module arrives; the font module's own definition
// replaces it. Remove this file once text/ defines InitFont.
#include "text/text.h"

namespace ruDraw {

__attribute__((weak)) void InitFont() {}

}  // namespace ruDraw
