// sdl_joystick.cpp - SDL joysticks as identifiers 0 and 1, opened when
// plugged in and closed when unplugged.
#include "platform/sdl/sdl_joystick.h"

#include <cstdio>

namespace platform::sdl {

namespace {
constexpr int kButtonBits = 32;
}  // namespace

bool Joysticks::Open() {
  if (started_) return true;
  // As with the platform's joystick reading, sticks are read whether or not
  // the window has the focus.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
    std::fprintf(stderr, "joysticks: %s\n", SDL_GetError());
    return false;
  }
  started_ = true;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) Add(i);
  SDL_JoystickUpdate();  // so that the first reading sees where they rest
  return true;
}

void Joysticks::Close() {
  if (!started_) return;
  for (SDL_Joystick*& j : slots_) {
    if (j) SDL_JoystickClose(j);
    j = nullptr;
  }
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  started_ = false;
}

bool Joysticks::HandleEvent(const SDL_Event& event) {
  if (event.type == SDL_JOYDEVICEADDED) {
    if (started_) Add(event.jdevice.which);
    return true;
  }
  if (event.type == SDL_JOYDEVICEREMOVED) {
    if (started_) Remove(event.jdevice.which);
    return true;
  }
  return false;
}

// A device already open (SDL also reports the ones present at start) or
// arriving while both identifiers are taken is left alone.
void Joysticks::Add(int deviceIndex) {
  const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (instance < 0) return;
  for (SDL_Joystick* j : slots_)
    if (j && SDL_JoystickInstanceID(j) == instance) return;
  for (SDL_Joystick*& j : slots_) {
    if (j) continue;
    j = SDL_JoystickOpen(deviceIndex);
    if (!j) std::fprintf(stderr, "joysticks: %s\n", SDL_GetError());
    return;
  }
}

void Joysticks::Remove(SDL_JoystickID instance) {
  for (SDL_Joystick*& j : slots_) {
    if (!j || SDL_JoystickInstanceID(j) != instance) continue;
    SDL_JoystickClose(j);
    j = nullptr;
  }
}

bool Joysticks::Read(int id, JoystickState* state) const {
  if (id < 0 || id > 1 || !slots_[id] || !state) return false;
  SDL_Joystick* j = slots_[id];
  if (!SDL_JoystickGetAttached(j)) return false;
  JoystickState s;
  s.present = true;
  if (SDL_JoystickNumAxes(j) > 0) s.x = AxisPosition(SDL_JoystickGetAxis(j, 0));
  if (SDL_JoystickNumAxes(j) > 1) s.y = AxisPosition(SDL_JoystickGetAxis(j, 1));
  const int buttons = SDL_JoystickNumButtons(j);
  for (int k = 0; k < buttons && k < kButtonBits; ++k)
    if (SDL_JoystickGetButton(j, k)) s.buttons |= DWORD(1) << k;
  *state = s;
  return true;
}

}  // namespace platform::sdl
