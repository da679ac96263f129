#include <gtest/gtest.h>

#include <SDL.h>

#include "tests/game/play_fixture.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/input/inputInternal.h"
#include "lib/sdl/zuInputSdl.h"
#include "lib/system/zuSystem.h"

namespace {

// Joystick 0 is a virtual stick that the test pushes and presses.
class ShipJoystick : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    ASSERT_EQ(SDL_NumJoysticks(), 0) << "a real joystick is attached";
    device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 4, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    handle = SDL_JoystickOpen(device);
    ASSERT_NE(handle, nullptr);
    Stick(32768, 32768);
    zuSystem::InitJoystick();

    zuSystem::ClearKeyTable();
    FreshShip();
    frameSeconds = 0.1f;
  }
  void TearDown() override {
    zuSystem::CloseJoysticks();
    if (handle != nullptr) SDL_JoystickClose(handle);
    SDL_JoystickDetachVirtual(device);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    zuSystem::ClearKeyTable();
  }
  void Stick(int x, int y) {
    SDL_JoystickSetVirtualAxis(handle, 0, static_cast<Sint16>(x - 32768));
    SDL_JoystickSetVirtualAxis(handle, 1, static_cast<Sint16>(y - 32768));
    SDL_JoystickUpdate();
  }
  void Button(int number, bool down) {
    SDL_JoystickSetVirtualButton(handle, number - 1, down ? 1 : 0);
    SDL_JoystickUpdate();
  }
  int device = -1;
  SDL_Joystick* handle = nullptr;
};

TEST_F(ShipJoystick, StickWinsOverTheKeyboard) {
  zuSystem::SetKeyDown(VK_LEFT, true);
  zuSystem::SetKeyDown(VK_DOWN, true);
  ShipControlStep();  // keys just pressed; the stick still at rest
  Stick(65535, 0);
  ShipControlStep();
  EXPECT_FLOAT_EQ(playerX, 304.0f);
  EXPECT_FLOAT_EQ(playerY, 196.0f);
  EXPECT_EQ(bankFrame, 2);
}

TEST_F(ShipJoystick, ButtonsFireAtOnceAndBombWhileHeld) {
  Button(1, true);
  fireCounter = 3;
  ShipControlStep();  // the first frame of the press is a fire frame
  EXPECT_EQ(fireCounter, 4);
  EXPECT_EQ(centreShots[1].active, 1);
  Button(1, false);

  // Held button 2 sets off one bomb after the other.
  Button(2, true);
  ShipControlStep();
  EXPECT_EQ(bombActive, 1);
  for (int frame = 0; frame < 48; ++frame) BombStep();
  EXPECT_EQ(bombActive, 0);
  EXPECT_EQ(bombs, 2);
  ShipControlStep();
  EXPECT_EQ(bombActive, 1);
  EXPECT_EQ(bombClock, 0);
}

}  // namespace
