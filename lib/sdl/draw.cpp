#include "lib/draw/zuDraw.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "lib/draw/bmp.h"
#include "lib/draw/drawPlatform.h"
#include "lib/draw/zuDrawInternal.h"
#include "lib/draw/zuDrawSettings.h"
#include "lib/input/inputInternal.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/sdl/zuInputSdl.h"
#include "lib/sdl/zuSystemSdl.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"

namespace {

constexpr const char* kScreenOp = "zuDraw::Screen";
constexpr Uint32 kFormat = SDL_PIXELFORMAT_RGB565;

SDL_Surface* backSurface = nullptr;
int faultPending = 0;
long presentCount = 0;

int ScreenFailure(const char* message) {
  // SDL's own reason helps more than the message alone.
  const char* reason = SDL_GetError();
  if (reason != nullptr && reason[0] != '\0') std::fprintf(stderr, "SDL: %s\n", reason);
  return zuSystem::Error(kScreenOp, message);
}

SDL_Surface* NewSurface(int width, int height) {
  return SDL_CreateRGBSurfaceWithFormat(0, width, height, 16, kFormat);
}

// Run-length copies of the pictures, for PutObject only. SDL's keyed blit from
// run-length data skips transparent runs and copies opaque ones whole: 4 to 50
// times faster here than its per-pixel keyed loop, and faster than a loop of our
// own over RGB565. The plain surface stays the object: the stretched blit and
// the tests read its pixels, which SDL drops from an encoded surface.
void DropRunLength(int id) {
  PictureSurface* p = objectTable[id].surface;
  if (p == nullptr) return;
  if (p->runLength != nullptr) SDL_FreeSurface(p->runLength);
  p->runLength = nullptr;
}

// Encoded now, against the back surface, so that the first frame that draws the
// picture allocates nothing (SDL encodes on the first blit to a destination).
void MakeRunLength(int id) {
  DropRunLength(id);
  SDL_Surface* plain = zuDraw::ObjectSurface(id);
  Uint32 key = 0;
  if (plain == nullptr || backSurface == nullptr || SDL_GetColorKey(plain, &key) != 0) return;
  // It shares the plain surface's pixels (SDL keeps pixels it does not own), so
  // only the runs are new memory; it goes before the plain surface does.
  SDL_Surface* copy = SDL_CreateRGBSurfaceWithFormatFrom(plain->pixels, plain->w, plain->h, 16,
                                                         plain->pitch, plain->format->format);
  if (copy == nullptr) return;
  SDL_SetSurfaceBlendMode(copy, SDL_BLENDMODE_NONE);
  // One pixel, put back afterwards: loading draws nothing.
  Uint16* corner = static_cast<Uint16*>(backSurface->pixels);
  const Uint16 saved = *corner;
  SDL_Rect one = {0, 0, 1, 1};
  SDL_Rect at = {0, 0, 1, 1};
  const bool encoded = SDL_SetColorKey(copy, SDL_TRUE, key) == 0 &&
                       SDL_SetSurfaceRLE(copy, 1) == 0 &&
                       SDL_LowerBlit(copy, &one, backSurface, &at) == 0 &&
                       (copy->flags & SDL_RLEACCEL) != 0;
  *corner = saved;
  if (!encoded) {
    SDL_FreeSurface(copy);
    return;
  }
  objectTable[id].surface->runLength = copy;
}

// A surface as a picture of the object table; null stays null.
PictureSurface* NewPicture(SDL_Surface* s) {
  if (s == nullptr) return nullptr;
  PictureSurface* p = new (std::nothrow) PictureSurface{s, nullptr};
  if (p == nullptr) SDL_FreeSurface(s);
  return p;
}

// Reads a BMP file into a new RGB565 surface, or null. The file's bytes stay
// for the next picture, unless they were many.
SDL_Surface* LoadBitmapSurface(const char* path) {
  static std::vector<uint8_t> file;
  size_t size = 0;
  zuDraw::BitmapInfo info;
  SDL_Surface* s = nullptr;
  if (zuDraw::ReadBitmapFile(path, &file, &size) && zuDraw::ParseBitmap(file.data(), size, &info)) {
    s = NewSurface(info.width, info.height);
  }
  if (s != nullptr && !zuDraw::DecodeBitmap(file.data(), size, info, {0xF800, 0x07E0, 0x001F},
                                            static_cast<uint16_t*>(s->pixels),
                                            static_cast<size_t>(s->pitch))) {
    SDL_FreeSurface(s);
    s = nullptr;
  }
  if (s != nullptr) SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_NONE);
  if (file.size() > 4u * 1024 * 1024) std::vector<uint8_t>().swap(file);
  return s;
}

