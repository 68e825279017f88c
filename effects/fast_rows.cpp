// fast_rows.cpp - the fast row loops of the row effects, one per effect and
// pixel layout (5-6-5, 5-5-5), bit-identical to the reference loops.
//
// Each loop is a branch-free select over the row (transparent source pixels
// keep the destination) that the compiler vectorises; built twice, for AVX2
// and for the baseline, and picked once by what the processor has.
// - Channels come from shifts and masks with the layout's constants instead
//   of RgbTable; at 5-5-5 the table maps pixels with bit 15 set to black, so
//   the 5-bit loops clear such pixels first.
// - The table effects compute their tables' formulas directly (max, min,
//   sums), which are the tables' contents by construction.
// - The 5-bit loops keep 16-bit values throughout, so the vectoriser puts
//   16 pixels in a 256-bit register.
// - The float effects do the reference's float operations in the same
//   order (products in single precision, one addition, truncation); no
//   fused multiply-add is formed (-ffp-contract is off in ISO C++ mode and
//   the baseline and AVX2 targets have no FMA), so every lane rounds as the
//   scalar reference does. With every rate and weight in 0..1 the sum lies
//   in [0, max + 1): s*r + d*q <= max * (r + q) * (1 + 2^-24)^2 and
//   r + fl(1 - r) <= 1 + 2^-24, so truncation alone gives the clamped
//   result and the clamp is left out.
#include <cstdint>

#include "effects/effect_frame.h"

namespace ruDraw::fx {

namespace {

#define RU_INLINE inline __attribute__((always_inline))

using U = std::uint16_t;

// Compile-time layout constants. The 5-bit helpers keep 16-bit values so
// the vectoriser works on 16 pixels per 256-bit register.
template <bool k565>
struct L {
  static constexpr int kRedShift = k565 ? 11 : 10;
  static constexpr int kGreenShift = 5;
  static constexpr std::uint32_t kGreenMax = k565 ? 63 : 31;
  static constexpr int kRed5 = k565 ? 11 : 10;
  static constexpr int kGreen5 = k565 ? 6 : 5;
  static constexpr U kHalf = k565 ? 0x7BEF : 0x3DEF;
  // RgbTable's view of a pixel for the 5-bit channels: 5-5-5 pixels with
  // bit 15 set read as black.
  static RU_INLINE U Valid(U p) { return k565 ? p : U(p & U((p >> 15) - 1)); }
  static RU_INLINE U R5(U p) { return U((p >> kRed5) & 31); }
  static RU_INLINE U G5(U p) { return U((p >> kGreen5) & 31); }
  static RU_INLINE U B5(U p) { return U(p & 31); }
  static RU_INLINE U Pack5(U r, U g, U b) { return U((r << kRed5) | (g << kGreen5) | b); }
  static RU_INLINE std::uint32_t RFull(std::uint32_t p) { return (p >> kRedShift) & 31; }
  static RU_INLINE std::uint32_t GFull(std::uint32_t p) { return (p >> kGreenShift) & kGreenMax; }
  static RU_INLINE std::uint32_t PackFull(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return (r << kRedShift) | (g << kGreenShift) | b;
  }
};

// max(a - b, 0) and min(v, 31) on 16-bit values.
RU_INLINE U SubSat(U a, U b) { return a > b ? U(a - b) : U(0); }
RU_INLINE U Min31(U v) { return v < 31 ? v : U(31); }
// TruncClamp without branches: NaN and negatives to 0, at most max. Without
// kClamp the caller knows that v lies in [0, max + 1).
template <bool kClamp>
RU_INLINE std::uint32_t Trunc(float v, float max) {
  if (kClamp) {
    v = v > 0.0f ? v : 0.0f;
    v = v < max ? v : max;
  }
  return std::uint32_t(std::int32_t(v));
}
// Three rates from 0 to 1 (NaN is not).
inline bool InUnitRange(const float (&v)[3]) {
  for (float x : v)
    if (!(x >= 0.0f && x <= 1.0f)) return false;
  return true;
}

// n / 3 for n from 0 to 93 (GreyTable), by multiplication; n * 171 stays
// below 2^16, so it also holds in 16-bit lanes.
constexpr std::uint32_t Third(std::uint32_t n) { return (n * 171) >> 9; }
constexpr bool ThirdsExact() {
  for (std::uint32_t n = 0; n < 94; ++n)
    if (Third(n) != n / 3) return false;
  return true;
}
static_assert(ThirdsExact());

// The row loop: dest = source ? f(source, dest) : dest.
template <class F>
RU_INLINE void Select(Pixel* __restrict d, const Pixel* __restrict s, int w, F f) {
  for (int i = 0; i < w; ++i) {
    const Pixel sv = s[i], dv = d[i];
    const Pixel out = Pixel(f(sv, dv));
    d[i] = sv != 0 ? out : dv;
  }
}

template <bool k565>
struct Loops {
  using C = L<k565>;

