// The present: the finished 640 x 480 back surface onto the window, by the
// cheapest way the machine has. A hardware renderer gets a streaming texture
// and a scaled copy; where the only renderer is a software one (or there is
// none), the picture is converted and scaled by our own loop straight into the
// window's surface, and no renderer library is loaded at all.
#include <SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lib/draw/present_scale.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/draw/zuDrawSettings.h"
#include "lib/system/zuSystem.h"
#include "lib/sdl/zuSystemSdl.h"

namespace {

enum class Path { None, Texture, Window };

Path path = Path::None;
bool forcedPath = false;

// --- choosing the path ---------------------------------------------------

// The renderer SDL would pick is tried in a child process: loading an OpenGL
// driver maps some 80 MB that would stay in the game for nothing when the
// answer is "software".
pid_t probePid = -1;
int probeFd = -1;

bool SoftwareRenderer(const char* answer) {
  static const char* const kSoftware[] = {"software", "llvmpipe", "softpipe", "swrast",
                                          "Software Rasterizer", "SwiftShader", "GDI Generic"};
  if (answer[0] == '\0' || std::strcmp(answer, "none") == 0) return true;
  for (const char* name : kSoftware) {
    if (SDL_strcasestr(answer, name) != nullptr) return true;
  }
  return false;
}

[[noreturn]] void ProbeChild(int fd) {
  char answer[256] = "none";
  if (SDL_Init(SDL_INIT_VIDEO) == 0) {
    SDL_Window* w = SDL_CreateWindow("probe", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    SDL_Renderer* r = w != nullptr ? SDL_CreateRenderer(w, -1, 0) : nullptr;
    SDL_RendererInfo info;
    if (r != nullptr && SDL_GetRendererInfo(r, &info) == 0) {
      std::snprintf(answer, sizeof answer, "%s", info.name);
      if (std::strncmp(info.name, "opengl", 6) == 0) {
        using GetString = const unsigned char* (*)(unsigned);
        auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
        const unsigned char* gl = getString != nullptr ? getString(0x1F01) : nullptr;  // GL_RENDERER
        if (gl != nullptr) std::snprintf(answer, sizeof answer, "%s %s", info.name, gl);
      }
    }
  }
  const ssize_t ignored = write(fd, answer, std::strlen(answer));
  (void)ignored;
  _exit(0);  // nothing of the parent's may run here
}

bool DummyDriver(const char* name) {
  return SDL_strcasecmp(name, "dummy") == 0 || SDL_strcasecmp(name, "offscreen") == 0;
}

// Reads the player's choice; "" when there is none.
const char* Forced() {
  const char* v = std::getenv("SKYWARD_PRESENT");
  if (v == nullptr || v[0] == '\0') return "";
  if (std::strcmp(v, "texture") == 0 || std::strcmp(v, "window") == 0) return v;
  std::fprintf(stderr, "SKYWARD_PRESENT=%s is neither \"texture\" nor \"window\"; ignored\n", v);
  return "";
}

// Joins the probe; the answer, or "" when it gave none in time.
void ProbeAnswer(char* answer, size_t size) {
  answer[0] = '\0';
  if (probePid < 0) return;
  pollfd p = {probeFd, POLLIN, 0};
  size_t used = 0;
  const uint32_t until = SDL_GetTicks() + 5000;
  while (used + 1 < size) {
    const int left = static_cast<int>(until - SDL_GetTicks());
    if (left <= 0 || poll(&p, 1, left) <= 0) break;
    const ssize_t n = read(probeFd, answer + used, size - 1 - used);
    if (n <= 0) break;
    used += static_cast<size_t>(n);
  }
  answer[used] = '\0';
  close(probeFd);
  probeFd = -1;
  if (waitpid(probePid, nullptr, WNOHANG) == 0) {
    kill(probePid, SIGKILL);
    waitpid(probePid, nullptr, 0);
  }
  probePid = -1;
}

// --- the texture path ----------------------------------------------------

SDL_Renderer* renderer = nullptr;
SDL_Texture* frontTexture = nullptr;   // the picture, 32-bit, converted by us
SDL_Texture* sharpTexture = nullptr;   // the whole multiple, when a smooth step follows
Uint32 textureFormat = SDL_PIXELFORMAT_ARGB8888;
zuDraw::PixelOrder textureOrder = zuDraw::PixelOrder::XRGB8888;

// --- both ----------------------------------------------------------------

zuDraw::ScalePlan plan;          // window path: the whole layout; texture path: 1x
zuDraw::PictureLayout layout;
bool layoutDirty = true;
int outputW = 0, outputH = 0;
SDL_Surface* staging = nullptr;  // window path, for window formats the loop does not write
SDL_Surface* lastSurface = nullptr;
int refreshOverride = 0;
uint32_t refreshStart = 0;
int refreshHz = 0;

bool OrderOf(Uint32 format, zuDraw::PixelOrder* order) {
  switch (format) {
    case SDL_PIXELFORMAT_ARGB8888:
    case SDL_PIXELFORMAT_RGB888:
      *order = zuDraw::PixelOrder::XRGB8888;
      return true;
    case SDL_PIXELFORMAT_ABGR8888:
    case SDL_PIXELFORMAT_BGR888:
      *order = zuDraw::PixelOrder::XBGR8888;
      return true;
    case SDL_PIXELFORMAT_RGB565:
      *order = zuDraw::PixelOrder::RGB565;
      return true;
    default:
      return false;
  }
}

void DestroyTextures() {
  if (sharpTexture != nullptr) SDL_DestroyTexture(sharpTexture);
  sharpTexture = nullptr;
  if (frontTexture != nullptr) SDL_DestroyTexture(frontTexture);
  frontTexture = nullptr;
}

bool CreateFrontTexture() {
  DestroyTextures();
  // A 32-bit format the renderer takes as it is: the conversion is ours (the
  // same as the window path's), and nothing is converted again on upload.
  SDL_RendererInfo info;
  textureFormat = SDL_PIXELFORMAT_ARGB8888;
  if (SDL_GetRendererInfo(renderer, &info) == 0) {
    for (Uint32 i = 0; i < info.num_texture_formats; ++i) {
      zuDraw::PixelOrder order;
      const Uint32 f = info.texture_formats[i];
      if (SDL_BITSPERPIXEL(f) == 24 || !OrderOf(f, &order) || order == zuDraw::PixelOrder::RGB565) continue;
      textureFormat = f;
      break;
    }
  }
  OrderOf(textureFormat, &textureOrder);
  frontTexture = SDL_CreateTexture(renderer, textureFormat, SDL_TEXTUREACCESS_STREAMING,
                                   screenWidth, screenHeight);
  if (frontTexture == nullptr) return false;
  SDL_SetTextureScaleMode(frontTexture, SDL_ScaleModeNearest);
  zuDraw::PictureLayout one;
  one.w = screenWidth;
  one.h = screenHeight;
  zuDraw::MakeScalePlan(plan, screenWidth, screenHeight, one, textureOrder);
  layoutDirty = true;
  return true;
}

void TextureLayout() {
  int w = 0, h = 0;
  // Drawable pixels, not window points: sharp on high-DPI desktops.
  if (SDL_GetRendererOutputSize(renderer, &w, &h) != 0) return;
  if (!layoutDirty && w == outputW && h == outputH) return;
  layoutDirty = false;
  outputW = w;
  outputH = h;
  layout = zuDraw::FitPicture(screenWidth, screenHeight, w, h);
  if (sharpTexture != nullptr) SDL_DestroyTexture(sharpTexture);
  sharpTexture = nullptr;
  if (layout.smooth && SDL_RenderTargetSupported(renderer)) {
    sharpTexture = SDL_CreateTexture(renderer, textureFormat, SDL_TEXTUREACCESS_TARGET,
                                     screenWidth * layout.multiple, screenHeight * layout.multiple);
    if (sharpTexture != nullptr) SDL_SetTextureScaleMode(sharpTexture, SDL_ScaleModeLinear);
  }
  if (layout.smooth && sharpTexture == nullptr) SDL_SetTextureScaleMode(frontTexture, SDL_ScaleModeLinear);
  if (!layout.smooth) SDL_SetTextureScaleMode(frontTexture, SDL_ScaleModeNearest);
}

void TexturePresent() {
  TextureLayout();
  if (layout.w <= 0) return;
  // The renderer's back buffer holds nothing certain after a present: the bars
  // are cleared when there are bars.
  if (layout.w != outputW || layout.h != outputH) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
  }
  const SDL_Rect to = {layout.x, layout.y, layout.w, layout.h};
  if (sharpTexture != nullptr) {
    SDL_SetRenderTarget(renderer, sharpTexture);
    SDL_RenderCopy(renderer, frontTexture, nullptr, nullptr);
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_RenderCopy(renderer, sharpTexture, nullptr, &to);
  } else {
    SDL_RenderCopy(renderer, frontTexture, nullptr, &to);
  }
  SDL_RenderPresent(renderer);
}

// --- the window path -----------------------------------------------------

void WindowPresent(SDL_Surface* back, bool upload) {
  SDL_Surface* s = SDL_GetWindowSurface(mainWindow);
  if (s == nullptr) return;
  bool whole = false;
  if (layoutDirty || s != lastSurface || s->w != outputW || s->h != outputH) {
    // A new size or a new surface: the layout is made again and the bars
    // cleared once; from here on only the picture is written and sent.
    layoutDirty = false;
    lastSurface = s;
    outputW = s->w;
    outputH = s->h;
    layout = zuDraw::FitPicture(screenWidth, screenHeight, s->w, s->h);
    zuDraw::PixelOrder order = zuDraw::PixelOrder::XRGB8888;
    if (staging != nullptr) SDL_FreeSurface(staging);
    staging = nullptr;
    if (!OrderOf(s->format->format, &order) && layout.w > 0) {
      staging = SDL_CreateRGBSurfaceWithFormat(0, layout.w, layout.h, 32, SDL_PIXELFORMAT_ARGB8888);
    }
    zuDraw::MakeScalePlan(plan, screenWidth, screenHeight, layout, order);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0, 0, 0));
    whole = upload = true;
  }
  if (layout.w <= 0) return;
  // Shown again after an expose: the bars may need it as much as the picture.
  if (!upload) whole = true;
  if (upload) {
    if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
    const Uint16* picture = static_cast<const Uint16*>(back->pixels);
    if (staging != nullptr) {
      zuDraw::ScalePicture(plan, picture, back->pitch, static_cast<uint8_t*>(staging->pixels),
                           staging->pitch);
    } else {
      uint8_t* at = static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(layout.y) * s->pitch +
                    static_cast<size_t>(layout.x) * s->format->BytesPerPixel;
      zuDraw::ScalePicture(plan, picture, back->pitch, at, s->pitch);
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    if (staging != nullptr) {
      SDL_Rect to = {layout.x, layout.y, layout.w, layout.h};
      SDL_BlitSurface(staging, nullptr, s, &to);
    }
  }
  if (whole) {
    SDL_UpdateWindowSurface(mainWindow);
  } else {
    const SDL_Rect rect = {layout.x, layout.y, layout.w, layout.h};
    SDL_UpdateWindowSurfaceRects(mainWindow, &rect, 1);
  }
}

