// Sound effects on DirectSound: every buffer of a sound is a static
// secondary buffer holding the whole sound.

#include <cstring>

#include "lib/sound/soundInternal.h"
#include "lib/sound/soundPlatform.h"
#include "lib/win32/soundWin32.h"
#include "lib/win32/win32.h"

#include <dsound.h>  // after windows.h

namespace zuSound {

SoundVoices soundVoices[MAX_SOUNDS];

namespace {

IDirectSound* directSound = nullptr;
IDirectSoundBuffer* primaryBuffer = nullptr;

void ReleaseVoice(IDirectSoundBuffer*& b) {
  if (b == nullptr) return;
  b->Stop();
  b->Release();
  b = nullptr;
}

IDirectSoundBuffer* MakeBuffer(WaveFormat* format, const uint8_t* data, uint32_t size) {
  DSBUFFERDESC desc = {};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
  desc.dwBufferBytes = size;
  // The format block is laid out as a WAVEFORMATEX with its extra bytes.
  desc.lpwfxFormat = reinterpret_cast<WAVEFORMATEX*>(format);
  IDirectSoundBuffer* b = nullptr;
  if (directSound->CreateSoundBuffer(&desc, &b, nullptr) != DS_OK) return nullptr;
  void* first = nullptr;
  void* second = nullptr;
  DWORD firstBytes = 0, secondBytes = 0;
  if (b->Lock(0, size, &first, &firstBytes, &second, &secondBytes, 0) != DS_OK) {
    b->Release();
    return nullptr;
  }
  std::memcpy(first, data, firstBytes);
  if (second != nullptr) std::memcpy(second, data + firstBytes, secondBytes);
  b->Unlock(first, firstBytes, second, secondBytes);
  return b;
}

}  // namespace

int PlatformOpenSound() {
  soundEnabled = 0;
  // No device: the game runs silent, without a message. The headless runner
  // plays nothing.
  if (zuSystem::headlessRun || mainWindow == nullptr) return 0;
  if (DirectSoundCreate(nullptr, &directSound, nullptr) != DS_OK) {
    directSound = nullptr;
    return 0;
  }
  directSound->SetCooperativeLevel(mainWindow, DSSCL_NORMAL);
  DSBUFFERDESC desc = {};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
  if (directSound->CreateSoundBuffer(&desc, &primaryBuffer, nullptr) != DS_OK) {
    primaryBuffer = nullptr;
  }
  for (SoundVoices& v : soundVoices) {
    for (IDirectSoundBuffer*& b : v.voice) b = nullptr;
  }
  soundRestoring = 0;
  soundEnabled = 1;
  return 1;
}

bool PlatformMakeVoices(int id, WaveFormat* format, const uint8_t* data, uint32_t size,
                        int bufferCount) {
  const SoundSlot& slot = soundTable[id];
  SoundVoices& s = soundVoices[id];
  for (IDirectSoundBuffer*& b : s.voice) ReleaseVoice(b);
  if (size == 0) return false;
  for (int i = 0; i < bufferCount; ++i) {
    IDirectSoundBuffer* b = MakeBuffer(format, data, size);
    if (b == nullptr) {
      for (IDirectSoundBuffer*& made : s.voice) ReleaseVoice(made);
      return false;
    }
    s.voice[i] = b;
    if (soundRestoring) {
      b->SetVolume(slot.buffers[i].volume);
      b->SetFrequency(slot.buffers[i].frequency);
      b->SetPan(slot.buffers[i].pan);
    }
  }
  return true;
}

void PlatformResetVoices(int id) {
  for (IDirectSoundBuffer*& b : soundVoices[id].voice) b = nullptr;
}

bool PlatformVoicesReady(int id) { return soundVoices[id].voice[0] != nullptr; }

void PlatformPlayVoice(int id, int b) {
  SoundVoices& s = soundVoices[id];
  IDirectSoundBuffer* voice = s.voice[b];
  if (voice == nullptr) return;
  // A buffer still sounding is cut off and starts again from its beginning.
  voice->Stop();
  voice->SetCurrentPosition(0);
  if (voice->Play(0, 0, 0) == DSERR_BUFFERLOST) {
    // The device took the buffers' memory back (another program held it for
    // itself): without reading the sound again it would stay silent for the run.
    ReloadSlot(id);
    if (s.voice[b] != nullptr) s.voice[b]->Play(0, 0, 0);
  }
}

void PlatformCloseSound() {
  if (!soundEnabled) return;
  // The music ends with the program.
  PlatformStopMidi();
  for (int id = 0; id < MAX_SOUNDS; ++id) {
    if (!soundTable[id].used) continue;
    for (IDirectSoundBuffer*& b : soundVoices[id].voice) ReleaseVoice(b);
  }
  if (primaryBuffer != nullptr) primaryBuffer->Release();
  primaryBuffer = nullptr;
  if (directSound != nullptr) directSound->Release();
  directSound = nullptr;
  soundEnabled = 0;
}

}  // namespace zuSound
