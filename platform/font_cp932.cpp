// font_cp932.cpp - CP932 decoding for glyph lookup and name conversion.
//
// Glyph lookup decodes every character of every string drawn, so it reads
// a table built once through iconv (single bytes and the 60 x 189 double-
// byte cells) instead of calling iconv per character.
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "platform/encoding.h"
#include "platform/font_engine.h"

namespace platform {

namespace {

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

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
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

char32_t DecodeCp932Char(const char* s, size_t length, size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  if (IsLeadByte(lead)) {
    if (i + 1 < length && IsTrailByte(static_cast<unsigned char>(s[i + 1]))) {
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

std::string Cp932NameToUtf8(const char* s, size_t length) {
  std::string out;
  for (size_t i = 0; i < length && s[i];) AppendUtf8(out, DecodeCp932Char(s, length, i));
  return out;
}

std::string Utf8NameToCp932(const std::string& utf8) {
  std::string out;
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == iconv_t(-1)) return out;
  for (size_t i = 0; i < utf8.size();) {
    size_t n = 1;
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c >= 0xF0) n = 4;
    else if (c >= 0xE0) n = 3;
    else if (c >= 0xC0) n = 2;
    n = std::min(n, utf8.size() - i);
    char in[4];
    std::memcpy(in, utf8.data() + i, n);
    char buf[8];
    char* inp = in;
    char* outp = buf;
    size_t inLeft = n, outLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == size_t(-1) || inLeft != 0)
      out += '?';
    else
      out.append(buf, sizeof buf - outLeft);
    i += n;
  }
  iconv_close(cd);
  return out;
}

}  // namespace platform
