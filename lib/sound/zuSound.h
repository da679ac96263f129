// Sound effects (RIFF WAVE, round-robin buffers) and MIDI music.
#pragma once
#include <cstdint>

namespace zuSound {

constexpr int MAX_SOUNDS = 70;
constexpr int MAX_SOUND_BUFFERS = 10;

// Reads a WAVE file of the program's folder into the next free slot with
// bufferCount buffers (1 to 10). Its id, or 0 after reporting a failure.
int LoadObject(const char* name, int bufferCount);
// Plays buffer bufferIndex of a sound from its start; -1 takes the next in turn.
void Play(int soundId, int bufferIndex);

// Opens a MIDI file of the program's folder and plays it in a loop.
void PlayMidi(const char* name);
void StopMidi();

}  // namespace zuSound
