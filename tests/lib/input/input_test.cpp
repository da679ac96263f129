#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "lib/input/zuInput.h"
#include "lib/sdl/zuInputSdl.h"

namespace {

std::vector<int> Poll(int vk, int* state, const std::vector<bool>& downAtPoll) {
  std::vector<int> seen;
  for (bool down : downAtPoll) {
    zuSystem::SetKeyDown(vk, down);
    zuSystem::ReadKey(vk, state);
    seen.push_back(*state);
  }
  return seen;
}

}  // namespace

TEST(KeyState, PressHoldReleaseSequences) {
  zuSystem::ClearKeyTable();
  int z = 0;
  EXPECT_EQ(Poll('Z', &z, {true, true, true, false, false}), (std::vector<int>{1, 3, 3, 2, 0}));
  // Released then pressed again on consecutive polls: 2 then 3, never 1.
  EXPECT_EQ(Poll('Z', &z, {true, false, true}), (std::vector<int>{1, 2, 3}));
  // A press and release both between two polls is not seen at all.
  int x = 0;
  EXPECT_EQ(Poll('X', &x, {false}), (std::vector<int>{0}));
  // Keys are independent entries of the table.
  zuSystem::SetKeyDown(VK_SHIFT, true);
  EXPECT_TRUE(zuSystem::IsKeyDown(VK_SHIFT));
  EXPECT_FALSE(zuSystem::IsKeyDown(VK_CONTROL));
  zuSystem::ClearKeyTable();
  EXPECT_FALSE(zuSystem::IsKeyDown(VK_SHIFT));
  EXPECT_FALSE(zuSystem::IsKeyDown(-1));
  EXPECT_FALSE(zuSystem::IsKeyDown(256));
}

TEST(KeyMap, BothShiftsAndCtrlsAndRoundTrip) {
  EXPECT_EQ(zuSystem::VirtualKeyFromSdl(SDLK_LSHIFT), VK_SHIFT);
  EXPECT_EQ(zuSystem::VirtualKeyFromSdl(SDLK_RSHIFT), VK_SHIFT);
  EXPECT_EQ(zuSystem::VirtualKeyFromSdl(SDLK_LCTRL), VK_CONTROL);
  EXPECT_EQ(zuSystem::VirtualKeyFromSdl(SDLK_RCTRL), VK_CONTROL);
  EXPECT_EQ(zuSystem::VirtualKeyFromSdl(SDLK_KP_ENTER), VK_RETURN);
  EXPECT_EQ(zuSystem::VirtualKeyFromSdl(SDLK_s), 0x53);
  const int codes[] = {VK_SPACE, VK_RETURN, VK_F2, VK_F4, VK_LEFT, VK_RIGHT, VK_UP,
                       VK_DOWN, 'Z', 'X', 'C', VK_SHIFT, VK_CONTROL, 'S', 'Y', 'N', VK_ESCAPE};
  for (int vk : codes) {
    EXPECT_EQ(zuSystem::VirtualKeyFromSdl(zuSystem::SdlKeyFromVirtual(vk)), vk) << vk;
  }
}

struct VirtualStick : testing::Test {
  int device = -1;
  SDL_Joystick* handle = nullptr;
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    ASSERT_EQ(SDL_NumJoysticks(), 0) << "a real joystick is attached";
    device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 4, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    handle = SDL_JoystickOpen(device);
    ASSERT_NE(handle, nullptr);
  }
  void TearDown() override {
    zuSystem::CloseJoysticks();
    if (handle != nullptr) SDL_JoystickClose(handle);
    SDL_JoystickDetachVirtual(device);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }
  // Position in the shifted 0..65535 range.
  void Move(int x, int y) {
    SDL_JoystickSetVirtualAxis(handle, 0, static_cast<Sint16>(x - 32768));
    SDL_JoystickSetVirtualAxis(handle, 1, static_cast<Sint16>(y - 32768));
    SDL_JoystickUpdate();
  }
};

TEST_F(VirtualStick, ThresholdsAroundCentre32767) {
  Move(32767, 32767);
  zuSystem::InitJoystick();
  int cx = 0, cy = 0;
  zuSystem::JoystickCentre(0, &cx, &cy);
  ASSERT_EQ(cx, 32767);
  ASSERT_EQ(cy, 32767);
  struct { int pos, dir; } cases[] = {
      {16383, -1}, {16384, 0}, {32767, 0}, {49149, 0}, {49150, 1}, {0, -1}, {65535, 1}};
  int dx = 9, dy = 9;
  for (auto c : cases) {
    Move(c.pos, 32767);
    zuSystem::JoyDirection(0, &dx, &dy);
    EXPECT_EQ(dx, c.dir) << c.pos;
    EXPECT_EQ(dy, 0);
    Move(32767, c.pos);
    zuSystem::JoyDirection(0, &dx, &dy);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, c.dir) << c.pos;
  }
}

TEST_F(VirtualStick, ButtonsNumberedFromOne) {
  zuSystem::InitJoystick();
  SDL_JoystickSetVirtualButton(handle, 1, SDL_PRESSED);
  SDL_JoystickUpdate();
  EXPECT_EQ(zuSystem::JoyButton(0, 1), 0);
  EXPECT_EQ(zuSystem::JoyButton(0, 2), 1);
  EXPECT_EQ(zuSystem::JoyButton(0, 0), 0);
  EXPECT_EQ(zuSystem::JoyButton(1, 2), 0);  // no second stick
}

TEST(Joystick, LatePlugInTakesItsCentre) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
  zuSystem::InitJoystick();  // nothing attached yet
  int dx = 9, dy = 9;
  zuSystem::JoyDirection(0, &dx, &dy);
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(dy, 0);
  const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 2, 0);
  ASSERT_GE(device, 0);
  zuSystem::OnJoystickAdded(device);
  int cx = 0, cy = 0;
  zuSystem::JoystickCentre(0, &cx, &cy);
  EXPECT_EQ(cx, 32768);  // at rest, not 0
  zuSystem::JoyDirection(0, &dx, &dy);
  EXPECT_EQ(dx, 0);  // at rest reads as no direction
  EXPECT_EQ(dy, 0);
  zuSystem::OnJoystickRemoved(SDL_JoystickGetDeviceInstanceID(device));
  zuSystem::JoyDirection(0, &dx, &dy);
  EXPECT_EQ(dx, 0);
  zuSystem::CloseJoysticks();
  SDL_JoystickDetachVirtual(device);
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}
