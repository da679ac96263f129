// Preloaded into the real game by window_bench.sh: stamps every present (the
// renderer's or the window surface's) into a shared file, so that the bench
// can count frames and find the slowest one from outside the process. With
// SKYWARD_PROBE_NODRAW set, nothing reaches the screen: the game runs at the
// pace of its own work and sleeps alone, the reference for "the present no
// longer sets the pace".
#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr uint64_t kSlots = 1u << 20;  // about 3 hours at 85 frames a second
uint64_t* stamps = nullptr;            // [0] = count, then nanoseconds of each present
bool opened = false;
bool noDraw = false;

void Open() {
  opened = true;
  noDraw = std::getenv("SKYWARD_PROBE_NODRAW") != nullptr;
  const char* path = std::getenv("SKYWARD_PROBE_FILE");
  if (path == nullptr) return;
  const int fd = open(path, O_RDWR | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return;
  const size_t bytes = (kSlots + 1) * sizeof(uint64_t);
  if (ftruncate(fd, static_cast<off_t>(bytes)) == 0) {
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (p != MAP_FAILED) stamps = static_cast<uint64_t*>(p);
  }
  close(fd);
}

void Stamp() {
  if (!opened) Open();
  if (stamps == nullptr || stamps[0] >= kSlots) return;
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  stamps[1 + stamps[0]] = static_cast<uint64_t>(t.tv_sec) * 1000000000u + t.tv_nsec;
  __atomic_store_n(&stamps[0], stamps[0] + 1, __ATOMIC_RELEASE);
}

template <typename F>
F Next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

void SDL_RenderPresent(SDL_Renderer* r) {
  Stamp();
  static auto real = Next<void (*)(SDL_Renderer*)>("SDL_RenderPresent");
  if (!noDraw) real(r);
}

int SDL_LockTexture(SDL_Texture* t, const SDL_Rect* rect, void** pixels, int* pitch) {
  if (!opened) Open();
  if (noDraw) return -1;  // the upload is skipped with it
  static auto real = Next<int (*)(SDL_Texture*, const SDL_Rect*, void**, int*)>("SDL_LockTexture");
  return real(t, rect, pixels, pitch);
}

int SDL_RenderCopy(SDL_Renderer* r, SDL_Texture* t, const SDL_Rect* s, const SDL_Rect* d) {
  if (!opened) Open();
  if (noDraw) return 0;
  static auto real =
      Next<int (*)(SDL_Renderer*, SDL_Texture*, const SDL_Rect*, const SDL_Rect*)>("SDL_RenderCopy");
  return real(r, t, s, d);
}

int SDL_UpdateWindowSurface(SDL_Window* w) {
  Stamp();
  static auto real = Next<int (*)(SDL_Window*)>("SDL_UpdateWindowSurface");
  return noDraw ? 0 : real(w);
}

int SDL_UpdateWindowSurfaceRects(SDL_Window* w, const SDL_Rect* rects, int n) {
  Stamp();
  static auto real =
      Next<int (*)(SDL_Window*, const SDL_Rect*, int)>("SDL_UpdateWindowSurfaceRects");
  return noDraw ? 0 : real(w, rects, n);
}

}  // extern "C"
