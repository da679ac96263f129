// Text blocks with GDI on the back surface's device context. The texts are
// UTF-8 in the sources and go to the wide functions, so they show on a
// system of any language.
#include <cstring>

#include "lib/draw/zuDraw.h"
#include "lib/win32/drawWin32.h"

namespace {

// Each standard face, then the Japanese faces a system may have instead, best
// first; a face none of them names is left to the font mapper (Japanese
// character set asked for).
const wchar_t* const kFaces[2][7] = {
    {L"標準明朝", L"ＭＳ 明朝", L"MS Mincho", L"Yu Mincho", L"IPAMincho", L"IPAexMincho",
     L"Noto Serif CJK JP"},
    {L"標準ゴシック", L"ＭＳ ゴシック", L"MS Gothic", L"Yu Gothic", L"Meiryo", L"IPAGothic",
     L"Noto Sans CJK JP"},
};

wchar_t faceName[2][LF_FACESIZE];
bool faceChosen[2];

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(HDC dc, const wchar_t* name) {
  LOGFONTW want = {};
  want.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(want.lfFaceName, name, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(dc, &want, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

const wchar_t* Face(int face) {
  if (!faceChosen[face]) {
    faceChosen[face] = true;
    faceName[face][0] = L'\0';
    HDC dc = GetDC(nullptr);
    for (const wchar_t* name : kFaces[face]) {
      if (dc != nullptr && FaceInstalled(dc, name)) {
        wcsncpy(faceName[face], name, LF_FACESIZE - 1);
        break;
      }
    }
    if (dc != nullptr) ReleaseDC(nullptr, dc);
  }
  return faceName[face];
}

// The font description: fields a block does not set keep their last value.
LOGFONTW description;
int currentFace = 1;

struct Block {
  HDC dc;
  HFONT font;
  HGDIOBJ previous;
} block;

}  // namespace

namespace zuDraw {

void PlatformBeginText(int face, int height, int angle, int bold, int italic, int underline) {
  if (block.dc != nullptr) EndText();
  if (face == 0 || face == 1) currentFace = face;
  wcsncpy(description.lfFaceName, Face(currentFace), LF_FACESIZE - 1);
  description.lfWeight = bold == 1 ? FW_BOLD : (bold == 0 ? FW_NORMAL : FW_DONTCARE);
  description.lfEscapement = angle * 10;
  description.lfWidth = 0;
  description.lfHeight = height;
  description.lfItalic = static_cast<BYTE>(italic & 0xFF);
  description.lfUnderline = static_cast<BYTE>(underline & 0xFF);
  description.lfCharSet = SHIFTJIS_CHARSET;
  IDirectDrawSurface7* back = BackSurface();
  if (back == nullptr) return;
  block.font = CreateFontIndirectW(&description);
  if (back->GetDC(&block.dc) != DD_OK) {
    block.dc = nullptr;
    return;
  }
  if (block.font != nullptr) block.previous = SelectObject(block.dc, block.font);
}

void PlatformSetTextColors(uint32_t textColor, uint32_t backColor, int transparent) {
  if (block.dc == nullptr) return;
  SetTextColor(block.dc, textColor & 0xFFFFFF);
  SetBkColor(block.dc, backColor & 0xFFFFFF);
  if (transparent != 0) SetBkMode(block.dc, TRANSPARENT);
}

void PlatformTextOut(int x, int y, const char* text) {
  if (block.dc == nullptr || text == nullptr || text[0] == '\0') return;
  static wchar_t wide[1024];
  zuSystem::Widen(text, wide, 1024);
  TextOutW(block.dc, x, y, wide, static_cast<int>(wcslen(wide)));
}

void PlatformEndText() {
  if (block.dc != nullptr) {
    if (block.previous != nullptr) SelectObject(block.dc, block.previous);
    BackSurface()->ReleaseDC(block.dc);
  }
  if (block.font != nullptr) DeleteObject(block.font);
  block = Block{};
}

void PlatformReleaseText() {
  EndText();
  description = LOGFONTW{};
  currentFace = 1;
}

}  // namespace zuDraw
