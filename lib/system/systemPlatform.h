// What each platform layer provides to the shared system code.
#pragma once
#include <cstddef>
#include <cstdint>

namespace zuSystem {

// The platform's millisecond tick count and sleep, behind the clock seam.
uint32_t PlatformTicks();
void PlatformSleep(uint32_t ms);
// Shows an error line in a box owned by the window, where there is a display
// to show it on (the line went to standard error already).
void ShowErrorBox(const char* text);
// The running program's folder, ending with a separator, into out.
void ProgramFolder(char* out, size_t size);

}  // namespace zuSystem