  static RU_INLINE void Half(Pixel* d, const Pixel* s, int w, const RowParams&) {
    Select(d, s, w, [](U sv, U dv) { return U(((sv >> 1) & C::kHalf) + ((dv >> 1) & C::kHalf)); });
  }
  // kClamp: false when every rate and weight lies in 0..1; the sum then
  // lies in [0, max + 1) and truncation alone keeps it in range.
  template <bool kClamp>
  static RU_INLINE void Alpha(Pixel* d, const Pixel* s, int w, const RowParams& p) {
    const float r0 = p.rate[0], r1 = p.rate[1], r2 = p.rate[2];
    const float q0 = p.weight[0], q1 = p.weight[1], q2 = p.weight[2];
    Select(d, s, w, [=](std::uint32_t sv, std::uint32_t dv) {
      const std::uint32_t r =
          Trunc<kClamp>(float(C::RFull(sv)) * r0 + float(C::RFull(dv)) * q0, 31.0f);
      const std::uint32_t g =
          Trunc<kClamp>(float(C::GFull(sv)) * r1 + float(C::GFull(dv)) * q1, float(C::kGreenMax));
      const std::uint32_t b = Trunc<kClamp>(float(sv & 31) * r2 + float(dv & 31) * q2, 31.0f);
      return C::PackFull(r, g, b);
    });
  }
  static RU_INLINE void Alpha(Pixel* d, const Pixel* s, int w, const RowParams& p) {
    if (InUnitRange(p.rate) && InUnitRange(p.weight))
      Alpha<false>(d, s, w, p);
    else
      Alpha<true>(d, s, w, p);
  }
  static RU_INLINE void Fade(Pixel* d, const Pixel* s, int w, const RowParams& p) {
    const U lr = U(p.level[0]), lg = U(p.level[1]), lb = U(p.level[2]);
    const U kr = U(31 - lr), kg = U(31 - lg), kb = U(31 - lb);
    Select(d, s, w, [=](U sv, U dv) {
      const U a = C::Valid(sv), b = C::Valid(dv);
      return C::Pack5(U(SubSat(C::R5(a), kr) + SubSat(C::R5(b), lr)),
                      U(SubSat(C::G5(a), kg) + SubSat(C::G5(b), lg)),
                      U(SubSat(C::B5(a), kb) + SubSat(C::B5(b), lb)));
    });
  }
  static RU_INLINE void Add(Pixel* d, const Pixel* s, int w, const RowParams& p) {
    const U k = U(p.cut);
    Select(d, s, w, [=](U sv, U dv) {
      const U a = C::Valid(sv), b = C::Valid(dv);
      return C::Pack5(Min31(U(SubSat(C::R5(a), k) + C::R5(b))),
                      Min31(U(SubSat(C::G5(a), k) + C::G5(b))),
                      Min31(U(SubSat(C::B5(a), k) + C::B5(b))));
    });
  }
  static RU_INLINE void Sub(Pixel* d, const Pixel* s, int w, const RowParams&) {
    Select(d, s, w, [](U sv, U dv) {
      const U b = C::Valid(dv), red = C::R5(C::Valid(sv));
      return C::Pack5(SubSat(C::R5(b), red), SubSat(C::G5(b), red), SubSat(C::B5(b), red));
    });
  }
  static RU_INLINE void Mask(Pixel* d, const Pixel* s, int w, const RowParams& p) {
    const std::uint32_t m = p.mask;
    Select(d, s, w, [=](U sv, U) { return U(sv & m); });
  }
  template <bool kClamp>
  static RU_INLINE void Bright(Pixel* d, const Pixel* s, int w, const RowParams& p) {
    const float r0 = p.rate[0], r1 = p.rate[1], r2 = p.rate[2];
    Select(d, s, w, [=](std::uint32_t sv, std::uint32_t) {
      return C::PackFull(Trunc<kClamp>(float(C::RFull(sv)) * r0, 31.0f),
                         Trunc<kClamp>(float(C::GFull(sv)) * r1, float(C::kGreenMax)),
                         Trunc<kClamp>(float(sv & 31) * r2, 31.0f));
    });
  }
  static RU_INLINE void Bright(Pixel* d, const Pixel* s, int w, const RowParams& p) {
    if (InUnitRange(p.rate))
      Bright<false>(d, s, w, p);
    else
      Bright<true>(d, s, w, p);
  }
  static RU_INLINE void Dark(Pixel* d, const Pixel* s, int w, const RowParams& p) {
    const U kr = U(31 - p.level[0]), kg = U(31 - p.level[1]), kb = U(31 - p.level[2]);
    Select(d, s, w, [=](U sv, U) {
      const U a = C::Valid(sv);
      return C::Pack5(SubSat(C::R5(a), kr), SubSat(C::G5(a), kg), SubSat(C::B5(a), kb));
    });
  }
  static RU_INLINE void Grey(Pixel* d, const Pixel* s, int w, const RowParams&) {
    Select(d, s, w, [](U sv, U) {
      const U a = C::Valid(sv);
      const U g = U(Third(U(C::R5(a) + C::G5(a) + C::B5(a))));
      return C::Pack5(g, g, g);
    });
  }
};

// Each loop built for the baseline and for AVX2.
#define RU_BOTH(name)                                                                            \
  template <bool k565>                                                                           \
  void name##Base(Pixel* d, const Pixel* s, int w, const RowParams& p) {                         \
    Loops<k565>::name(d, s, w, p);                                                               \
  }                                                                                              \
  template <bool k565>                                                                           \
  [[gnu::target("avx2")]] void name##Avx2(Pixel* d, const Pixel* s, int w, const RowParams& p) { \
    Loops<k565>::name(d, s, w, p);                                                               \
  }
