// Sound effects: a fixed table of sounds, each with up to ten buffers, so a
// sound can overlap itself. The table's bookkeeping is the same on every
// platform; the buffers themselves belong to the platform layer.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lib/sound/soundInternal.h"
#include "lib/sound/soundPlatform.h"
#include "lib/system/zuSystem.h"

namespace zuSound {

SoundSlot soundTable[MAX_SOUNDS];
int soundEnabled = 0;
int soundRestoring = 0;
int midiOpen = 0;
int midiLoop = 1;

namespace {

constexpr const char* LOAD = "zuSound::LoadObject";

// The slot that Restore is reloading.
int restoreId = 0;

}  // namespace

void ClearTable() {
  for (SoundSlot& s : soundTable) {
    s.used = 0;
    s.bufferCount = 1;
    s.nextBuffer = 0;
    s.defaultFrequency = 0;
    s.name[0] = '\0';
    for (SoundBuffer& b : s.buffers) b = SoundBuffer{0, 0, 0};
    PlatformResetVoices(static_cast<int>(&s - soundTable));
  }
}

int LoadObject(const char* name, int bufferCount) {
  if (!soundEnabled) return 0;
  // More than ten would write past the buffers of the slot.
  if (bufferCount < 1 || bufferCount > MAX_SOUND_BUFFERS) {
    return zuSystem::Error(LOAD, "バッファ数が範囲外です");
  }
  int id = restoreId;
  if (!soundRestoring) {
    id = 0;
    while (id < MAX_SOUNDS && soundTable[id].used) ++id;
    if (id == MAX_SOUNDS) return zuSystem::Error(LOAD, "オブジェクト数が多すぎます");
  }
  SoundSlot& s = soundTable[id];

  static char path[4096];
  const int n = std::snprintf(path, sizeof path, "%s%s", zuSystem::GetAppPath(), name);
  uint32_t size = 0;
  WaveFormat* format = nullptr;
  uint8_t* data = nullptr;
  // A path too long for the buffer cannot be a file we read.
  if (n < 0 || static_cast<size_t>(n) >= sizeof path ||
      ReadWaveFile(path, &size, &format, &data) != 0) {
    // The program carries no WAVE resources to fall back on.
    return zuSystem::Error(LOAD, "WAVEリソースが見つかりません");
  }

  // Every file becomes 16-bit PCM at its own rate first: what every device takes.
  const bool made =
      ConvertWave(format, &data, &size) == 0 &&
      PlatformMakeVoices(id, format, data, size, bufferCount);
  const uint32_t rate = format->samplesPerSec;
  std::free(format);
  std::free(data);
  if (!made) return zuSystem::Error(LOAD, "サウンドバッファが生成できません");

  s.bufferCount = bufferCount;
  if (!soundRestoring) {
    s.nextBuffer = 0;
    s.defaultFrequency = rate;
    for (int b = 0; b < bufferCount; ++b) s.buffers[b] = SoundBuffer{0, rate, 0};
  }
  s.used = 1;

  if (soundRestoring) return id;
  if (std::strlen(name) < sizeof s.name) {
    std::strcpy(s.name, name);
    return id;
  }
  // The sound stays loaded in its slot, without a name.
  return zuSystem::Error(LOAD, "ファイル名またはリソース名が長すぎます");
}

void Play(int soundId, int bufferIndex) {
  if (!soundEnabled || soundId < 0 || soundId >= MAX_SOUNDS) return;
  SoundSlot& s = soundTable[soundId];
  if (!s.used || !PlatformVoicesReady(soundId) || bufferIndex >= s.bufferCount) return;
  int b = bufferIndex;
  if (b < 0) {
    b = s.nextBuffer;
    if (++s.nextBuffer >= s.bufferCount) s.nextBuffer = 0;
  }
  PlatformPlayVoice(soundId, b);
}

void ReloadSlot(int id) {
  soundRestoring = 1;
  restoreId = id;
  LoadObject(soundTable[id].name, soundTable[id].bufferCount);
  soundRestoring = 0;
  restoreId = 0;
}

int Init() { return PlatformOpenSound(); }
void Release() { PlatformCloseSound(); }
void InitMidi() { PlatformInitMidi(); }
void PlayMidi(const char* name) { PlatformPlayMidi(name); }
void StopMidi() { PlatformStopMidi(); }
void RestartMidi() { PlatformRestartMidi(); }
void OnMusicFinished() { PlatformMusicFinished(); }

void Restore() {
  if (soundEnabled || !Init()) return;
  for (int id = 0; id < MAX_SOUNDS; ++id) {
    if (soundTable[id].used) ReloadSlot(id);
  }
}

}  // namespace zuSound
