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

#include "lib/posix/posixFiles.h"
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

// The page's file system is POSIX's; what outlives the page is the
// browser's storage.
bool PlatformUserDataFolder(char* out, size_t size) { return posix::UserDataFolder(out, size); }
bool PlatformMakeFolder(const char* path) { return posix::MakeFolder(path); }

bool PlatformReplaceFile(const char* path, const char* data, size_t size, const char** why) {
  if (!posix::ReplaceFile(path, data, size, why)) return false;
  if (skyward_has_page() && !skyward_store_put(path, data, static_cast<int>(size))) {
    *why = "the browser's storage refused it (full, or turned off for this site)";
    return false;
  }
  return true;
}

}  // namespace zuSystem
