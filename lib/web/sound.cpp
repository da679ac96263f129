// Sound through the page's Web Audio: each effect's samples become one audio
// buffer, played by as many voices as the slot has buffers; the music is the
// pieces rendered at build time, looped by the browser without a gap.
#include <cstdio>

#include "lib/sound/soundPlatform.h"
#include "lib/system/zuSystem.h"
#include "lib/web/web.h"

namespace zuSound {

namespace {
bool voices[MAX_SOUNDS];
}  // namespace

int PlatformOpenSound() {
  soundEnabled = skyward_audio_open() ? 1 : 0;
  return soundEnabled;
}

void PlatformCloseSound() {
  for (int id = 0; id < MAX_SOUNDS; ++id) {
    if (voices[id]) skyward_voice_forget(id);
    voices[id] = false;
  }
  skyward_music_stop();
  skyward_audio_close();
  soundEnabled = 0;
}

bool PlatformMakeVoices(int id, WaveFormat* format, const uint8_t* data, uint32_t size,
                        int bufferCount) {
  if (voices[id]) skyward_voice_forget(id);
  voices[id] = false;
  if (!soundEnabled || format->bitsPerSample != 16 || format->channels < 1 || format->channels > 2) {
    return false;
  }
  const int frames = static_cast<int>(size / (2u * format->channels));
  if (frames <= 0) return false;
  voices[id] = skyward_voice_make(id, reinterpret_cast<const int16_t*>(data), frames,
                                  format->channels, static_cast<int>(format->samplesPerSec),
                                  bufferCount) != 0;
  return voices[id];
}

void PlatformResetVoices(int id) { voices[id] = false; }

bool PlatformVoicesReady(int id) { return voices[id]; }

void PlatformPlayVoice(int id, int b) { skyward_voice_play(id, b); }

void PlatformInitMidi() {
  midiOpen = 0;
  midiLoop = 1;
}

void PlatformPlayMidi(const char* name) {
  if (midiOpen) PlatformStopMidi();
  midiOpen = 1;
  midiLoop = 1;
  if (!soundEnabled) return;
  // A missing or unplayable piece is silence, and no message, as on the desktop.
  char path[4096];
  const int n = std::snprintf(path, sizeof path, "%s%s", zuSystem::GetAppPath(), name);
  if (n < 0 || static_cast<size_t>(n) >= sizeof path) return;
  std::FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return;
  MidiPiece piece{};
  const bool ok = MidiFileIsPlayable(f, &piece) != 0 && piece.smpte == 0;
  std::fclose(f);
  if (ok) skyward_music_play(name);
}

void PlatformStopMidi() {
  if (!midiOpen) return;
  skyward_music_stop();
  midiOpen = 0;
}

void PlatformRestartMidi() {
  if (!midiLoop) {
    PlatformStopMidi();
    return;
  }
  // The browser loops the piece itself and never reports its end; a restart
  // asked for all the same starts it again from the beginning.
  if (midiOpen && soundEnabled) skyward_music_play(nullptr);
}

void PlatformMusicFinished() {}

}  // namespace zuSound
