// MIDI music: one piece at a time, played by the mixer's synthesizer with a
// General MIDI soundfont. A piece that must loop is looped by the player
// itself, seamlessly; the end notification comes back through the event loop.
#include <SDL.h>
#include <SDL_mixer.h>
#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "lib/sdl/soundSdl.h"
#include "lib/sound/soundInternal.h"
#include "lib/sound/soundPlatform.h"
#include "lib/system/zuSystem.h"

namespace zuSound {

Mix_Music* midiMusic = nullptr;
Mix_Music* residentMusic = nullptr;
char midiSoundFont[4096] = "";

namespace {

// A soundfont found by the game itself stays below this, for the memory budget.
constexpr long long SOUNDFONT_LIMIT = 40LL * 1024 * 1024;

const char* const SOUNDFONT_FIRST[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};
const char* const SOUNDFONT_FOLDERS[] = {
    "/usr/share/sounds/sf2",
    "/usr/share/soundfonts",
};

// Whether the file opens and starts as a soundfont does.
bool HasSoundFontHead(const char* path) {
  FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return false;
  unsigned char head[12];
  const bool ok = std::fread(head, 1, 12, f) == 12 && std::memcmp(head, "RIFF", 4) == 0 &&
                  std::memcmp(head + 8, "sfbk", 4) == 0;
  std::fclose(f);
  return ok;
}

bool IsSoundFont(const char* path) {
  struct stat st;
  if (stat(path, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > SOUNDFONT_LIMIT) {
    return false;
  }
  return HasSoundFontHead(path);
}

bool EndsWithSf2(const char* name) {
  const size_t n = std::strlen(name);
  return n > 4 && strcasecmp(name + n - 4, ".sf2") == 0;
}

// What a list of files (separated by ':' or ';', as the mixer splits it)
// holds: whether any of them is a soundfont that can be opened (no size limit:
// the player chose it), and the bytes of those that are.
struct SoundFontList {
  bool readable = false;
  long long bytes = 0;
};
SoundFontList LookAtSoundFonts(const char* list) {
  char copy[4096];
  std::snprintf(copy, sizeof copy, "%s", list);
  SoundFontList found;
  char* rest = nullptr;
  for (char* path = strtok_r(copy, ":;", &rest); path != nullptr;
       path = strtok_r(nullptr, ":;", &rest)) {
    struct stat st;
    if (stat(path, &st) != 0 || !HasSoundFontHead(path)) continue;
    found.readable = true;
    found.bytes += st.st_size;
  }
  return found;
}

// Above this, reading the soundfont again at a scene change stalls the game
// (a third of a second for 148 MB); below it the reload takes about 12 ms,
// no more than with the samples kept, and keeping them costs a second
// synthesizer of some 8.5 MB.
constexpr long long KEEP_SOUNDFONT_ABOVE = 16LL * 1024 * 1024;

bool musicChecked = false;
// Whether one piece stays loaded, never played, to keep the soundfont's samples.
bool keepSoundFont = false;
// No usable soundfont: the music stays silent, as the one line about it says
// (the synthesizer would otherwise guess a soundfont of its own).
bool soundFontMissing = false;

void ChooseSoundFont() {
  if (musicChecked) return;
  musicChecked = true;
  SilenceSynthLog();
  keepSoundFont = false;
  // A soundfont the player named himself is his choice.
  const char* env = SDL_getenv("SDL_SOUNDFONTS");
  if (env != nullptr && env[0] != '\0') {
    std::snprintf(midiSoundFont, sizeof midiSoundFont, "%s", env);
    keepSoundFont = KeepSoundFontLoaded(env);
    if (!LookAtSoundFonts(env).readable) {
      // A name that leads nowhere gets one line, not a silent guess.
      std::fprintf(stderr,
                   "Skyward Run: the soundfont named in SDL_SOUNDFONTS (%s) cannot be "
                   "read; the music stays silent.\n",
                   env);
      std::fflush(stderr);
      soundFontMissing = true;
    }
    return;
  }
  const char* found = FindSoundFont();
  if (found == nullptr) {
    std::fprintf(stderr,
                 "Skyward Run: no General MIDI soundfont found (install the "
                 "timgm6mb-soundfont package); the music stays silent.\n");
    std::fflush(stderr);
    soundFontMissing = true;
    return;
  }
  std::snprintf(midiSoundFont, sizeof midiSoundFont, "%s", found);
  keepSoundFont = KeepSoundFontLoaded(found);
  Mix_SetSoundFonts(midiSoundFont);
}

}  // namespace

bool KeepSoundFontLoaded(const char* list) {
  return LookAtSoundFonts(list).bytes > KEEP_SOUNDFONT_ABOVE;
}

void SilenceSynthLog() {
  // The synthesizer's log is not reachable through the mixer, but it is the
  // library the mixer already loaded: give it a sink that drops every line.
  using LogFunction = void (*)(int, const char*, void*);
  using SetLogFunction = LogFunction (*)(int, LogFunction, void*);
  static const LogFunction drop = [](int, const char*, void*) {};
  const char* const names[] = {"libfluidsynth.so.3", "libfluidsynth.so.2", "libfluidsynth.so"};
  for (const char* name : names) {
    void* lib = SDL_LoadObject(name);
    if (lib == nullptr) continue;
    auto set = reinterpret_cast<SetLogFunction>(SDL_LoadFunction(lib, "fluid_set_log_function"));
    if (set != nullptr) {
      // Levels from panic (0) to debug (4).
      for (int level = 0; level <= 4; ++level) set(level, drop, nullptr);
      return;  // the library stays loaded: the mixer uses it
    }
    SDL_UnloadObject(lib);
  }
  SDL_ClearError();
}

const char* FindSoundFont() {
  for (const char* path : SOUNDFONT_FIRST) {
    if (IsSoundFont(path)) return path;
  }
  // Otherwise the smallest soundfont in the usual folders, as it loads fastest.
  static char best[4096];
  long long bestSize = -1;
  for (const char* folder : SOUNDFONT_FOLDERS) {
    DIR* dir = opendir(folder);
    if (dir == nullptr) continue;
    while (dirent* e = readdir(dir)) {
      if (!EndsWithSf2(e->d_name)) continue;
      char path[4096];
      const int n = std::snprintf(path, sizeof path, "%s/%s", folder, e->d_name);
      if (n < 0 || static_cast<size_t>(n) >= sizeof path || !IsSoundFont(path)) continue;
      struct stat st;
      if (stat(path, &st) != 0) continue;
      if (bestSize < 0 || st.st_size < bestSize) {
        bestSize = st.st_size;
        std::snprintf(best, sizeof best, "%s", path);
      }
    }
    closedir(dir);
  }
  return bestSize < 0 ? nullptr : best;
}

void PlatformInitMidi() {
  midiOpen = 0;
  midiLoop = 1;
  // Without a device there is nothing to play on, and nothing to say.
  if (soundEnabled) ChooseSoundFont();
}

// The open piece's standard MIDI file (a RIFF-wrapped one unwrapped), kept to
// load it afresh for a restart; it only grows, so pieces after the longest
// one allocate nothing.
std::vector<uint8_t> midiBytes;
size_t midiSize = 0;

Mix_Music* LoadPiece() {
  return Mix_LoadMUSType_RW(SDL_RWFromConstMem(midiBytes.data(), static_cast<int>(midiSize)),
                            MUS_MID, 1);
}

// Loads the open piece afresh and plays it with the loop flag set: the player
// loops the piece itself, without a gap. A piece the synthesizer refuses is silence.
void StartPiece() {
  midiMusic = LoadPiece();
  if (midiMusic == nullptr) {
    SDL_ClearError();
    return;
  }
  Mix_PlayMusic(midiMusic, -1);
}

void PlatformPlayMidi(const char* name) {
  char path[4096];
  const int n = std::snprintf(path, sizeof path, "%s%s", zuSystem::GetAppPath(), name);
  if (midiOpen) PlatformStopMidi();
  midiOpen = 1;
  midiLoop = 1;
  // A missing or unreadable piece means silence, and no message.
  if (!soundEnabled || n < 0 || static_cast<size_t>(n) >= sizeof path) return;
  FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return;
  MidiPiece piece{};
  // The synthesizer has no SMPTE timing: it would load such a piece and play
  // nothing, so it stays silent here too. Music is never near 16 MB.
  bool ok = MidiFileIsPlayable(f, &piece) != 0 && piece.smpte == 0 &&
            piece.length <= (16 << 20);
  if (ok) {
    midiSize = static_cast<size_t>(piece.length);
    if (midiBytes.size() < midiSize) midiBytes.resize(midiSize);
    ok = std::fseek(f, piece.start, SEEK_SET) == 0 &&
         std::fread(midiBytes.data(), 1, midiSize, f) == midiSize;
  }
  std::fclose(f);
  if (!ok) return;
  ChooseSoundFont();
  if (soundFontMissing) return;
  if (residentMusic == nullptr && keepSoundFont) {
    // The synthesizer shares a soundfont's samples between the pieces that hold
    // it and drops them with the last one. One piece kept loaded, never played,
    // for the whole run keeps them, so a large soundfont is read once per run
    // and a scene change does not stall on reading it again.
    residentMusic = LoadPiece();
    if (residentMusic == nullptr) SDL_ClearError();
  }
  StartPiece();
}

void PlatformStopMidi() {
  if (!midiOpen) return;
  if (midiMusic != nullptr) {
    Mix_HaltMusic();
    Mix_FreeMusic(midiMusic);
    midiMusic = nullptr;
  }
  midiOpen = 0;
}

void PlatformRestartMidi() {
  if (!midiLoop) {
    PlatformStopMidi();
    return;
  }
  if (!soundEnabled || midiMusic == nullptr) return;
  // The synthesizer's player resumes where it was stopped rather than at the
  // start, so the piece is loaded afresh.
  Mix_HaltMusic();
  Mix_FreeMusic(midiMusic);
  StartPiece();
}

void PlatformMusicFinished() {
  // Only a piece that is open and has really stopped starts again; the late
  // news of a piece that was stopped or replaced is dropped.
  if (!midiOpen || !soundEnabled || midiMusic == nullptr) return;
  if (Mix_PlayingMusic() || Mix_PausedMusic()) return;
  PlatformRestartMidi();
}

}  // namespace zuSound
