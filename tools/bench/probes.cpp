#include "tools/bench/probes.h"

#include <SDL.h>

#include <ctime>

// The wrapped symbols: zuDraw::Clear, PutObject, PutObjectStretched, DrawCaption, Flip.
extern "C" {
void __real__ZN6zuDraw5ClearEv();
int __real__ZN6zuDraw9PutObjectEiiiiiii(int, int, int, int, int, int, int);
int __real__ZN6zuDraw18PutObjectStretchedEiiiiiiiii(int, int, int, int, int, int, int, int,
                                                      int);
void __real__ZN6zuDraw11DrawCaptionEiiPKc(int, int, const char*);
void __real__ZN6zuDraw4FlipEv();
void __real_SDL_UnlockTexture(SDL_Texture* texture);
int __real_SDL_UpdateTexture(SDL_Texture* texture, const SDL_Rect* rect, const void* pixels,
                             int pitch);

int __real__ZN6zuDraw10OpenWindowEPKci(const char*, int);
int __real__ZN6zuDraw6ScreenEiii(int, int, int);
int __real__ZN6zuDraw10LoadObjectEPKci(const char*, int);
int __real__ZN7zuSound4InitEv();
void __real__ZN7zuSound8InitMidiEv();
int __real__ZN7zuSound10LoadObjectEPKci(const char*, int);
void __real__ZN7zuSound8PlayMidiEPKc(const char*);
int __wrap__ZN6zuDraw10OpenWindowEPKci(const char*, int);
int __wrap__ZN6zuDraw6ScreenEiii(int, int, int);
int __wrap__ZN6zuDraw10LoadObjectEPKci(const char*, int);
int __wrap__ZN7zuSound4InitEv();
void __wrap__ZN7zuSound8InitMidiEv();
int __wrap__ZN7zuSound10LoadObjectEPKci(const char*, int);
void __wrap__ZN7zuSound8PlayMidiEPKc(const char*);

void __wrap__ZN6zuDraw5ClearEv();
int __wrap__ZN6zuDraw9PutObjectEiiiiiii(int, int, int, int, int, int, int);
int __wrap__ZN6zuDraw18PutObjectStretchedEiiiiiiiii(int, int, int, int, int, int, int, int,
                                                      int);
void __wrap__ZN6zuDraw11DrawCaptionEiiPKc(int, int, const char*);
void __wrap__ZN6zuDraw4FlipEv();
void __wrap_SDL_UnlockTexture(SDL_Texture* texture);
int __wrap_SDL_UpdateTexture(SDL_Texture* texture, const SDL_Rect* rect, const void* pixels,
                             int pitch);
}

namespace perf {
namespace {

bool drawing = true;
DrawCall record[DRAW_CALLS_MAX];
int recorded = 0;
int sprites = 0;
FlipTimes flipTimes;
bool inFlip = false;
StartupPhases phases;
int extraId = -1;
int extraCopies = 0;

DrawCall* Next(DrawKind kind) {
  if (recorded >= DRAW_CALLS_MAX) return nullptr;
  DrawCall* c = &record[recorded++];
  c->kind = kind;
  c->text = nullptr;
  return c;
}

void DrawExtraCopies() {
  if (extraCopies <= 0) return;
  const int n = recorded;
  for (int copy = 1; copy <= extraCopies; ++copy) {
    for (int i = 0; i < n; ++i) {
      const DrawCall c = record[i];
      if (c.kind != CALL_PUT || c.a[2] != extraId) continue;
      // Shifted so that the copies do not land exactly on the originals.
      __wrap__ZN6zuDraw9PutObjectEiiiiiii(c.a[0] + 7 * copy, c.a[1] + 5 * copy, c.a[2], c.a[3],
                                          c.a[4], c.a[5], c.a[6]);
    }
  }
}

}  // namespace

uint64_t NowNs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<uint64_t>(t.tv_sec) * 1000000000ull + static_cast<uint64_t>(t.tv_nsec);
}

uint64_t CpuNs() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<uint64_t>(t.tv_sec) * 1000000000ull + static_cast<uint64_t>(t.tv_nsec);
}

void SetDrawing(bool on) { drawing = on; }
const StartupPhases& Phases() { return phases; }
void BeginRecord() {
  recorded = 0;
  sprites = 0;
}
int RecordedCount() { return recorded; }
const DrawCall* Recorded() { return record; }
int SpritesDrawn() { return sprites; }
const FlipTimes& LastFlip() { return flipTimes; }
void SetExtraCopies(int id, int copies) {
  extraId = id;
  extraCopies = copies;
}

void RealClear() { __real__ZN6zuDraw5ClearEv(); }
int RealPutObject(int x, int y, int id, int left, int top, int right, int bottom) {
  return __real__ZN6zuDraw9PutObjectEiiiiiii(x, y, id, left, top, right, bottom);
}
int RealPutObjectStretched(int x, int y, int id, int left, int top, int right, int bottom,
                           int width, int height) {
  return __real__ZN6zuDraw18PutObjectStretchedEiiiiiiiii(x, y, id, left, top, right, bottom,
                                                         width, height);
}
void RealDrawCaption(int x, int y, const char* text) {
  __real__ZN6zuDraw11DrawCaptionEiiPKc(x, y, text);
}

}  // namespace perf