RU_BOTH(Half)
RU_BOTH(Alpha)
RU_BOTH(Fade)
RU_BOTH(Add)
RU_BOTH(Sub)
RU_BOTH(Mask)
RU_BOTH(Bright)
RU_BOTH(Dark)
RU_BOTH(Grey)
#undef RU_BOTH

#define RU_ROW(name, suffix) \
  { name##suffix<true>, name##suffix<false> }
#define RU_TABLE(suffix)                                                                        \
  {                                                                                             \
    RU_ROW(Half, suffix), RU_ROW(Alpha, suffix), RU_ROW(Fade, suffix), RU_ROW(Add, suffix),     \
        RU_ROW(Add, suffix), RU_ROW(Sub, suffix), RU_ROW(Mask, suffix), RU_ROW(Bright, suffix), \
        RU_ROW(Dark, suffix), RU_ROW(Grey, suffix)                                              \
  }
// [vector level][effect][layout]
const RowLoop kFast[2][kRowEffectCount][2] = {RU_TABLE(Base), RU_TABLE(Avx2)};
#undef RU_TABLE
#undef RU_ROW

bool HasAvx2() {
#if defined(__x86_64__) || defined(__i386__)
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
#else
  return false;
#endif
}

bool useAvx2 = true;

}  // namespace

RowLoop FastRow(RowEffect effect, FastLayout layout) {
  if (layout == kNoFastLayout) return nullptr;
  return kFast[Avx2Loops() ? 1 : 0][effect][layout];
}

bool Avx2Loops() { return useAvx2 && HasAvx2(); }

void UseAvx2Loops(bool enabled) { useAvx2 = enabled; }

}  // namespace ruDraw::fx
