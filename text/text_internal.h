// text_internal.h - the text span hand-over between the font operations
// and the sprite text: a span is the current font created from FontDesc
// and selected into one surface's device context (TextDC).
#pragma once

#include "platform/surface/display.h"

namespace ruDraw {

// Ends any open span, then creates the font from FontDesc and selects it
// into `surface`'s device context as TextDC (nullptr if it has none).
void OpenTextSpan(platform::Surface* surface);
// Ends the open span: previous font back, font deleted, DC released.
void CloseTextSpan();

}  // namespace ruDraw
