// The Win32 side of the screen: DirectDraw 7, exclusive full screen at
// 640 x 480 x 16 with a flipping chain, keyed BltFast onto the back buffer,
// lost surfaces restored and the lost pictures read again.
#include "lib/win32/drawWin32.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "lib/draw/bmp.h"
#include "lib/draw/zuDraw.h"
#include "lib/draw/zuDrawSettings.h"
#include "lib/draw/zuDrawInternal.h"
#include "lib/input/inputInternal.h"
#include "lib/system/systemPlatform.h"
#include "lib/system/zuSystem.h"

namespace {

constexpr const char* kScreenOp = "zuDraw::Screen";
constexpr int kDepth = 16;

IDirectDraw7* directDraw = nullptr;
IDirectDrawSurface7* frontSurface = nullptr;
IDirectDrawSurface7* backSurface = nullptr;
int exclusive = 0;
// Where the windowed present puts the picture: aspect kept, centred.
RECT presentRect = {0, 0, 640, 480};

// Lost surfaces. A loss is met by a blit, the clear or the flip, and repaired
// once: what reports itself lost is restored, and each lost picture is read
// again at most once a loss. While the display will not come back (another
// program holds the mode, the monitor is gone) nothing is drawn; the next try
// waits for the next activation or a second.
constexpr uint32_t kRetryMs = 1000;
bool repairing = false;
bool retryNow = false;
uint32_t lastTry = 0;
int lossNumber = 0;
int boxLoss = 0;                          // the loss whose error box was shown
int readInLoss[zuDraw::OBJECT_MAX];       // the loss in which a picture was last read again
int readsAgain[zuDraw::OBJECT_MAX];       // how often each picture was read again
int fileReads = 0;                        // pictures read from their files, all told

// The test seam's surfaces that read as lost, and for how many flips they
// refuse to be restored (-1: for ever).
IDirectDrawSurface7* fakeLost[zuDraw::OBJECT_MAX + 2];
int fakeLostCount = 0;
int fakeLossFlips = 0;

bool FakedLost(IDirectDrawSurface7* s) {
  for (int i = 0; i < fakeLostCount; ++i) {
    if (fakeLost[i] == s) return true;
  }
  return false;
}

void ForgetFake(IDirectDrawSurface7* s) {
  for (int i = 0; i < fakeLostCount; ++i) {
    if (fakeLost[i] == s) fakeLost[i--] = fakeLost[--fakeLostCount];
  }
}

bool Lost(IDirectDrawSurface7* s) {
  if (s == nullptr) return false;
  return FakedLost(s) || s->IsLost() == DDERR_SURFACELOST;
}

// Brings a lost surface back; false while it cannot be.
bool Restore(IDirectDrawSurface7* s) {
  if (FakedLost(s)) {
    if (fakeLossFlips != 0) return false;
    ForgetFake(s);
    return true;
  }
  return s->Restore() == DD_OK;
}

// The back surface's channel masks, for the key colour and the BMP conversion.
struct Channel {
  uint32_t mask;
  int shift, bits;
} red, green, blue;

Channel MakeChannel(uint32_t mask) {
  Channel c{mask, 0, 0};
  if (mask == 0) return c;
  while (((mask >> c.shift) & 1) == 0) ++c.shift;
  while (((mask >> (c.shift + c.bits)) & 1) != 0) ++c.bits;
  return c;
}

uint16_t Pack(unsigned r, unsigned g, unsigned b) {
  // Truncation to the channel's bits, as the display's own conversion does.
  return static_cast<uint16_t>(((r >> (8 - red.bits)) << red.shift) |
                               ((g >> (8 - green.bits)) << green.shift) |
                               ((b >> (8 - blue.bits)) << blue.shift));
}

int ScreenFailure(const char* message, HRESULT result) {
  std::fprintf(stderr, "DirectDraw: error 0x%08lX\n", static_cast<unsigned long>(result));
  return zuSystem::Error(kScreenOp, message);
}

// An off-screen surface of the screen's format. Outside the exclusive mode
// the format is given as RGB565, whatever the desktop runs at.
IDirectDrawSurface7* NewSurface(int width, int height) {
  if (directDraw == nullptr) return nullptr;
  DDSURFACEDESC2 desc = {};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  desc.dwWidth = static_cast<DWORD>(width);
  desc.dwHeight = static_cast<DWORD>(height);
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
  if (!exclusive) {
    desc.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
    desc.dwFlags |= DDSD_PIXELFORMAT;
    desc.ddpfPixelFormat.dwSize = sizeof desc.ddpfPixelFormat;
    desc.ddpfPixelFormat.dwFlags = DDPF_RGB;
    desc.ddpfPixelFormat.dwRGBBitCount = 16;
    desc.ddpfPixelFormat.dwRBitMask = 0xF800;
    desc.ddpfPixelFormat.dwGBitMask = 0x07E0;
    desc.ddpfPixelFormat.dwBBitMask = 0x001F;
  }
  IDirectDrawSurface7* surface = nullptr;
  if (directDraw->CreateSurface(&desc, &surface, nullptr) != DD_OK) return nullptr;
  return surface;
}

bool SurfaceSize(IDirectDrawSurface7* s, int* w, int* h) {
  DDSURFACEDESC2 desc = {};
  desc.dwSize = sizeof desc;
  if (s == nullptr || s->GetSurfaceDesc(&desc) != DD_OK) return false;
  *w = static_cast<int>(desc.dwWidth);
  *h = static_cast<int>(desc.dwHeight);
  return true;
}

// Locks the whole surface, waiting while the blitter still uses it.
bool LockSurface(IDirectDrawSurface7* s, DDSURFACEDESC2* desc) {
  *desc = DDSURFACEDESC2{};
  desc->dwSize = sizeof *desc;
  if (FakedLost(s)) return false;
  HRESULT r;
  do {
    r = s->Lock(nullptr, desc, DDLOCK_WAIT, nullptr);
  } while (r == DDERR_WASSTILLDRAWING);
  return r == DD_OK;
}

// The pixel value of a COLORREF (0x00BBGGRR), or the picture's own top-left
// pixel for CLR_INVALID.
uint32_t MatchColor(IDirectDrawSurface7* s, uint32_t color) {
  if (color != CLR_INVALID) return Pack(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  DDSURFACEDESC2 desc;
  if (!LockSurface(s, &desc)) return CLR_INVALID;
  const uint32_t value = *static_cast<const uint16_t*>(desc.lpSurface);
  s->Unlock(nullptr);
  return value;
}

void SetSourceColorKey(IDirectDrawSurface7* s, uint32_t color) {
  const uint32_t value = MatchColor(s, color);
  DDCOLORKEY key = {value, value};
  s->SetColorKey(DDCKEY_SRCBLT, &key);
}

// A surface as a picture of the object table; null stays null.
PictureSurface* NewPicture(IDirectDrawSurface7* s) {
  if (s == nullptr) return nullptr;
  PictureSurface* p = new (std::nothrow) PictureSurface{s};
  if (p == nullptr) s->Release();
  return p;
}

void Release(IDirectDrawSurface7*& s) {
  if (s != nullptr) s->Release();
  s = nullptr;
}

// The device and the chain go; the display gets its own mode back.
void ReleaseDevice() {
  // The back buffer of a flipping chain goes with the front.
  if (!exclusive) Release(backSurface);
  backSurface = nullptr;
  Release(frontSurface);
  if (directDraw != nullptr) {
    if (exclusive) {
      directDraw->RestoreDisplayMode();
      directDraw->SetCooperativeLevel(mainWindow, DDSCL_NORMAL);
    }
    directDraw->Release();
    directDraw = nullptr;
  }
  exclusive = 0;
  repairing = false;
  fakeLostCount = 0;
  fakeLossFlips = 0;
}

void ReleaseScreenObjects() {
  for (int id = 0; id < zuDraw::OBJECT_MAX; ++id) zuDraw::ClearObject(id);
  zuDraw::PlatformReleaseText();
  ReleaseDevice();
  screenReady = 0;
}

// Reads entry id's picture again from its file, with the key it had; the old
// surface stays when the read fails.
bool ReadAgain(int id) {
  ObjectEntry& entry = objectTable[id];
  ++readsAgain[id];
  static char path[4200];
  std::snprintf(path, sizeof path, "%s%s", zuSystem::GetAppPath(0), entry.name);
  PictureSurface* fresh = zuDraw::PlatformReadPicture(path);
  if (fresh == nullptr) return false;
  zuDraw::PlatformFreePicture(id);
  entry.surface = fresh;
  zuDraw::PlatformKeyPicture(id, entry.key);
  return true;
}

// Pictures that did not come back are said once a loss: one box, not one each.
void TellUnreadPictures() {
  if (boxLoss == lossNumber) return;
  boxLoss = lossNumber;
  zuSystem::Error("zuDraw::SwapObject", "BMPファイルを読み込めません");
}

// One try at bringing the display back; `repairing` stays set while it cannot be.
void Repair() {
  lastTry = zuSystem::GetTickCount();
  retryNow = false;
  if (Lost(frontSurface) && !Restore(frontSurface)) return;
  // The back buffer of a chain comes back with the front.
  if (exclusive) {
    ForgetFake(backSurface);
  } else if (Lost(backSurface) && !Restore(backSurface)) {
    return;
  }
  // The work surfaces hold scratch: restored, not redrawn.
  for (int id = 0; id < 2; ++id) {
    IDirectDrawSurface7* s = zuDraw::ObjectSurface(id);
    if (Lost(s) && !Restore(s)) return;
  }
  bool unread = false;
  for (int id = 2; id < zuDraw::OBJECT_MAX; ++id) {
    const ObjectEntry& entry = objectTable[id];
    IDirectDrawSurface7* s = zuDraw::ObjectSurface(id);
    if (entry.name[0] == '\0' || readInLoss[id] == lossNumber || !Lost(s)) continue;
    if (std::strcmp(entry.name, "*") == 0) {
      Restore(s);  // made without a file: its memory comes back, not its content
      continue;
    }
    readInLoss[id] = lossNumber;
    if (ReadAgain(id)) continue;
    if (Lost(frontSurface)) {
      // The display went away again while reading: that is a new loss.
      ++lossNumber;
      return;
    }
    // The file is gone: the picture stays absent rather than lost.
    zuDraw::PlatformFreePicture(id);
    unread = true;
  }
  repairing = false;
  if (unread) TellUnreadPictures();
}

// A call answered that the surfaces are lost.
void MetLoss() {
  if (repairing) return;
  repairing = true;
  ++lossNumber;
  Repair();
}

// The full-screen take-over: exclusive level, the mode, the flipping chain.
HRESULT TakeDisplay(int width, int height, const char** message) {
  *message = "フルスクリーン化できません";
  HRESULT r = directDraw->SetCooperativeLevel(
      mainWindow, DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE);
  if (r != DD_OK) return r;
  *message = "解像度が変更できません";
  r = directDraw->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height), kDepth,
                                 0, 0);
  if (r != DD_OK) return r;
  *message = "スプライト(Front)が生成できません";
  DDSURFACEDESC2 desc = {};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  desc.dwBackBufferCount = 1;
  r = directDraw->CreateSurface(&desc, &frontSurface, nullptr);
  if (r != DD_OK) return r;
  *message = "スプライト(Back)が取得できません";
  DDSCAPS2 caps = {};
  caps.dwCaps = DDSCAPS_BACKBUFFER;
  return frontSurface->GetAttachedSurface(&caps, &backSurface);
}

