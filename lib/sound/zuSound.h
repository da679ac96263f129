// Sound effects (RIFF WAVE, round-robin buffers) and MIDI music.
#pragma once
#include <cstdint>

namespace zuSound {

constexpr int MAX_SOUNDS = 70;
constexpr int MAX_SOUND_BUFFERS = 10;

int Init();
void ClearTable();
int LoadObject(const char* name, int bufferCount);
void Play(int soundId, int bufferIndex);
void Release();
void Restore();

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

void InitMidi();
void PlayMidi(const char* name);
void StopMidi();
void RestartMidi();
// The SDL user event type that the music-finished hook pushes (registered on
// first use); the event dispatch calls OnMusicFinished for it.
uint32_t MusicEventType();
// End of a piece, as dispatched from the event loop.
void OnMusicFinished();

}  // namespace zuSound
