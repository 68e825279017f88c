// sound_objects.cpp - the sound device and the table of sound objects:
// set-up and release, loading WAVE files and resources into mix buffers,
// freeing, and rebuilding every slot in place after the device was given up.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/formats/riff_wave.h"
#include "platform/os/resources.h"
#include "sound/sound.h"
#include "sound/sound_internal.h"
#include "system/system.h"

namespace ruSound {

int SoundReady = 0;
platform::SoundDevice* Device = nullptr;
platform::PrimaryBuffer* Primary = nullptr;
int Restoring = 0;
int RestoreSlot = 0;
SoundObject Sounds[kSoundCount];

namespace {

constexpr const char* kTag = "ruSound::LoadObject";
constexpr DWORD kBufferFlags =
    DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY;

int Report(const char* message, HRESULT code) {
  ruSystem::Error(kTag, message, code);
  return -1;
}

// The file beside the program, else the resource of type "WAVE", else of
// type RT_RCDATA (a whole WAVE file in the canonical layout).
bool FindWave(const char* name, platform::WaveImage* wave) {
  const std::string path = std::string(ruSystem::GetAppFolder(0)) + name;
  if (platform::ReadWaveFile(path, wave, nullptr)) return true;
  platform::Resource res;
  if (!platform::FindResource(platform::ResourceType::Wave, name, &res) &&
      !platform::FindResource(platform::ResourceType::RcData, name, &res))
    return false;
  return platform::ParseCanonicalWave(res.data, res.size, wave);
}

void ReleaseBuffer(platform::SoundBuffer*& buffer) {
  if (!buffer) return;
  buffer->Stop();
  buffer->Release();
  buffer = nullptr;
}

}  // namespace

platform::SoundBuffer* MakeBuffer(const std::vector<BYTE>& format, DWORD bytes, DWORD flags,
                                  HRESULT* hr) {
  // A format block shorter than WAVEFORMATEX (a pack entry may claim any
  // HeadSize) is read with its missing bytes as 0.
  WAVEFORMATEX wfx{};
  std::memcpy(&wfx, format.data(), std::min(format.size(), sizeof wfx));
  DSBUFFERDESC desc;
  desc.dwFlags = flags;
  desc.dwBufferBytes = bytes;
  desc.lpwfxFormat = &wfx;
  platform::SoundBuffer* buffer = nullptr;
  *hr = Device->CreateSoundBuffer(&desc, &buffer);
  return *hr == DS_OK ? buffer : nullptr;
}

void WriteBuffer(platform::SoundBuffer* buffer, DWORD offset, const BYTE* bytes, DWORD count) {
  void *part1 = nullptr, *part2 = nullptr;
  DWORD bytes1 = 0, bytes2 = 0;
  if (!count || buffer->Lock(offset, count, &part1, &bytes1, &part2, &bytes2) != DS_OK) return;
  if (bytes) {
    std::memcpy(part1, bytes, bytes1);
    if (part2) std::memcpy(part2, bytes + bytes1, bytes2);
  } else {
    std::memset(part1, 0, bytes1);
    if (part2) std::memset(part2, 0, bytes2);
  }
  buffer->Unlock(part1, bytes1, part2, bytes2);
}

void SetUpBufferControls(SoundObject& s, int j) {
  platform::SoundBuffer* b = s.Buffers[j];
  if (!Restoring) {
    DWORD hz = 0;
    b->GetFrequency(&hz);
    s.Frequency[j] = LONG(hz);
    s.BaseFrequency = LONG(hz);
    s.Volume[j] = 0;
    s.Pan[j] = 0;
  } else {
    b->SetVolume(s.Volume[j]);
    b->SetFrequency(DWORD(s.Frequency[j]));
    b->SetPan(s.Pan[j]);
  }
}

int FillSlot(const char* tag, int no, int mix, const platform::WaveImage& wave) {
  // Every buffer is made before the slot changes, so a failure leaves
  // nothing half-made behind.
  const int count = std::abs(mix);
  platform::SoundBuffer* made[kMaxMix] = {};
  for (int j = 0; j < count; ++j) {
    HRESULT hr = DS_OK;
    made[j] = MakeBuffer(wave.format, DWORD(wave.data.size()), kBufferFlags, &hr);
    if (!made[j]) {
      for (int k = 0; k < j; ++k) ReleaseBuffer(made[k]);
      ruSystem::Error(tag, "サウンドバッファが生成できません", hr);
      return -1;
    }
    WriteBuffer(made[j], 0, wave.data.data(), DWORD(wave.data.size()));
  }

  SoundObject& s = Sounds[no];
  s.MixCount = count;
  // Reloading keeps an object's echo availability (a negative mix count
  // turned it off); a running echo ends.
  if (Restoring) s.EchoStep = s.EchoStep < 0 ? -1 : 0;
  else s.EchoStep = mix > 1 ? 0 : -1;
  if (!Restoring) s.MixCursor = 0;
  for (int j = 0; j < count; ++j) {
    s.Buffers[j] = made[j];
    SetUpBufferControls(s, j);
  }
  s.Used = 1;
  s.FromPack = 0;
  s.Stream.Size = 0;
  return no;
}

int FirstFreeSlot() {
  for (int n = 0; n < kSoundCount; ++n)
    if (!Sounds[n].Used) return n;
  return -1;
}

void ReleaseSlotBuffers(SoundObject& s) {
  for (int j = 0; j < s.MixCount && j < kMaxMix; ++j) ReleaseBuffer(s.Buffers[j]);
}

void ReloadSlots() {
  Restoring = 1;
  for (int n = 0; n < kSoundCount; ++n) {
    if (!Sounds[n].Used) continue;
    RestoreSlot = n;
    // Pack sounds reload from the selected pack, streams from their own
    // pack; every other slot reloads its file or resource.
    SoundObject& s = Sounds[n];
    if (s.Stream.Size != 0) ReloadStream(n);
    else if (s.FromPack) LoadPack(s.Name, s.MixCount);
    else LoadObject(s.Name, s.MixCount);
  }
  Restoring = 0;
}

// ---------------------------------------------------------------- device
// Opens the device; a device still open is released first, with every
// buffer it made, so no buffer is left playing unreachable.
int InitSound() {
  if (Device) {
    if (Primary) Primary->Release();
    Device->Release();
  }
  Device = nullptr;
  Primary = nullptr;
  if (platform::SoundDevice::Create(&Device) != DS_OK) {
    Device = nullptr;
    SoundReady = 0;
    return 0;
  }
  if (Device->SetCooperativeLevel(ruSystem::MainWindow, DSSCL_PRIORITY) != DS_OK)
    Device->SetCooperativeLevel(ruSystem::MainWindow, DSSCL_NORMAL);
  DSBUFFERDESC desc;
  desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
  Device->CreatePrimaryBuffer(&desc, &Primary);
  for (SoundObject& s : Sounds)
    for (platform::SoundBuffer*& b : s.Buffers) b = nullptr;
  Restoring = 0;
  SoundReady = 1;
  return 1;
}

void InitSoundSlots() {
  for (SoundObject& s : Sounds) {
    s.Used = 0;
    s.MixCount = 1;
    s.MixCursor = 0;
    s.BaseFrequency = 0;
    s.Name[0] = '\0';
    s.EchoStep = -1;
    s.FromPack = 0;
    s.Stream.Size = 0;
    for (int j = 0; j < kMaxMix; ++j) s.Volume[j] = s.Frequency[j] = s.Pan[j] = 0;
  }
}

void ExitSound() {
  if (!SoundReady) return;
  for (SoundObject& s : Sounds)
    if (s.Used) ReleaseSlotBuffers(s);
  if (Primary) Primary->Release();
  if (Device) Device->Release();
  Primary = nullptr;
  Device = nullptr;
}

void RestoreSound() {
  if (!SoundReady) return;
  InitSound();
  ReloadSlots();
}

// ---------------------------------------------------------------- objects
int LoadObject(const char* name, int mix) {
  // After ExitSound the device is gone although SoundReady stays 1.
  if (!SoundReady || !Device) return -1;
  if (!name) name = "";
  if (std::abs(mix) > kMaxMix) return Report("ミックス数が多過ぎます", 0);
  // A name that cannot be stored is refused before a slot is taken: the
  // caller, holding only -1, could never free that slot.
  if (!Restoring && std::strlen(name) > kNameBytes - 1)
    return Report("ファイル名またはリソース名が長すぎます", 0);
  const int no = Restoring ? RestoreSlot : FirstFreeSlot();
  if (no < 0) return Report("オブジェクト数が多過ぎます", 0);
  if (no >= kSoundCount) return -1;

  platform::WaveImage wave;
  if (!FindWave(name, &wave)) return Report("WAVEリソースが見つかりません", 0);

  if (FillSlot(kTag, no, mix, wave) < 0) return -1;
  SoundObject& s = Sounds[no];
  if (Restoring) return no;
  std::strcpy(s.Name, name);
  return no;
}

int FreeObject(int no) {
  if (!SoundReady || no < 0 || no >= kSoundCount || !Sounds[no].Used) return no;
  SoundObject& s = Sounds[no];
  s.Used = 0;
  s.BaseFrequency = 0;
  s.Name[0] = '\0';
  s.FromPack = 0;
  s.Stream.Size = 0;
  for (int j = 0; j < s.MixCount && j < kMaxMix; ++j) {
    s.Volume[j] = s.Frequency[j] = s.Pan[j] = 0;
    ReleaseBuffer(s.Buffers[j]);
  }
  s.MixCount = 1;
  return no;
}

DWORD GetPosition(int no) {
  if (!SoundReady || no < 0 || no >= kSoundCount || !Sounds[no].Used) return 0;
  SoundObject& s = Sounds[no];
  DWORD play = 0;
  if (s.MixCount > 0 && s.Buffers[0]) s.Buffers[0]->GetCurrentPosition(&play, nullptr);
  return play;
}

int ReadWave(const char* path, std::vector<BYTE>* format, std::vector<BYTE>* data) {
  platform::WaveImage wave;
  if (!path || !platform::ReadWaveFile(path, &wave, nullptr)) {
    if (format) format->clear();
    if (data) data->clear();
    return 1;
  }
  if (format) *format = std::move(wave.format);
  if (data) *data = std::move(wave.data);
  return 0;
}

}  // namespace ruSound