HRESULT CreateDirectDraw() {
  IDirectDraw* first = nullptr;
  HRESULT r = DirectDrawCreate(nullptr, &first, nullptr);
  if (r == DD_OK) {
    r = first->QueryInterface(IID_IDirectDraw7, reinterpret_cast<void**>(&directDraw));
    first->Release();
  }
  if (r != DD_OK) directDraw = nullptr;
  return directDraw != nullptr ? DD_OK : (r != DD_OK ? r : E_FAIL);
}

// After a refused take-over the device starts afresh at the normal level:
// what the refusal left behind would keep the window from showing anything.
HRESULT GiveDisplayBack() {
  Release(frontSurface);
  backSurface = nullptr;
  directDraw->RestoreDisplayMode();
  directDraw->SetCooperativeLevel(mainWindow, DDSCL_NORMAL);
  directDraw->Release();
  directDraw = nullptr;
  return CreateDirectDraw();
}

}  // namespace

namespace zuDraw {

IDirectDrawSurface7* BackSurface() { return backSurface; }
IDirectDrawSurface7* ObjectSurface(int id) {
  const PictureSurface* p = id >= 0 && id < OBJECT_MAX ? objectTable[id].surface : nullptr;
  return p != nullptr ? p->surface : nullptr;
}
// The flipping chain waits for the display's refresh; the windowed present does not.
bool PlatformPresentWaits() { return exclusive != 0 && GetScreenSettings().vsync != 0; }
int ExclusiveMode() { return exclusive; }

void OnWindowSized() {
  RECT client = {0, 0, 0, 0};
  if (mainWindow == nullptr || !GetClientRect(mainWindow, &client)) return;
  const int w = client.right, h = client.bottom;
  if (w <= 0 || h <= 0) return;
  // The largest 4:3 picture that fits, centred; the rest stays black.
  int pw = w, ph = w * screenHeight / screenWidth;
  if (ph > h) {
    ph = h;
    pw = h * screenWidth / screenHeight;
  }
  presentRect = {(w - pw) / 2, (h - ph) / 2, (w - pw) / 2 + pw, (h - ph) / 2 + ph};
  InvalidateRect(mainWindow, nullptr, TRUE);
}

}  // namespace zuDraw

