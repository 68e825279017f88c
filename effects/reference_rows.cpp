// reference_rows.cpp - the row effects written straight from their rules:
// whole pixels, full-precision channels through the shifts and maxima, and
// 5-bit channels through RgbTable and the fade, add, sub and grey tables.
// These are the oracle the fast loops are compared with.
#include "effects/effect_frame.h"

namespace ruDraw::fx {

namespace {

void HalfRow(Pixel* d, const Pixel* s, int w, const RowParams&) {
  for (int i = 0; i < w; ++i) {
    if (s[i] == 0) continue;
    d[i] = Pixel(((s[i] >> 1) & HalfMask) + ((d[i] >> 1) & HalfMask));
  }
}

void AlphaRow(Pixel* d, const Pixel* s, int w, const RowParams& p) {
  for (int i = 0; i < w; ++i) {
    if (s[i] == 0) continue;
    DWORD c[3];
    for (int ch = 0; ch < 3; ++ch) {
      const float v =
          float(Channel(s[i], ch)) * p.rate[ch] + float(Channel(d[i], ch)) * p.weight[ch];
      c[ch] = DWORD(TruncClamp(v, int(ChannelMax(ch))));
    }
    d[i] = Pixel(PackFull(c[0], c[1], c[2]));
  }
}

void FadeRow(Pixel* d, const Pixel* s, int w, const RowParams& p) {
  for (int i = 0; i < w; ++i) {
    if (s[i] == 0) continue;
    Pixel out = 0;
    for (int ch = 0; ch < 3; ++ch)
      out |= FadeTable[ch][31 - p.level[ch]][Five(s[i], ch)][Five(d[i], ch)];
    d[i] = out;
  }
}

void AddRow(Pixel* d, const Pixel* s, int w, const RowParams& p) {
  for (int i = 0; i < w; ++i) {
    if (s[i] == 0) continue;
    Pixel out = 0;
    for (int ch = 0; ch < 3; ++ch) out |= AddTable[ch][p.cut][Five(s[i], ch)][Five(d[i], ch)];
    d[i] = out;
  }
}

void SubRow(Pixel* d, const Pixel* s, int w, const RowParams&) {
  for (int i = 0; i < w; ++i) {
    if (s[i] == 0) continue;
    const int red = Five(s[i], 0);
    Pixel out = 0;
    for (int ch = 0; ch < 3; ++ch) out |= SubTable[ch][Five(d[i], ch)][red];
    d[i] = out;
  }
}

void MaskRow(Pixel* d, const Pixel* s, int w, const RowParams& p) {
  for (int i = 0; i < w; ++i)
    if (s[i] != 0) d[i] = Pixel(s[i] & p.mask);
}

void BrightRow(Pixel* d, const Pixel* s, int w, const RowParams& p) {
  for (int i = 0; i < w; ++i) {
    if (s[i] == 0) continue;
    DWORD c[3];
    for (int ch = 0; ch < 3; ++ch)
      c[ch] = DWORD(TruncClamp(float(Channel(s[i], ch)) * p.rate[ch], int(ChannelMax(ch))));
    d[i] = Pixel(PackFull(c[0], c[1], c[2]));
  }
}

void DarkRow(Pixel* d, const Pixel* s, int w, const RowParams& p) {
  for (int i = 0; i < w; ++i) {
    if (s[i] == 0) continue;
    Pixel out = 0;
    for (int ch = 0; ch < 3; ++ch) out |= SubTable[ch][Five(s[i], ch)][31 - p.level[ch]];
    d[i] = out;
  }
}

void GreyRow(Pixel* d, const Pixel* s, int w, const RowParams&) {
  for (int i = 0; i < w; ++i) {
    if (s[i] == 0) continue;
    const Rgb5& c = RgbTable[s[i]];
    const int g = GreyTable[c.red + c.green + c.blue];
    d[i] = Pack5(g, g, g);
  }
}

constexpr RowLoop kReference[kRowEffectCount] = {HalfRow, AlphaRow, FadeRow,   AddRow,  AddRow,
                                                 SubRow,  MaskRow,  BrightRow, DarkRow, GreyRow};

}  // namespace

RowLoop ReferenceRow(RowEffect effect) { return kReference[effect]; }

}  // namespace ruDraw::fx
