// skyward-assetgen OUTDIR [--contact-sheet PATH.bmp]
// Writes every picture, sound and music file the game loads. Same input, same bytes.
#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/assetgen/assets.h"
#include "tools/assetgen/audio.h"
#include "tools/assetgen/icon.h"
#include "tools/assetgen/text.h"

namespace {

struct Picture {
  const char* file;
  Image (*make)();
};

// In the game's load order (the second load of VAL402.BMP reads the same file).
const Picture kPictures[] = {
    {"TITLE.BMP", MakeTITLE},
    {"SELECT1.BMP", MakeSELECT1},
    {"JCG1.BMP", MakeJCG1},
    {"JCG2.BMP", MakeJCG2},
    {"JCG3.BMP", MakeJCG3},
    {"JCG4.BMP", MakeJCG4},
    {"CONTINU1.BMP", MakeCONTINU1},
    {"GFBAK1.BMP", MakeGFBAK1},
    {"MY.BMP", MakeMY},
    {"MYMY.BMP", MakeMYMY},
    {"MYEND.BMP", [] { return MakeEndLabel(0); }},
    {"MYENDF.BMP", [] { return MakeEndLabel(1); }},
    {"MYGOODN.BMP", [] { return MakeEndLabel(2); }},
    {"FBOM1.BMP", MakeFBOM1},
    {"FLH1.BMP", [] { return MakeFLH(0); }},
    {"FLH2.BMP", [] { return MakeFLH(1); }},
    {"FLH3.BMP", [] { return MakeFLH(2); }},
    {"FBAK1.BMP", MakeFBAK1},
    {"ZAK2.BMP", MakeZAK2},
    {"ZAK4.BMP", MakeZAK4},
    {"ZAK5.BMP", [] { return MakeSpareZak(0); }},
    {"ZAK6.BMP", MakeZAK6},
    {"ZAK7.BMP", [] { return MakeSpareZak(1); }},
    {"ZAK8.BMP", MakeZAK8},
    {"ZAK9.BMP", [] { return MakeSpareZak(2); }},
    {"ZAK10.BMP", MakeZAK10},
    {"ZAK11.BMP", [] { return MakeSpareZak(3); }},
    {"ZAK12.BMP", [] { return MakeSpareZak(4); }},
    {"ZAK13.BMP", [] { return MakeSpareZak(5); }},
    {"ZAK14.BMP", [] { return MakeSpareZak(6); }},
    {"ZAK16.BMP", [] { return MakeSpareZak(7); }},
    {"ZAK18.BMP", MakeZAK18},
    {"ZAK64.BMP", [] { return MakeSpareZak(8); }},
    {"ZAK22.BMP", [] { return MakeSpareZak(9); }},
    {"ZAK24.BMP", [] { return MakeSpareZak(10); }},
    {"ZAK28.BMP", [] { return MakeSpareZak(11); }},
    {"ZAK50.BMP", MakeZAK50},
    {"ZAK51.BMP", MakeZAK51},
    {"ZAK52.BMP", [] { return MakeSpareBoss(0); }},
    {"ZAK53.BMP", [] { return MakeSpareBoss(1); }},
    {"VAL11.BMP", [] { return MakeVAL(11); }},
    {"VAL12.BMP", [] { return MakeVAL(12); }},
    {"VAL13.BMP", [] { return MakeVAL(13); }},
    {"VALK1.BMP", [] { return MakeVAL(1); }},
    {"BOS11.BMP", MakeBOS11},
    {"BOS21.BMP", MakeBOS21},
    {"BOS111.BMP", MakeBOS111},
    {"BOS511.BMP", [] { return MakeSpareBoss(2); }},
    {"BOS711.BMP", [] { return MakeSpareBoss(3); }},
    {"VAL20.BMP", [] { return MakeVAL(20); }},
    {"VAL30.BMP", [] { return MakeVAL(30); }},
    {"VAL60.BMP", [] { return MakeVAL(60); }},
    {"VAL401.BMP", [] { return MakeVAL(401); }},
    {"VAL402.BMP", [] { return MakeVAL(402); }},
    {"ZVAL401.BMP", [] { return MakeZVAL(0); }},
    {"ZVAL402.BMP", [] { return MakeZVAL(1); }},
    {"LZ50.BMP", [] { return MakeLZ(50); }},
    {"LZ100.BMP", [] { return MakeLZ(100); }},
    {"ZBAK1.BMP", MakeZBAK1},
    {"ZBAK2.BMP", MakeZBAK2},
    {"ZBAK3.BMP", MakeZBAK3},
    {"BBAK1.BMP", MakeBBAK1},
    {"BKM1h.BMP", [] { return MakeBKM(0); }},
    {"BKM1m.BMP", [] { return MakeBKM(1); }},
    {"BKM2.BMP", [] { return MakeBKM(2); }},
    {"BKM3.BMP", [] { return MakeBKM(3); }},
    {"BKM4.BMP", [] { return MakeBKM(4); }},
    {"BKM5.BMP", [] { return MakeBKM(5); }},
    {"ZFIRE1.BMP", MakeZFIRE1},
    {"BACK1.BMP", MakeBACK1},
    {"BACK2.BMP", MakeBACK2},
};
constexpr int kPictureCount = int(sizeof kPictures / sizeof kPictures[0]);

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::fprintf(stderr, "skyward-assetgen: cannot write %s\n", path.c_str());
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok) std::fprintf(stderr, "skyward-assetgen: cannot write %s\n", path.c_str());
  return ok;
}

