// The Win32 side of the sound module: DirectSound static buffers.
#pragma once
#include "lib/sound/zuSound.h"

struct IDirectSoundBuffer;

namespace zuSound {

struct SoundVoices {
  IDirectSoundBuffer* voice[MAX_SOUND_BUFFERS];
};

// End of a piece (MM_MCINOTIFY with MCI_NOTIFY_SUCCESSFUL), from the window procedure.
void OnMciNotify(unsigned code);

}  // namespace zuSound
