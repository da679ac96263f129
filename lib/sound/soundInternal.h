// State of the sound module shared between its files (and its tests).
// Holds SDL types, so it stays inside lib/sound; the game sees zuSound.h only.
#pragma once
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdio>

#include "lib/sound/zuSound.h"

namespace zuSound {

constexpr int SOUND_NAME_SIZE = 31;

struct SoundBuffer {
  int32_t volume;      // hundredths of a decibel, 0 after loading
  uint32_t frequency;  // Hz, the rate the sound was recorded at
  int32_t pan;         // 0 after loading
};

struct SoundSlot {
  int used;
  int bufferCount;
  int nextBuffer;
  uint32_t defaultFrequency;
  char name[SOUND_NAME_SIZE];
  SoundBuffer buffers[MAX_SOUND_BUFFERS];
  // The sound's samples in the mixer's format, shared by all its buffers.
  Mix_Chunk* chunk;
  uint8_t* samples;
  // Buffer b plays on mixer channel firstChannel + b.
  int firstChannel;
};

extern SoundSlot soundTable[MAX_SOUNDS];
extern int soundEnabled;
extern int soundRestoring;
// Mixer channels handed out to buffers so far.
extern int soundChannels;

// The music piece open under the one alias, and its flags.
extern Mix_Music* midiMusic;
extern int midiOpen;
extern int midiLoop;
// The soundfont chosen for the music, or "" when none was found.
extern char midiSoundFont[4096];

// Checks that a standard MIDI file parses the way the synthesizer will read it
// and lasts longer than zero ticks. A piece that fails here would spin the
// player when looped, so it is never handed over.
int MidiFileIsPlayable(FILE* f);

// The first readable General MIDI soundfont, or null.
const char* FindSoundFont();
// Keeps the synthesizer's own log lines off standard error.
void SilenceSynthLog();

}  // namespace zuSound
