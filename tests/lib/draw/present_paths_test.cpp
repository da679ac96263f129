// Both present paths show the same picture, pixel for pixel, at 1x and at 2x:
// the renderer's texture and our own write into the window's surface.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "lib/draw/present_scale.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/sdl/zuSystemSdl.h"

namespace {

// What reached the window inside the picture's place, as 0x00RRGGBB.
std::vector<uint32_t> Shown(bool texture) {
  const zuDraw::PictureLayout l = zuDraw::CurrentLayout();
  std::vector<uint32_t> out(static_cast<size_t>(l.w) * l.h);
  const SDL_Rect rect = {l.x, l.y, l.w, l.h};
  if (texture) {
    EXPECT_EQ(SDL_RenderReadPixels(zuDraw::Renderer(), &rect, SDL_PIXELFORMAT_ARGB8888, out.data(),
                                   l.w * 4), 0) << SDL_GetError();
  } else {
    SDL_Surface* s = SDL_GetWindowSurface(mainWindow);
    EXPECT_EQ(SDL_ConvertPixels(l.w, l.h, s->format->format,
                                static_cast<uint8_t*>(s->pixels) + l.y * s->pitch + l.x * 4,
                                s->pitch, SDL_PIXELFORMAT_ARGB8888, out.data(), l.w * 4), 0);
  }
  for (uint32_t& p : out) p &= 0xFFFFFF;
  return out;
}

}  // namespace

TEST(PresentPaths, SamePictureAt1xAnd2x) {
  std::vector<uint32_t> shown[2][2];
  const char* paths[2] = {"window", "texture"};
  for (int p = 0; p < 2; ++p) {
    SCOPED_TRACE(paths[p]);
    setenv("SKYWARD_PRESENT", paths[p], 1);
    ASSERT_EQ(zuDraw::OpenWindow("Skyward Run", 1), 1);
    ASSERT_EQ(zuDraw::Screen(640, 480, 1), 1);
    ASSERT_STREQ(zuDraw::PresentPath(), paths[p]);
    // Every 5- and 6-bit channel value, in a picture whose neighbours all differ.
    SDL_Surface* back = zuDraw::BackSurface();
    for (int y = 0; y < 480; ++y) {
      Uint16* row = reinterpret_cast<Uint16*>(static_cast<Uint8*>(back->pixels) + y * back->pitch);
      for (int x = 0; x < 640; ++x) row[x] = static_cast<Uint16>(x * 97 + y * 641);
    }
    zuDraw::ToggleFullScreen();  // a window, sized as below
    for (int scale = 1; scale <= 2; ++scale) {
      SCOPED_TRACE(scale);
      SDL_SetWindowSize(mainWindow, 640 * scale, 480 * scale);
      zuDraw::UpdateScaling();
      zuDraw::Flip();
      const zuDraw::PictureLayout l = zuDraw::CurrentLayout();
      ASSERT_EQ(l.w, 640 * scale);
      ASSERT_EQ(l.h, 480 * scale);
      shown[p][scale - 1] = Shown(p == 1);
    }
    zuDraw::CloseScreen();
    zuDraw::DestroyWindow();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    unsetenv("SKYWARD_PRESENT");
  }
  for (int s = 0; s < 2; ++s) {
    ASSERT_EQ(shown[0][s].size(), shown[1][s].size());
    for (size_t i = 0; i < shown[0][s].size(); ++i) {
      ASSERT_EQ(shown[0][s][i], shown[1][s][i]) << "scale " << s + 1 << " pixel " << i;
    }
  }
  // And it is the picture: one pixel at 2x, against the conversion's rule.
  uint32_t want = 0;
  const Uint16 p = static_cast<Uint16>(123 * 97 + 45 * 641);
  zuDraw::ConvertRow565(&p, &want, 1, zuDraw::PixelOrder::XRGB8888);
  EXPECT_EQ(shown[0][1][static_cast<size_t>(91) * 1280 + 247], want & 0xFFFFFF);
}
