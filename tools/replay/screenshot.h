// The back surface as a file any viewer reads, for the runners whose
// platform has no writer of its own.
#pragma once
#include <cstdint>
#include <string>

// Writes 640 x 480 RGB565 pixels (rows top first) as a 24-bit BMP; false with a reason.
bool WriteScreenBmp(const std::string& path, const uint16_t* pixels, std::string* why);
