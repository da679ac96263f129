#include "tools/replay/replay.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/game_main.h"
#include "app/game_state_hash.h"
#include "game/flow/scene.h"
#include "lib/input/zuInput.h"
#include "lib/system/zuSystem.h"
#include "tools/replay/replay_platform.h"
#include "tools/replay/trace_game_fields.h"

namespace {

struct Shot {
  long frame;
  std::string path;
};

struct Stall {
  long frame;
  uint32_t ms;
};

struct Run {
  uint32_t stepMs = 12;
  std::vector<Stall> stalls;  // frames that last longer than a step
  long frames = -1;  // no bound
  std::vector<ScriptEvent> events;
  size_t nextEvent = 0;
  std::vector<Shot> shots;
  std::FILE* trace = nullptr;
  std::FILE* checksums = nullptr;
  uint64_t blockHash = 0;
  bool realTime = false;
  uint32_t realStart = 0;
  uint32_t virtualNow = 0;
  bool held[256] = {};
  bool quitSent = false;
  int failures = 0;
} run;

uint32_t VirtualTicks() { return run.virtualNow; }
void VirtualSleep(uint32_t) {}  // sleeps advance nothing: a frame is exactly --step-ms

void PushKey(int vk, bool down) {
  // A second "down" while held is the keyboard's auto-repeat.
  ReplayPushKey(vk, down, down && run.held[vk]);
  run.held[vk] = down;
}

void BeforeFrame(long index) {
  const long frame = index + 1;
  if (run.realTime) {
    if (index == 0) run.realStart = zuSystem::MachineTicks();
    // The disk audio driver records in real time; keep the frames in step with it.
    const uint32_t due = run.realStart + static_cast<uint32_t>(index) * run.stepMs;
    const uint32_t now = zuSystem::MachineTicks();
    if (static_cast<int32_t>(due - now) > 0) zuSystem::MachineSleep(due - now);
  }
  uint32_t step = run.stepMs;
  for (const Stall& stall : run.stalls) {
    if (stall.frame == frame) step = stall.ms;
  }
  run.virtualNow += step;  // wraps like the real 32-bit tick count
  while (run.nextEvent < run.events.size() && run.events[run.nextEvent].frame <= frame) {
    const ScriptEvent& e = run.events[run.nextEvent++];
    PushKey(e.virtualKey, e.down);
  }
}

void WriteTrace(long frame) {
  if (run.trace == nullptr) return;
  std::fprintf(run.trace, "{\"frame\":%ld,\"scene\":%d", frame, scene);
  WriteGameTraceFields(run.trace);
  std::fprintf(run.trace, ",\"paused\":%d,\"continuePrompt\":%d,\"lastKey\":%d}\n", paused,
               continuePrompt, lastKey);
}

constexpr long CHECKSUM_BLOCK = 10;

// The play column of the back surface as this frame left it. The title is left
// out: its help line comes from the system's fonts, which differ between machines.
uint16_t screen[640 * 480];

uint64_t HashScreen(uint64_t h) {
  if (scene == 1 || !ReplayReadScreen(screen)) return h;
  constexpr int LEFT = 130, RIGHT = 510;
  for (int y = 0; y < 480; ++y) {
    const uint8_t* row = reinterpret_cast<const uint8_t*>(screen + y * 640);
    uint64_t word = 0;
    for (int x = LEFT * 2; x < RIGHT * 2; x += 8) {
      std::memcpy(&word, row + x, 8);
      h = (h ^ word) * 0x100000001b3ull;
    }
  }
  return h;
}

// One line per ten frames: the game's state and the screen of those frames.
void WriteChecksum(long frame, bool last) {
  if (run.checksums == nullptr) return;
  if (!last) {
    if (run.blockHash == 0) run.blockHash = GAME_STATE_HASH_START;
    run.blockHash = HashScreen(HashGameState(run.blockHash));
    if (frame % CHECKSUM_BLOCK != 0) return;
  } else if (run.blockHash == 0) {
    return;
  }
  std::fprintf(run.checksums, "%08x\n",
               static_cast<uint32_t>(run.blockHash ^ (run.blockHash >> 32)));
  run.blockHash = 0;
}

void AfterFrame(long index) {
  const long frame = index + 1;
  WriteTrace(frame);
  WriteChecksum(frame, false);
  for (const Shot& shot : run.shots) {
    if (shot.frame != frame) continue;
    std::string why;
    if (!ReplaySaveScreen(shot.path, &why)) {
      std::fprintf(stderr, "skyward-replay: cannot write %s: %s\n", shot.path.c_str(),
                   why.c_str());
      ++run.failures;
    }
  }
  if (run.frames >= 0 && frame >= run.frames && !run.quitSent) {
    // The end of the run is a close request, so the game shuts down as usual.
    run.quitSent = true;
    ReplayPushQuit();
  }
}

int Usage(const char* why) {
  if (why != nullptr) std::fprintf(stderr, "skyward-replay: %s\n", why);
  std::fprintf(stderr,
               "usage: skyward-replay [--assets DIR] [--seed N] [--step-ms MS] [--frames N]\n"
               "                      [--input FILE] [--screenshot FRAME=PATH.bmp ...]\n"
               "                      [--trace PATH.jsonl] [--checksums PATH] [--audio PATH.raw]\n"
               "                      [--clock-start MS] [--stall FRAME=MS ...]\n"
               "                      [--record-dir DIR] [--record FILE | --replay FILE]\n"
               "Frames count from 1; input lines are `FRAME down KEY` or `FRAME up KEY`.\n"
               "--replay plays a recorded run: its seed, input and frame times come from\n"
               "the file.\n");
  return 2;
}

bool ParseNumber(const char* text, long* out, long minimum) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < minimum) return false;
  *out = v;
  return true;
}

