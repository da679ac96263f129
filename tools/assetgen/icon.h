// The program's icon: a BMP beside the game for its window, and a PNG for the
// desktop's menus.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/image.h"

constexpr int ICON_SIZE = 64;

Image MakeIcon();
// Encodes a keyed picture as an RGBA PNG: black is transparent, the rest opaque.
std::vector<uint8_t> EncodePng(const Image& img);
// Writes OUTDIR/skyward-run.bmp and OUTDIR/skyward-run.png.
bool WriteIcons(const std::string& outDir);
