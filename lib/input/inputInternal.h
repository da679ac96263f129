// Library-internal input code shared by the platform layers.
#pragma once

namespace zuSystem {

// Direction of a stick at (x, y), both 0..65535, from its centre (cx, cy): a
// half of the centre's distance from 0 either way counts as pushed.
void DirectionFromPosition(int x, int y, int cx, int cy, int* dx, int* dy);
// Closes the opened joysticks (shutdown); provided by the platform layer.
void CloseJoysticks();

}  // namespace zuSystem
