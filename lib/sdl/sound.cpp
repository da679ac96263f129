// The SDL side of sound effects: the mixer, and one mixer channel per buffer.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lib/sdl/soundSdl.h"
#include "lib/sound/soundInternal.h"
#include "lib/sound/soundPlatform.h"
#include "lib/system/zuSystem.h"

namespace zuSound {

int soundChannels = 0;
SoundVoices soundVoices[MAX_SOUNDS];

namespace {

constexpr int MIXER_RATE = 44100;
constexpr int MIXER_CHANNELS = 2;
constexpr int MIXER_CHUNK = 1024;
// The format the mixer was opened with; every sound is converted to it once.
int mixerRate = MIXER_RATE;
Uint16 mixerFormat = MIX_DEFAULT_FORMAT;
int mixerChannels = MIXER_CHANNELS;

void PushMusicFinished() {
  // Runs on the audio thread: only hand the news to the main loop.
  SDL_Event e;
  SDL_zero(e);
  e.type = MusicEventType();
  SDL_PushEvent(&e);
}

void FreeSamples(SoundVoices& s) {
  if (s.chunk != nullptr) Mix_FreeChunk(s.chunk);
  SDL_free(s.samples);
  s.chunk = nullptr;
  s.samples = nullptr;
}

// Converts the samples, 16-bit PCM in one or two channels as ConvertWave made
// them, to the mixer's format into slot s. False when that fails (or the
// sound is empty).
bool MakeChunk(SoundVoices& s, WaveFormat* wf, const uint8_t* data, uint32_t size) {
  const SDL_AudioFormat format = AUDIO_S16LSB;
  if (wf->formatTag != 1 || wf->bitsPerSample != 16 || wf->channels == 0 || wf->channels > 2 ||
      wf->samplesPerSec == 0) {
    return false;
  }
  const uint32_t frameBytes = wf->channels * 2u;
  if (wf->blockAlign != frameBytes) return false;
  const uint32_t bytes = size / frameBytes * frameBytes;
  if (bytes == 0 || bytes > 0x7FFFFFFFu / 8) return false;
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(wf->channels),
                        static_cast<int>(wf->samplesPerSec), mixerFormat,
                        static_cast<Uint8>(mixerChannels), mixerRate) < 0) {
    return false;
  }
  cvt.len = static_cast<int>(bytes);
  cvt.buf = static_cast<Uint8*>(SDL_malloc(static_cast<size_t>(bytes) * cvt.len_mult));
  if (cvt.buf == nullptr) return false;
  std::memcpy(cvt.buf, data, bytes);
  if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) {
    SDL_free(cvt.buf);
    return false;
  }
  const Uint32 converted = cvt.needed ? static_cast<Uint32>(cvt.len_cvt) : bytes;
  Mix_Chunk* chunk = converted > 0 ? Mix_QuickLoad_RAW(cvt.buf, converted) : nullptr;
  if (chunk == nullptr) {
    SDL_free(cvt.buf);
    return false;
  }
  s.chunk = chunk;
  s.samples = cvt.buf;
  return true;
}

}  // namespace

int PlatformOpenSound() {
  soundEnabled = 0;
  // No device (or a driver that does not exist): the game runs silent.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  if (Mix_OpenAudio(MIXER_RATE, MIX_DEFAULT_FORMAT, MIXER_CHANNELS, MIXER_CHUNK) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  int rate = 0;
  Uint16 format = 0;
  int channels = 0;
  if (Mix_QuerySpec(&rate, &format, &channels) != 0) {
    mixerRate = rate;
    mixerFormat = format;
    mixerChannels = channels;
  }
  Mix_Init(MIX_INIT_MID);
  MusicEventType();
  Mix_HookMusicFinished(PushMusicFinished);
  for (SoundVoices& v : soundVoices) {
    v.chunk = nullptr;
    v.samples = nullptr;
  }
  // Channels are handed out again as the sounds load.
  soundChannels = 0;
  soundRestoring = 0;
  soundEnabled = 1;
  return 1;
}

bool PlatformMakeVoices(int id, WaveFormat* format, const uint8_t* data, uint32_t size,
                        int bufferCount) {
  SoundVoices& s = soundVoices[id];
  FreeSamples(s);
  if (!MakeChunk(s, format, data, size)) return false;
  // One mixer channel per buffer, in load order.
  s.firstChannel = soundChannels;
  soundChannels += bufferCount;
  if (Mix_AllocateChannels(-1) < soundChannels) Mix_AllocateChannels(soundChannels);
  return true;
}

void PlatformResetVoices(int id) { soundVoices[id].firstChannel = 0; }

bool PlatformVoicesReady(int id) { return soundVoices[id].chunk != nullptr; }

void PlatformPlayVoice(int id, int b) {
  const SoundVoices& s = soundVoices[id];
  // A buffer still sounding is cut off and starts again from its beginning.
  const int channel = s.firstChannel + b;
  Mix_HaltChannel(channel);
  Mix_PlayChannel(channel, s.chunk, 0);
}

void PlatformCloseSound() {
  if (!soundEnabled) return;
  Mix_HookMusicFinished(nullptr);
  // The music cannot outlive the device it plays on.
  if (midiMusic != nullptr) {
    Mix_HaltMusic();
    Mix_FreeMusic(midiMusic);
    midiMusic = nullptr;
  }
  if (residentMusic != nullptr) {
    Mix_FreeMusic(residentMusic);
    residentMusic = nullptr;
  }
  for (int id = 0; id < MAX_SOUNDS; ++id) {
    const SoundSlot& s = soundTable[id];
    if (!s.used) continue;
    for (int b = 0; b < s.bufferCount; ++b) Mix_HaltChannel(soundVoices[id].firstChannel + b);
    FreeSamples(soundVoices[id]);
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  // Nothing plays until Restore brings the device back.
  soundEnabled = 0;
}

uint32_t MusicEventType() {
  static uint32_t type = 0;
  if (type == 0) {
    const Uint32 t = SDL_RegisterEvents(1);
    if (t != static_cast<Uint32>(-1)) type = t;
  }
  return type;
}

}  // namespace zuSound
