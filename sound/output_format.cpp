// output_format.cpp - the format the device mixes in, system sounds played
// while the device is given up, and the warning beep.
#include "platform/audio/system_sounds.h"
#include "sound/sound.h"
#include "sound/sound_internal.h"
#include "system/system.h"

namespace ruSound {

namespace {
DWORD RateFromCode(int rate) {
  switch (rate) {
    case 8: return 8000;
    case 11: return 11025;
    case 22: return 22050;
    case 44: return 44100;
    default: return DWORD(rate);
  }
}
}  // namespace

// Releases every buffer, sets the primary format and reloads every used
// slot with its settings. A refused format leaves the objects without
// buffers (every operation then skips them) until a later success.
int SelectFormat(int channels, int rate, int bits) {
  if (!SoundReady) return 1;
  for (SoundObject& s : Sounds)
    if (s.Used) ReleaseSlotBuffers(s);
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = WORD(channels);
  format.nSamplesPerSec = RateFromCode(rate);
  format.wBitsPerSample = WORD(bits);
  format.nBlockAlign = WORD(channels * (bits / 8));
  format.nAvgBytesPerSec = format.nBlockAlign * format.nSamplesPerSec;
  format.cbSize = 18;
  // After ExitSound there is no primary buffer to take the format.
  const HRESULT hr = Primary ? Primary->SetFormat(&format) : DSERR_INVALIDCALL;
  if (hr != DS_OK) return ruSystem::Error("ruSound::SelectFormat", "再生フォーマットを変更できません", hr);
  ReloadSlots();
  return 1;
}

void PlaySystemSound(const char* name) {
  ExitSound();
  platform::PlaySystemSound(name);
  RestoreSound();
}

void Beep() {
  platform::GetBackend().Beep();
  platform::PlayBeep();
}

}  // namespace ruSound
