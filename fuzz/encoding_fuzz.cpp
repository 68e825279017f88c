// encoding_fuzz.cpp - libFuzzer target for the text and name handling at
// the platform edge: CP932 decoding and conversion, the character-boundary
// cut of bounded buffers, bounded formatting, wildcard matching and the
// library-to-host name conversion, on arbitrary bytes. Every buffer is
// exactly as long as its data, so any read past it shows up.
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "platform/os/encoding.h"
#include "platform/os/files.h"

namespace {


// True if s[0..n) ends on a character boundary, reading lead bytes from the start.
bool EndsOnBoundary(const char* s, size_t n) {
  size_t i = 0;
  while (i < n) i += platform::IsLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
  return i == n;
}

void CheckCut(const std::string& text, size_t limit) {
  const size_t n = platform::Cp932SafeLength(text.c_str(), limit);
  if (n > limit || n > std::strlen(text.c_str())) __builtin_trap();
  if (!EndsOnBoundary(text.c_str(), n)) __builtin_trap();
}

void CheckFormat(const std::string& text, size_t size) {
  std::unique_ptr<char[]> buf(new char[size ? size : 1]);
  const int n = platform::FormatCp932Args(buf.get(), size, "%s", text.c_str());
  if (size == 0) return;
  if (n < 0 || size_t(n) >= size || std::strlen(buf.get()) != size_t(n)) __builtin_trap();
  if (!EndsOnBoundary(buf.get(), size_t(n))) __builtin_trap();
}

void CheckDecode(const std::string& text) {
  std::unique_ptr<char[]> exact(new char[text.size()]);
  std::memcpy(exact.get(), text.data(), text.size());
  size_t i = 0;
  while (i < text.size()) {
    const size_t before = i;
    const char32_t c = platform::DecodeCp932(exact.get(), text.size(), i);
    if (i <= before || i > text.size() || c > 0x10FFFF) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const size_t limit = data[0];

  CheckDecode(text);
  CheckCut(text, limit);
  CheckCut(text, text.size());
  CheckFormat(text, limit);
  const std::string utf8 = platform::Cp932ToUtf8(text);
  const std::string back = platform::Utf8ToCp932(utf8);
  platform::Utf8ToCp932(text);  // the bytes taken as UTF-8
  platform::ToLibraryPath(text);

  // Pattern and name split at the first NUL (or the middle).
  size_t split = text.find('\0');
  if (split == std::string::npos) split = text.size() / 2;
  const std::string pattern = text.substr(0, split);
  const std::string name = split < text.size() ? text.substr(split + 1) : std::string();
  platform::WildcardMatch(pattern, name);
  if (!platform::WildcardMatch("*", name.c_str())) __builtin_trap();
  if (name.find_first_of("*?") == std::string::npos && std::strlen(name.c_str()) == name.size() &&
      !platform::WildcardMatch(name, name))
    __builtin_trap();
  // Relative names only, under a folder that does not exist: resolution
  // reads directories but must stay within its input.
  if (data[0] & 1) platform::ToHostPath("fuzz_no_such_folder\\" + name);
  return 0;
}