bool LoadScript(const char* path) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "skyward-replay: cannot read %s\n", path);
    return false;
  }
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    ScriptEvent e{};
    bool has = false;
    std::string reason;
    if (!ParseScriptLine(line, &e, &has, &reason)) {
      std::fprintf(stderr, "skyward-replay: %s:%d: %s\n", path, number, reason.c_str());
      return false;
    }
    if (has) run.events.push_back(e);
  }
  std::stable_sort(run.events.begin(), run.events.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
  return true;
}

}  // namespace

int KeyFromName(const std::string& raw) {
  std::string name = raw;
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static const struct {
    const char* name;
    int vk;
  } names[] = {{"space", VK_SPACE}, {"enter", VK_RETURN}, {"return", VK_RETURN},
               {"f2", VK_F2},       {"f4", VK_F4},        {"left", VK_LEFT},
               {"right", VK_RIGHT}, {"up", VK_UP},        {"down", VK_DOWN},
               {"shift", VK_SHIFT}, {"ctrl", VK_CONTROL}, {"esc", VK_ESCAPE},
               {"escape", VK_ESCAPE}};
  for (const auto& n : names) {
    if (name == n.name) return n.vk;
  }
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return name[0] - 'a' + 'A';
  if (name.size() > 2 && name[0] == '0' && name[1] == 'x') {
    char* end = nullptr;
    const long v = std::strtol(name.c_str() + 2, &end, 16);
    if (*end == '\0' && v > 0 && v < 256) return static_cast<int>(v);
  }
  return 0;
}

bool ParseScriptLine(const std::string& raw, ScriptEvent* event, bool* hasEvent,
                     std::string* reason) {
  *hasEvent = false;
  std::string line = raw.substr(0, raw.find('#'));
  std::istringstream in(line);
  std::string frameText, action, key, extra;
  if (!(in >> frameText)) return true;  // blank or comment
  if (!(in >> action >> key) || (in >> extra)) {
    *reason = "expected `FRAME down|up KEY`";
    return false;
  }
  long frame = 0;
  if (!ParseNumber(frameText.c_str(), &frame, 1)) {
    *reason = "bad frame number `" + frameText + "`";
    return false;
  }
  if (action != "down" && action != "up") {
    *reason = "expected down or up, not `" + action + "`";
    return false;
  }
  const int vk = KeyFromName(key);
  if (vk == 0 || !ReplayKnowsKey(vk)) {
    *reason = "unknown key `" + key + "`";
    return false;
  }
  *event = ScriptEvent{frame, action == "down", vk};
  *hasEvent = true;
  return true;
}

