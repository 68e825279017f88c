// headless_audio.h - the headless sound output: the fake clock drives the
// mixer. At the start of each frame step the sink asks the mixer for
// exactly the time the clock moved on since the last step (fractions of a
// sample carried), so a sound started in frame N is heard from frame N + 1.
// With a file named, everything is written as a 16-bit stereo 44100 Hz
// WAVE, converted from whatever format the mixer produces; the file is a
// complete WAVE after every step. Closed or paused output counts as silence.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/backend.h"

namespace platform {

struct HeadlessOptions;

// Reads RU_AUDIO (none: no output device) and RU_AUDIO_OUT (the WAVE file
// to write) into `options`.
void ReadHeadlessAudioOptions(HeadlessOptions* options);

class HeadlessAudio {
 public:
  // `device`: whether an output exists; `file`: host path or empty.
  HeadlessAudio(DWORD clockStart, bool device, const std::string& file);
  ~HeadlessAudio();

  bool Open(const AudioFormat& pcm, AudioSource source);
  void Pause(bool paused) { paused_ = paused; }
  void Close();
  // Mixes the time from the last call up to the clock's value now.
  void Advance();

 private:
  void Emit(const std::int16_t* stereo, std::size_t frames);
  void EmitSilence(std::uint64_t frames);
  void FinishHeader();
  std::uint64_t EmitDue(std::uint64_t limit, bool hold);
  void StereoFrame(std::uint64_t index, std::int32_t* l, std::int32_t* r) const;

  bool device_;
  std::FILE* file_ = nullptr;
  std::uint64_t written_ = 0;  // output frames in the file
  DWORD mixedUntil_;           // clock value mixed up to
  std::uint64_t outMs_ = 0;    // milliseconds of output so far
  std::uint64_t outDone_ = 0;  // output frames so far
  // The open output: frames pulled since it opened, and the output frame
  // at which it opened.
  AudioSource source_;
  AudioFormat format_;
  bool open_ = false, paused_ = false;
  std::uint64_t srcMs_ = 0, srcPulled_ = 0, outBase_ = 0;
  // The last chunk pulled from the source, with the frame before it.
  static constexpr std::size_t kChunk = 1024;
  BYTE chunk_[kChunk * 4];
  std::uint64_t chunkStart_ = 0, chunkLen_ = 0;
  std::int32_t prevL_ = 0, prevR_ = 0;
  std::int16_t out_[kChunk * 2];
  std::size_t outFill_ = 0;
};

}  // namespace platform
