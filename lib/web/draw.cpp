// The browser's screen: the back surface and the pictures are RGB565 in the
// program's memory, drawn by our own keyed copies; the present scales the
// picture by the desktop's sharp rule into the canvas, in device pixels.
#include <emscripten.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "lib/draw/bmp.h"
#include "lib/draw/drawPlatform.h"
#include "lib/draw/present_scale.h"
#include "lib/draw/zuDrawInternal.h"
#include "lib/input/inputInternal.h"
#include "lib/system/zuSystem.h"
#include "lib/web/web.h"

struct PictureSurface {
  int w, h;
  bool keyed;
  uint16_t key;
  std::vector<uint16_t> pixels;
};

namespace {

constexpr const char* kScreenOp = "zuDraw::Screen";

std::vector<uint16_t> back;
int backW = 0, backH = 0;

// The present's plan, remade when the canvas changes size.
zuDraw::ScalePlan plan;
std::vector<uint8_t> scaled;
int canvasW = -1, canvasH = -1;
bool planned = false;

PictureSurface* NewPicture(int w, int h) {
  PictureSurface* p = new (std::nothrow) PictureSurface{w, h, false, 0, {}};
  if (p == nullptr) return nullptr;
  p->pixels.assign(static_cast<size_t>(w) * h, 0);
  return p;
}

void FreeEntry(int id) {
  delete objectTable[id].surface;
  objectTable[id].surface = nullptr;
}

void ReleaseScreenObjects() {
  for (int id = 0; id < zuDraw::OBJECT_MAX; ++id) FreeEntry(id);
  zuDraw::PlatformReleaseText();
  std::vector<uint16_t>().swap(back);
  backW = backH = 0;
  planned = false;
  canvasW = canvasH = -1;
  screenReady = 0;
}

// The colour of a COLORREF (0x00BBGGRR) in RGB565, or the picture's own
// top-left pixel for CLR_INVALID.
uint16_t MatchColor(const PictureSurface& p, uint32_t color) {
  if (color == CLR_INVALID) return p.pixels.empty() ? 0 : p.pixels[0];
  const unsigned r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

void Present() {
  if (back.empty() || !skyward_has_page()) return;
  int w = 0, h = 0;
  skyward_canvas_size(&w, &h);
  if (w <= 0 || h <= 0) return;
  bool clear = false;
  if (w != canvasW || h != canvasH || !planned) {
    canvasW = w;
    canvasH = h;
    const zuDraw::PictureLayout layout = zuDraw::FitPicture(backW, backH, w, h);
    planned = zuDraw::MakeScalePlan(plan, backW, backH, layout, zuDraw::PixelOrder::XBGR8888);
    if (planned) scaled.assign(static_cast<size_t>(layout.w) * layout.h * 4, 0);
    clear = true;
  }
  if (!planned) return;
  const zuDraw::PictureLayout& l = plan.layout;
  const double start = emscripten_get_now();
  zuDraw::ScalePicture(plan, back.data(), backW * 2, scaled.data(), l.w * 4);
  const double scaledAt = emscripten_get_now();
  skyward_present(scaled.data(), l.x, l.y, l.w, l.h, w, h, clear ? 1 : 0);
  // For the benchmark, when it asks: the scale and the hand-over to the canvas.
  EM_ASM({
    var s = Module['skyward'];
    if (s && s.measureParts) s.measureParts.push($0, $1);
  }, scaledAt - start, emscripten_get_now() - scaledAt);
}

}  // namespace

// For the benchmark (tools/web/bench.js): the present's scale of the current
// picture, `times` over back to back, as skyward-bench --scale times it
// natively; ms per scale, or -1 before the first present.
extern "C" EMSCRIPTEN_KEEPALIVE double SkywardTimeScale(int times) {
  if (!planned || times <= 0) return -1;
  const zuDraw::PictureLayout& l = plan.layout;
  const double start = emscripten_get_now();
  for (int i = 0; i < times; ++i) {
    zuDraw::ScalePicture(plan, back.data(), backW * 2, scaled.data(), l.w * 4);
  }
  return (emscripten_get_now() - start) / times;
}

namespace zuDraw {

const uint16_t* WebBackSurface() { return back.empty() ? nullptr : back.data(); }

int PlatformScreen(int width, int height) {
  if (screenReady) ReleaseScreenObjects();
  screenWidth = width;
  screenHeight = height;
  SetClip(0, 0, width, height);
  if (width <= 0 || height <= 0 || width > BITMAP_MAX_SIDE || height > BITMAP_MAX_SIDE) {
    return zuSystem::Error(kScreenOp, "スプライト(Back)が取得できません");
  }
  back.assign(static_cast<size_t>(width) * height, 0);
  backW = width;
  backH = height;
  const char* workNames[2] = {"スプライト(Buffer)が生成できません",
                              "スプライト(Screen)が生成できません"};
  for (int id = 0; id < 2; ++id) {
    ClearObject(id);
    objectTable[id].surface = NewPicture(width, height);
    if (objectTable[id].surface == nullptr) return zuSystem::Error(kScreenOp, workNames[id]);
    objectTable[id].surface->keyed = true;
  }
  stretchCapable = 1;
  FinishScreen();
  return 1;
}

void PlatformCloseScreen() {
  ReleaseScreenObjects();
  zuSystem::CloseJoysticks();
}

void PlatformClear() { std::fill(back.begin(), back.end(), 0); }

void PlatformFlip() {
  if (!screenReady) return;
  Present();
}

// The browser shows a frame at its display's refresh and calls each frame then.
bool PlatformPresentWaits() { return skyward_has_page() != 0; }

PictureSurface* PlatformReadPicture(const char* path) {
  static std::vector<uint8_t> file;
  size_t size = 0;
  BitmapInfo info;
  if (!ReadBitmapFile(path, &file, &size) || !ParseBitmap(file.data(), size, &info)) return nullptr;
  PictureSurface* p = NewPicture(info.width, info.height);
  if (p == nullptr) return nullptr;
  if (!DecodeBitmap(file.data(), size, info, {0xF800, 0x07E0, 0x001F}, p->pixels.data(),
                    static_cast<size_t>(info.width) * 2)) {
    delete p;
    return nullptr;
  }
  return p;
}

void PlatformFreePicture(int id) { FreeEntry(id); }

void PlatformKeyPicture(int id, uint32_t color) {
  PictureSurface* p = objectTable[id].surface;
  if (p == nullptr) return;
  p->key = MatchColor(*p, color);
  p->keyed = true;
}

int PlatformDrawPicture(int x, int y, int id, int left, int top, int right, int bottom) {
  const PictureSurface* p = objectTable[id].surface;
  if (p == nullptr || back.empty()) return 0;
  // A rectangle leaving the picture or the back surface is refused, not read or written.
  if (!SourceInside(p->w, p->h, left, top, right, bottom)) return 0;
  if (!DestInside(backW, backH, x, y, right - left, bottom - top)) return 0;
  const int w = right - left;
  for (int row = top; row < bottom; ++row) {
    const uint16_t* s = p->pixels.data() + static_cast<size_t>(row) * p->w + left;
    uint16_t* d = back.data() + static_cast<size_t>(y + row - top) * backW + x;
    if (!p->keyed) {
      std::memcpy(d, s, static_cast<size_t>(w) * 2);
      continue;
    }
    const uint16_t key = p->key;
    for (int i = 0; i < w; ++i) {
      if (s[i] != key) d[i] = s[i];
    }
  }
  return 1;
}

int PlatformDrawStretched(int x, int y, int id, int left, int top, int right, int bottom,
                          int width, int height) {
  const PictureSurface* p = objectTable[id].surface;
  if (p == nullptr || back.empty()) return 0;
  if (left >= right || top >= bottom || width <= 0 || height <= 0) return 0;
  if (!SourceInside(p->w, p->h, left, top, right, bottom)) return 0;
  // Not trimmed to the clip rectangle; a destination leaving the back surface is not drawn.
  if (!DestInside(backW, backH, x, y, width, height)) return 0;
  const int sw = right - left, sh = bottom - top;
  for (int dy = 0; dy < height; ++dy) {
    const int sy = top + static_cast<int>(static_cast<int64_t>(dy) * sh / height);
    const uint16_t* srow = p->pixels.data() + static_cast<size_t>(sy) * p->w;
    uint16_t* drow = back.data() + static_cast<size_t>(y + dy) * backW + x;
    for (int dx = 0; dx < width; ++dx) {
      const uint16_t v = srow[left + static_cast<int>(static_cast<int64_t>(dx) * sw / width)];
      if (!p->keyed || v != p->key) drow[dx] = v;
    }
  }
  return 1;
}

}  // namespace zuDraw
