// sound_internal.h - what the sound module's files share among themselves.
#pragma once

#include <vector>

#include "platform/formats/riff_wave.h"
#include "platform/formats/sound_pack.h"
#include "sound/sound.h"

namespace ruSound {

// Stops and releases the existing buffers of a slot (the record stays).
void ReleaseSlotBuffers(SoundObject& s);
// Reloads every used slot in place with its recorded settings.
void ReloadSlots();
// Starts an echo sequence for a round-robin play with selector -2.
void StartEcho(int no, bool loop);

// The lowest free slot, or -1.
int FirstFreeSlot();
// A secondary buffer of `bytes` bytes in `format` (a WAVEFORMATEX block);
// nullptr, with the device's result in *hr, when it cannot be made.
platform::SoundBuffer* MakeBuffer(const std::vector<BYTE>& format, DWORD bytes, DWORD flags,
                                  HRESULT* hr);
// Copies `count` bytes in at `offset` (wrapping at the buffer's end);
// `bytes` nullptr writes silence (zero bytes).
void WriteBuffer(platform::SoundBuffer* buffer, DWORD offset, const BYTE* bytes, DWORD count);
// Reads and resets a new buffer's frequency, volume and pan, or re-applies
// the recorded ones while Restoring.
void SetUpBufferControls(SoundObject& s, int j);
// Puts |mix| static buffers holding `wave` into slot `no` and marks it a
// loaded object; no, or -1 after a report under `tag`.
int FillSlot(const char* tag, int no, int mix, const platform::WaveImage& wave);
// An entry found in an open pack; closes its file.
struct PackEntry {
  PackEntry() = default;
  PackEntry(const PackEntry&) = delete;
  PackEntry& operator=(const PackEntry&) = delete;
  ~PackEntry() {
    if (reader.file) std::fclose(reader.file);
  }
  platform::soundpack::Reader reader;
  platform::soundpack::Entry entry;
};
enum class Lookup { Found, NoFile, NoEntry };
// Looks `name` up (in upper case, first match) in the pack at `path`.
Lookup FindInPack(const char* path, const char* name, PackEntry* found);
// Reads a found entry's format block (at least WAVEFORMATEX's size, missing
// bytes 0) and, if `data` is given, its data; false if the file cannot give them.
bool ReadEntry(const PackEntry& found, std::vector<BYTE>* format, std::vector<BYTE>* data);

// Reloads the streamed sound in slot `no` from its own pack (Restoring).
void ReloadStream(int no);

}  // namespace ruSound
