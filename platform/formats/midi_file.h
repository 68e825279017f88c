// midi_file.h - a check of a standard MIDI file before it reaches the
// synthesizer's player: the "MThd" header, format 0 or 1, and every chunk
// (its length bounded by what is left of the file) up to the number of
// "MTrk" tracks the header claims.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Largest MIDI file read.
constexpr std::size_t kMaxMidiFileBytes = 16u << 20;

// True when `bytes` is a whole format 0 or 1 MIDI file; otherwise false
// with a short reason.
bool CheckMidiFile(const unsigned char* bytes, std::size_t size, std::string* why);

}  // namespace platform
