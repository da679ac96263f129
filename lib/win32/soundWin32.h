// The Win32 side of the sound module: DirectSound static buffers.
#pragma once
#include "lib/sound/soundInternal.h"

struct IDirectSoundBuffer;

namespace zuSound {

// DirectSound's side of one slot of the sound table.
struct SoundVoices {
  IDirectSoundBuffer* voice[MAX_SOUND_BUFFERS];
};
extern SoundVoices soundVoices[MAX_SOUNDS];

// End of a piece (MM_MCINOTIFY with MCI_NOTIFY_SUCCESSFUL), from the window procedure.
void OnMciNotify(unsigned code);

}  // namespace zuSound
