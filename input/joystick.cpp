// joystick.cpp - joystick calibration. No joystick is read yet: set-up
// finds none and succeeds.
#include "input/input.h"

namespace ruSystem {

int InitJoystick() { return 1; }

}  // namespace ruSystem
