// ru.h - everything a game includes.
#pragma once

#include "draw/draw.h"
#include "effects/effects.h"
#include "input/input.h"
#include "sound/sound.h"
#include "system/system.h"
#include "text/text.h"
