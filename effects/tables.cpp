// tables.cpp - the effect lookup tables, built by screen set-up from the
// pixel-format values.
#include <cstdlib>
#include <cstring>

#include "draw/draw.h"
#include "effects/effects.h"

namespace ruDraw {

Rgb5 RgbTable[65536];
WORD FadeTable[3][32][32][32];
WORD AddTable[3][32][32][32];
WORD SubTable[3][32][32];
WORD GreyTable[94];
signed char RandomTable[10000];

namespace {

bool tablesReady = false;

int Max0(int v) { return v > 0 ? v : 0; }

// Every (r, g, b) combination's pixel maps back to its 5-bit values; blue
// sits at bit 0. Pixels no combination reaches stay 0.
void BuildRgbTable() {
  std::memset(RgbTable, 0, sizeof RgbTable);
  for (DWORD r = 0; r <= RedMax; ++r)
    for (DWORD g = 0; g <= GreenMax; ++g)
      for (DWORD b = 0; b <= BlueMax; ++b) {
        const DWORD index = ((r << RedShift) + (g << GreenShift) + b) & 0xFFFF;
        RgbTable[index] = Rgb5{BYTE(RedMax == 63 ? r >> 1 : r), BYTE(GreenMax == 63 ? g >> 1 : g),
                               BYTE(BlueMax == 63 ? b >> 1 : b)};
      }
}

void BuildFadeAndAddTables() {
  const WORD shift5[3] = {RedShift5, GreenShift5, BlueShift5};
  for (int ch = 0; ch < 3; ++ch)
    for (int k = 0; k < 32; ++k)
      for (int s = 0; s < 32; ++s)
        for (int d = 0; d < 32; ++d)
          FadeTable[ch][k][s][d] = WORD((Max0(s - k) + Max0(d - (31 - k))) << shift5[ch]);
  for (int ch = 0; ch < 3; ++ch)
    for (int k = 0; k < 32; ++k)
      for (int s = 0; s < 32; ++s)
        for (int d = 0; d < 32; ++d) {
          const int sum = Max0(s - k) + d;
          AddTable[ch][k][s][d] = WORD((sum < 31 ? sum : 31) << shift5[ch]);
        }
}

void BuildSubTable() {
  const WORD shift5[3] = {RedShift5, GreenShift5, BlueShift5};
  for (int ch = 0; ch < 3; ++ch)
    for (int a = 0; a < 32; ++a)
      for (int b = 0; b < 32; ++b) SubTable[ch][a][b] = WORD(Max0(a - b) << shift5[ch]);
}

void BuildGreyTable() {
  for (int n = 0; n < 94; ++n) GreyTable[n] = WORD(n / 3);
}

void BuildRandomTable() {
  for (signed char& v : RandomTable) v = static_cast<signed char>(std::rand() % 3);
}

void EmptyTables() {
  std::memset(RgbTable, 0, sizeof RgbTable);
  std::memset(FadeTable, 0, sizeof FadeTable);
  std::memset(AddTable, 0, sizeof AddTable);
  std::memset(SubTable, 0, sizeof SubTable);
  std::memset(GreyTable, 0, sizeof GreyTable);
  std::memset(RandomTable, 0, sizeof RandomTable);
}

}  // namespace

void BuildEffectTables(bool sixteenBit) {
  tablesReady = false;
  if (!sixteenBit) {
    EmptyTables();
    return;
  }
  BuildRgbTable();
  BuildFadeAndAddTables();
  BuildSubTable();
  BuildGreyTable();
  BuildRandomTable();
  tablesReady = true;
}

bool EffectTablesReady() { return tablesReady; }

}  // namespace ruDraw
