// The program's icon: a BMP beside the game for its window, a PNG for the
// desktop's menus, and an icon file for the Windows program's resources.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/image.h"

constexpr int ICON_SIZE = 64;

Image MakeIcon();
// Encodes a keyed picture as an RGBA PNG: black is transparent, the rest opaque.
std::vector<uint8_t> EncodePng(const Image& img);
// Encodes keyed pictures (at most 255 pixels a side) as one Windows icon file.
std::vector<uint8_t> EncodeIco(const std::vector<Image>& sizes);
// Writes OUTDIR/skyward-run.bmp, .png and .ico.
bool WriteIcons(const std::string& outDir);
