// mixer.h - the sound device: a primary format that is really mixed and
// sent to the output, and secondary buffers, each mixed independently.
//
// Library code (one thread) calls these objects; the output (the desktop's
// audio thread, or the headless frame step) calls MixAudio. Every operation
// takes the mixer's one lock for a short moment, so the output never sees a
// half-changed buffer and never touches a released one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/audio/sound_types.h"
#include "platform/backend.h"

namespace platform {

class SoundDevice;

// One secondary buffer: exactly the requested bytes of PCM (8 or 16 bits,
// mono or stereo, any rate), a play position in bytes, volume, pan and
// frequency. Positions count whole sample frames.
class SoundBuffer {
 public:
  // One or two writable parts for `bytes` bytes from `offset` (the second
  // when the region wraps at the end). The pointers stay valid until the
  // buffer is released.
  HRESULT Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2,
               DWORD* bytes2);
  // Ends a Lock; nothing to copy (the parts are the buffer itself).
  HRESULT Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2);
  // Plays from the current position: once (0) or looping (DSBPLAY_LOOPING).
  HRESULT Play(DWORD reserved1, DWORD reserved2, DWORD flags);
  // Stops; the position stays where playing stopped.
  HRESULT Stop();
  // Moves the play position (bytes, rounded down to a whole frame).
  HRESULT SetCurrentPosition(DWORD position);
  // The play position in bytes; the write position is the same.
  HRESULT GetCurrentPosition(DWORD* play, DWORD* write);
  // DSBSTATUS_PLAYING (bit 0) while playing, DSBSTATUS_LOOPING with it.
  HRESULT GetStatus(DWORD* status);
  // Hundredths of a decibel, -10000 (silence) to 0; gain 10^(v/2000).
  HRESULT SetVolume(LONG volume);
  HRESULT GetVolume(LONG* volume);
  // -10000 (left only) to 10000 (right only): the other side is lowered by
  // |pan| hundredths of a decibel.
  HRESULT SetPan(LONG pan);
  HRESULT GetPan(LONG* pan);
  // Playback rate in Hz, 100 to 200000 (resampled to the output rate).
  HRESULT SetFrequency(DWORD hz);
  HRESULT GetFrequency(DWORD* hz);
  // The buffer's format block (18 bytes).
  const WAVEFORMATEX& Format() const { return format_; }
  DWORD Bytes() const { return DWORD(data_.size()); }
  // Stops and removes the buffer; the pointer is invalid afterwards.
  void Release();

 private:
  friend class SoundDevice;
  friend struct MixerAccess;
  SoundBuffer() = default;
  void UpdateGains();

  SoundDevice* owner_ = nullptr;
  WAVEFORMATEX format_{};
  std::vector<BYTE> data_;
  DWORD frames_ = 0;            // whole frames in data_
  std::uint64_t position_ = 0;  // frame << 32 | fraction
  bool playing_ = false, looping_ = false;
  LONG volume_ = 0, pan_ = 0;
  DWORD frequency_ = 0;
  std::int32_t gainLeft_ = 32768, gainRight_ = 32768;  // 1.0 = 32768
};

// The primary buffer: its format is the output format.
class PrimaryBuffer {
 public:
  // Mixes in this PCM format from now on (1 or 2 channels, 8 or 16 bits,
  // 100 to 200000 Hz); the output is reopened in it. DSERR_BADFORMAT or
  // DSERR_INVALIDPARAM when refused, and the old format stays.
  HRESULT SetFormat(const WAVEFORMATEX* format);
  HRESULT GetFormat(WAVEFORMATEX* format);
  void Release();
};

// The device (the DirectSound object). While one exists the output is open.
class SoundDevice {
 public:
  // Opens the output in the current primary format. DSERR_NODRIVER when the
  // backend has no output (none present, or turned off).
  static HRESULT Create(SoundDevice** device);
  // Normal or priority; both let the primary format be set.
  HRESULT SetCooperativeLevel(HWND window, DWORD level);
  // DSBCAPS_PRIMARYBUFFER gives the primary buffer; otherwise a secondary
  // buffer of exactly dwBufferBytes of the PCM format (non-PCM:
  // DSERR_BADFORMAT; bad sizes or fields: DSERR_INVALIDPARAM).
  HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, SoundBuffer** buffer);
  HRESULT CreatePrimaryBuffer(const DSBUFFERDESC* desc, PrimaryBuffer** primary);
  // Releases every buffer made by this device, then the device; the output
  // closes when nothing else holds it.
  void Release();

 private:
  SoundDevice() = default;
};

// ---- the output's side
// The format being mixed (the primary format).
AudioFormat CurrentOutputFormat();
// Fills `bytes` bytes (whole frames) of output in the current format,
// advancing every playing buffer by the frames it consumed. Allocates
// nothing.
void MixAudio(BYTE* out, std::size_t bytes);

// A source added into every chunk mixed (the music synthesizer): it adds
// `frames` frames of `channels` channels at `rate` Hz into `acc` (full
// scale 32768). Called under the mixer's lock, so it must not call back
// into the mixer; it allocates nothing.
using MusicRender = void (*)(std::int32_t* acc, std::size_t frames, int channels, int rate);
// Sets (or, with nullptr, removes) the music source.
void SetMusicSource(MusicRender render);

// ---- sounds outside any buffer of the library (beep, system sounds)
// Holds the output open (opening it if needed); false when there is none.
bool AcquireOutput();
// Lets go of a hold; the output closes when nothing holds it.
void ReleaseOutput();
// A buffer owned by the platform itself (no device needed). Its format
// must be PCM; nullptr when refused.
SoundBuffer* CreateInternalBuffer(const WAVEFORMATEX& format, const BYTE* data, DWORD bytes);

// Gain in 1/32768 for a volume in hundredths of a decibel (0 at -10000).
std::int32_t VolumeToGain(LONG hundredthsDb);

}  // namespace platform
