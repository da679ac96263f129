#include <cstdio>

#include "lib/system/zuSystem.h"

// Placeholder bodies until the system module lands.
float frameSeconds = 0;
uint32_t previousTick = 0;
int lastKey = 0;
int allowSystemKeys = 0;
int keyCapture = 0;

namespace zuSystem {
void SetClock(TickSource, SleepSink) {}
uint32_t GetTickCount() { return 0; }
void Sleep(uint32_t) {}
void MeasureFrame() {}
void ResetFrameTime() {}
int SetWait(int, uint32_t) { return 0; }
int InitWait(int) { return 0; }
int CheckWait(int) { return 0; }
void ResetWaits() {}
void Wait(uint32_t) {}
int Error(const char* operation, const char* message, int) {
  std::fprintf(stderr, "%s : %s\n", operation, message);
  return 0;
}
const char* GetAppPath(int) { return "./"; }
void SeedRandom(uint32_t) {}
int Rand() { return 0; }
uint32_t RandomState() { return 0; }
}  // namespace zuSystem
