// sound_pack_fuzz.cpp - libFuzzer target for the sound pack reader: any
// file must give entries, an end or a broken entry with a reason; never a
// read past the end, a crash or an allocation beyond the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/formats/sound_pack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace pack = platform::soundpack;
  std::vector<std::uint8_t> copy(data, data + size);
  std::FILE* file = ::fmemopen(copy.empty() ? nullptr : copy.data(), copy.size(), "rb");
  if (!file) return 0;
  pack::Reader reader = pack::OpenReader(file);
  pack::Entry entry;
  std::string why;
  std::vector<unsigned char> bytes;
  for (;;) {
    const pack::Step step = pack::NextEntry(&reader, &entry, &why);
    if (step == pack::Step::End) break;
    if (step == pack::Step::Broken) {
      if (why.empty()) __builtin_trap();  // every refusal gives a reason
      break;
    }
    if (entry.name.size() > pack::kMaxNameBytes) __builtin_trap();
    // Both blocks were checked to fit in the file.
    if (!pack::ReadAt(reader, entry.format, entry.headSize, &bytes)) __builtin_trap();
    if (!pack::ReadAt(reader, entry.data, entry.size, &bytes)) __builtin_trap();
    if (entry.data + entry.size > size) __builtin_trap();
  }
  std::fclose(file);
  return 0;
}
