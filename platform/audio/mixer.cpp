// mixer.cpp - secondary buffers mixed into the primary format: every
// playing buffer is added, at its own gain and rate, into a 32-bit
// accumulator, which is then clipped into the output format.
#include "platform/audio/mixer.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "platform/audio/mix_kernels.h"

namespace platform {

namespace {

constexpr std::size_t kChunkFrames = 1024;

// The mixer's state, one for the process. Never destroyed: the desktop's
// audio thread may still ask for output while the program exits.
struct Mixer {
  std::mutex lock;
  AudioFormat pcm;  // the primary format
  int holds = 0;   // devices and platform sounds holding the output open
  int devices = 0;
  Backend* openedOn = nullptr;
  std::vector<SoundBuffer*> buffers;  // every live buffer
  MusicRender music = nullptr;        // the synthesizer, when one is set
  std::int32_t acc[kChunkFrames * 2];
};

Mixer& M() {
  static Mixer* mixer = new Mixer;
  return *mixer;
}

using DirectFn = void (*)(const BYTE*, std::uint32_t, std::size_t, std::int32_t*, std::int32_t,
                          std::int32_t);
using ResampledFn = void (*)(const BYTE*, std::uint64_t*, std::uint64_t, std::size_t,
                             std::int32_t*, std::int32_t, std::int32_t);
using OneFn = void (*)(const BYTE*, std::uint32_t, std::uint32_t, std::uint64_t, std::int32_t*,
                       std::int32_t, std::int32_t);
struct Kernels {
  DirectFn direct;
  ResampledFn resampled;
  OneFn one;
};

template <int Bits, int SrcCh, int OutCh>
constexpr Kernels KernelsFor() {
  return Kernels{&mix::Direct<Bits, SrcCh, OutCh>, &mix::Resampled<Bits, SrcCh, OutCh>,
                 &mix::ResampledOne<Bits, SrcCh, OutCh>};
}

// Indexed by (bits == 16) * 4 + (source stereo) * 2 + (output stereo).
constexpr Kernels kKernels[8] = {
    KernelsFor<8, 1, 1>(),  KernelsFor<8, 1, 2>(),  KernelsFor<8, 2, 1>(),
    KernelsFor<8, 2, 2>(),  KernelsFor<16, 1, 1>(), KernelsFor<16, 1, 2>(),
    KernelsFor<16, 2, 1>(), KernelsFor<16, 2, 2>(),
};

bool ValidPcm(const WAVEFORMATEX& f) {
  return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
         (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) &&
         f.nSamplesPerSec >= DSBFREQUENCY_MIN && f.nSamplesPerSec <= DSBFREQUENCY_MAX &&
         f.nBlockAlign == f.nChannels * (f.wBitsPerSample / 8);
}

}  // namespace

// Friend of SoundBuffer: the mixing loop and the buffer list.
struct MixerAccess {
  // Adds `frames` output frames of `b` into acc and moves its position on.
  static void MixVoice(SoundBuffer& b, std::int32_t* acc, std::size_t frames, int outChannels,
                       DWORD outRate) {
    if (b.frames_ == 0) {
      b.playing_ = false;
      return;
    }
    const Kernels& k = kKernels[(b.format_.wBitsPerSample == 16) * 4 +
                                (b.format_.nChannels == 2) * 2 + (outChannels == 2)];
    const std::uint64_t step = (std::uint64_t(b.frequency_) << 32) / outRate;
    const std::uint64_t end = std::uint64_t(b.frames_) << 32;
    const BYTE* data = b.data_.data();
    while (frames > 0 && b.playing_) {
      const std::uint32_t frame = std::uint32_t(b.position_ >> 32);
      std::size_t done;
      if (step == (std::uint64_t(1) << 32) && (b.position_ & 0xFFFFFFFFu) == 0) {
        done = std::min<std::size_t>(frames, b.frames_ - frame);
        k.direct(data, frame, done, acc, b.gainLeft_, b.gainRight_);
        b.position_ += std::uint64_t(done) << 32;
      } else {
        // Output frames whose both neighbours lie inside the buffer.
        const std::uint64_t safe = std::uint64_t(b.frames_ - 1) << 32;
        done = b.position_ < safe ? std::min<std::uint64_t>(frames, (safe - b.position_ + step - 1) / step)
                                  : 0;
        if (done > 0) {
          k.resampled(data, &b.position_, step, done, acc, b.gainLeft_, b.gainRight_);
        } else {
          // The last frame: towards the first one of a loop, held at the end.
          k.one(data, frame, b.looping_ ? 0 : frame, b.position_, acc, b.gainLeft_, b.gainRight_);
          b.position_ += step;
          done = 1;
        }
      }
      acc += done * outChannels;
      frames -= done;
      if (b.position_ >= end) {
        if (b.looping_) {
          b.position_ %= end;
        } else {
          b.playing_ = false;
          b.position_ = 0;
        }
      }
    }
  }