// One review picture: every asset on a dark checker (so the keyed parts show) with
// its file name underneath.
Image ContactSheet(const std::vector<Image>& pics) {
  const int width = 1900, gap = 14, label = 16;
  struct Place {
    int x, y;
  };
  std::vector<Place> at(pics.size());
  int x = gap, y = gap, rowH = 0;
  for (size_t i = 0; i < pics.size(); ++i) {
    const Image& p = pics[i];
    int cellW = std::max(p.w, TextWidth(FACE_SANS, 12, kPictures[i].file));
    if (x + cellW + gap > width) {
      x = gap;
      y += rowH + label + gap;
      rowH = 0;
    }
    at[i] = {x, y};
    x += cellW + gap;
    rowH = std::max(rowH, p.h);
  }
  int height = y + rowH + label + gap;
  Image sheet(width, height);
  FillAll(sheet, [](int px, int py) {
    bool dark = ((px / 8) + (py / 8)) % 2;
    return dark ? Rgb{36, 38, 48} : Rgb{48, 50, 62};
  });
  for (size_t i = 0; i < pics.size(); ++i) {
    sheet.Paste(pics[i], at[i].x, at[i].y);
    DrawText(sheet, FACE_SANS, 12, at[i].x, at[i].y + pics[i].h + 1, kPictures[i].file, {230, 230, 240});
  }
  return sheet;
}

}  // namespace

int main(int argc, char** argv) {
  std::string outDir, sheetPath;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--contact-sheet") == 0 && i + 1 < argc)
      sheetPath = argv[++i];
    else if (argv[i][0] != '-' && outDir.empty())
      outDir = argv[i];
    else {
      outDir.clear();
      break;
    }
  }
  if (outDir.empty() && sheetPath.empty()) {
    std::fprintf(stderr, "usage: %s OUTDIR [--contact-sheet PATH.bmp]\n", argv[0]);
    return 2;
  }
  if (!InitFonts()) return 1;

  if (!outDir.empty()) mkdir(outDir.c_str(), 0755);  // an existing folder is fine
  bool ok = true;
  std::vector<Image> pics;
  pics.reserve(kPictureCount);
  for (const Picture& p : kPictures) {
    pics.push_back(p.make());
    EnforceKeySafety(pics.back());
    if (!outDir.empty()) ok = SaveBmp(pics.back(), outDir + "/" + p.file) && ok;
  }
  if (!outDir.empty()) {
    ok = WriteBytes(outDir + "/SHOT.WAV", MakeShotWav()) && ok;
    ok = WriteBytes(outDir + "/BOM.WAV", MakeBomWav()) && ok;
    ok = WriteIcons(outDir) && ok;
    for (const SongSource& s : kSongs) {
      std::string error;
      std::vector<uint8_t> smf = CompileSong(s.text, &error);
      if (smf.empty()) {
        std::fprintf(stderr, "skyward-assetgen: %s: %s\n", s.file, error.c_str());
        ok = false;
        continue;
      }
      ok = WriteBytes(outDir + "/" + s.file, smf) && ok;
    }
  }
  if (!sheetPath.empty()) ok = SaveBmp(ContactSheet(pics), sheetPath) && ok;
  CloseFonts();
  return ok ? 0 : 1;
}