// The pixel value of a COLORREF (0x00BBGGRR) in the surface's format, or the
// picture's own top-left pixel for CLR_INVALID.
Uint32 MatchColor(SDL_Surface* surface, uint32_t color) {
  if (color != CLR_INVALID) {
    return SDL_MapRGB(surface->format, color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  }
  return *static_cast<const Uint16*>(surface->pixels);
}

void SetSourceColorKey(SDL_Surface* surface, uint32_t color) {
  SDL_SetColorKey(surface, SDL_TRUE, MatchColor(surface, color));
}

// Nearest-neighbour scaled copy between 16-bit surfaces; pixels equal to key are
// skipped when keyed. Rectangles are already checked to lie inside both surfaces.
void ScaleCopy(SDL_Surface* src, const SDL_Rect& s, SDL_Surface* dst, const SDL_Rect& d,
               bool keyed, Uint32 key) {
  if (SDL_MUSTLOCK(src)) SDL_LockSurface(src);
  if (SDL_MUSTLOCK(dst)) SDL_LockSurface(dst);
  for (int dy = 0; dy < d.h; ++dy) {
    const int sy = s.y + static_cast<int>(static_cast<int64_t>(dy) * s.h / d.h);
    const Uint16* srow =
        reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(src->pixels) + sy * src->pitch);
    Uint16* drow = reinterpret_cast<Uint16*>(static_cast<Uint8*>(dst->pixels) +
                                             (d.y + dy) * dst->pitch) + d.x;
    for (int dx = 0; dx < d.w; ++dx) {
      const Uint16 p = srow[s.x + static_cast<int>(static_cast<int64_t>(dx) * s.w / d.w)];
      if (!keyed || p != key) drow[dx] = p;
    }
  }
  if (SDL_MUSTLOCK(dst)) SDL_UnlockSurface(dst);
  if (SDL_MUSTLOCK(src)) SDL_UnlockSurface(src);
}

void ReleaseScreenObjects() {
  for (int id = 0; id < zuDraw::OBJECT_MAX; ++id) zuDraw::ClearObject(id);
  zuDraw::PlatformReleaseText();
  zuDraw::ClosePresent();
  if (backSurface != nullptr) SDL_FreeSurface(backSurface);
  backSurface = nullptr;
  screenReady = 0;
}

}  // namespace

namespace zuDraw {

const char* VideoDriver() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return "";
  const char* d = SDL_GetCurrentVideoDriver();
  return d != nullptr ? d : "";
}

int OpenWindow(const char* caption, int driverChosen) {
  // Events posted while dispatching (the close request after [ESC]) must be seen
  // before the next frame, not one poll cycle later.
  SDL_SetHint(SDL_HINT_POLL_SENTINEL, "0");
  // Before this process opens the display: the probe is a child of its own.
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) StartPresentProbe();
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    return ScreenFailure("DirectDrawが使用できません");
  }
  const char* wanted = std::getenv("SDL_VIDEODRIVER");
  const bool askedOffscreen = wanted != nullptr && SDL_strcasecmp(wanted, "offscreen") == 0;
  if (std::strcmp(VideoDriver(), "offscreen") == 0 && !driverChosen && !askedOffscreen) {
    // Without a display SDL falls back to drawing nowhere: refuse to run unseen.
    std::fprintf(stderr, "SDL: no display available (only the offscreen video driver)\n");
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return zuSystem::Error(kScreenOp, "DirectDrawが使用できません");
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  SDL_DisplayMode desktop;
  int w = 640, h = 480;
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  if (GetScreenSettings().windowed) {
    WindowedSize(&w, &h);
  } else {
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
      w = desktop.w;
      h = desktop.h;
    }
  }
  mainWindow = SDL_CreateWindow(caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                                flags);
  if (mainWindow == nullptr) {
    std::fprintf(stderr, "SDL: cannot create the window: %s\n", SDL_GetError());
    return 0;
  }
  SDL_SetWindowMinimumSize(mainWindow, 320, 240);
  // The icon beside the program; without it the window simply keeps the default one.
  char iconPath[4200];
  std::snprintf(iconPath, sizeof iconPath, "%sskyward-run.bmp", zuSystem::GetAppPath(0));
  if (SDL_Surface* icon = LoadBitmapSurface(iconPath)) {
    SDL_SetColorKey(icon, SDL_TRUE, SDL_MapRGB(icon->format, 0, 0, 0));
    SDL_SetWindowIcon(mainWindow, icon);
    SDL_FreeSurface(icon);
  }
  return 1;
}

void ShowWindow() {
  if (mainWindow == nullptr) return;
  SDL_ShowWindow(mainWindow);
  SDL_RaiseWindow(mainWindow);
  // With no window manager nobody hands us the focus: take it.
  if (std::strcmp(VideoDriver(), "x11") == 0) SDL_SetWindowInputFocus(mainWindow);
}

void DestroyWindow() {
  if (mainWindow != nullptr) SDL_DestroyWindow(mainWindow);
  mainWindow = nullptr;
}

SDL_Surface* BackSurface() { return backSurface; }
SDL_Surface* ObjectSurface(int id) {
  const PictureSurface* p = id >= 0 && id < OBJECT_MAX ? objectTable[id].surface : nullptr;
  return p != nullptr ? p->plain : nullptr;
}
long PresentCount() { return presentCount; }

