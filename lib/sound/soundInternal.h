// State of the sound module shared between its files, its platform layers,
// the program's shell and the tests. The game sees zuSound.h only; what a
// layer provides is in soundPlatform.h.
#pragma once
#include <cstdint>
#include <cstdio>

#include "lib/sound/zuSound.h"

namespace zuSound {

// Opens the device and empties the table's buffers; 0 without a device.
int Init();
// Empties every slot (start of the screen).
void ClearTable();
// Frees every sound and the music and closes the device.
void Release();
// Brings the device back after Release and reads every loaded sound again.
void Restore();
void InitMidi();
void RestartMidi();
// The platform's news that a piece ended, from the event dispatch.
void OnMusicFinished();

// Format block as in a WAVEFORMATEX: 18 bytes, then cbSize extra bytes.
struct WaveFormat {
  uint16_t formatTag;
  uint16_t channels;
  uint32_t samplesPerSec;
  uint32_t avgBytesPerSec;
  uint16_t blockAlign;
  uint16_t bitsPerSample;
  uint16_t cbSize;
};
// The extra format bytes start right after the 18 bytes of the block.
inline uint8_t* WaveFormatExtra(WaveFormat* format) {
  return reinterpret_cast<uint8_t*>(format) + 18;
}
// Returns 0 on success. The blocks are allocated with std::malloc and freed by
// the caller; on failure both are null and *dataSize is 0.
int ReadWaveFile(const char* path, uint32_t* dataSize, WaveFormat** format, uint8_t** data);
// Turns what ReadWaveFile read into what every device plays: 16-bit PCM, mono
// or stereo (more channels are mixed down to two), at the file's rate. 8, 16,
// 24 and 32-bit PCM and 32-bit float, plain or extensible, are taken. The
// format block is rewritten and the data block replaced. Returns 0 on
// success; non-zero leaves both as they were (a format nobody plays, a rate
// outside 100 to 200000 Hz, no whole sample, or longer than five minutes).
int ConvertWave(WaveFormat* format, uint8_t** data, uint32_t* dataSize);

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

}  // namespace zuSound
