#include "lib/sound/zuSound.h"

// Placeholder bodies until the sound module lands.
namespace zuSound {
int Init() { return 0; }
void ClearTable() {}
int LoadObject(const char*, int) { return 0; }
void Play(int, int) {}
void Release() {}
void Restore() {}
int ReadWaveFile(const char*, uint32_t* dataSize, WaveFormat** format, uint8_t** data) {
  *dataSize = 0;
  *format = nullptr;
  *data = nullptr;
  return 1;
}
void InitMidi() {}
void PlayMidi(const char*) {}
void StopMidi() {}
void RestartMidi() {}
uint32_t MusicEventType() { return 0; }
void OnMusicFinished() {}
}  // namespace zuSound
