// encoding.h - CP932 (Shift-JIS) text at the platform edge.
//
// Library strings are CP932 bytes. They are converted only where they meet
// the host: glyph lookup, window caption, file names, stderr logs.
#pragma once

#include <cstddef>
#include <cstdarg>
#include <string>

namespace platform {

// True if `c` is the first byte of a CP932 double-byte character.
inline bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
// CP932 -> UTF-8. Bytes that do not decode become U+FFFD.
std::string Cp932ToUtf8(const std::string& cp932);
// UTF-8 -> CP932. Characters CP932 lacks become '?'.
std::string Utf8ToCp932(const std::string& utf8);
// Decodes one CP932 character at s[i] (i advanced past it) to a code point;
// U+FFFD for bytes that do not decode. Never reads past `len`.
char32_t DecodeCp932(const char* s, size_t len, size_t& i);
// Length of the longest prefix of s (at most `limit` bytes) that does not
// end inside a double-byte character.
size_t Cp932SafeLength(const char* s, size_t limit);
// Bounded vsnprintf into buf[size], cut at a character boundary; a null
// format gives an empty text.
int FormatCp932(char* buf, size_t size, const char* format, va_list args);
// The same with the arguments given directly.
int FormatCp932Args(char* buf, size_t size, const char* format, ...);

}  // namespace platform
