// mci.cpp - the MCI command-string interpreter for the one sequencer device
// the MIDI code uses, under the alias "midi": open (with a check of the
// file before the synthesizer's player sees it), seek to start, play with
// notification, stop, close and the mode query.
#include "platform/audio/mci.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/audio/midi_synth.h"
#include "platform/audio/mixer.h"
#include "platform/formats/midi_file.h"
#include "platform/os/files.h"

namespace platform {

namespace {

constexpr DWORD kUnrecognized = 261;   // MCIERR_UNRECOGNIZED_COMMAND
constexpr DWORD kNotOpen = 263;        // MCIERR_INVALID_DEVICE_NAME
constexpr DWORD kFileNotFound = 275;   // MCIERR_FILE_NOT_FOUND
constexpr DWORD kAliasInUse = 289;     // MCIERR_DUPLICATE_ALIAS
constexpr DWORD kInvalidFile = 296;    // MCIERR_INVALID_FILE

constexpr const char* kOpenPrefix = "open \"";
constexpr const char* kOpenSuffix = "\" type sequencer alias midi";

bool deviceOpen = false;
bool holdsOutput = false;

void Reply(char* reply, UINT size, const char* text) {
  if (!reply || !size) return;
  std::strncpy(reply, text, size - 1);
  reply[size - 1] = '\0';
}

DWORD Open(const std::string& command) {
  const size_t prefix = std::strlen(kOpenPrefix), suffix = std::strlen(kOpenSuffix);
  if (command.size() < prefix + suffix || command.compare(0, prefix, kOpenPrefix) != 0 ||
      command.compare(command.size() - suffix, suffix, kOpenSuffix) != 0)
    return kUnrecognized;
  if (deviceOpen) return kAliasInUse;
  const std::string path = command.substr(prefix, command.size() - prefix - suffix);
  std::vector<unsigned char> file;
  if (path.empty() || !ReadWholeFile(path, file, kMaxMidiFileBytes)) return kFileNotFound;
  if (!CheckMidiFile(file.data(), file.size(), nullptr)) return kInvalidFile;
  midi::Load(file);
  deviceOpen = true;
  holdsOutput = AcquireOutput();
  return 0;
}

void Close() {
  midi::Unload();
  deviceOpen = false;
  if (holdsOutput) ReleaseOutput();
  holdsOutput = false;
}

}  // namespace

DWORD MciSendString(const char* text, char* reply, UINT replySize, HWND callback) {
  Reply(reply, replySize, "");
  if (!text) return kUnrecognized;
  const std::string command = text;
  if (command.compare(0, 5, "open ") == 0) return Open(command);
  if (!deviceOpen) return kNotOpen;
  if (command == "seek midi to start") {
    midi::Rewind();
  } else if (command == "play midi notify") {
    midi::Play(true, callback);
  } else if (command == "play midi") {
    midi::Play(false, nullptr);
  } else if (command == "stop midi") {
    midi::Stop();
  } else if (command == "close midi") {
    Close();
  } else if (command == "status midi mode") {
    Reply(reply, replySize, midi::Playing() ? "playing" : "stopped");
  } else {
    return kUnrecognized;
  }
  return 0;
}

void DeliverMciNotifications() { midi::Deliver(); }

}  // namespace platform
