#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

#include "app/game_main.h"
#include "app/sdl/window_proc.h"
#include "game/flow/scene.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/input/inputInternal.h"
#include "lib/sdl/zuInputSdl.h"
#include "lib/system/zuSystem.h"
#include "lib/sdl/zuSystemSdl.h"

namespace {

// The scene and sceneEntered at each call of the recorded scene, which changes
// scene at the call numbered changeAtCall.
std::vector<int> scenesCalled, enteredCalled;
int changeAtCall = -1;
int changeTo = 0;

void Record(int s) {
  scenesCalled.push_back(s);
  enteredCalled.push_back(sceneEntered);
  if (static_cast<int>(scenesCalled.size()) - 1 == changeAtCall) {
    scene = changeTo;
    previousScene = 0;
  }
}

}  // namespace

// The scene is called with sceneEntered 1 on the run's first frame and on the
// frame after each change (to itself too), with 0 on every other frame.
TEST(FirstFrame, EnteredOnTheFrameAfterEachChange) {
  const struct {
    int start, changeAt, to;
    std::vector<int> scenes, entered;
  } cases[] = {
      {1, -1, 0, {1, 1, 1}, {1, 0, 0}},
      {1, 1, 11, {1, 1, 11, 11}, {1, 0, 1, 0}},
      {3, 2, 3, {3, 3, 3, 3, 3}, {1, 0, 0, 1, 0}},
  };
  for (const auto& c : cases) {
    scenesCalled.clear();
    enteredCalled.clear();
    scene = c.start;
    previousScene = sceneEntered = 0;
    changeAtCall = c.changeAt;
    changeTo = c.to;
    for (size_t i = 0; i < c.scenes.size(); ++i) RunFrame(Record);
    EXPECT_EQ(scenesCalled, c.scenes) << c.start << " -> " << c.to;
    EXPECT_EQ(enteredCalled, c.entered) << c.start << " -> " << c.to;
  }
}

namespace {

SDL_Event Key(bool down, SDL_Keycode sym, bool repeat = false, Uint16 mod = KMOD_NONE) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat ? 1 : 0;
  e.key.keysym.sym = sym;
  e.key.keysym.mod = mod;
  return e;
}

SDL_Event Window(Uint8 what) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = what;
  return e;
}

struct Dispatch : testing::Test {
  void SetUp() override {
    ResetWindowState();
    zuSystem::ClearKeyTable();
    lastKey = 0;
    paused = 0;
    continuePrompt = 0;
  }
};

}  // namespace

TEST_F(Dispatch, LastKeyFollowsTheMostRecentPressUntilItsRelease) {
  DispatchEvent(Key(true, SDLK_a));
  DispatchEvent(Key(true, SDLK_b));
  DispatchEvent(Key(false, SDLK_a));
  EXPECT_EQ(lastKey, 'B');
  EXPECT_TRUE(zuSystem::IsKeyDown('B'));
  EXPECT_FALSE(zuSystem::IsKeyDown('A'));
  DispatchEvent(Key(true, SDLK_a));
  DispatchEvent(Key(false, SDLK_b));
  EXPECT_EQ(lastKey, 'A');
  DispatchEvent(Key(false, SDLK_a));
  EXPECT_EQ(lastKey, 0);
  // Right Shift is the same key to the game.
  DispatchEvent(Key(true, SDLK_RSHIFT));
  EXPECT_EQ(lastKey, VK_SHIFT);
  EXPECT_TRUE(zuSystem::IsKeyDown(VK_SHIFT));
}

TEST_F(Dispatch, PauseTogglesOncePerRepeatButNotDuringTheContinueQuestion) {
  DispatchEvent(Key(true, SDLK_s));
  EXPECT_EQ(paused, 1);
  DispatchEvent(Key(true, SDLK_s, true));
  DispatchEvent(Key(true, SDLK_s, true));
  EXPECT_EQ(paused, 1);  // three downs: on, off, on
  DispatchEvent(Key(false, SDLK_s));
  continuePrompt = 1;
  DispatchEvent(Key(true, SDLK_s));
  EXPECT_EQ(paused, 1);
  EXPECT_EQ(lastKey, 'S');  // still the held key
}

TEST_F(Dispatch, SystemKeysDoNothing) {
  DispatchEvent(Key(true, SDLK_LALT));
  DispatchEvent(Key(true, SDLK_F4, false, KMOD_LALT));
  DispatchEvent(Key(true, SDLK_F10));
  DispatchEvent(Key(true, SDLK_s, false, KMOD_LALT));
  EXPECT_EQ(lastKey, 0);
  EXPECT_EQ(paused, 0);
  EXPECT_EQ(shutdownState, 0);
  EXPECT_EQ(quitPosted, 0);
}

