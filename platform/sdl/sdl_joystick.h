// sdl_joystick.h - the desktop's two joysticks over SDL joysticks.
//
// Identifiers 0 and 1 go to joysticks in the order they were connected; a
// joystick unplugged frees its identifier (the other keeps its own), and the
// next one plugged in takes the lowest free one. Axes 0 and 1 map SDL's
// -32768..32767 onto 0..65535 (rest near 32767); SDL button k is bit k.
#pragma once

#include <SDL.h>

#include "platform/backend.h"

namespace platform::sdl {

class Joysticks {
 public:
  Joysticks() = default;
  Joysticks(const Joysticks&) = delete;
  Joysticks& operator=(const Joysticks&) = delete;
  ~Joysticks() { Close(); }

  // Starts SDL's joystick service and opens the joysticks already plugged
  // in. False when the service cannot start (then none ever answers).
  bool Open();
  // Closes every joystick; call before SDL_Quit.
  void Close();

  // Plugging and unplugging: true for SDL_JOYDEVICEADDED/REMOVED (handled),
  // false for any other event.
  bool HandleEvent(const SDL_Event& event);

  // The state of joystick `id`; false when no joystick has that id.
  bool Read(int id, JoystickState* state) const;

 private:
  void Add(int deviceIndex);
  void Remove(SDL_JoystickID instance);

  bool started_ = false;
  SDL_Joystick* slots_[2] = {nullptr, nullptr};
};

// SDL's axis value -32768..32767 as a position 0..65535.
inline DWORD AxisPosition(Sint16 value) { return DWORD(int(value) + 32768); }

}  // namespace platform::sdl
