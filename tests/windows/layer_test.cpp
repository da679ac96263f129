// The Windows layer in this process, under Wine: keys as a session sends them,
// the input method, lost surfaces and Alt+Enter.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_main.h"
#include "app/platform_main.h"
#include "app/window_state.h"
#include "game/flow/scene.h"
#include "lib/draw/zuDrawInternal.h"
#include "lib/draw/zuDrawSettings.h"
#include "lib/input/inputInternal.h"
#include "lib/system/zuSystem.h"
#include "lib/win32/drawWin32.h"
#include "lib/win32/inputWin32.h"

#include <imm.h>  // after windows.h

namespace {

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

std::string Scratch(const char* name) {
  const std::string dir = testing::TempDir() + "skyward-layer-" + name;
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

// The WM_QUIT the window leaves must not end the next run in this process.
void CloseWindowAndDrain() {
  PlatformDestroyWindow();
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
}

// A key message's lParam: scan code, extended bit; a release has bits 30 and 31.
LPARAM KeyBits(int scan, bool extended, bool down) {
  LPARAM bits = 1 | (static_cast<LPARAM>(scan) << 16) | (static_cast<LPARAM>(extended) << 24);
  return down ? bits : bits | (static_cast<LPARAM>(3) << 30);
}

struct Keys : testing::Test {
  void SetUp() override {
    ResetWindowState();
    zuSystem::ReleaseAllKeys();
    lastKey = 0;
    GameMainOptions options;
    options.headless = true;
    ASSERT_TRUE(PlatformOpenWindow(options));
  }
  void TearDown() override { CloseWindowAndDrain(); }
  static void Key(WPARAM vk, int scan, bool extended, bool down) {
    SendMessageW(mainWindow, down ? WM_KEYDOWN : WM_KEYUP, vk, KeyBits(scan, extended, down));
  }
};

}  // namespace

// Alt+Tab with an arrow held: its release happens in the other program.
TEST_F(Keys, AKeyHeldWhenTheForegroundGoesReadsUpOnReturn) {
  Key(VK_LEFT, 0x4B, true, true);
  int state = 0;
  zuSystem::ReadKey(VK_LEFT, &state);
  ASSERT_EQ(lastKey, VK_LEFT);
  SendMessageW(mainWindow, WM_ACTIVATEAPP, FALSE, 0);
  SendMessageW(mainWindow, WM_ACTIVATEAPP, TRUE, 0);
  zuSystem::ReadKey(VK_LEFT, &state);
  EXPECT_EQ(state, 2);
  EXPECT_EQ(lastKey, 0);
}

TEST_F(Keys, TwinKeysByScanCodeAndTheKeypadWhateverTheNumLock) {
  const struct {
    WPARAM vk;
    int scan[2];
    bool extended[2];
  } twins[] = {{VK_SHIFT, {0x2A, 0x36}, {false, false}}, {VK_CONTROL, {0x1D, 0x1D}, {false, true}}};
  for (const auto& t : twins) {
    Key(t.vk, t.scan[0], t.extended[0], true);
    Key(t.vk, t.scan[1], t.extended[1], true);
    Key(t.vk, t.scan[0], t.extended[0], false);
    EXPECT_TRUE(zuSystem::IsKeyDown(static_cast<int>(t.vk))) << t.vk;
    Key(t.vk, t.scan[1], t.extended[1], false);
    EXPECT_FALSE(zuSystem::IsKeyDown(static_cast<int>(t.vk))) << t.vk;
  }
  // NumLock on gives VK_NUMPADn, off the arrow; pressed between, the key goes up as it went down.
  const struct {
    WPARAM numLockOn, arrow;
    int scan;
  } pad[] = {{VK_NUMPAD8, VK_UP, 0x48}, {VK_NUMPAD4, VK_LEFT, 0x4B},
             {VK_NUMPAD6, VK_RIGHT, 0x4D}, {VK_NUMPAD2, VK_DOWN, 0x50}};
  for (const auto& k : pad) {
    for (WPARAM up : {k.numLockOn, k.arrow}) {
      Key(k.numLockOn, k.scan, false, true);
      EXPECT_TRUE(zuSystem::IsKeyDown(static_cast<int>(k.arrow))) << k.numLockOn;
      EXPECT_EQ(lastKey, static_cast<int>(k.arrow));
      Key(up, k.scan, false, false);
      EXPECT_FALSE(zuSystem::IsKeyDown(static_cast<int>(k.arrow))) << up;
    }
  }
}

TEST(Hat, EightDirectionsInSectorsOf45Degrees) {
  const struct {
    DWORD pov;
    int dx, dy;
  } cases[] = {{0xFFFF, 0, 0}, {0, 0, -1},    {2249, 0, -1}, {2250, 1, -1}, {9000, 1, 0},
               {13500, 1, 1},  {18000, 0, 1}, {22500, -1, 1}, {27000, -1, 0}, {31500, -1, -1}};
  for (const auto& c : cases) {
    int dx = 7, dy = 7;
    zuSystem::DirectionFromHat(c.pov, &dx, &dy);
    EXPECT_EQ(dx * 10 + dy, c.dx * 10 + c.dy) << c.pov;
  }
}

// Runs alone, in a process of its own: the editor must be off before the
// thread's first window exists, so no window may come before this one.
TEST(InputMethod, OffBeforeTheFirstWindowAndTheWindowHasNoContext) {
  GameMainOptions options;
  options.headless = true;
  ASSERT_TRUE(PlatformOpenWindow(options));
  // Switched off in time, the editor never gave the window one of its own.
  EXPECT_EQ(ImmGetDefaultIMEWnd(mainWindow), nullptr);
  EXPECT_EQ(ImmGetContext(mainWindow), nullptr);
  CloseWindowAndDrain();
}

// --- the game in this process, on a clock moved 12 ms a frame ---

namespace {

uint32_t now = 0;
uint32_t Ticks() { return now; }
void Nap(uint32_t) {}
void (*hook)(long frame) = nullptr;
long framesRun = 0;

void Before(long frame) {
  now += 12;
  if (hook != nullptr) hook(frame);
}
void After(long frame) { framesRun = frame + 1; }

void Post(UINT message, WPARAM wParam, LPARAM lParam) { PostMessageW(mainWindow, message, wParam, lParam); }
void PostEscape() { Post(WM_KEYDOWN, VK_ESCAPE, KeyBits(0x01, false, true)); }

// The real start-up and loop with assets from `folder`, handed the activation
// if nobody else does. The status (-1: it did not end); standard error in *err.
int Play(const std::string& folder, bool headless, void (*before)(long), std::string* err,
         int vsync = 1) {
  hook = before;
  framesRun = 0;
  now = 5000;
  zuSystem::SetClock(Ticks, Nap);
  zuSystem::SetAppPath(folder.c_str());
  const std::string errPath = Scratch("stderr") + "\\stderr.txt";
  std::fflush(stderr);
  const int saved = _dup(2);
  const int fd = _open(errPath.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0644);
  _dup2(fd, 2);
  _close(fd);
  GameMainOptions options;
  options.headless = headless;
  options.fixedSeed = true;
  options.beforeFrame = Before;
  options.afterFrame = After;
  options.screen.vsync = vsync;
  int status = StartGame(options);
  for (long step = 0; status == 0 && step < 9000; ++step) {
    const LoopStep s = MainLoopStep();
    if (s == LoopStep::Ended) break;
    if (s == LoopStep::Inactive) SendMessageW(mainWindow, WM_ACTIVATEAPP, TRUE, 0);
  }
  if (status == 0) {
    status = quitPosted ? 0 : -1;
    EndGame();
  }
  zuSystem::headlessRun = 1;
  std::fflush(stderr);
  _dup2(saved, 2);
  _close(saved);
  zuSystem::SetClock(nullptr, nullptr);
  zuSystem::SetAppPath(nullptr);
  CloseWindowAndDrain();
  std::ifstream in(errPath, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  *err = text.str();
  return status;
}

const std::string kAssets = SKYWARD_BIN_DIR;
constexpr long kLossAt = 40;
constexpr long kLookAt = 240;  // 2.4 s later: every retry has had its turn
int lossFlips = 0;
int fileReadsAtLoss = 0;
int fileReadsLater = 0;
std::vector<int> readsAtLoss, readsLater;  // each picture's, since the loss
int absentLater = 0;

bool FilePicture(int id) {
  return objectTable[id].name[0] != '\0' && std::strcmp(objectTable[id].name, "*") != 0;
}

void LookAtPictures(long frame) {
  if (frame == kLossAt) {
    fileReadsAtLoss = zuDraw::PictureFileReads();
    readsAtLoss.assign(zuDraw::OBJECT_MAX, 0);
    for (int id = 0; id < zuDraw::OBJECT_MAX; ++id) readsAtLoss[id] = zuDraw::PictureReadsAgain(id);
  }
  if (frame != kLookAt) return;
  fileReadsLater = zuDraw::PictureFileReads() - fileReadsAtLoss;
  readsLater.clear();
  absentLater = 0;
  for (int id = 2; id < zuDraw::OBJECT_MAX; ++id) {
    if (!FilePicture(id)) continue;
    readsLater.push_back(zuDraw::PictureReadsAgain(id) - readsAtLoss[id]);
    absentLater += objectTable[id].surface == nullptr ? 1 : 0;
  }
}

void LoseAndQuit(long frame) {
  LookAtPictures(frame - 1);
  if (frame == kLossAt) zuDraw::InjectSurfaceLoss(lossFlips);
  if (frame == kLookAt + 10) PostEscape();
}

}  // namespace

// The display lost for 30 flips (a mode change elsewhere), then back; or gone
// for good: each picture read once or not at all, no box, no hang, [ESC] ends it.
TEST(LostSurfaces, RepairedOnceOrNotAtAllAndEscapeStillEnds) {
  for (int flips : {30, -1}) {
    lossFlips = flips;
    std::string err;
    EXPECT_EQ(Play(kAssets, true, LoseAndQuit, &err), 0) << flips;
    EXPECT_EQ(framesRun, kLookAt + 10) << flips;
    const int pictures = static_cast<int>(readsLater.size());
    ASSERT_GE(pictures, 70);
    const int each = flips > 0 ? 1 : 0;
    EXPECT_EQ(std::count(readsLater.begin(), readsLater.end(), each), pictures) << flips;
    EXPECT_EQ(fileReadsLater, pictures * each) << flips;
    EXPECT_EQ(absentLater, 0);
    EXPECT_EQ(Count(err, "zuDraw::"), 0) << err;
  }
}

namespace {

std::string copiedAssets;

// Two files go before the repair; a second loss later finds them absent, not lost.
void LoseWithTwoFilesGone(long frame) {
  LookAtPictures(frame - 1);
  if (frame == kLossAt) {
    DeleteFileA((copiedAssets + "\\TITLE.BMP").c_str());
    DeleteFileA((copiedAssets + "\\JCG1.BMP").c_str());
  }
  if (frame == kLossAt || frame == kLookAt + 10) zuDraw::InjectSurfaceLoss(10);
  if (frame == kLookAt + 200) PostEscape();
}

}  // namespace

TEST(LostSurfaces, PicturesWhoseFilesWentAwayGiveOneBoxForTheLoss) {
  copiedAssets = Scratch("assets");
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((kAssets + "\\*.*").c_str(), &found);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  do {
    CopyFileA((kAssets + "\\" + found.cFileName).c_str(), (copiedAssets + "\\" + found.cFileName).c_str(), FALSE);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  std::string err;
  EXPECT_EQ(Play(copiedAssets, true, LoseWithTwoFilesGone, &err), 0);
  EXPECT_EQ(absentLater, 2);
  EXPECT_EQ(Count(err, "zuDraw::SwapObject : BMPファイルを読み込めません"), 1) << err;
  EXPECT_EQ(Count(err, "zuDraw::"), 1) << err;
}

namespace {

LPARAM AltEnter(bool down, bool repeat) {
  return KeyBits(0x1C, false, down) | (static_cast<LPARAM>(1) << 29) |
         (static_cast<LPARAM>(repeat) << 30);
}

std::vector<int> windowedAfter, exclusiveAfter, waitsAfter;
int inkAfterSwitches = 0;

void SwitchTwice(long frame) {
  if (frame > 0) {
    windowedAfter.push_back(zuDraw::GetScreenSettings().windowed);
    exclusiveAfter.push_back(zuDraw::ExclusiveMode());
    waitsAfter.push_back(zuDraw::PresentWaitsForDisplay() ? 1 : 0);
  }
  if (frame == 10 || frame == 16) Post(WM_SYSKEYDOWN, VK_RETURN, AltEnter(true, false));
  if (frame >= 11 && frame <= 13) Post(WM_SYSKEYDOWN, VK_RETURN, AltEnter(true, true));
  if (frame == 15) Post(WM_SYSKEYUP, VK_RETURN, AltEnter(false, false));
  if (frame == 31) {
    static uint16_t pixels[640 * 480];
    inkAfterSwitches = 0;
    if (zuDraw::ReadBackPixels(pixels, 640, 480)) inkAfterSwitches = 640 * 480 - std::count(pixels, pixels + 640 * 480, 0);
  }
  if (frame == 40) PostEscape();
}

}  // namespace

// On the display Wine gives this test, with --no-vsync, which the full-screen flip heeds.
TEST(AltEnter, SwitchesOncePerPressAndThePicturesComeBack) {
  windowedAfter.clear();
  exclusiveAfter.clear();
  waitsAfter.clear();
  std::string err;
  EXPECT_EQ(Play(kAssets, false, SwitchTwice, &err, 0), 0);
  ASSERT_EQ(windowedAfter.size(), 40u);  // after frames 0 .. 39
  EXPECT_EQ(exclusiveAfter[9], 1) << "the test's display does not take 640 x 480 x 16";
  EXPECT_EQ(waitsAfter[9], 0);  // the flip does not wait: the scenes sleep
  const std::vector<int> windowed(windowedAfter.begin() + 9, windowedAfter.begin() + 17);
  const std::vector<int> exclusive(exclusiveAfter.begin() + 9, exclusiveAfter.begin() + 17);
  EXPECT_EQ(windowed, (std::vector<int>{0, 1, 1, 1, 1, 1, 1, 0}));
  EXPECT_EQ(exclusive, (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_GT(inkAfterSwitches, 10000);  // the title's picture, read again
  EXPECT_EQ(scene, 1);                 // the Enter never reached the game
  EXPECT_EQ(Count(err, "zuDraw::"), 0) << err;
}
