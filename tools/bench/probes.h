// Probes between the game and the draw library (linker-wrapped in skyward-bench
// only): the draw calls of a frame are recorded so that composing can be timed
// on its own, drawing can be switched off to time the logic alone, and the
// present is split into the upload of the back surface and the render.
#pragma once
#include <cstdint>

namespace perf {

// Monotonic nanoseconds.
uint64_t NowNs();
// Processor time of the calling thread, in nanoseconds: what the frame figures
// use, so that time spent descheduled on a busy machine does not count.
uint64_t CpuNs();

enum DrawKind : uint8_t { CALL_CLEAR, CALL_PUT, CALL_STRETCHED, CALL_CAPTION };

struct DrawCall {
  DrawKind kind;
  int a[9];
  const char* text;
};

constexpr int DRAW_CALLS_MAX = 16384;

// false: Clear, PutObject, PutObjectStretched, DrawCaption and Flip return at once.
void SetDrawing(bool on);
// Starts a new frame's record.
void BeginRecord();
int RecordedCount();
const DrawCall* Recorded();
// PutObject calls of the frame that drew something.
int SpritesDrawn();

struct FlipTimes {
  uint64_t start, uploaded, end;
};
const FlipTimes& LastFlip();

// Before each present, the frame's draws of picture `id` are drawn `copies`
// times more, shifted (more sprites on the same frame, for the growth figures).
void SetExtraCopies(int id, int copies);

// Where start-up time goes: processor time of the game's thread in ns, summed
// over the calls (screen excludes the sound and MIDI start it makes).
struct StartupPhases {
  uint64_t window, screen, soundInit, midiInit, pictures, sounds, music, caption;
};
const StartupPhases& Phases();

// The library's own calls, past the probes.
void RealClear();
int RealPutObject(int x, int y, int id, int left, int top, int right, int bottom);
int RealPutObjectStretched(int x, int y, int id, int left, int top, int right, int bottom,
                           int width, int height);
void RealDrawCaption(int x, int y, const char* text);

}  // namespace perf
