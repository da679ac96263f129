// The real main loop in the test process, headless, on a clock the test moves,
// with keys pushed as SDL events the way a player's arrive.
#pragma once
#include <SDL.h>

#include "app/game_main.h"
#include "lib/system/zuSystem.h"

namespace mainloop {

inline uint32_t now = 0;
inline uint32_t Ticks() { return now; }
inline void Nap(uint32_t) {}

inline void Push(SDL_Keycode sym, bool down, bool repeat = false) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat ? 1 : 0;
  e.key.keysym.sym = sym;
  e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
  SDL_PushEvent(&e);
}

inline void PushQuit() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
}

// GameMain over the generated assets with a fixed seed, the clock at `start`
// (or the given clock), recording to or playing a replay file; returns its status.
inline int Run(uint32_t seed, void (*before)(long), void (*after)(long), uint32_t start,
               zuSystem::TickSource ticks = Ticks, zuSystem::SleepSink sleep = Nap,
               const char* record = nullptr, const char* replay = nullptr) {
  now = start;
  zuSystem::SetClock(ticks, sleep);
  zuSystem::SetAppPath(SKYWARD_BIN_DIR);
  GameMainOptions options;
  options.headless = true;
  options.fixedSeed = true;
  options.seed = seed;
  options.beforeFrame = before;
  options.afterFrame = after;
  options.recordPath = record;
  options.replayPath = replay;
  const int status = GameMain(options);
  zuSystem::SetClock(nullptr, nullptr);
  zuSystem::SetAppPath(nullptr);
  return status;
}

}  // namespace mainloop
