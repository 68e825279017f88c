// encoding.cpp - CP932 <-> UTF-8 through iconv, and the character-boundary
// rules for bounded CP932 buffers.
#include "platform/os/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <array>
#include <cstring>
#include <vector>

namespace platform {

namespace {
// Runs iconv over `in`; bytes it cannot convert are replaced by
// `replacement` and skipped (one byte, or the character's length for
// CP932 input).
// The two converters, opened at first use and kept for the run.
iconv_t Converter(bool cp932Input) {
  static iconv_t toUtf8 = iconv_open("UTF-8", "CP932");
  static iconv_t toCp932 = iconv_open("CP932", "UTF-8");
  return cp932Input ? toUtf8 : toCp932;
}

std::string Convert(const std::string& in, const char* replacement, bool cp932Input) {
  iconv_t cd = Converter(cp932Input);
  if (cd == iconv_t(-1)) return in;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out;
  out.reserve(in.size() * 2);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buf[256];
  while (srcLeft > 0) {
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf, size_t(dst - buf));
    if (r != size_t(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: an undecodable or cut-off sequence.
    size_t skip = 1;
    if (cp932Input && IsLeadByte(static_cast<unsigned char>(*src)) && srcLeft >= 2) skip = 2;
    if (!cp932Input) {
      const unsigned char c = static_cast<unsigned char>(*src);
      skip = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
      if (skip > srcLeft) skip = srcLeft;
    }
    out += replacement;
    src += skip;
    srcLeft -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

constexpr char32_t kReplacement = 0xFFFD;
constexpr int kTrailCount = 0xFC - 0x40 + 1;  // trail bytes 0x40..0xFC

int LeadIndex(unsigned char lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31; }
bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Decodes one UTF-8 sequence of at most 4 bytes (iconv output).
char32_t DecodeUtf8(const unsigned char* s, size_t n) {
  if (n == 1) return s[0];
  if (n == 2) return char32_t(s[0] & 0x1F) << 6 | (s[1] & 0x3F);
  if (n == 3) return char32_t(s[0] & 0x0F) << 12 | char32_t(s[1] & 0x3F) << 6 | (s[2] & 0x3F);
  if (n == 4)
    return char32_t(s[0] & 0x07) << 18 | char32_t(s[1] & 0x3F) << 12 |
           char32_t(s[2] & 0x3F) << 6 | (s[3] & 0x3F);
  return kReplacement;
}

// Converts one CP932 character of 1 or 2 bytes; U+FFFD if iconv refuses.
char32_t ConvertOne(iconv_t cd, const unsigned char* bytes, size_t n) {
  char in[2] = {char(bytes[0]), n > 1 ? char(bytes[1]) : '\0'};
  unsigned char out[8];
  char* inp = in;
  char* outp = reinterpret_cast<char*>(out);
  size_t inLeft = n, outLeft = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == size_t(-1) || inLeft != 0)
    return kReplacement;
  return DecodeUtf8(out, sizeof out - outLeft);
}

struct Cp932Table {
  std::array<char32_t, 256> single{};
  std::vector<char32_t> twoByte;  // [LeadIndex * kTrailCount + trail - 0x40]

  Cp932Table() : twoByte(60 * kTrailCount, kReplacement) {
    for (int c = 0; c < 0x80; ++c) single[c] = char32_t(c);
    for (int c = 0x80; c < 0x100; ++c) single[c] = kReplacement;
    for (int c = 0xA1; c <= 0xDF; ++c) single[c] = char32_t(0xFF61 + c - 0xA1);
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == iconv_t(-1)) return;  // no converter: double bytes draw as U+FFFD
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
        const unsigned char bytes[2] = {static_cast<unsigned char>(lead),
                                        static_cast<unsigned char>(trail)};
        twoByte[LeadIndex(bytes[0]) * kTrailCount + trail - 0x40] = ConvertOne(cd, bytes, 2);
      }
    }
    iconv_close(cd);
  }
};

const Cp932Table& Table() {
  static const Cp932Table table;
  return table;
}

}  // namespace

std::string Cp932ToUtf8(const std::string& cp932) {
  bool ascii = true;
  for (unsigned char c : cp932) ascii = ascii && c < 0x80;
  if (ascii) return cp932;
  return Convert(cp932, "\xEF\xBF\xBD", true);
}

std::string Utf8ToCp932(const std::string& utf8) {
  bool ascii = true;
  for (unsigned char c : utf8) ascii = ascii && c < 0x80;
  if (ascii) return utf8;
  return Convert(utf8, "?", false);
}

// Glyph lookup decodes every character of every string drawn, so decoding
// reads a table built once through iconv (single bytes and the 60 x 189
// double-byte cells) instead of calling iconv per character.
char32_t DecodeCp932(const char* s, size_t len, size_t& i) {
  if (i >= len) return kReplacement;
  const auto lead = static_cast<unsigned char>(s[i]);
  if (IsLeadByte(lead)) {
    if (i + 1 < len && IsTrailByte(static_cast<unsigned char>(s[i + 1]))) {
      const auto trail = static_cast<unsigned char>(s[i + 1]);
      i += 2;
      return Table().twoByte[LeadIndex(lead) * kTrailCount + trail - 0x40];
    }
    ++i;  // a lead byte without its trail byte
    return kReplacement;
  }
  ++i;
  return Table().single[lead];
}

size_t Cp932SafeLength(const char* s, size_t limit) {
  size_t i = 0;
  while (i < limit && s[i] != '\0') {
    const bool lead = IsLeadByte(static_cast<unsigned char>(s[i]));
    const size_t n = lead ? 2 : 1;
    if (i + n > limit) break;
    if (lead && s[i + 1] == '\0') break;  // a lead byte without its trail
    i += n;
  }
  return i;
}

int FormatCp932(char* buf, size_t size, const char* format, va_list args) {
  if (size == 0) return 0;
  if (!format) {  // no format: an empty text
    buf[0] = '\0';
    return 0;
  }
  const int full = std::vsnprintf(buf, size, format, args);
  if (full < 0) {
    buf[0] = '\0';
    return 0;
  }
  const size_t written = size_t(full) < size ? size_t(full) : size - 1;
  const size_t safe = Cp932SafeLength(buf, written);
  buf[safe] = '\0';
  return int(safe);
}

int FormatCp932Args(char* buf, size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = FormatCp932(buf, size, format, args);
  va_end(args);
  return n;
}

}  // namespace platform
