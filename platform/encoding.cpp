// encoding.cpp - CP932 <-> UTF-8 through iconv, and the character-boundary
// rules for bounded CP932 buffers.
#include "platform/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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

char32_t DecodeCp932(const char* s, size_t len, size_t& i) {
  if (i >= len) return 0xFFFD;
  const unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    ++i;
    return c;
  }
  const size_t n = (IsLeadByte(c) && i + 1 < len) ? 2 : 1;
  const std::string utf8 = Cp932ToUtf8(std::string(s + i, n));
  i += n;
  // Decode the (single) UTF-8 character iconv produced.
  const auto* u = reinterpret_cast<const unsigned char*>(utf8.data());
  if (utf8.empty()) return 0xFFFD;
  if (u[0] < 0x80) return u[0];
  if (u[0] < 0xE0 && utf8.size() >= 2) return char32_t((u[0] & 0x1F) << 6 | (u[1] & 0x3F));
  if (u[0] < 0xF0 && utf8.size() >= 3)
    return char32_t((u[0] & 0x0F) << 12 | (u[1] & 0x3F) << 6 | (u[2] & 0x3F));
  if (utf8.size() >= 4)
    return char32_t((u[0] & 0x07) << 18 | (u[1] & 0x3F) << 12 | (u[2] & 0x3F) << 6 |
                    (u[3] & 0x3F));
  return 0xFFFD;
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