// The window's surface has no wait for the display in SDL 2. The present is
// paced to the display's refresh instead, through the clock seam: the game
// runs at the same pace on both paths (its volleys count frames), it cannot
// stop tearing.
void WaitForRefresh() {
  if (!zuDraw::GetScreenSettings().vsync) return;
  int hz = refreshOverride;
  if (hz == 0) {
    if (DummyDriver(zuDraw::VideoDriver())) return;  // no display, nothing to wait for
    if (refreshHz == 0) {
      SDL_DisplayMode mode;
      const int display = SDL_GetWindowDisplayIndex(mainWindow);
      refreshHz = display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0
                      ? mode.refresh_rate
                      : 60;
    }
    hz = refreshHz;
  }
  // The next refresh on a grid that started with the first present.
  const uint32_t now = zuSystem::GetTickCount();
  const uint64_t since = static_cast<uint64_t>(now - refreshStart) * hz;  // in 1/hz ms
  const uint64_t next = (since / 1000 + 1) * 1000;
  const uint32_t wait = static_cast<uint32_t>((next - since + hz - 1) / hz);
  if (wait > 0) zuSystem::Sleep(wait);
}

}  // namespace

namespace zuDraw {

void StartPresentProbe() {
  path = Path::None;
  forcedPath = false;
  const char* forced = Forced();
  if (forced[0] != '\0') {
    path = std::strcmp(forced, "window") == 0 ? Path::Window : Path::Texture;
    forcedPath = true;
    return;
  }
  const char* wanted = std::getenv("SDL_VIDEODRIVER");
  if (wanted != nullptr && DummyDriver(wanted)) {
    path = Path::Window;  // SDL's own software renderer is all there is
    return;
  }
  int fds[2];
  if (pipe(fds) != 0) return;
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    ProbeChild(fds[1]);
  }
  close(fds[1]);
  if (pid < 0) {
    close(fds[0]);
    return;
  }
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  probePid = pid;
  probeFd = fds[0];
}

