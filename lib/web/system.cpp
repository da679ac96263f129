// The browser side of the system module: the clock, the error box, the
// program's folder (the root of the page's file package) and kept files,
// which live in the page's local storage and are copied into the file
// system at start.
#include <emscripten.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lib/system/systemPlatform.h"
#include "lib/system/zuSystem.h"
#include "lib/web/web.h"

namespace zuSystem {

uint32_t PlatformTicks() { return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now())); }

// The page's one thread cannot sleep without stopping the page; a wait
// watches the clock instead (nothing in play waits).
void PlatformSleep(uint32_t ms) {
  const double until = emscripten_get_now() + ms;
  while (emscripten_get_now() < until) {
  }
}

// In a page the display paces the frames: the browser calls one per refresh.
// Under node nothing paces them, and a frame's sleep is a sleep.
void PlatformFrameSleep(uint32_t ms) {
  if (!skyward_has_page()) PlatformSleep(ms);
}

void ShowErrorBox(const char* text) {
  if (skyward_has_page()) skyward_show_error(text);
}

void ProgramFolder(char* out, size_t size) { skyward_program_folder(out, static_cast<int>(size)); }

FILE* OpenFile(const char* path, const char* mode) { return std::fopen(path, mode); }

bool PlatformUserDataFolder(char* out, size_t size) {
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') return false;
  const int written = std::snprintf(out, size, "%s/.local/share/skyward-run", home);
  return written > 0 && static_cast<size_t>(written) < size;
}

bool PlatformMakeFolder(const char* path) {
  char partial[4096];
  const int n = std::snprintf(partial, sizeof partial, "%s", path);
  if (n <= 0 || static_cast<size_t>(n) >= sizeof partial) return false;
  for (char* p = partial + 1;; ++p) {
    if (*p != '/' && *p != '\0') continue;
    const char was = *p;
    *p = '\0';
    if (mkdir(partial, 0700) != 0 && errno != EEXIST) return false;
    *p = was;
    if (was == '\0') break;
  }
  struct stat info;
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool PlatformReplaceFile(const char* path, const char* data, size_t size, const char** why) {
  char temporary[4200];
  std::snprintf(temporary, sizeof temporary, "%s.new", path);
  std::FILE* f = std::fopen(temporary, "wb");
  if (f == nullptr) {
    *why = std::strerror(errno);
    return false;
  }
  bool ok = std::fwrite(data, 1, size, f) == size;
  ok = std::fclose(f) == 0 && ok;
  if (ok) ok = std::rename(temporary, path) == 0;
  if (!ok) {
    *why = std::strerror(errno);
    std::remove(temporary);
    return false;
  }
  // What outlives the page is the browser's storage.
  if (skyward_has_page() && !skyward_store_put(path, data, static_cast<int>(size))) {
    *why = "the browser's storage refused it (full, or turned off for this site)";
    return false;
  }
  return true;
}

}  // namespace zuSystem
