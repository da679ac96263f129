// Devices that are not there: no audio device (nor any joystick), no display,
// no soundfont.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "game/assets/assets.h"
#include "game/flow/scene.h"
#include "game/player/ship.h"
#include "lib/sound/soundInternal.h"
#include "tests/app/main_loop.h"
#include "tests/reliability/reliability_util.h"

namespace {

using namespace reliability;
using mainloop::Push;

long lastFrame = 0;
std::vector<int> sceneAfter;
std::vector<float> playerXAfter;

// Title -> setup -> stage 1, then the ship flies right from frame 100 on.
void Before(long frame) {
  mainloop::now += 12;
  if (frame == 10 || frame == 12) Push(SDLK_SPACE, frame == 10);
  if (frame == 30 || frame == 32) Push(SDLK_RETURN, frame == 30);
  if (frame == 100) Push(SDLK_RIGHT, true);
}

void After(long frame) {
  sceneAfter.push_back(scene);
  playerXAfter.push_back(playerX);
  if (frame == lastFrame) mainloop::PushQuit();
}

// Runs the game in this process for `frames` frames; returns its status,
// standard error in *err.
int PlayInProcess(long frames, std::string* err) {
  sceneAfter.clear();
  playerXAfter.clear();
  lastFrame = frames - 1;
  const std::string errPath = Scratch("inprocess") + "/stderr.txt";
  std::fflush(stderr);
  const int saved = dup(2);
  const int fd = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  dup2(fd, 2);
  close(fd);
  const int status = mainloop::Run(9, Before, After, 1000);
  std::fflush(stderr);
  dup2(saved, 2);
  close(saved);
  *err = ReadFile(errPath);
  return status;
}

void ExpectReachedStage1AndFlew() {
  ASSERT_GE(sceneAfter.size(), 200u);
  EXPECT_EQ(sceneAfter.back(), 2);
  EXPECT_GT(playerXAfter.back(), playerXAfter[99]);  // the keys still steer the ship
}

}  // namespace

// No audio device at all: the game runs silent and says nothing.
TEST(MissingDevices, NoAudioDeviceIsASilentGame) {
  const std::string driver = std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "";
  setenv("SDL_AUDIODRIVER", "nosuchdevice", 1);
  std::string err;
  EXPECT_EQ(PlayInProcess(200, &err), 0);
  setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
  EXPECT_EQ(err, "");
  ExpectReachedStage1AndFlew();
  EXPECT_EQ(zuSound::soundEnabled, 0);
  EXPECT_EQ(sndBOM, 0);
  EXPECT_EQ(sndSHOT, 0);
}

// The real game without any display: the screen's message, then a clean end
// with a non-zero status (no window, no crash, no hang); the loads say nothing.
TEST(MissingDevices, NoDisplayEndsWithTheScreenMessage) {
  if (access("/dev/dri/card0", F_OK) == 0) GTEST_SKIP() << "a DRM device could show the game";
  const std::string work = Scratch("nodisplay");
  const std::string game = std::string(SKYWARD_BIN_DIR) + "/skyward-run";
  for (const char* driver : {"", "SDL_VIDEODRIVER=nosuchdriver"}) {
    SCOPED_TRACE(driver);
    const RunResult r = RunCommand("timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " +
                                std::string(driver) + " SDL_AUDIODRIVER=dummy " + game +
                                " </dev/null",
                            work + "/stderr.txt");
    EXPECT_FALSE(HasSanitizerReport(r.err)) << r.err;
    ASSERT_TRUE(r.exited) << r.err;
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.status, 124) << "still running after a minute";
    EXPECT_NE(r.err.find("zuDraw::Screen : DirectDrawが使用できません\n"), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("LoadObject"), std::string::npos) << "the loads after it spoke";
  }
}

namespace {

// The title's first 1.8 s of mixed output, through the disk audio driver.
RunResult RecordTitle(const std::string& work, const std::string& env, std::string* pcm) {
  const std::string raw = work + "/title.raw";
  fs::remove(raw);
  const RunResult r = RunCommand("env " + env + " " + ReplayBinary() + " --frames 150 --audio " + raw,
                                 work + "/stderr.txt");
  *pcm = ReadFile(raw);
  return r;
}

bool Silent(const std::string& pcm) { return pcm.find_first_not_of('\0') == std::string::npos; }

}  // namespace

// A soundfont that cannot be found: the music stays silent and one line on
// standard error says why. With the soundfont found, the same title is heard.
TEST(MissingDevices, SoundFontThatCannotBeFoundMeansSilenceAndOneLine) {
  const std::string work = Scratch("sf");
  std::string pcm;
  const RunResult r = RecordTitle(work, "SDL_SOUNDFONTS=" + work + "/none/missing.sf2", &pcm);
  EXPECT_FALSE(HasSanitizerReport(r.err)) << r.err;
  ASSERT_TRUE(r.exited) << r.err;
  EXPECT_EQ(r.status, 0) << r.err;
  // SDL's disk driver announces itself; the rest is ours.
  std::vector<std::string> lines;
  for (const std::string& line : Lines(r.err)) {
    if (line.rfind("CRITICAL:", 0) != 0) lines.push_back(line);
  }
  ASSERT_EQ(lines.size(), 1u) << r.err;
  EXPECT_NE(lines[0].find("soundfont"), std::string::npos) << r.err;
  ASSERT_GT(pcm.size(), 44100u * 4 / 2) << "too little recorded";
  EXPECT_TRUE(Silent(pcm));

  std::string heard;
  const RunResult good = RecordTitle(work, "-u SDL_SOUNDFONTS", &heard);
  ASSERT_TRUE(good.exited && good.status == 0) << good.err;
  if (good.err.find("soundfont") != std::string::npos) {
    GTEST_SKIP() << "no soundfont installed here: " << good.err;
  }
  EXPECT_FALSE(Silent(heard)) << "the title's music is not heard with the soundfont";
}
