// sound.h - ruSound: the sound device, the table of 70 numbered sound
// objects with their mix buffers, WAVE loading, sound packs and streaming,
// playback control with echo, the output format, system sounds and the
// beep, and MIDI music.
#pragma once

#include <vector>

#include "platform/audio/mixer.h"

namespace ruSound {

constexpr int kSoundCount = 70;   // SoundNo 0 to 69
constexpr int kMaxMix = 10;       // mix buffers per sound object
constexpr int kNameBytes = 31;    // stored name, zero-terminated

constexpr int kPathBytes = 260;   // pack paths, zero-terminated
constexpr DWORD kNoWrap = 0xFFFFFFFF;

// The streaming state of a slot; Size 0: not streamed. Offsets named
// "file" are in the pack, the others in the stream's buffer.
struct SoundStream {
  DWORD DataStart = 0;    // file offset of the first data byte
  DWORD LoopStart = 0;    // file offset reading resumes at after the last byte
  DWORD ReadPos = 0;      // file offset of the next read
  DWORD Size = 0;         // data bytes
  DWORD ReadCount = 0;    // data bytes consumed, counted from DataStart
  DWORD ChunkStart = 0;   // where the last written piece begins
  DWORD WritePos = 0;     // where the next piece is written
  DWORD HalfSize = 0;     // a normal piece: two seconds
  DWORD BufferSize = 0;   // the buffer: four seconds
  DWORD WrapMark = kNoWrap;  // play position when writing wrapped; kNoWrap none
  DWORD LastPlayPos = 0;  // play position at the last refill
  BYTE EndCountdown = 0;  // 2 at the data's end in a play-once run, then down
  char StreamPath[kPathBytes] = {};  // the pack, copied at load
};

// One slot of the table.
struct SoundObject {
  int Used = 0;
  int MixCount = 1;
  platform::SoundBuffer* Buffers[kMaxMix] = {};
  char Name[kNameBytes] = {};
  int FromPack = 0;
  LONG Volume[kMaxMix] = {};     // hundredths of a decibel, -10000 to 0
  LONG Frequency[kMaxMix] = {};  // Hz
  LONG Pan[kMaxMix] = {};        // -10000 (left) to 10000 (right)
  LONG BaseFrequency = 0;
  int MixCursor = 0;
  int Looping = 0;
  int EchoStep = -1;  // -1 no echo, 0 idle, 1 and up counting echoes
  float EchoTime = 0, EchoPanPos = 0;
  int EchoPanDir = 0;
  int EchoLoop = 0;
  DWORD PausePos[kMaxMix] = {};
  SoundStream Stream;
};

// ---- module state
extern int SoundReady;                     // 1 after the device opened
extern platform::SoundDevice* Device;      // the device
extern platform::PrimaryBuffer* Primary;   // its primary buffer
extern int Restoring;                      // 1 while slots are reloaded in place
extern int RestoreSlot;                    // the slot being reloaded
extern SoundObject Sounds[kSoundCount];
extern int MidiOpen;                       // the MIDI device is open
extern char PackPath[kPathBytes];          // the selected sound pack

// ---- set-up and sound objects
// Opens the device; false (and SoundReady 0) when there is none.
int InitSound();
// Screen set-up's start values for every slot.
void InitSoundSlots();
// Releases every buffer, the primary buffer and the device; slots keep their records.
void ExitSound();
// Loads a WAVE file, else a WAVE resource, with |mix| mix buffers; SoundNo or -1.
int LoadObject(const char* name, int mix);
// Stops and releases the object's buffers and frees the slot; returns no.
int FreeObject(int no);
// Reopens the device and reloads every used slot in place.
void RestoreSound();
// Play position in bytes of mix buffer 0.
DWORD GetPosition(int no);
// Reads a RIFF WAVE file (library path): 0 and the format block (its size
// is HeadSize) and the data block (its size is Size), else 1 with both empty.
int ReadWave(const char* path, std::vector<BYTE>* format, std::vector<BYTE>* data);

// ---- sound packs
// Selects the pack (program folder + name) later pack loads read.
char* SelectPack(const char* name);
// Loads the entry `name` (any case) of the selected pack; SoundNo or -1.
int LoadPack(const char* name, int mix);
// Appends every *.WAV of `folder` to `pack` (both beside the program);
// fresh not 0 starts a new pack. Returns 1.
int Convert(const char* pack, const char* folder, int fresh);

// ---- streaming
// Opens the entry `name` of the selected pack as a stream that loops back
// to byte `loop` of its data; sounds under five seconds load as pack sounds.
int LoadStream(const char* name, int loop);
// Refills every playing stream; called once per frame.
int Streaming();
// Rewinds a stream and refills the first half of its buffer.
int ResetStream(int no);

// ---- playback control (mix: a buffer, -2 the round-robin one with echo,
// other negatives round-robin for plays and all buffers otherwise)
// Plays once from the start.
int Play(int no, int mix);
// Plays looping from the start.
int PlayLoop(int no, int mix);
// Stops and rewinds.
int Stop(int no, int mix);
// Pauses, or resumes where it paused.
int Pause(int no, int mix);
// Frequency += value x 100 Hz (clamped to 100..100000).
int AddFrequency(int no, int value, int mix);
// Frequency = the base frequency + value x 100 Hz (clamped).
int SetFrequency(int no, int value, int mix);
// Back to the base frequency.
int ResetFrequency(int no, int mix);
// Pan += value x 100 (clamped to -10000..10000).
int AddPan(int no, int value, int mix);
// Pan = value x 100 (clamped).
int SetPan(int no, int value, int mix);
// Pan to the centre.
int ResetPan(int no, int mix);
// Pan fully left.
int PanLeft(int no, int mix);
// Pan fully right.
int PanRight(int no, int mix);
// Volume += value x 100 (clamped to -10000..0).
int AddVolume(int no, int value, int mix);
// Volume = value x 100 (clamped).
int SetVolume(int no, int value, int mix);
// Full volume.
int ResetVolume(int no, int mix);
// Echo drivers, called once per frame.
int Echo(int no, int interval, int repeats, int decay);
// Echo with a pan that wanders at speed.
int EchoPan(int no, int interval, int repeats, int decay, int speed);

// ---- output format, system sounds, beep
// Mixes in channels (1, 2), rate (8, 11, 22, 44 or Hz), bits (8, 16); 1, or 0 after a report.
int SelectFormat(int channels, int rate, int bits);
// Plays a WAVE file or a system sound name to its end, the device given up meanwhile.
void PlaySystemSound(const char* name);
// The warning beep.
void Beep();

// ---- MIDI
extern int MidiLoop;   // 1: the piece starts again at its end
extern int MidiEnded;  // 1 once the end of a piece was reported
// Start values: nothing open, not ended, looping.
int InitMidi();
// Plays the MIDI file `name` (beside the program), looped (1) or once (0),
// replacing any piece open; returns loop.
int PlayMidi(const char* name, int loop);
// Stops and closes the piece, if one is open.
void StopMidi();
// Sends stop and close whatever the state; MidiOpen stays.
void CloseMidi();
// The piece playing ends at its end instead of starting again.
void MidiOnce();
// The end of the piece (from the window procedure): again, or close.
void MidiNotify();

}  // namespace ruSound
