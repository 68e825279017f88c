// system_sounds.cpp - the beep and the system sounds: short tones made
// here (sine partials under a decaying envelope), played through the mixer
// in buffers of the platform's own.
#include "platform/audio/system_sounds.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/audio/mixer.h"
#include "platform/formats/riff_wave.h"

namespace platform {

namespace {

constexpr DWORD kRate = 22050;

// A note: frequencies of its partials, start and length in seconds.
struct Note {
  double hz;
  double start, length;
};

std::vector<BYTE> Render(std::initializer_list<Note> notes, double seconds, double level) {
  const std::size_t frames = std::size_t(seconds * kRate);
  std::vector<double> mix(frames, 0.0);
  for (const Note& n : notes) {
    const std::size_t first = std::size_t(n.start * kRate);
    const std::size_t count = std::size_t(n.length * kRate);
    for (std::size_t k = 0; k < count && first + k < frames; ++k) {
      const double t = double(k) / kRate;
      const double attack = std::min(1.0, t / 0.004);
      const double decay = std::exp(-4.0 * t / n.length);
      const double release = std::min(1.0, double(count - k) / (0.01 * kRate));
      const double wave = std::sin(2 * M_PI * n.hz * t) + 0.3 * std::sin(4 * M_PI * n.hz * t);
      mix[first + k] += wave * attack * decay * release / 1.3;
    }
  }
  std::vector<BYTE> out(frames * 2);
  for (std::size_t k = 0; k < frames; ++k) {
    const long v = std::lround(std::clamp(mix[k] * level, -1.0, 1.0) * 32767);
    out[2 * k] = BYTE(v & 0xFF);
    out[2 * k + 1] = BYTE((v >> 8) & 0xFF);
  }
  return out;
}

struct BuiltIn {
  const char* name;
  std::vector<BYTE> data;
};

const std::vector<BuiltIn>& Sounds() {
  static const std::vector<BuiltIn> sounds = {
      {"SystemDefault", Render({{880, 0, 0.18}}, 0.2, 0.5)},
      {"SystemAsterisk", Render({{1046.5, 0, 0.25}, {1568, 0.09, 0.3}}, 0.4, 0.45)},
      {"SystemExclamation", Render({{784, 0, 0.16}, {587.3, 0.12, 0.25}}, 0.4, 0.5)},
      {"SystemHand", Render({{196, 0, 0.35}, {207.7, 0, 0.35}}, 0.36, 0.6)},
      {"SystemQuestion", Render({{523.3, 0, 0.15}, {659.3, 0.1, 0.15}, {784, 0.2, 0.25}}, 0.45, 0.45)},
      {"SystemStart",
       Render({{523.3, 0, 0.6}, {659.3, 0.08, 0.52}, {784, 0.16, 0.44}, {1046.5, 0.24, 0.5}}, 0.75,
              0.35)},
      {"SystemExit", Render({{1046.5, 0, 0.3}, {784, 0.12, 0.3}, {523.3, 0.24, 0.45}}, 0.7, 0.4)},
  };
  return sounds;
}

bool SameName(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
      return false;
  return *a == *b;
}

WAVEFORMATEX Mono16() { return WAVEFORMATEX{WAVE_FORMAT_PCM, 1, kRate, kRate * 2, 2, 16, 0}; }

// The beep's buffer and whether it holds the output open.
SoundBuffer* beepBuffer = nullptr;
bool beepHolds = false;

}  // namespace

bool BuiltInSound(const char* name, WAVEFORMATEX* format, const std::vector<BYTE>** data) {
  if (!name) return false;
  const char* wanted = SameName(name, ".Default") ? "SystemDefault" : name;
  for (const BuiltIn& s : Sounds())
    if (SameName(s.name, wanted)) {
      *format = Mono16();
      *data = &s.data;
      return true;
    }
  return false;
}

void PlayBeep() {
  WAVEFORMATEX format;
  const std::vector<BYTE>* data = nullptr;
  if (!beepBuffer && BuiltInSound("SystemDefault", &format, &data))
    beepBuffer = CreateInternalBuffer(format, data->data(), DWORD(data->size()));
  if (!beepBuffer) return;
  DWORD status = 0;
  beepBuffer->GetStatus(&status);
  // A finished beep lets go of the output it held; a new one takes it again.
  if (beepHolds && !(status & DSBSTATUS_PLAYING)) {
    beepHolds = false;
    ReleaseOutput();
  }
  if (!beepHolds) {
    if (!AcquireOutput()) return;
    beepHolds = true;
  }
  beepBuffer->Stop();
  beepBuffer->SetCurrentPosition(0);
  beepBuffer->Play(0, 0, 0);
}

bool PlaySystemSound(const char* name) {
  WAVEFORMATEX format{};
  const std::vector<BYTE>* data = nullptr;
  WaveImage file;
  SoundBuffer* buffer = nullptr;
  if (BuiltInSound(name, &format, &data)) {
    buffer = CreateInternalBuffer(format, data->data(), DWORD(data->size()));
  } else if (name && ReadWaveFile(name, &file, nullptr)) {
    std::memcpy(&format, file.format.data(), 16);
    format.cbSize = 0;
    buffer = CreateInternalBuffer(format, file.data.data(), DWORD(file.data.size()));
  }
  // Neither a sound name nor a playable file: the default sound.
  if (!buffer && BuiltInSound("SystemDefault", &format, &data))
    buffer = CreateInternalBuffer(format, data->data(), DWORD(data->size()));
  if (!buffer) return false;
  if (!AcquireOutput()) {
    buffer->Release();
    return false;
  }
  buffer->Play(0, 0, 0);
  const std::uint64_t frames = buffer->Bytes() / format.nBlockAlign;
  GetBackend().PlayAudioFor(
      DWORD((frames * 1000 + format.nSamplesPerSec - 1) / format.nSamplesPerSec));
  buffer->Release();
  ReleaseOutput();
  return true;
}

}  // namespace platform