namespace {

// The device, the display (taken, or the window), the back surface and the
// work surfaces 0 and 1, as the screen settings ask. 1, or 0 after the
// failure was reported.
int BringUpDisplay(int width, int height) {
  using namespace zuDraw;
  HRESULT r = CreateDirectDraw();
  if (r != DD_OK) return ScreenFailure("DirectDrawが使用できません", r);

  if (!zuSystem::headlessRun && GetScreenSettings().windowed == 0) {
    const char* message = "";
    r = TakeDisplay(width, height, &message);
    exclusive = r == DD_OK ? 1 : 0;
    if (!exclusive) {
      // The machine refused the mode (or the chain): play in the window,
      // the picture scaled into it, rather than not at all.
      const HRESULT again = GiveDisplayBack();
      if (again != DD_OK) return ScreenFailure(message, r);
      std::fprintf(stderr,
                   "Skyward Run: %s (DirectDraw error 0x%08lX); playing in a window instead.\n",
                   message, static_cast<unsigned long>(r));
      std::fflush(stderr);
    }
  }
  if (!exclusive) {
    r = directDraw->SetCooperativeLevel(mainWindow, DDSCL_NORMAL);
    if (r != DD_OK) return ScreenFailure("フルスクリーン化できません", r);
    backSurface = NewSurface(width, height);
    if (backSurface == nullptr) return ScreenFailure("スプライト(Back)が取得できません", E_FAIL);
    OnWindowSized();
  }

  const char* workNames[2] = {"スプライト(Buffer)が生成できません",
                              "スプライト(Screen)が生成できません"};
  for (int id = 0; id < 2; ++id) {
    ClearObject(id);
    IDirectDrawSurface7* s = NewSurface(width, height);
    if (s == nullptr) return ScreenFailure(workNames[id], E_FAIL);
    objectTable[id].surface = NewPicture(s);
    if (objectTable[id].surface == nullptr) return ScreenFailure(workNames[id], E_FAIL);
  }
  DDCAPS driver = {}, emulation = {};
  driver.dwSize = emulation.dwSize = sizeof(DDCAPS);
  stretchCapable = 1;
  if (directDraw->GetCaps(&driver, &emulation) == DD_OK) {
    stretchCapable = (emulation.dwCaps & DDCAPS_BLTSTRETCH) != 0 ? 1 : 0;
  }
  DDPIXELFORMAT format = {};
  format.dwSize = sizeof format;
  r = backSurface->GetPixelFormat(&format);
  if (r != DD_OK || format.dwRGBBitCount != 16) {
    return ScreenFailure("ピクセル情報が取得できません", r);
  }
  red = MakeChannel(format.dwRBitMask);
  green = MakeChannel(format.dwGBitMask);
  blue = MakeChannel(format.dwBBitMask);
  for (int id = 0; id < 2; ++id) SetSourceColorKey(ObjectSurface(id), 0);
  return 1;
}

}  // namespace

