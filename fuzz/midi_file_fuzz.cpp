// midi_file_fuzz.cpp - libFuzzer target for the MIDI file check: any bytes
// give an answer (with a reason when refused), never a read past the end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/formats/midi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly `size` bytes, so a read past it is caught.
  std::vector<unsigned char> copy(data, data + size);
  std::string why;
  if (!platform::CheckMidiFile(copy.data(), copy.size(), &why) && why.empty()) __builtin_trap();
  return 0;
}
