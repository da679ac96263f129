#include "tools/bench/children.h"

#include <SDL.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/game_main.h"
#include "game/bosses/boss.h"
#include "game/flow/scene.h"
#include "game/flow/stage.h"
#include "game/player/ship.h"
#include "lib/input/inputInternal.h"
#include "lib/sdl/zuInputSdl.h"
#include "lib/system/zuSystem.h"
#include "lib/sdl/zuSystemSdl.h"
#include "tools/bench/probes.h"
#include "tools/bench/scenario.h"

extern char** environ;

namespace perf {
namespace {

double Ms(uint64_t ns) { return static_cast<double>(ns) / 1e6; }

void AfterFirstFrame(long frame) {
  if (frame != 0) return;
  const uint64_t now = NowNs();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double cpu = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                     (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
  const StartupPhases& p = Phases();
  std::printf("%llu cpu=%.3f window=%.3f screen=%.3f soundInit=%.3f midiInit=%.3f "
              "pictures=%.3f sounds=%.3f music=%.3f caption=%.3f\n",
              static_cast<unsigned long long>(now), cpu, Ms(p.window), Ms(p.screen),
              Ms(p.soundInit), Ms(p.midiInit), Ms(p.pictures), Ms(p.sounds), Ms(p.music),
              Ms(p.caption));
  std::fflush(stdout);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
}

// The whole game, scripted: keys through SDL's queue as a player's would come,
// the ship kept alive and each boss worn down steadily once it is in place.
struct WholeRun {
  uint32_t now = 0;
  long frames = 0;
  int lastScene = -1;
  char scenes[64] = "";
  int titleVisits = 0;
  long sceneFrames = 0;
  int pendingUp = 0;  // virtual key to release on the next frame
  bool quitSent = false;
} whole;

uint32_t WholeTicks() { return whole.now; }
void WholeSleep(uint32_t) {}

void PushKey(int vk, bool down) {
  const SDL_Keycode sym = zuSystem::SdlKeyFromVirtual(vk);
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.windowID = mainWindow != nullptr ? SDL_GetWindowID(mainWindow) : 0;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = sym;
  e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
  SDL_PushEvent(&e);
}

void Quit() {
  if (whole.quitSent) return;
  whole.quitSent = true;
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
}

void WearDown(BossRecord& boss, float sectionStart) {
  if (stageClock > sectionStart && boss.y >= 0.0f && boss.hitPoints > 0.0f) {
    boss.hitPoints -= 0.7f;
  }
}

void WholeBeforeFrame(long) {
  whole.now += STEP_MS;
  ++whole.frames;
  if (scene != whole.lastScene) {
    const size_t used = std::strlen(whole.scenes);
    std::snprintf(whole.scenes + used, sizeof whole.scenes - used, "%s%d", used ? "," : "",
                  scene);
    whole.lastScene = scene;
    whole.sceneFrames = 0;
    if (scene == 1) ++whole.titleVisits;
  }
  ++whole.sceneFrames;
  if (whole.pendingUp != 0) {
    PushKey(whole.pendingUp, false);
    whole.pendingUp = 0;
  }
  if (whole.frames > 60000) Quit();  // something went wrong; end anyway
  switch (scene) {
    case 1:
      if (whole.titleVisits >= 2) {
        if (whole.sceneFrames > 60) Quit();  // back on the title: the game is over
      } else if (whole.sceneFrames == 60) {
        PushKey(VK_SPACE, true);
        whole.pendingUp = VK_SPACE;
      }
      break;
    case 11:
      if (whole.sceneFrames == 30) {
        PushKey(VK_RETURN, true);
        whole.pendingUp = VK_RETURN;
      }
      break;
    case 2:
    case 3:
      energy = 77;
      zuSystem::SetKeyDown('Z', true);
      if (scene == 2) {
        WearDown(boss1, stage1Data.bossSectionLow);
      } else {
        WearDown(boss2, stage2Data.bossSectionLow);
      }
      break;
    default: break;
  }
}

}  // namespace

int StartupChild() {
  zuSystem::SetUserFolder("");  // the player's best score is not the bench's
  GameMainOptions options;
  options.headless = true;
  options.fixedSeed = true;
  options.seed = BENCH_SEED;
  options.afterFrame = AfterFirstFrame;
  return GameMain(options);
}

int WholeRunChild() {
  zuSystem::SetClock(WholeTicks, WholeSleep);
  zuSystem::SetUserFolder("");
  GameMainOptions options;
  options.headless = true;
  options.fixedSeed = true;
  options.seed = BENCH_SEED;
  options.beforeFrame = WholeBeforeFrame;
  const int status = GameMain(options);
  std::printf("%ld %s\n", whole.frames, whole.scenes);
  return status;
}

ChildResult RunSelf(const char* mode) {
  ChildResult result;
  int out[2];
  if (pipe(out) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  char self[] = "/proc/self/exe";
  char* argv[] = {self, const_cast<char*>(mode), nullptr};
  pid_t pid = 0;
  result.spawnedNs = NowNs();
  const int spawned = posix_spawn(&pid, self, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    return result;
  }
  char buffer[512];
  ssize_t n;
  while ((n = read(out[0], buffer, sizeof buffer)) > 0) result.output.append(buffer, n);
  close(out[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  result.endedNs = NowNs();
  result.maxRssKb = usage.ru_maxrss;
  result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return result;
}

}  // namespace perf
