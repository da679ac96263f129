// The object table, the clip rectangle and what a draw does before it reaches
// the platform: the same on every platform.
#include <cstdio>
#include <cstring>

#include "lib/draw/zuDraw.h"
#include "lib/draw/drawPlatform.h"
#include "lib/draw/zuDrawInternal.h"
#include "lib/input/inputInternal.h"
#include "lib/sound/soundInternal.h"
#include "lib/system/zuSystem.h"

ClipRect clipRect = {0, 0, 640, 480};
int screenWidth = 640;
int screenHeight = 480;
int stretchCapable = 1;
ObjectEntry objectTable[zuDraw::OBJECT_MAX];
uint32_t keyColor = 0;
int keyFromCorner = 0;
int screenReady = 0;

namespace {

void ApplyKey(int id) {
  ObjectEntry& entry = objectTable[id];
  entry.key = keyFromCorner == 0 ? keyColor : CLR_INVALID;
  zuDraw::PlatformKeyPicture(id, entry.key);
}

// Names entry id and reads its picture from the program's folder; the name
// stays even when the read fails. 1, or 0 after reporting the failure.
int ReadInto(int id, const char* name, const char* operation) {
  ObjectEntry& entry = objectTable[id];
  std::snprintf(entry.name, sizeof entry.name, "%s", name);
  char path[4200];
  std::snprintf(path, sizeof path, "%s%s", zuSystem::GetAppPath(0), name);
  entry.surface = zuDraw::PlatformReadPicture(path);
  if (entry.surface == nullptr) return zuSystem::Error(operation, "BMPファイルを読み込めません");
  ApplyKey(id);
  return 1;
}

}  // namespace

namespace zuDraw {

bool TrimToClip(int* x, int* y, int* left, int* top, int* right, int* bottom) {
  // Right and bottom are cut against the unshifted position first, then left and top.
  if (static_cast<int64_t>(*x) + *right - *left > clipRect.right) {
    *right = *left - *x + clipRect.right;
  }
  if (static_cast<int64_t>(*y) + *bottom - *top > clipRect.bottom) {
    *bottom = *top - *y + clipRect.bottom;
  }
  if (*x < clipRect.left) {
    *left += clipRect.left - *x;
    *x = clipRect.left;
  }
  if (*y < clipRect.top) {
    *top += clipRect.top - *y;
    *y = clipRect.top;
  }
  return *left < *right && *top < *bottom;
}

bool SourceInside(int width, int height, int left, int top, int right, int bottom) {
  return left >= 0 && top >= 0 && right <= width && bottom <= height;
}

bool DestInside(int width, int height, int64_t x, int64_t y, int64_t w, int64_t h) {
  return x >= 0 && y >= 0 && x + w <= width && y + h <= height;
}

int ScreenReady() { return screenReady; }

void FinishScreen() {
  for (int id = 2; id < OBJECT_MAX; ++id) ClearObject(id);
  screenReady = 1;
  zuSound::Init();
  zuSound::ClearTable();
  zuSound::InitMidi();
  zuSystem::ResetWaits();
  zuSystem::InitJoystick();
}

void ClearObject(int id) {
  PlatformFreePicture(id);
  objectTable[id].name[0] = '\0';
  objectTable[id].key = 0;
}

int LoadObject(const char* name, int) {
  if (std::strlen(name) >= 31) {
    return zuSystem::Error("zuDraw::LoadObject", "ファイル名またはリソース名が長すぎます");
  }
  // After a failed screen set-up there is nothing to load into; that failure
  // was reported already and the program is about to end.
  if (!screenReady) return 0;
  int id = 2;
  while (id < OBJECT_MAX && objectTable[id].name[0] != '\0') ++id;
  if (id == OBJECT_MAX) return zuSystem::Error("zuDraw::LoadObject", "オブジェクト数が多すぎます");
  return ReadInto(id, name, "zuDraw::LoadObject") ? id : 0;
}

int SwapObject(const char* name, int id, int) {
  if (std::strlen(name) >= 31) {
    return zuSystem::Error("zuDraw::SwapObject", "ファイル名またはリソース名が長すぎます");
  }
  // Ids 0 and 1 belong to the screen; anything else would write outside the table.
  if (id < 2 || id >= OBJECT_MAX) {
    return zuSystem::Error("zuDraw::SwapObject", "オブジェクトNoが範囲外です");
  }
  if (!screenReady) return 0;
  PlatformFreePicture(id);
  return ReadInto(id, name, "zuDraw::SwapObject");
}

void RestoreAll() {
  if (!screenReady) return;
  // The pictures are read again from their files, each with the key it was
  // loaded with.
  for (int id = 2; id < OBJECT_MAX; ++id) {
    ObjectEntry& entry = objectTable[id];
    if (entry.name[0] == '\0' || std::strcmp(entry.name, "*") == 0) continue;
    char name[32];
    std::memcpy(name, entry.name, sizeof name);
    SetKeyColor(entry.key);
    SwapObject(name, id, 2);
  }
}

void SetKeyColor(uint32_t colorref) {
  keyColor = colorref;
  keyFromCorner = 0;
}

void SetClip(int left, int top, int right, int bottom) { clipRect = {left, top, right, bottom}; }

void DrawCaption(int x, int y, const char* text) {
  BeginText(1, 12, 0, 0, 0, 0);
  SetTextColors(0xFFFFFF, 0x800000, 0);
  TextOut(x, y, text);
  EndText();
}

int PutObject(int x, int y, int id, int left, int top, int right, int bottom) {
  if (!TrimToClip(&x, &y, &left, &top, &right, &bottom)) return 0;
  if (id < 0 || id >= OBJECT_MAX || objectTable[id].surface == nullptr) return 0;
  return PlatformDrawPicture(x, y, id, left, top, right, bottom);
}

// What the platform layer does itself, under the library's own names.
int Screen(int width, int height, int) { return PlatformScreen(width, height); }
void CloseScreen() { PlatformCloseScreen(); }
void Clear() { PlatformClear(); }
void Flip() { PlatformFlip(); }
bool PresentWaitsForDisplay() { return PlatformPresentWaits(); }
int PutObjectStretched(int x, int y, int id, int left, int top, int right, int bottom, int width,
                       int height) {
  return PlatformDrawStretched(x, y, id, left, top, right, bottom, width, height);
}
void BeginText(int face, int height, int angle, int bold, int italic, int underline) {
  PlatformBeginText(face, height, angle, bold, italic, underline);
}
void SetTextColors(uint32_t textColor, uint32_t backColor, int transparent) {
  PlatformSetTextColors(textColor, backColor, transparent);
}
void TextOut(int x, int y, const char* text) { PlatformTextOut(x, y, text); }
void EndText() { PlatformEndText(); }

}  // namespace zuDraw