const char* PresentPath() {
  return path == Path::Window ? "window" : path == Path::Texture ? "texture" : "";
}

SDL_Renderer* Renderer() { return renderer; }

int OpenPresent() {
  ClosePresent();
  if (path == Path::None || probePid >= 0) {
    char answer[256];
    ProbeAnswer(answer, sizeof answer);
    if (path == Path::None) path = DummyDriver(VideoDriver()) || SoftwareRenderer(answer) ? Path::Window : Path::Texture;
  }
  refreshHz = 0;
  refreshStart = zuSystem::GetTickCount();
  layoutDirty = true;
  if (path == Path::Window) {
    // SDL would otherwise show the window's surface through a renderer of its own.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_GetWindowSurface(mainWindow) != nullptr) return 1;
    if (forcedPath) return 0;
    std::fprintf(stderr, "SDL: no window surface (%s); presenting through a renderer\n", SDL_GetError());
    path = Path::Texture;
  }
  const Uint32 flags = GetScreenSettings().vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
  renderer = SDL_CreateRenderer(mainWindow, -1, flags);
  if (renderer == nullptr) return 0;
  return CreateFrontTexture() ? 1 : -1;
}

void ClosePresent() {
  DestroyTextures();
  if (renderer != nullptr) SDL_DestroyRenderer(renderer);
  renderer = nullptr;
  if (staging != nullptr) SDL_FreeSurface(staging);
  staging = nullptr;
  lastSurface = nullptr;
  outputW = outputH = 0;
  layoutDirty = true;
}