namespace zuDraw {

void WindowPlacement(bool windowed, DWORD* style, RECT* place) {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  if (!windowed) {
    *style = WS_POPUP | WS_SYSMENU;
    *place = {0, 0, sw, sh};
    return;
  }
  // A captioned window with a 640 x 480 client area, centred; it may be resized.
  *style = WS_OVERLAPPEDWINDOW;
  RECT r = {0, 0, 640, 480};
  AdjustWindowRect(&r, *style, FALSE);
  const int w = r.right - r.left, h = r.bottom - r.top;
  *place = {(sw - w) / 2, (sh - h) / 2, (sw - w) / 2 + w, (sh - h) / 2 + h};
}

int PlatformScreen(int width, int height) {
  if (screenReady) ReleaseScreenObjects();
  screenWidth = width;
  screenHeight = height;
  SetClip(0, 0, width, height);
  if (!BringUpDisplay(width, height)) return 0;
  FinishScreen();
  return 1;
}

void ToggleFullScreen() {
  if (!screenReady || zuSystem::headlessRun || mainWindow == nullptr) return;
  ScreenSettings settings = GetScreenSettings();
  settings.windowed = settings.windowed != 0 ? 0 : 1;
  SetScreenSettings(settings);
  // Every surface belongs to the device and its mode: all go, the pictures
  // keep their names and keys and are read again into the new ones.
  for (int id = 0; id < OBJECT_MAX; ++id) PlatformFreePicture(id);
  PlatformReleaseText();
  ReleaseDevice();
  DWORD style = 0;
  RECT place;
  WindowPlacement(settings.windowed != 0, &style, &place);
  SetWindowLongPtrW(mainWindow, GWL_STYLE, static_cast<LONG_PTR>(style | WS_VISIBLE));
  SetWindowPos(mainWindow, settings.windowed != 0 ? HWND_NOTOPMOST : HWND_TOP, place.left,
               place.top, place.right - place.left, place.bottom - place.top,
               SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  if (!BringUpDisplay(screenWidth, screenHeight)) return;
  ++lossNumber;  // the switch counts as one loss: one box at most
  bool unread = false;
  for (int id = 2; id < OBJECT_MAX; ++id) {
    const ObjectEntry& entry = objectTable[id];
    if (entry.name[0] == '\0' || std::strcmp(entry.name, "*") == 0) continue;
    if (!ReadAgain(id)) unread = true;
  }
  if (unread) TellUnreadPictures();
}

void OnActivated() { retryNow = true; }

void InjectSurfaceLoss(int flips) {
  fakeLostCount = 0;
  const auto add = [](IDirectDrawSurface7* s) {
    if (s != nullptr && !FakedLost(s)) fakeLost[fakeLostCount++] = s;
  };
  add(frontSurface);
  add(backSurface);
  for (int id = 0; id < OBJECT_MAX; ++id) add(ObjectSurface(id));
  fakeLossFlips = flips;
}

int PictureReadsAgain(int id) { return id >= 0 && id < OBJECT_MAX ? readsAgain[id] : 0; }
int PictureFileReads() { return fileReads; }

void PlatformCloseScreen() {
  ReleaseScreenObjects();
  zuSystem::CloseJoysticks();
  if (mainWindow != nullptr && !zuSystem::headlessRun) CloseWindow(mainWindow);
}

// Every picture goes through the shared reader, decoded straight into a
// surface of the screen's channel layout (565 or 555).
PictureSurface* PlatformReadPicture(const char* path) {
  ++fileReads;
  static std::vector<uint8_t> file;
  size_t size = 0;
  zuDraw::BitmapInfo info;
  if (!zuDraw::ReadBitmapFile(path, &file, &size) || !zuDraw::ParseBitmap(file.data(), size, &info)) {
    return nullptr;
  }
  IDirectDrawSurface7* s = NewSurface(info.width, info.height);
  DDSURFACEDESC2 desc;
  if (s == nullptr || !LockSurface(s, &desc)) {
    if (s != nullptr) s->Release();
    return nullptr;
  }
  const zuDraw::PixelMasks masks = {static_cast<uint16_t>(red.mask),
                                    static_cast<uint16_t>(green.mask),
                                    static_cast<uint16_t>(blue.mask)};
  const bool ok = zuDraw::DecodeBitmap(file.data(), size, info, masks,
                                       static_cast<uint16_t*>(desc.lpSurface),
                                       static_cast<size_t>(desc.lPitch));
  s->Unlock(nullptr);
  if (file.size() > 4u * 1024 * 1024) std::vector<uint8_t>().swap(file);
  if (!ok) {
    s->Release();
    return nullptr;
  }
  return NewPicture(s);
}

void PlatformFreePicture(int id) {
  PictureSurface*& p = objectTable[id].surface;
  if (p != nullptr) {
    ForgetFake(p->surface);
    if (p->surface != nullptr) p->surface->Release();
    delete p;
  }
  p = nullptr;
}

void PlatformKeyPicture(int id, uint32_t color) { SetSourceColorKey(ObjectSurface(id), color); }

int PlatformDrawPicture(int x, int y, int id, int left, int top, int right, int bottom) {
  IDirectDrawSurface7* src = ObjectSurface(id);
  int w = 0, h = 0;
  if (backSurface == nullptr || repairing || !SurfaceSize(src, &w, &h)) return 0;
  // BltFast refuses what leaves either surface; say so before asking it.
  if (!SourceInside(w, h, left, top, right, bottom)) return 0;
  if (!DestInside(screenWidth, screenHeight, x, y, right - left, bottom - top)) return 0;
  RECT s = {left, top, right, bottom};
  const HRESULT r = FakedLost(backSurface) || FakedLost(src)
                        ? DDERR_SURFACELOST
                        : backSurface->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), src,
                                               &s, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
  if (r == DDERR_SURFACELOST) MetLoss();
  return r == DD_OK ? 1 : 0;
}

int PlatformDrawStretched(int x, int y, int id, int left, int top, int right, int bottom,
                          int width, int height) {
  IDirectDrawSurface7* src = ObjectSurface(id);
  int w = 0, h = 0;
  if (backSurface == nullptr || repairing || !SurfaceSize(src, &w, &h)) return 0;
  if (left >= right || top >= bottom || width <= 0 || height <= 0) return 0;
  if (!SourceInside(w, h, left, top, right, bottom)) return 0;
  RECT s = {left, top, right, bottom};
  if (stretchCapable) {
    // Not trimmed to the clip rectangle; a destination leaving the back surface is not drawn.
    if (!DestInside(screenWidth, screenHeight, x, y, width, height)) return 0;
    RECT d = {x, y, x + width, y + height};
    const HRESULT r = FakedLost(backSurface) || FakedLost(src)
                          ? DDERR_SURFACELOST
                          : backSurface->Blt(&d, src, &s, DDBLT_WAIT | DDBLT_KEYSRC, nullptr);
    if (r == DDERR_SURFACELOST) MetLoss();
    return r == DD_OK ? 1 : 0;
  }
  // Through the Buffer (object 0) with GDI, then a keyed, trimmed draw of it.
  IDirectDrawSurface7* buffer = ObjectSurface(0);
  if (buffer == nullptr || width > screenWidth || height > screenHeight) return 0;
  HDC to = nullptr, from = nullptr;
  if (buffer->GetDC(&to) != DD_OK) return 0;
  if (src->GetDC(&from) == DD_OK) {
    StretchBlt(to, 0, 0, width, height, from, left, top, right - left, bottom - top, SRCCOPY);
    src->ReleaseDC(from);
  }
  buffer->ReleaseDC(to);
  return PutObject(x, y, 0, 0, 0, width, height);
}

void PlatformClear() {
  if (backSurface == nullptr || repairing) return;
  DDBLTFX fx = {};
  fx.dwSize = sizeof fx;
  fx.dwFillColor = 0;
  const HRESULT r = FakedLost(backSurface)
                        ? DDERR_SURFACELOST
                        : backSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
  if (r == DDERR_SURFACELOST) MetLoss();
}

bool ReadBackPixels(uint16_t* pixels, int width, int height) {
  DDSURFACEDESC2 desc;
  if (backSurface == nullptr || !LockSurface(backSurface, &desc)) return false;
  for (int y = 0; y < height && y < static_cast<int>(desc.dwHeight); ++y) {
    const uint16_t* row = reinterpret_cast<const uint16_t*>(
        static_cast<const unsigned char*>(desc.lpSurface) + y * desc.lPitch);
    for (int x = 0; x < width && x < static_cast<int>(desc.dwWidth); ++x) {
      const uint16_t p = row[x];
      // Back to RGB565 from whatever the display uses.
      const unsigned r = ((p & red.mask) >> red.shift) << (8 - red.bits);
      const unsigned g = ((p & green.mask) >> green.shift) << (8 - green.bits);
      const unsigned b = ((p & blue.mask) >> blue.shift) << (8 - blue.bits);
      pixels[y * width + x] = static_cast<uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
    }
  }
  backSurface->Unlock(nullptr);
  return true;
}

void PlatformFlip() {
  if (backSurface == nullptr) return;
  if (fakeLossFlips > 0) --fakeLossFlips;
  if (repairing) {
    // Nothing to show: this frame drew nothing. A try when it is time.
    if (retryNow || zuSystem::GetTickCount() - lastTry >= kRetryMs) Repair();
    return;
  }
  if (exclusive) {
    // With one back buffer the flip waits for the display's refresh (unless
    // asked not to), which paces the game.
    const DWORD flags = DDFLIP_WAIT | (GetScreenSettings().vsync ? 0 : DDFLIP_NOVSYNC);
    const HRESULT r =
        FakedLost(frontSurface) ? DDERR_SURFACELOST : frontSurface->Flip(nullptr, flags);
    if (r == DDERR_SURFACELOST) MetLoss();
    return;
  }
  if (zuSystem::headlessRun || mainWindow == nullptr) return;
  // In a window: the picture, scaled into the client area with its aspect kept.
  static uint16_t pixels[640 * 480];
  if (screenWidth * screenHeight > 640 * 480 || !ReadBackPixels(pixels, screenWidth, screenHeight)) {
    if (Lost(backSurface)) MetLoss();
    return;
  }
  struct {
    BITMAPINFOHEADER header;
    DWORD masks[3];
  } info = {};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = screenWidth;
  info.header.biHeight = -screenHeight;  // top-down
  info.header.biPlanes = 1;
  info.header.biBitCount = 16;
  info.header.biCompression = BI_BITFIELDS;
  info.masks[0] = 0xF800;
  info.masks[1] = 0x07E0;
  info.masks[2] = 0x001F;
  HDC dc = GetDC(mainWindow);
  if (dc == nullptr) return;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, presentRect.left, presentRect.top, presentRect.right - presentRect.left,
                presentRect.bottom - presentRect.top, 0, 0, screenWidth, screenHeight, pixels,
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
  ReleaseDC(mainWindow, dc);
}

}  // namespace zuDraw

namespace zuSystem {

void FlipToGdi() {
  if (directDraw != nullptr && exclusive) directDraw->FlipToGDISurface();
}

}  // namespace zuSystem
