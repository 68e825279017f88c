// headless_audio.cpp - the clock-driven sink: pulls from the mixer the
// frames of the time that passed, converts them to 16-bit stereo 44100 Hz
// by linear interpolation and appends them to the WAVE file.
#include "platform/headless/headless_audio.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/headless/headless.h"
#include "platform/os/clock.h"

namespace platform {

namespace {
constexpr DWORD kOutRate = 44100;

void Put32(BYTE* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = BYTE(v >> (8 * i));
}
}  // namespace

void ReadHeadlessAudioOptions(HeadlessOptions* options) {
  const char* audio = std::getenv("RU_AUDIO");
  if (audio && std::strcmp(audio, "none") == 0) options->audioDevice = false;
  const char* out = std::getenv("RU_AUDIO_OUT");
  if (out && *out) options->audioOut = out;
}

HeadlessAudio::HeadlessAudio(DWORD clockStart, bool device, const std::string& file)
    : device_(device), mixedUntil_(clockStart) {
  if (file.empty()) return;
  file_ = std::fopen(file.c_str(), "wb");
  if (!file_) {
    std::fprintf(stderr, "RU_AUDIO_OUT=%s: the file cannot be written\n", file.c_str());
    return;
  }
  FinishHeader();
}

HeadlessAudio::~HeadlessAudio() {
  if (file_) std::fclose(file_);
}

// The header with the sizes of what is written so far; the file position
// goes back to the end.
void HeadlessAudio::FinishHeader() {
  BYTE h[44];
  const std::uint64_t bytes = std::min<std::uint64_t>(written_ * 4, 0xFFFFFFFFu - 36);
  std::memcpy(h, "RIFF", 4);
  Put32(h + 4, std::uint32_t(36 + bytes));
  std::memcpy(h + 8, "WAVEfmt ", 8);
  Put32(h + 16, 16);
  h[20] = 1, h[21] = 0, h[22] = 2, h[23] = 0;  // PCM, stereo
  Put32(h + 24, kOutRate);
  Put32(h + 28, kOutRate * 4);
  h[32] = 4, h[33] = 0, h[34] = 16, h[35] = 0;  // block 4, 16 bits
  std::memcpy(h + 36, "data", 4);
  Put32(h + 40, std::uint32_t(bytes));
  std::fseek(file_, 0, SEEK_SET);
  std::fwrite(h, 1, sizeof h, file_);
  std::fseek(file_, 0, SEEK_END);
  std::fflush(file_);
}

bool HeadlessAudio::Open(const AudioFormat& pcm, AudioSource source) {
  if (!device_ || !source || pcm.BlockAlign() == 0) return false;
  source_ = std::move(source);
  format_ = pcm;
  open_ = true;
  paused_ = false;
  srcMs_ = srcPulled_ = 0;
  outBase_ = outDone_;
  chunkStart_ = chunkLen_ = 0;
  prevL_ = prevR_ = 0;
  return true;
}

void HeadlessAudio::Close() {
  open_ = false;
  source_ = nullptr;
}

void HeadlessAudio::Advance() {
  const DWORD now = TimeGetTime();
  const DWORD ms = now - mixedUntil_;
  mixedUntil_ = now;
  outMs_ += ms;
  const std::uint64_t outTarget = outMs_ * kOutRate / 1000;
  if (!open_ || paused_) {
    // A paused output keeps its place: the source resumes where it stopped.
    if (open_) outBase_ += outTarget - outDone_;
    EmitSilence(outTarget - outDone_);
  } else {
    srcMs_ += ms;
    const std::uint64_t srcTarget = srcMs_ * format_.samplesPerSec / 1000;
    const std::size_t align = format_.BlockAlign();
    while (srcPulled_ < srcTarget) {
      if (chunkLen_ > 0) StereoFrame(chunkStart_ + chunkLen_ - 1, &prevL_, &prevR_);
      const std::size_t n = std::size_t(std::min<std::uint64_t>(kChunk, srcTarget - srcPulled_));
      source_(chunk_, n * align);
      chunkStart_ = srcPulled_;
      chunkLen_ = n;
      srcPulled_ += n;
      EmitDue(outTarget, false);
    }
    EmitDue(outTarget, true);
  }
  if (outFill_ > 0) Emit(nullptr, 0);
  if (file_) FinishHeader();
}

// Source frame `index` (from the last chunk, or the one before it) as
// 16-bit left and right.
void HeadlessAudio::StereoFrame(std::uint64_t index, std::int32_t* l, std::int32_t* r) const {
  if (index + 1 == chunkStart_ || index < chunkStart_) {
    *l = prevL_;
    *r = prevR_;
    return;
  }
  const std::size_t bytes = format_.bitsPerSample / 8;
  const BYTE* p = chunk_ + std::size_t(index - chunkStart_) * format_.BlockAlign();
  auto sample = [bytes](const BYTE* q) -> std::int32_t {
    if (bytes == 1) return (std::int32_t(q[0]) - 128) << 8;
    return std::int16_t(std::uint16_t(q[0] | q[1] << 8));
  };
  *l = sample(p);
  *r = format_.channels == 2 ? sample(p + bytes) : *l;
}

// Output frames up to `limit` whose source frames are pulled; with `hold`,
// the rest too, holding the last source frame.
std::uint64_t HeadlessAudio::EmitDue(std::uint64_t limit, bool hold) {
  std::uint64_t made = 0;
  while (outDone_ < limit) {
    const unsigned __int128 p =
        ((unsigned __int128)(outDone_ - outBase_) * format_.samplesPerSec << 16) / kOutRate;
    std::uint64_t i = std::uint64_t(p >> 16);
    const std::int32_t f = std::int32_t(p & 0xFFFF);
    std::int32_t l = 0, r = 0;
    if (i + 1 < srcPulled_) {
      std::int32_t l0, r0, l1, r1;
      StereoFrame(i, &l0, &r0);
      StereoFrame(i + 1, &l1, &r1);
      l = l0 + std::int32_t((std::int64_t(l1 - l0) * f) >> 16);
      r = r0 + std::int32_t((std::int64_t(r1 - r0) * f) >> 16);
    } else if (!hold) {
      break;
    } else if (srcPulled_ > 0) {
      StereoFrame(std::min(i, srcPulled_ - 1), &l, &r);
    }
    const std::int16_t frame[2] = {std::int16_t(l), std::int16_t(r)};
    Emit(frame, 1);
    ++outDone_;
    ++made;
  }
  return made;
}

void HeadlessAudio::EmitSilence(std::uint64_t frames) {
  const std::int16_t zero[2] = {0, 0};
  for (std::uint64_t k = 0; k < frames; ++k) Emit(zero, 1);
  outDone_ += frames;
}

// Appends frames to the file through out_; no frames: writes out_ now.
void HeadlessAudio::Emit(const std::int16_t* stereo, std::size_t frames) {
  if (frames == 0 || outFill_ == kChunk) {
    if (file_ && outFill_ > 0) {
      // The file holds little-endian samples.
      BYTE bytes[kChunk * 4] = {};
      for (std::size_t i = 0; i < outFill_ * 2; ++i) {
        bytes[2 * i] = BYTE(std::uint16_t(out_[i]) & 0xFF);
        bytes[2 * i + 1] = BYTE(std::uint16_t(out_[i]) >> 8);
      }
      std::fwrite(bytes, 4, outFill_, file_);
      written_ += outFill_;
    }
    outFill_ = 0;
  }
  for (std::size_t k = 0; k < frames; ++k) {
    out_[2 * outFill_] = stereo[2 * k];
    out_[2 * outFill_ + 1] = stereo[2 * k + 1];
    if (++outFill_ == kChunk) Emit(nullptr, 0);
  }
}

}  // namespace platform
