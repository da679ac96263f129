#include "lib/system/zuSystem.h"

#include <cstdio>
#include <cstring>

#include "lib/system/systemPlatform.h"

float frameSeconds = 0;
int lastKey = 0;
int allowSystemKeys = 0;
int keyCapture = 0;
int messageBoxOpen = 0;

namespace {

// Constant-initialised, so the clock works during the dynamic initialisation below.
zuSystem::TickSource tickSource = nullptr;
zuSystem::SleepSink sleepSink = nullptr;
bool ticksFrozen = false;
uint32_t frozenTick = 0;

// Entries 1..10 are the public slots, 11 belongs to Wait; 0 is unused.
uint32_t waitDeadline[zuSystem::WAIT_SLOTS + 2];
// A cleared slot must read "not over" at any tick count, also past the wrap.
bool waitArmed[zuSystem::WAIT_SLOTS + 2];

uint32_t randomSeed = 1;  // the runtime's generator starts from 1 when never seeded

char appPath[4096];
char appPathOverride[4096];

bool TickPassed(uint32_t now, uint32_t deadline) {
  // Signed difference: stays right when the 32-bit tick count wraps.
  return static_cast<int32_t>(now - deadline) > 0;
}

}  // namespace

// Taken when the program is loaded, before the entry point runs.
uint32_t previousTick = zuSystem::GetTickCount();

namespace zuSystem {

void SetClock(TickSource ticks, SleepSink sleep) {
  tickSource = ticks;
  sleepSink = sleep;
}

void GetClock(TickSource* ticks, SleepSink* sleep) {
  *ticks = tickSource;
  *sleep = sleepSink;
}

uint32_t LiveTickCount() {
  if (tickSource != nullptr) return tickSource();
  return PlatformTicks();
}

uint32_t GetTickCount() { return ticksFrozen ? frozenTick : LiveTickCount(); }

void FreezeTicks(bool frozen) {
  if (frozen && !ticksFrozen) frozenTick = LiveTickCount();
  ticksFrozen = frozen;
}

uint32_t MachineTicks() { return PlatformTicks(); }
void MachineSleep(uint32_t ms) { PlatformFrameSleep(ms); }

void Sleep(uint32_t ms) {
  if (sleepSink != nullptr) {
    sleepSink(ms);
    return;
  }
  PlatformSleep(ms);
}

void FrameSleep(uint32_t ms) {
  if (sleepSink != nullptr) {
    sleepSink(ms);
    return;
  }
  PlatformFrameSleep(ms);
}

void MeasureFrame() {
  const uint32_t d = GetTickCount() - previousTick;
  frameSeconds = static_cast<float>(static_cast<int64_t>(d) / 1000.0);
  previousTick = GetTickCount();
}

void ResetFrameTime() {
  frameSeconds = 0;
  previousTick = GetTickCount();
}

int SetWait(int waitNo, uint32_t ms) {
  if (waitNo < 1 || waitNo > WAIT_SLOTS) {
    return Error("zuSystem::SetWait", "ウェイトNoが範囲外です");
  }
  waitDeadline[waitNo] = GetTickCount() + ms;
  waitArmed[waitNo] = true;
  return 1;
}

int InitWait(int waitNo) {
  if (waitNo < 1 || waitNo > WAIT_SLOTS) {
    return Error("zuSystem::InitWait", "ウェイトNoが範囲外です");
  }
  waitDeadline[waitNo] = WAIT_CLEARED;
  waitArmed[waitNo] = false;
  return 1;
}

int CheckWait(int waitNo) {
  if (waitNo < 1 || waitNo > WAIT_SLOTS + 1) return 0;
  if (!waitArmed[waitNo]) return 0;
  return TickPassed(GetTickCount(), waitDeadline[waitNo]) ? 1 : 0;
}

void ResetWaits() {
  for (int i = 0; i < WAIT_SLOTS + 2; ++i) {
    waitDeadline[i] = WAIT_CLEARED;
    waitArmed[i] = false;
  }
  keyCapture = 0;
  lastKey = 0;
  allowSystemKeys = 0;
}

void Wait(uint32_t ms) {
  const int slot = WAIT_SLOTS + 1;
  waitDeadline[slot] = LiveTickCount() + ms;
  waitArmed[slot] = true;
  // Goes through the clock seam so that a virtual clock can move on meanwhile;
  // the live count, so that it also ends inside a frozen frame.
  while (!TickPassed(LiveTickCount(), waitDeadline[slot])) Sleep(1);
  ResetFrameTime();
}

int Error(const char* operation, const char* message, int) {
  static char text[1024];
  std::snprintf(text, sizeof text, "%s : %s", operation, message);
  std::fprintf(stderr, "%s\n", text);
  std::fflush(stderr);
  ShowErrorBox(text);
  return 0;
}

void SetAppPath(const char* folder) {
  if (folder == nullptr || folder[0] == '\0') {
    appPathOverride[0] = '\0';
    return;
  }
  std::snprintf(appPathOverride, sizeof appPathOverride, "%s", folder);
  const size_t n = std::strlen(appPathOverride);
  if (appPathOverride[n - 1] != '/' && n + 1 < sizeof appPathOverride) {
    appPathOverride[n] = '/';
    appPathOverride[n + 1] = '\0';
  }
}

const char* GetAppPath(int) {
  if (appPathOverride[0] != '\0') {
    std::memcpy(appPath, appPathOverride, sizeof appPath);
    return appPath;
  }
  ProgramFolder(appPath, sizeof appPath);
  return appPath;
}

void SeedRandom(uint32_t seed) { randomSeed = seed; }

int Rand() {
  randomSeed = randomSeed * 214013u + 2531011u;
  return static_cast<int>((randomSeed >> 16) & 0x7FFF);
}

uint32_t RandomState() { return randomSeed; }

}  // namespace zuSystem
