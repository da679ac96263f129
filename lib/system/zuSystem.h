// Frame timing, wait slots, error reporting, program folder and random numbers.
#pragma once
#include <cstdint>

// Seconds since the previous frame; every speed in the game is multiplied by it.
extern float frameSeconds;
// Tick count (ms) of the last frame measurement.
extern uint32_t previousTick;
// Virtual-key code of the key being held (kept by the event dispatch), 0 when none.
extern int lastKey;
// 0: system keys (Alt, F10) are swallowed by the event dispatch.
extern int allowSystemKeys;
// Key-capture mode of the library; kept for the reset, unused by the game.
extern int keyCapture;
// 1 while an error box is open (the cursor is shown meanwhile).
extern int messageBoxOpen;

namespace zuSystem {

constexpr uint32_t WAIT_CLEARED = 999999999u;
constexpr int WAIT_SLOTS = 10;

// Clock seam: every tick read and every sleep of the program goes through
// these two. Tools and tests install a virtual clock; nullptr restores SDL's.
using TickSource = uint32_t (*)();
using SleepSink = void (*)(uint32_t ms);
void SetClock(TickSource ticks, SleepSink sleep);
void GetClock(TickSource* ticks, SleepSink* sleep);
uint32_t GetTickCount();
void Sleep(uint32_t ms);
// Recorded runs: while frozen, every tick read returns the count read when the
// freeze began, so that all of a frame sees one time. Not frozen by default.
void FreezeTicks(bool frozen);
// The clock as it runs, also inside a frozen frame: for pacing, never for game time.
uint32_t LiveTickCount();
// The machine's own clock and sleep, past the seam: a playback keeps the real
// pace with them while the game runs on the recorded time. The sleep is a
// frame's (none where the display paces the frames: a page must not block).
uint32_t MachineTicks();
void MachineSleep(uint32_t ms);
// The sleep that ends a scene's frame: a virtual clock takes it as any other;
// otherwise the platform decides (none where the display paces the frames).
void FrameSleep(uint32_t ms);

// frameSeconds from the tick count since previousTick (wrap-safe).
void MeasureFrame();
void ResetFrameTime();

int SetWait(int waitNo, uint32_t ms);
int InitWait(int waitNo);
int CheckWait(int waitNo);
void ResetWaits();
void Wait(uint32_t ms);

// Reports "operation : message" in a box (when there is a display) and on
// standard error. Always returns 0 so that callers can return its result.
int Error(const char* operation, const char* message, int unused = 0);

// The running program's folder, ending with '/'. Callers copy it at once.
const char* GetAppPath(int redirect = 0);
// Alternate base folder for GetAppPath (the runner's --assets); null or "" clears it.
void SetAppPath(const char* folder);

// Files kept for the player between runs (the best score). By default they go
// to the user's data folder; SetUserFolder points them elsewhere (a folder),
// back to the default (null), or nowhere at all ("": nothing is read or written,
// for the replay runner and tests).
void SetUserFolder(const char* folder);
// The full path of a kept file, "" when there is no folder. Callers copy it.
const char* UserFilePath(const char* name);
// Reads a kept file into buffer (at most size - 1 bytes, then a '\0'). Returns
// its length; -1 when there is none; -2 when it is there but cannot be read,
// after one line on standard error.
int ReadUserFile(const char* name, char* buffer, int size);
// Replaces a kept file with data, making its folder when missing; the old file
// stays whole whatever fails. Returns 1, or 0 after one line on standard error
// (0 without a line when there is no folder).
int WriteUserFile(const char* name, const char* data, int size);

// The runtime's linear congruential generator: seed * 214013 + 2531011,
// result bits 16..30. One draw per statement, in the stated order.
void SeedRandom(uint32_t seed);
int Rand();
uint32_t RandomState();

}  // namespace zuSystem