using namespace perf;

extern "C" {

int __wrap__ZN6zuDraw10OpenWindowEPKci(const char* caption, int chosen) {
  const uint64_t t0 = CpuNs();
  const int result = __real__ZN6zuDraw10OpenWindowEPKci(caption, chosen);
  phases.window += CpuNs() - t0;
  return result;
}

int __wrap__ZN6zuDraw6ScreenEiii(int width, int height, int memory) {
  const uint64_t inner = phases.soundInit + phases.midiInit;
  const uint64_t t0 = CpuNs();
  const int result = __real__ZN6zuDraw6ScreenEiii(width, height, memory);
  phases.screen += CpuNs() - t0 - (phases.soundInit + phases.midiInit - inner);
  return result;
}

int __wrap__ZN6zuDraw10LoadObjectEPKci(const char* name, int memory) {
  const uint64_t t0 = CpuNs();
  const int result = __real__ZN6zuDraw10LoadObjectEPKci(name, memory);
  phases.pictures += CpuNs() - t0;
  return result;
}

int __wrap__ZN7zuSound4InitEv() {
  const uint64_t t0 = CpuNs();
  const int result = __real__ZN7zuSound4InitEv();
  phases.soundInit += CpuNs() - t0;
  return result;
}

void __wrap__ZN7zuSound8InitMidiEv() {
  const uint64_t t0 = CpuNs();
  __real__ZN7zuSound8InitMidiEv();
  phases.midiInit += CpuNs() - t0;
}

int __wrap__ZN7zuSound10LoadObjectEPKci(const char* name, int buffers) {
  const uint64_t t0 = CpuNs();
  const int result = __real__ZN7zuSound10LoadObjectEPKci(name, buffers);
  phases.sounds += CpuNs() - t0;
  return result;
}

void __wrap__ZN7zuSound8PlayMidiEPKc(const char* name) {
  const uint64_t t0 = CpuNs();
  __real__ZN7zuSound8PlayMidiEPKc(name);
  phases.music += CpuNs() - t0;
}

void __wrap__ZN6zuDraw5ClearEv() {
  if (!drawing) return;
  Next(CALL_CLEAR);
  __real__ZN6zuDraw5ClearEv();
}

int __wrap__ZN6zuDraw9PutObjectEiiiiiii(int x, int y, int id, int left, int top, int right,
                                        int bottom) {
  if (!drawing) return 0;
  if (DrawCall* c = Next(CALL_PUT)) {
    c->a[0] = x;
    c->a[1] = y;
    c->a[2] = id;
    c->a[3] = left;
    c->a[4] = top;
    c->a[5] = right;
    c->a[6] = bottom;
  }
  const int drawn = __real__ZN6zuDraw9PutObjectEiiiiiii(x, y, id, left, top, right, bottom);
  sprites += drawn;
  return drawn;
}

int __wrap__ZN6zuDraw18PutObjectStretchedEiiiiiiiii(int x, int y, int id, int left, int top,
                                                      int right, int bottom, int width,
                                                      int height) {
  if (!drawing) return 0;
  if (DrawCall* c = Next(CALL_STRETCHED)) {
    const int a[9] = {x, y, id, left, top, right, bottom, width, height};
    for (int i = 0; i < 9; ++i) c->a[i] = a[i];
  }
  return __real__ZN6zuDraw18PutObjectStretchedEiiiiiiiii(x, y, id, left, top, right, bottom,
                                                         width, height);
}

void __wrap__ZN6zuDraw11DrawCaptionEiiPKc(int x, int y, const char* text) {
  if (!drawing) return;
  if (DrawCall* c = Next(CALL_CAPTION)) {
    c->a[0] = x;
    c->a[1] = y;
    c->text = text;
  }
  const uint64_t t0 = CpuNs();
  __real__ZN6zuDraw11DrawCaptionEiiPKc(x, y, text);
  phases.caption += CpuNs() - t0;
}

void __wrap__ZN6zuDraw4FlipEv() {
  if (!drawing) return;
  DrawExtraCopies();
  flipTimes.start = CpuNs();
  flipTimes.uploaded = 0;
  inFlip = true;
  __real__ZN6zuDraw4FlipEv();
  inFlip = false;
  flipTimes.end = CpuNs();
  if (flipTimes.uploaded == 0) flipTimes.uploaded = flipTimes.start;
}

void __wrap_SDL_UnlockTexture(SDL_Texture* texture) {
  __real_SDL_UnlockTexture(texture);
  if (inFlip) flipTimes.uploaded = CpuNs();
}

int __wrap_SDL_UpdateTexture(SDL_Texture* texture, const SDL_Rect* rect, const void* pixels,
                             int pitch) {
  const int result = __real_SDL_UpdateTexture(texture, rect, pixels, pitch);
  if (inFlip) flipTimes.uploaded = CpuNs();
  return result;
}

}  // extern "C"
