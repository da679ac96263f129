// The SDL side of the sound module: the mixer's chunks and channels, the music.
#pragma once
#include <SDL_mixer.h>

#include <cstdint>

#include "lib/sound/soundInternal.h"

namespace zuSound {

// The mixer's side of one slot of the sound table.
struct SoundVoices {
  // The sound's samples in the mixer's format, shared by all its buffers.
  Mix_Chunk* chunk;
  uint8_t* samples;
  // Buffer b plays on mixer channel firstChannel + b.
  int firstChannel;
};

extern SoundVoices soundVoices[MAX_SOUNDS];

// The SDL user event type that the music-finished hook pushes (registered on
// first use); the event dispatch hands it to OnMusicFinished.
uint32_t MusicEventType();

// Mixer channels handed out to buffers so far.
extern int soundChannels;

extern Mix_Music* midiMusic;
// A piece held for the whole run, never played: it keeps the soundfont loaded.
extern Mix_Music* residentMusic;
// The soundfont chosen for the music, or "" when none was found.
extern char midiSoundFont[4096];

// Whether a soundfont list is large enough that reading it again at every
// piece would stall the game, so one piece keeps it loaded for the run.
bool KeepSoundFontLoaded(const char* list);
// The first readable General MIDI soundfont, or null.
const char* FindSoundFont();
// Keeps the synthesizer's own log lines off standard error.
void SilenceSynthLog();

}  // namespace zuSound