  static void MixChunk(Mixer& m, const AudioFormat& pcm, BYTE* out, std::size_t frames) {
    const int ch = pcm.channels;
    std::fill(m.acc, m.acc + frames * ch, 0);
    for (SoundBuffer* b : m.buffers)
      if (b->playing_) MixVoice(*b, m.acc, frames, ch, pcm.samplesPerSec);
    if (m.music) m.music(m.acc, frames, ch, int(pcm.samplesPerSec));
    const std::size_t n = frames * ch;
    if (pcm.bitsPerSample == 16) {
      std::int16_t* o = reinterpret_cast<std::int16_t*>(out);
      for (std::size_t i = 0; i < n; ++i) o[i] = std::int16_t(std::clamp(m.acc[i], -32768, 32767));
    } else {
      for (std::size_t i = 0; i < n; ++i)
        out[i] = BYTE((std::clamp(m.acc[i], -32768, 32767) >> 8) + 128);
    }
  }

  static SoundBuffer* Make(SoundDevice* owner, const WAVEFORMATEX& format, DWORD bytes) {
    SoundBuffer* b = new SoundBuffer;
    b->owner_ = owner;
    b->format_ = format;
    b->format_.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    b->format_.cbSize = 0;
    b->data_.assign(bytes, format.wBitsPerSample == 8 ? 0x80 : 0);
    b->frames_ = bytes / format.nBlockAlign;
    b->frequency_ = format.nSamplesPerSec;
    Mixer& m = M();
    std::lock_guard<std::mutex> guard(m.lock);
    m.buffers.push_back(b);
    return b;
  }

  static void Remove(SoundBuffer* b) {
    Mixer& m = M();
    {
      std::lock_guard<std::mutex> guard(m.lock);
      m.buffers.erase(std::remove(m.buffers.begin(), m.buffers.end(), b), m.buffers.end());
    }
    delete b;
  }