int ReplayMain(int argc, char** argv) {
  run = Run{};
  GameMainOptions options;
  options.headless = true;
  const char* audio = nullptr;
  const char* tracePath = nullptr;
  const char* checksumPath = nullptr;
  // What a played file brings along cannot also be given here.
  const char* scripted = nullptr;
  // The player's kept best score is never read or written by a replay unless asked.
  zuSystem::SetUserFolder("");
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](const char** out) {
      if (i + 1 >= argc) return false;
      *out = argv[++i];
      return true;
    };
    const char* v = nullptr;
    long n = 0;
    if (arg == "--help" || arg == "-h") {
      Usage(nullptr);
      return 0;
    } else if (arg == "--assets") {
      if (!value(&v)) return Usage("--assets needs a folder");
      zuSystem::SetAppPath(v);
    } else if (arg == "--record-dir") {
      // Where the best score is read from and kept, as the game keeps it for the player.
      if (!value(&v) || v[0] == '\0') return Usage("--record-dir needs a folder");
      zuSystem::SetUserFolder(v);
    } else if (arg == "--record") {
      if (!value(&options.recordPath)) return Usage("--record needs a file");
    } else if (arg == "--replay") {
      if (!value(&options.replayPath)) return Usage("--replay needs a file");
    } else if (arg == "--seed") {
      scripted = "--seed";
      char* end = nullptr;
      if (!value(&v)) return Usage("--seed needs a number");
      const unsigned long long seed = std::strtoull(v, &end, 0);
      if (end == v || *end != '\0' || seed > 0xFFFFFFFFull) return Usage("bad --seed");
      options.fixedSeed = true;
      options.seed = static_cast<uint32_t>(seed);
    } else if (arg == "--step-ms") {
      scripted = "--step-ms";
      if (!value(&v) || !ParseNumber(v, &n, 1) || n > 100000) return Usage("bad --step-ms");
      run.stepMs = static_cast<uint32_t>(n);
    } else if (arg == "--clock-start") {
      scripted = "--clock-start";
      // The virtual tick count at start-up, e.g. just before the 32-bit wrap.
      char* end = nullptr;
      if (!value(&v)) return Usage("--clock-start needs a number");
      const unsigned long long ms = std::strtoull(v, &end, 0);
      if (end == v || *end != '\0' || ms > 0xFFFFFFFFull) return Usage("bad --clock-start");
      run.virtualNow = static_cast<uint32_t>(ms);
    } else if (arg == "--stall") {
      scripted = "--stall";
      // That frame lasts MS instead of --step-ms (a long stall of the machine).
      if (!value(&v)) return Usage("--stall needs FRAME=MS");
      const char* eq = std::strchr(v, '=');
      long ms = 0;
      if (eq == nullptr || !ParseNumber(std::string(v, eq).c_str(), &n, 1) ||
          !ParseNumber(eq + 1, &ms, 1) || ms > 3600000) {
        return Usage("bad --stall");
      }
      run.stalls.push_back(Stall{n, static_cast<uint32_t>(ms)});
    } else if (arg == "--frames") {
      if (!value(&v) || !ParseNumber(v, &n, 1)) return Usage("bad --frames");
      run.frames = n;
    } else if (arg == "--input") {
      scripted = "--input";
      if (!value(&v)) return Usage("--input needs a file");
      if (!LoadScript(v)) return 2;
    } else if (arg == "--screenshot") {
      if (!value(&v)) return Usage("--screenshot needs FRAME=PATH");
      const char* eq = std::strchr(v, '=');
      if (eq == nullptr || eq[1] == '\0') return Usage("--screenshot needs FRAME=PATH");
      const std::string frameText(v, eq);
      if (!ParseNumber(frameText.c_str(), &n, 1)) return Usage("bad --screenshot frame");
      run.shots.push_back(Shot{n, eq + 1});
    } else if (arg == "--trace") {
      if (!value(&tracePath)) return Usage("--trace needs a file");
    } else if (arg == "--checksums") {
      if (!value(&checksumPath)) return Usage("--checksums needs a file");
    } else if (arg == "--audio") {
      scripted = "--audio";
      if (!value(&audio)) return Usage("--audio needs a file");
    } else {
      return Usage(("unknown option " + arg).c_str());
    }
  }
  if (options.replayPath != nullptr && (scripted != nullptr || options.recordPath != nullptr)) {
    return Usage((std::string("--replay cannot go with ") +
                  (scripted != nullptr ? scripted : "--record"))
                     .c_str());
  }
  if (tracePath != nullptr) {
    run.trace = std::fopen(tracePath, "w");
    if (run.trace == nullptr) {
      std::fprintf(stderr, "skyward-replay: cannot write %s\n", tracePath);
      return 2;
    }
  }
  if (checksumPath != nullptr) {
    run.checksums = std::fopen(checksumPath, "w");
    if (run.checksums == nullptr) {
      std::fprintf(stderr, "skyward-replay: cannot write %s\n", checksumPath);
      return 2;
    }
  }
  std::string why;
  if (!ReplaySetUp(audio, &why)) {
    std::fprintf(stderr, "skyward-replay: %s\n", why.c_str());
    return 2;
  }
  run.realTime = audio != nullptr;
  // A played file brings its own clock.
  if (options.replayPath == nullptr) zuSystem::SetClock(VirtualTicks, VirtualSleep);
  options.beforeFrame = BeforeFrame;
  options.afterFrame = AfterFrame;
  const int status = GameMain(options);
  zuSystem::SetClock(nullptr, nullptr);
  if (run.trace != nullptr) std::fclose(run.trace);
  if (run.checksums != nullptr) {
    WriteChecksum(0, true);
    std::fclose(run.checksums);
  }
  if (status != 0) return status;
  return run.failures == 0 ? 0 : 1;
}
