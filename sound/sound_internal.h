// sound_internal.h - what the sound module's files share among themselves.
#pragma once

#include "sound/sound.h"

namespace ruSound {

// Stops and releases the existing buffers of a slot (the record stays).
void ReleaseSlotBuffers(SoundObject& s);
// Reloads every used slot in place with its recorded settings.
void ReloadSlots();
// Starts an echo sequence for a round-robin play with selector -2.
void StartEcho(int no, bool loop);

}  // namespace ruSound
