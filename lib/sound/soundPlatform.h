// What each platform layer provides to the shared sound code. Effects are
// addressed by their slot in the sound table; the layer keeps its buffers
// for each slot in data of its own.
#pragma once
#include <cstdint>

#include "lib/sound/soundInternal.h"

namespace zuSound {

// --- the device ---
// Opens the sound device and sets soundEnabled; 0 when there is none (the
// game runs silent, without a message).
int PlatformOpenSound();
// Stops every sound and the music, frees every slot's buffers and closes the
// device; soundEnabled becomes 0.
void PlatformCloseSound();

// --- effects ---
// Makes slot id's bufferCount buffers from 16-bit PCM samples in one or two
// channels (freeing what it had). False when the device cannot take them.
bool PlatformMakeVoices(int id, WaveFormat* format, const uint8_t* data, uint32_t size,
                        int bufferCount);
// Forgets slot id's buffers without freeing them (the table is cleared).
void PlatformResetVoices(int id);
// Whether slot id has buffers to play.
bool PlatformVoicesReady(int id);
// Buffer b of slot id, cut off if still sounding, plays once from its start.
void PlatformPlayVoice(int id, int b);

// --- music ---
// Forgets any piece (start of the screen); midiOpen 0, midiLoop 1.
void PlatformInitMidi();
// Opens the piece of that name in the program's folder and plays it in a
// loop; a missing or unplayable piece is silence, without a message.
void PlatformPlayMidi(const char* name);
void PlatformStopMidi();
// Plays the open piece again from its start (or stops it when not looping).
void PlatformRestartMidi();
// The platform said a piece ended: only one that is open and really stopped
// starts again; the late news of a replaced piece is dropped.
void PlatformMusicFinished();

}  // namespace zuSound
