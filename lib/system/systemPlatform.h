// What each platform layer provides to the shared system code.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace zuSystem {

// The platform's millisecond tick count and sleep, behind the clock seam.
uint32_t PlatformTicks();
void PlatformSleep(uint32_t ms);
// A scene's sleep at the end of its frame: a sleep where the layer runs its
// own loop; nothing where the display paces the frames and the layer drives
// them one at a time.
void PlatformFrameSleep(uint32_t ms);
// Shows an error line in a box owned by the window, where there is a display
// to show it on (the line went to standard error already).
void ShowErrorBox(const char* text);
// The running program's folder, ending with a separator, into out.
void ProgramFolder(char* out, size_t size);
// fopen for a UTF-8 path (a folder of any name on every platform).
FILE* OpenFile(const char* path, const char* mode);

}  // namespace zuSystem

namespace zuSystem {

// Files kept for the player between runs. The folder where they go by default
// (the user's data folder and the program's own name in it), into out; false
// when the platform cannot name one.
bool PlatformUserDataFolder(char* out, size_t size);
// Makes a folder and any missing parents; true when it exists afterwards.
bool PlatformMakeFolder(const char* path);
// Replaces the file at path with data: a new file beside it, written in full
// and flushed to the disk, then renamed over the old one, which stays whole when
// any step fails. False on failure, with the reason in *why (static text).
bool PlatformReplaceFile(const char* path, const char* data, size_t size, const char** why);

}  // namespace zuSystem