int PlatformScreen(int width, int height) {
  if (screenReady) ReleaseScreenObjects();
  screenWidth = width;
  screenHeight = height;
  SetClip(0, 0, width, height);
  if (mainWindow == nullptr) return ScreenFailure("DirectDrawが使用できません");

  const int present = OpenPresent();
  if (present == 0) return ScreenFailure("フルスクリーン化できません");
  if (present < 0) return ScreenFailure("スプライト(Front)が生成できません");
  backSurface = NewSurface(width, height);
  if (backSurface == nullptr) return ScreenFailure("スプライト(Back)が取得できません");

  const char* workNames[2] = {"スプライト(Buffer)が生成できません",
                              "スプライト(Screen)が生成できません"};
  for (int id = 0; id < 2; ++id) {
    ClearObject(id);
    SDL_Surface* s = NewSurface(width, height);
    if (s == nullptr) return ScreenFailure(workNames[id]);
    SetSourceColorKey(s, 0);
    objectTable[id].surface = NewPicture(s);
    if (objectTable[id].surface == nullptr) return ScreenFailure(workNames[id]);
  }
  stretchCapable = 1;
  if (backSurface->format == nullptr || backSurface->format->BitsPerPixel != 16) {
    return ScreenFailure("ピクセル情報が取得できません");
  }
  FinishScreen();
  return 1;
}

void PlatformCloseScreen() {
  ReleaseScreenObjects();
  zuSystem::CloseJoysticks();
  if (mainWindow != nullptr) SDL_MinimizeWindow(mainWindow);
}

void PlatformClear() {
  if (backSurface != nullptr) SDL_FillRect(backSurface, nullptr, 0);
}

PictureSurface* PlatformReadPicture(const char* path) {
  return NewPicture(LoadBitmapSurface(path));
}

void PlatformFreePicture(int id) {
  DropRunLength(id);
  ObjectEntry& entry = objectTable[id];
  if (entry.surface != nullptr) {
    SDL_FreeSurface(entry.surface->plain);
    delete entry.surface;
  }
  entry.surface = nullptr;
}

void PlatformKeyPicture(int id, uint32_t color) {
  SetSourceColorKey(ObjectSurface(id), color);
  MakeRunLength(id);
}

int PlatformDrawPicture(int x, int y, int id, int left, int top, int right, int bottom) {
  SDL_Surface* src = objectTable[id].surface->plain;
  if (backSurface == nullptr) return 0;
  // A rectangle leaving the picture or the back surface is refused, not read or written.
  if (!SourceInside(src->w, src->h, left, top, right, bottom)) return 0;
  if (!DestInside(backSurface->w, backSurface->h, x, y, right - left, bottom - top)) return 0;
  SDL_Rect s = {left, top, right - left, bottom - top};
  SDL_Rect d = {x, y, s.w, s.h};
  SDL_Surface* runs = objectTable[id].surface->runLength;
  SDL_Surface* from = runs != nullptr ? runs : src;
  return SDL_LowerBlit(from, &s, backSurface, &d) == 0 ? 1 : 0;
}

int PlatformDrawStretched(int x, int y, int id, int left, int top, int right, int bottom,
                          int width, int height) {
  SDL_Surface* src = ObjectSurface(id);
  if (src == nullptr || backSurface == nullptr) return 0;
  if (left >= right || top >= bottom || width <= 0 || height <= 0) return 0;
  if (!SourceInside(src->w, src->h, left, top, right, bottom)) return 0;
  const SDL_Rect s = {left, top, right - left, bottom - top};
  if (stretchCapable) {
    // Not trimmed to the clip rectangle; a destination leaving the back surface is not drawn.
    if (!DestInside(backSurface->w, backSurface->h, x, y, width, height)) return 0;
    Uint32 key = 0;
    const bool keyed = SDL_GetColorKey(src, &key) == 0;
    const SDL_Rect d = {x, y, width, height};
    ScaleCopy(src, s, backSurface, d, keyed, key);
    return 1;
  }
  // Through the Buffer (object 0), then a keyed, trimmed draw of it.
  SDL_Surface* buffer = ObjectSurface(0);
  if (buffer == nullptr || width > buffer->w || height > buffer->h) return 0;
  const SDL_Rect d = {0, 0, width, height};
  ScaleCopy(src, s, buffer, d, false, 0);
  return PutObject(x, y, 0, 0, 0, width, height);
}

void Represent() {
  if (screenReady && Present(backSurface, false)) ++presentCount;
}

void PlatformFlip() {
  if (!screenReady || backSurface == nullptr) return;
  if (faultPending) {
    // As when the device reports a reset: repair, and this frame is not shown.
    faultPending = 0;
    OnRenderReset();
    return;
  }
  if (Present(backSurface, true)) ++presentCount;
}

void OnRenderReset() {
  if (!screenReady) return;
  RecreatePresentTextures();
  RestoreAll();
}

void InjectDeviceReset() { faultPending = 1; }

}  // namespace zuDraw
