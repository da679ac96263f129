// State of the sound module shared between its files, its platform layers
// and its tests. The game sees zuSound.h only.
#pragma once
#include <cstdint>
#include <cstdio>

#include "lib/sound/zuSound.h"

// SoundVoices: the platform's playing side of one sound.
#if defined(_WIN32)
#include "lib/win32/soundWin32.h"
#else
#include "lib/sdl/soundSdl.h"
#endif

namespace zuSound {

constexpr int SOUND_NAME_SIZE = 31;

struct SoundBuffer {
  int32_t volume;      // hundredths of a decibel, 0 after loading
  uint32_t frequency;  // Hz, the rate the sound was recorded at
  int32_t pan;         // 0 after loading
};

struct SoundSlot : SoundVoices {
  int used;
  int bufferCount;
  int nextBuffer;
  uint32_t defaultFrequency;
  char name[SOUND_NAME_SIZE];
  SoundBuffer buffers[MAX_SOUND_BUFFERS];
};

extern SoundSlot soundTable[MAX_SOUNDS];
extern int soundEnabled;
extern int soundRestoring;

// The music piece open under the one alias, and its flags.
extern int midiOpen;
extern int midiLoop;

// Where the standard MIDI file lies in a file: all of it, or the "data" chunk
// of a RIFF "RMID" file. smpte is 1 when it is timed in SMPTE frames rather
// than in ticks per quarter note.
struct MidiPiece {
  long start, length;
  int smpte;
};
// Checks that a standard MIDI file, bare or RIFF-wrapped, parses the way a
// synthesizer will read it and lasts longer than zero ticks. A piece that
// fails here would spin the player when looped, so it is never handed over.
int MidiFileIsPlayable(FILE* f, MidiPiece* piece = nullptr);

// Reads slot id's sound again from its file into new buffers, keeping the
// buffers' volume, frequency and pan (for buffers the device took away).
void ReloadSlot(int id);

// --- provided by the platform layer ---
// Makes slot s's bufferCount buffers from the samples (freeing what it had).
// False when the device cannot take the format (or the sound is empty).
bool MakeVoices(SoundSlot& s, WaveFormat* format, const uint8_t* data, uint32_t size,
                int bufferCount);
// Forgets slot s's buffers without freeing them (the table is cleared).
void ResetVoices(SoundSlot& s);
// Whether slot s has buffers to play.
bool VoicesReady(const SoundSlot& s);
// Buffer b of slot s, cut off if still sounding, plays once from its start.
void PlayVoice(SoundSlot& s, int b);

}  // namespace zuSound
