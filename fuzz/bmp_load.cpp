// Fuzzes the picture load path: the bytes become a file in a scratch folder,
// which zuDraw::SwapObject reads into object 2 exactly as a game load does
// (the BMP reader into RGB565, colour key); a picture that loads is then drawn
// plain, as a sheet frame and stretched. The reader also decodes the bytes
// into a 5-5-5 layout, as a 15-bit display takes them, into a buffer of
// exactly the picture's size.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "lib/draw/bmp.h"
#include "lib/draw/zuDraw.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/system/zuSystem.h"

namespace {
std::string folder;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  // A scratch folder of our own under the system's temporary folder.
  std::string pattern =
      (std::filesystem::temp_directory_path() / "skyward-fuzz-bmp-XXXXXX").string();
  const char* dir = mkdtemp(pattern.data());
  if (dir == nullptr) std::abort();
  folder = dir;
  zuSystem::SetAppPath(folder.c_str());
  if (!zuDraw::OpenWindow("fuzz", 1) || !zuDraw::Screen(640, 480, 1)) std::abort();
  zuDraw::SetClip(130, 0, 510, 480);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zuDraw::BitmapInfo info;
  if (zuDraw::ParseBitmap(data, size, &info)) {
    // The whole picture, pitch without slack: a write past it shows.
    std::vector<uint16_t> pixels(static_cast<size_t>(info.width) * info.height);
    zuDraw::DecodeBitmap(data, size, info, {0x7C00, 0x03E0, 0x001F}, pixels.data(),
                         static_cast<size_t>(info.width) * 2);
  }

  const std::string path = folder + "/F.BMP";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) std::abort();
  if (size > 0) std::fwrite(data, 1, size, f);
  std::fclose(f);

  // Both key rules: the key colour, and the picture's own top-left pixel.
  keyColor = 0;
  keyFromCorner = (size > 0 && (data[size - 1] & 1)) ? 1 : 0;
  if (zuDraw::SwapObject("F.BMP", 2, 2) == 1) {
    SDL_Surface* s = zuDraw::ObjectSurface(2);
    if (s == nullptr || s->w <= 0 || s->h <= 0 || s->format->BitsPerPixel != 16) __builtin_trap();
    zuDraw::Clear();
    zuDraw::PutObject(100, -20, 2, 0, 0, s->w, s->h);
    zuDraw::PutObject(300, 400, 2, 60, 0, 120, 70);
    zuDraw::PutObjectStretched(140, 10, 2, 0, 0, s->w, s->h, 2 * s->w, 3 * s->h);
  }
  return 0;
}
