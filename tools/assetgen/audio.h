// Sounds and music as bytes ready to write.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// sound.cpp: RIFF WAVE, 16-bit PCM mono
std::vector<uint8_t> MakeShotWav();
std::vector<uint8_t> MakeBomWav();

// music.cpp: the music macro language, compiled into a type-1 standard MIDI file.
// Returns an empty vector and fills *error when the text does not compile.
std::vector<uint8_t> CompileSong(const char* text, std::string* error);

// songs.cpp: the four pieces, in the music macro language
struct SongSource {
  const char* file;
  const char* text;
};
extern const SongSource kSongs[4];