// Alt+Enter switches once per press: not on the key's auto-repeat, nor on a
// repeat a platform reports as a fresh press; only a release re-arms it. Its
// Enter is not the game's.
TEST_F(Dispatch, AltEnterSwitchesOncePerPress) {
  EXPECT_TRUE(OnSwitchScreenKey(true, false));
  EXPECT_FALSE(OnSwitchScreenKey(true, true));
  EXPECT_FALSE(OnSwitchScreenKey(true, false));
  OnSwitchScreenKey(false, false);
  EXPECT_TRUE(OnSwitchScreenKey(true, false));
  OnSwitchScreenKey(false, false);
  // The dispatch goes through the same rule: its press is spent, its release re-arms.
  DispatchEvent(Key(true, SDLK_RETURN, false, KMOD_LALT));
  DispatchEvent(Key(true, SDLK_RETURN, true, KMOD_LALT));
  EXPECT_FALSE(OnSwitchScreenKey(true, false));
  EXPECT_FALSE(zuSystem::IsKeyDown(VK_RETURN));
  EXPECT_EQ(lastKey, 0);
  DispatchEvent(Key(false, SDLK_RETURN));
  EXPECT_TRUE(OnSwitchScreenKey(true, false));
}

TEST_F(Dispatch, ActivationRestartsTheFrameMeasure) {
  DispatchEvent(Window(SDL_WINDOWEVENT_FOCUS_LOST));
  EXPECT_EQ(appActive, 0);
  EXPECT_EQ(cursorShown, 1);
  frameSeconds = 5.0f;
  previousTick = 0;
  DispatchEvent(Window(SDL_WINDOWEVENT_FOCUS_GAINED));
  EXPECT_EQ(appActive, 1);
  EXPECT_EQ(frameSeconds, 0.0f);
  EXPECT_EQ(previousTick, zuSystem::GetTickCount());
  DispatchEvent(Window(SDL_WINDOWEVENT_MINIMIZED));
  EXPECT_EQ(appActive, 0);
}

namespace {

struct ShutdownMachine : Dispatch {
  void SetUp() override {
    Dispatch::SetUp();
    ASSERT_EQ(zuDraw::OpenWindow("Skyward Run", 1), 1);
    ASSERT_EQ(zuDraw::Screen(640, 480, 1), 1);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override {
    zuDraw::CloseScreen();
    zuDraw::DestroyWindow();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  // Dispatches what is queued, as the main loop does before any frame.
  static void Drain() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) DispatchEvent(e);
  }
};

}  // namespace

TEST_F(ShutdownMachine, EscapeReleasesOnceThenClosesTheWindow) {
  DispatchEvent(Key(true, SDLK_ESCAPE));
  EXPECT_EQ(shutdownState, 2);
  EXPECT_EQ(libraryReleases, 1);
  EXPECT_EQ(zuDraw::ScreenReady(), 0);
  EXPECT_NE(mainWindow, nullptr);
  EXPECT_EQ(quitPosted, 0);
  Drain();  // the close request it posted
  EXPECT_EQ(libraryReleases, 1);
  EXPECT_EQ(mainWindow, nullptr);
  EXPECT_EQ(quitPosted, 1);
  // A repeated [ESC] still in the queue releases nothing again.
  DispatchEvent(Key(true, SDLK_ESCAPE, true));
  Drain();
  EXPECT_EQ(libraryReleases, 1);
}

TEST_F(ShutdownMachine, CloseRequestGoesThroughStateOne) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  DispatchEvent(Window(SDL_WINDOWEVENT_CLOSE));
  EXPECT_EQ(shutdownState, 2);
  EXPECT_EQ(libraryReleases, 1);
  EXPECT_EQ(mainWindow, nullptr);
  EXPECT_EQ(quitPosted, 1);
  // SDL follows the last window's close with a quit event: no second release.
  DispatchEvent(quit);
  Drain();
  EXPECT_EQ(libraryReleases, 1);
}

TEST_F(ShutdownMachine, RenderResetEventKeepsThePresentWorking) {
  zuDraw::Flip();
  const long presents = zuDraw::PresentCount();
  SDL_Event reset{};
  reset.type = SDL_RENDER_DEVICE_RESET;
  DispatchEvent(reset);
  zuDraw::Flip();
  EXPECT_EQ(zuDraw::PresentCount(), presents + 1);
  // Exposed while nothing presents: the last frame is shown again.
  DispatchEvent(Window(SDL_WINDOWEVENT_EXPOSED));
  EXPECT_EQ(zuDraw::PresentCount(), presents + 2);
}