int RecreatePresentTextures() {
  if (renderer == nullptr) return 1;
  return CreateFrontTexture() ? 1 : 0;
}

bool Present(SDL_Surface* back, bool upload) {
  if (path == Path::Window) {
    if (mainWindow == nullptr) return false;
    WindowPresent(back, upload);
    if (upload) WaitForRefresh();
    return true;
  }
  if (renderer == nullptr || frontTexture == nullptr) return false;
  if (upload) {
    // Locked and written in place: no conversion buffer of SDL's, nothing allocated.
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(frontTexture, nullptr, &pixels, &pitch) == 0) {
      ScalePicture(plan, static_cast<const Uint16*>(back->pixels), back->pitch,
                   static_cast<uint8_t*>(pixels), pitch);
      SDL_UnlockTexture(frontTexture);
    }
  }
  TexturePresent();
  return true;
}

void UpdateScaling() { layoutDirty = true; }

bool PlatformPresentWaits() {
  // No display (the dummy driver): nothing to wait for, whatever was asked.
  if (!GetScreenSettings().vsync || DummyDriver(VideoDriver())) return false;
  if (path == Path::Window) return mainWindow != nullptr;
  SDL_RendererInfo info;
  return renderer != nullptr && SDL_GetRendererInfo(renderer, &info) == 0 &&
         (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
}

PictureLayout CurrentLayout() { return layout; }

void SetRefreshForTest(int hz) { refreshOverride = hz; }

void ToggleFullScreen() {
  if (mainWindow == nullptr) return;
  const bool full = (SDL_GetWindowFlags(mainWindow) & SDL_WINDOW_FULLSCREEN) != 0;
  if (full) {
    SDL_SetWindowFullscreen(mainWindow, 0);
    int w = 640, h = 480;
    WindowedSize(&w, &h);
    SDL_SetWindowSize(mainWindow, w, h);
    SDL_SetWindowPosition(mainWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  } else {
    SDL_SetWindowFullscreen(mainWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
  }
  layoutDirty = true;
}

void WindowedSize(int* w, int* h) {
  // The largest whole multiple of the picture that fits the desktop with room
  // for the window's frame.
  SDL_Rect usable = {0, 0, 1024, 768};
  const int display = mainWindow != nullptr ? SDL_GetWindowDisplayIndex(mainWindow) : 0;
  if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) != 0) {
    SDL_GetDisplayBounds(0, &usable);
  }
  constexpr int kFrameW = 16, kFrameH = 48;
  int m = std::min((usable.w - kFrameW) / screenWidth, (usable.h - kFrameH) / screenHeight);
  if (m < 1) m = 1;
  *w = screenWidth * m;
  *h = screenHeight * m;
}

}  // namespace zuDraw
