#include "lib/draw/zuDrawSettings.h"

namespace zuDraw {

namespace {
ScreenSettings current;
}  // namespace

void SetScreenSettings(const ScreenSettings& settings) { current = settings; }
const ScreenSettings& GetScreenSettings() { return current; }

}  // namespace zuDraw
