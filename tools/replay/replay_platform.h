// What the headless runner asks of the platform layer it is built on.
#pragma once
#include <cstdint>
#include <string>

// The platform knows this virtual-key code (it can be pressed).
bool ReplayKnowsKey(int vk);
// Puts a key press or release into the window's queue; repeat marks the
// keyboard's auto-repeat of a held key.
void ReplayPushKey(int vk, bool down, bool repeat);
// The close request that ends a bounded run.
void ReplayPushQuit();
// The back surface as 640 x 480 RGB565 pixels; false when there is none.
bool ReplayReadScreen(uint16_t* pixels);
// Writes the back surface as a BMP file; false with a reason.
bool ReplaySaveScreen(const std::string& path, std::string* why);
// Chooses the headless drivers, with the mixed sound recorded to audioPath
// (null: none). False with a reason when the platform cannot record it.
bool ReplaySetUp(const char* audioPath, std::string* why);
