// How the player asked for the picture to be shown (from the command line).
// Platform-free: every entry point fills it in before the screen comes up.
#pragma once

namespace zuDraw {

struct ScreenSettings {
  int windowed = 0;  // 1: start in a window instead of covering the desktop
  int vsync = 1;     // 1: the present waits for the display's refresh
};

// Takes effect at the next window set-up; the defaults hold until then.
void SetScreenSettings(const ScreenSettings& settings);
const ScreenSettings& GetScreenSettings();

}  // namespace zuDraw
