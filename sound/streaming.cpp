// streaming.cpp - long pack sounds played from a four-second buffer that
// Streaming refills two seconds at a time behind the play position, with a
// loop point, or a piece of silence and a stop at the end of a single play.
// Every refill opens, positions, reads and closes the pack.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/os/files.h"
#include "sound/sound.h"
#include "sound/sound_internal.h"
#include "system/system.h"

namespace ruSound {

namespace {

namespace pack = platform::soundpack;

constexpr const char* kNoPack = "パックファイル名が指定されていません";
constexpr const char* kCannotStream = "ストリーミング再生できません";
constexpr DWORD kStreamFlags = DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN |
                               DSBCAPS_CTRLFREQUENCY | DSBCAPS_GLOBALFOCUS |
                               DSBCAPS_GETCURRENTPOSITION2;
constexpr DWORD kMinStreamSeconds = 5;

// The piece being read; kept between refills so a frame allocates nothing
// once the largest stream has been loaded.
std::vector<BYTE> piece;

int LoadReport(const char* message, HRESULT code = 0) {
  ruSystem::Error("ruSound::LoadStream", message, code);
  return -1;
}

DWORD AverageBytesPerSecond(const std::vector<BYTE>& format) {
  WAVEFORMATEX wfx{};
  std::memcpy(&wfx, format.data(), std::min(format.size(), sizeof wfx));
  return wfx.nAvgBytesPerSec;
}

// Reads `bytes` at file offset `at` of the stream's pack into `piece`: 1,
// or 0 after a report under `tag` (the pack is missing, or shrank).
int ReadPiece(const char* tag, const SoundStream& st, DWORD at, DWORD bytes) {
  std::FILE* file = platform::OpenFile(st.StreamPath, "rb");
  if (!file) return ruSystem::Error(tag, kNoPack, 0);
  const pack::Reader reader = pack::OpenReader(file);
  const bool read = pack::ReadAt(reader, at, bytes, &piece);
  std::fclose(file);
  return read ? 1 : ruSystem::Error(tag, kCannotStream, 0);
}

// Whether the play position P has entered the piece written last.
bool RefillDue(const SoundStream& st, DWORD p) {
  if (st.WrapMark == kNoWrap) return p >= st.ChunkStart || p < st.LastPlayPos;
  if (st.ChunkStart < st.WrapMark) return st.ChunkStart <= p && p < st.WrapMark;
  return p >= st.ChunkStart;
}

// Two full pieces while the data lasts, then the rest as two halves.
DWORD PieceLength(const SoundStream& st) {
  const DWORD remaining = st.Size - st.ReadCount;
  DWORD n = st.HalfSize;
  if (remaining < n) n = remaining;
  else if (remaining - n < n) n = remaining / 2;
  return n;
}

// One refill of slot `no`; false after a report (the stream is stopped, so
// a pack that went missing or shrank is reported once).
bool Refill(int no, DWORD p) {
  SoundObject& s = Sounds[no];
  SoundStream& st = s.Stream;
  st.LastPlayPos = p;
  if (st.EndCountdown > 0 && --st.EndCountdown == 0) {
    Stop(no, -1);
    return true;
  }
  const DWORD n = PieceLength(st);
  if (!ReadPiece("ruSound::Streaming", st, st.ReadPos, n)) {
    Stop(no, -1);
    return false;
  }
  st.ReadPos += n;
  st.ReadCount += n;
  if (st.ReadCount >= st.Size) {
    st.ReadPos = st.LoopStart;
    st.ReadCount = st.LoopStart - st.DataStart;
    if (!s.Looping) st.EndCountdown = 2;
  }
  WriteBuffer(s.Buffers[0], st.WritePos, st.EndCountdown == 1 ? nullptr : piece.data(), n);
  st.WrapMark = st.WritePos < st.ChunkStart ? p : kNoWrap;
  st.ChunkStart = st.WritePos;
  st.WritePos += n;
  if (st.WritePos >= st.BufferSize) st.WritePos -= st.BufferSize;
  return true;
}

}  // namespace

int LoadStream(const char* name, int loop) {
  if (!SoundReady || !Device) return -1;
  if (!name) name = "";
  // Refused before a slot is taken (the caller could never free it).
  if (!Restoring && std::strlen(name) > kNameBytes - 1) return LoadReport("ファイル名が長すぎます");
  const int no = Restoring ? RestoreSlot : FirstFreeSlot();
  if (no < 0) return LoadReport("オブジェクト数が多過ぎます");
  SoundObject& s = Sounds[no];

  // A stream being restored reads its own pack again.
  SoundStream st;
  const char* path = Restoring ? s.Stream.StreamPath : PackPath;
  const size_t pathBytes = strnlen(path, kPathBytes - 1);
  std::memcpy(st.StreamPath, path, pathBytes);
  st.StreamPath[pathBytes] = '\0';

  std::vector<BYTE> format;
  {
    PackEntry found;
    const Lookup lookup = FindInPack(st.StreamPath, name, &found);
    if (lookup == Lookup::NoFile) return LoadReport(kNoPack);
    // Offsets are 32-bit: data beyond 4 GiB cannot be streamed.
    if (lookup == Lookup::NoEntry || !ReadEntry(found, &format, nullptr) ||
        found.entry.data + found.entry.size > 0xFFFFFFFFull)
      return LoadReport("WAVEファイルを読み込めません");
    st.Size = found.entry.size;
    st.DataStart = DWORD(found.entry.data);
  }
  const DWORD average = AverageBytesPerSecond(format);
  if (average == 0 || st.Size / average < kMinStreamSeconds) return LoadPack(name, 1);

  // A loop point at or past the end would read on into the next entry.
  const DWORD loopOffset = loop < 0 || DWORD(loop) >= st.Size ? 0 : DWORD(loop);
  st.BufferSize = average * 4;
  st.HalfSize = st.BufferSize / 2;
  st.ChunkStart = 0;
  st.WritePos = st.HalfSize;
  st.LoopStart = st.DataStart + loopOffset;
  if (piece.capacity() < st.HalfSize) piece.reserve(st.HalfSize);
  if (!ReadPiece("ruSound::LoadStream", st, st.DataStart, st.HalfSize)) return -1;
  st.ReadPos = st.DataStart + st.HalfSize;
  st.ReadCount = st.HalfSize;
  st.WrapMark = kNoWrap;
  st.LastPlayPos = 0;
  st.EndCountdown = 0;

  HRESULT hr = DS_OK;
  platform::SoundBuffer* buffer = MakeBuffer(format, st.BufferSize, kStreamFlags, &hr);
  if (!buffer) return LoadReport("サウンドバッファが生成できません", hr);
  WriteBuffer(buffer, 0, piece.data(), st.HalfSize);

  s.MixCount = 1;
  s.EchoStep = -1;
  if (!Restoring) s.MixCursor = 0;
  s.Buffers[0] = buffer;
  SetUpBufferControls(s, 0);
  s.Stream = st;
  s.Used = 1;
  s.FromPack = 1;
  if (!Restoring) std::strcpy(s.Name, name);
  return no;
}

void ReloadStream(int no) {
  const SoundStream& st = Sounds[no].Stream;
  LoadStream(Sounds[no].Name, int(st.LoopStart - st.DataStart));
}

int ResetStream(int no) {
  if (!SoundReady || no < 0 || no >= kSoundCount) return 0;
  SoundObject& s = Sounds[no];
  SoundStream& st = s.Stream;
  if (!s.Used || st.Size == 0 || !s.Buffers[0]) return 0;
  if (!ReadPiece("ruSound::ResetStream", st, st.DataStart, st.HalfSize)) return 0;
  st.ChunkStart = 0;
  st.WritePos = st.HalfSize;
  st.ReadPos = st.DataStart + st.HalfSize;
  st.ReadCount = st.HalfSize;
  st.WrapMark = kNoWrap;
  st.LastPlayPos = 0;
  st.EndCountdown = 0;
  WriteBuffer(s.Buffers[0], 0, piece.data(), st.HalfSize);
  return 1;
}

int Streaming() {
  if (!SoundReady || !Device) return 0;
  for (int no = 0; no < kSoundCount; ++no) {
    SoundObject& s = Sounds[no];
    if (!s.Used || s.Stream.Size == 0 || !s.Buffers[0]) continue;
    DWORD status = 0, p = 0;
    s.Buffers[0]->GetStatus(&status);
    if (!(status & DSBSTATUS_PLAYING)) continue;
    s.Buffers[0]->GetCurrentPosition(&p, nullptr);
    if (!RefillDue(s.Stream, p)) continue;
    if (!Refill(no, p)) return 0;
  }
  return 1;
}

}  // namespace ruSound