  static void RemoveOwnedBy(SoundDevice* owner) {
    Mixer& m = M();
    std::vector<SoundBuffer*> gone;
    {
      std::lock_guard<std::mutex> guard(m.lock);
      for (SoundBuffer* b : m.buffers)
        if (b->owner_ == owner) gone.push_back(b);
      std::erase_if(m.buffers, [owner](SoundBuffer* b) { return b->owner_ == owner; });
    }
    for (SoundBuffer* b : gone) delete b;
  }
};

// ---------------------------------------------------------------- gains
std::int32_t VolumeToGain(LONG hundredthsDb) {
  if (hundredthsDb <= DSBVOLUME_MIN) return 0;
  if (hundredthsDb >= 0) return 32768;
  return std::int32_t(std::lround(32768.0 * std::pow(10.0, hundredthsDb / 2000.0)));
}

void SoundBuffer::UpdateGains() {
  gainLeft_ = VolumeToGain(volume_ - std::max<LONG>(pan_, 0));
  gainRight_ = VolumeToGain(volume_ - std::max<LONG>(-pan_, 0));
}

// ---------------------------------------------------------------- buffer
HRESULT SoundBuffer::Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2,
                          DWORD* bytes2) {
  const DWORD size = Bytes();
  if (!part1 || !bytes1 || offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
  const DWORD first = std::min(bytes, size - offset);
  *part1 = data_.data() + offset;
  *bytes1 = first;
  if (part2) *part2 = first < bytes ? data_.data() : nullptr;
  if (bytes2) *bytes2 = bytes - first;
  return DS_OK;
}

HRESULT SoundBuffer::Unlock(void*, DWORD, void*, DWORD) { return DS_OK; }

HRESULT SoundBuffer::Play(DWORD, DWORD, DWORD flags) {
  std::lock_guard<std::mutex> guard(M().lock);
  playing_ = true;
  looping_ = (flags & DSBPLAY_LOOPING) != 0;
  return DS_OK;
}

HRESULT SoundBuffer::Stop() {
  std::lock_guard<std::mutex> guard(M().lock);
  playing_ = false;
  return DS_OK;
}

HRESULT SoundBuffer::SetCurrentPosition(DWORD position) {
  // Inside the last whole frame at most (a size need not be whole frames).
  if (position / format_.nBlockAlign >= frames_) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> guard(M().lock);
  position_ = std::uint64_t(position / format_.nBlockAlign) << 32;
  return DS_OK;
}

HRESULT SoundBuffer::GetCurrentPosition(DWORD* play, DWORD* write) {
  std::lock_guard<std::mutex> guard(M().lock);
  const DWORD at = DWORD(position_ >> 32) * format_.nBlockAlign;
  if (play) *play = at;
  if (write) *write = at;
  return DS_OK;
}

HRESULT SoundBuffer::GetStatus(DWORD* status) {
  if (!status) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> guard(M().lock);
  *status = playing_ ? (DSBSTATUS_PLAYING | (looping_ ? DSBSTATUS_LOOPING : 0)) : 0;
  return DS_OK;
}

HRESULT SoundBuffer::SetVolume(LONG volume) {
  if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> guard(M().lock);
  volume_ = volume;
  UpdateGains();
  return DS_OK;
}

HRESULT SoundBuffer::GetVolume(LONG* volume) {
  if (!volume) return DSERR_INVALIDPARAM;
  *volume = volume_;
  return DS_OK;
}

HRESULT SoundBuffer::SetPan(LONG pan) {
  if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> guard(M().lock);
  pan_ = pan;
  UpdateGains();
  return DS_OK;
}

HRESULT SoundBuffer::GetPan(LONG* pan) {
  if (!pan) return DSERR_INVALIDPARAM;
  *pan = pan_;
  return DS_OK;
}

HRESULT SoundBuffer::SetFrequency(DWORD hz) {
  if (hz < DSBFREQUENCY_MIN || hz > DSBFREQUENCY_MAX) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> guard(M().lock);
  frequency_ = hz;
  return DS_OK;
}

HRESULT SoundBuffer::GetFrequency(DWORD* hz) {
  if (!hz) return DSERR_INVALIDPARAM;
  *hz = frequency_;
  return DS_OK;
}

void SoundBuffer::Release() { MixerAccess::Remove(this); }

// ---------------------------------------------------------------- output
AudioFormat CurrentOutputFormat() {
  std::lock_guard<std::mutex> guard(M().lock);
  return M().pcm;
}

namespace {
// Mixes for an output opened in `pcm`; after the format has changed (and
// before the output is reopened) it gives silence.
void MixAs(const AudioFormat& pcm, BYTE* out, std::size_t bytes) {
  Mixer& m = M();
  const std::size_t align = pcm.BlockAlign();
  std::size_t frames = bytes / align;
  std::lock_guard<std::mutex> guard(m.lock);
  const bool current = m.pcm.samplesPerSec == pcm.samplesPerSec &&
                       m.pcm.channels == pcm.channels &&
                       m.pcm.bitsPerSample == pcm.bitsPerSample;
  if (!current) frames = 0;
  BYTE* at = out;
  while (frames > 0) {
    const std::size_t n = std::min(frames, kChunkFrames);
    MixerAccess::MixChunk(m, pcm, at, n);
    at += n * align;
    frames -= n;
  }
  std::fill(at, out + bytes, pcm.bitsPerSample == 8 ? 0x80 : 0);
}

bool OpenOutputAs(const AudioFormat& pcm) {
  Backend& backend = GetBackend();
  if (!backend.OpenAudio(pcm, [pcm](BYTE* out, std::size_t bytes) { MixAs(pcm, out, bytes); }))
    return false;
  M().openedOn = &backend;
  return true;
}
}  // namespace

void MixAudio(BYTE* out, std::size_t bytes) { MixAs(CurrentOutputFormat(), out, bytes); }

void SetMusicSource(MusicRender render) {
  std::lock_guard<std::mutex> guard(M().lock);
  M().music = render;
}

namespace {
// `fresh`: open the output anew even when it is held already (a device is
// being made: the backend may have been replaced since).
bool Acquire(bool fresh) {
  Mixer& m = M();
  // A held output on a backend that has since been replaced is opened anew.
  if (!fresh && m.holds > 0 && m.openedOn == &GetBackend()) {
    ++m.holds;
    return true;
  }
  const bool sameBackend = m.holds > 0 && m.openedOn == &GetBackend();
  if (!OpenOutputAs(CurrentOutputFormat())) return false;
  m.holds = sameBackend ? m.holds + 1 : 1;
  return true;
}
}  // namespace

bool AcquireOutput() { return Acquire(false); }

void ReleaseOutput() {
  Mixer& m = M();
  if (m.holds <= 0) return;
  if (--m.holds == 0 && m.openedOn == &GetBackend()) {
    GetBackend().CloseAudio();
    m.openedOn = nullptr;
  }
}

SoundBuffer* CreateInternalBuffer(const WAVEFORMATEX& format, const BYTE* data, DWORD bytes) {
  if (!ValidPcm(format) || bytes < format.nBlockAlign || bytes > DSBSIZE_MAX) return nullptr;
  SoundBuffer* b = MixerAccess::Make(nullptr, format, bytes);
  void* part = nullptr;
  DWORD length = 0;
  b->Lock(0, bytes, &part, &length, nullptr, nullptr);
  std::copy(data, data + bytes, static_cast<BYTE*>(part));
  return b;
}

// ---------------------------------------------------------------- primary
HRESULT PrimaryBuffer::SetFormat(const WAVEFORMATEX* format) {
  if (!format) return DSERR_INVALIDPARAM;
  WAVEFORMATEX f = *format;
  if (f.wFormatTag != WAVE_FORMAT_PCM) return DSERR_BADFORMAT;
  if (!ValidPcm(f)) return DSERR_INVALIDPARAM;
  Mixer& m = M();
  AudioFormat old, next;
  next.samplesPerSec = f.nSamplesPerSec;
  next.channels = f.nChannels;
  next.bitsPerSample = f.wBitsPerSample;
  {
    std::lock_guard<std::mutex> guard(m.lock);
    old = m.pcm;
    m.pcm = next;
  }
  if (m.holds == 0 || m.openedOn != &GetBackend()) return DS_OK;
  if (OpenOutputAs(next)) return DS_OK;
  // The output refused the format: back to the old one.
  {
    std::lock_guard<std::mutex> guard(m.lock);
    m.pcm = old;
  }
  OpenOutputAs(old);
  return DSERR_BADFORMAT;
}

HRESULT PrimaryBuffer::GetFormat(WAVEFORMATEX* format) {
  if (!format) return DSERR_INVALIDPARAM;
  const AudioFormat s = CurrentOutputFormat();
  *format = WAVEFORMATEX{WAVE_FORMAT_PCM, s.channels, s.samplesPerSec,
                         s.samplesPerSec * s.BlockAlign(), WORD(s.BlockAlign()),
                         s.bitsPerSample, 0};
  return DS_OK;
}

void PrimaryBuffer::Release() { delete this; }

// ---------------------------------------------------------------- device
HRESULT SoundDevice::Create(SoundDevice** device) {
  if (!device) return DSERR_INVALIDPARAM;
  *device = nullptr;
  Mixer& m = M();
  // A new device starts in the default format, as a fresh primary buffer
  // does; the output is opened anew in it.
  if (m.devices == 0) {
    std::lock_guard<std::mutex> guard(m.lock);
    m.pcm = AudioFormat();
  }
  if (!Acquire(true)) return DSERR_NODRIVER;
  ++m.devices;
  *device = new SoundDevice;
  return DS_OK;
}

HRESULT SoundDevice::SetCooperativeLevel(HWND, DWORD level) {
  return level == DSSCL_NORMAL || level == DSSCL_PRIORITY ? DS_OK : DSERR_INVALIDPARAM;
}

HRESULT SoundDevice::CreatePrimaryBuffer(const DSBUFFERDESC* desc, PrimaryBuffer** primary) {
  if (!primary) return DSERR_INVALIDPARAM;
  *primary = nullptr;
  if (!desc || !(desc->dwFlags & DSBCAPS_PRIMARYBUFFER)) return DSERR_INVALIDPARAM;
  *primary = new PrimaryBuffer;
  return DS_OK;
}

HRESULT SoundDevice::CreateSoundBuffer(const DSBUFFERDESC* desc, SoundBuffer** buffer) {
  if (!buffer) return DSERR_INVALIDPARAM;
  *buffer = nullptr;
  if (!desc || (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) || !desc->lpwfxFormat)
    return DSERR_INVALIDPARAM;
  const WAVEFORMATEX& f = *desc->lpwfxFormat;
  if (f.wFormatTag != WAVE_FORMAT_PCM) return DSERR_BADFORMAT;
  if (!ValidPcm(f) || desc->dwBufferBytes < std::max<DWORD>(DSBSIZE_MIN, f.nBlockAlign) ||
      desc->dwBufferBytes > DSBSIZE_MAX)
    return DSERR_INVALIDPARAM;
  *buffer = MixerAccess::Make(this, f, desc->dwBufferBytes);
  return DS_OK;
}

void SoundDevice::Release() {
  MixerAccess::RemoveOwnedBy(this);
  delete this;
  --M().devices;
  ReleaseOutput();
}

}  // namespace platform
