#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

#include "lib/input/inputInternal.h"
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

void Key(SDL_Scancode scancode, SDL_Keycode sym, bool down) {
  SDL_KeyboardEvent e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.keysym.scancode = scancode;
  e.keysym.sym = sym;
  zuSystem::OnKeyEvent(e);
}

// Two physical keys for one virtual key: it is up only when both are.
TEST(KeyMap, TwinKeysAreHeldIndependently) {
  zuSystem::ClearKeyTable();
  const struct {
    SDL_Scancode a, b;
    SDL_Keycode symA, symB;
    int vk;
  } twins[] = {
      {SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT, SDLK_LSHIFT, SDLK_RSHIFT, VK_SHIFT},
      {SDL_SCANCODE_RCTRL, SDL_SCANCODE_LCTRL, SDLK_RCTRL, SDLK_LCTRL, VK_CONTROL},
      {SDL_SCANCODE_UP, SDL_SCANCODE_KP_8, SDLK_UP, SDLK_KP_8, VK_UP},
  };
  for (const auto& t : twins) {
    Key(t.a, t.symA, true);
    Key(t.b, t.symB, true);
    Key(t.a, t.symA, false);
    EXPECT_TRUE(zuSystem::IsKeyDown(t.vk)) << t.vk << ": released with its twin";
    Key(t.b, t.symB, false);
    EXPECT_FALSE(zuSystem::IsKeyDown(t.vk)) << t.vk;
  }
}

// The keypad's 8 4 6 2 are the arrows whether NumLock gives digits or arrows,
// and a key goes up as what it went down as even if NumLock changed meanwhile.
TEST(KeyMap, KeypadSteersWhateverTheNumLock) {
  zuSystem::ClearKeyTable();
  const struct {
    SDL_Scancode scancode;
    SDL_Keycode numLockOn, numLockOff;
    int vk;
  } pad[] = {{SDL_SCANCODE_KP_8, SDLK_KP_8, SDLK_UP, VK_UP},
             {SDL_SCANCODE_KP_2, SDLK_KP_2, SDLK_DOWN, VK_DOWN},
             {SDL_SCANCODE_KP_4, SDLK_KP_4, SDLK_LEFT, VK_LEFT},
             {SDL_SCANCODE_KP_6, SDLK_KP_6, SDLK_RIGHT, VK_RIGHT}};
  for (const auto& k : pad) {
    Key(k.scancode, k.numLockOn, true);
    EXPECT_TRUE(zuSystem::IsKeyDown(k.vk)) << k.vk;
    Key(k.scancode, k.numLockOff, false);
    EXPECT_FALSE(zuSystem::IsKeyDown(k.vk)) << k.vk;
    Key(k.scancode, k.numLockOff, true);
    EXPECT_TRUE(zuSystem::IsKeyDown(k.vk)) << k.vk;
    Key(k.scancode, k.numLockOn, false);
    EXPECT_FALSE(zuSystem::IsKeyDown(k.vk)) << k.vk;
  }
  // Other keypad keys keep their own codes.
  SDL_Keysym seven{};
  seven.scancode = SDL_SCANCODE_KP_7;
  seven.sym = SDLK_KP_7;
  EXPECT_EQ(zuSystem::VirtualKeyFromEvent(seven), 0x67);
}

// The joystick subsystem with no real stick; a virtual one attached by the test
// is closed and detached again afterwards.
struct Sticks : testing::Test {
  int device = -1;
  SDL_Joystick* handle = nullptr;
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    ASSERT_EQ(SDL_NumJoysticks(), 0) << "a real joystick is attached";
  }
  void TearDown() override {
    zuSystem::CloseJoysticks();
    if (handle != nullptr) SDL_JoystickClose(handle);
    if (device >= 0) SDL_JoystickDetachVirtual(device);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }
};

struct VirtualStick : Sticks {
  void SetUp() override {
    Sticks::SetUp();
    // Not in the controller database: the plain joystick path.
    device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 1);
    ASSERT_GE(device, 0) << SDL_GetError();
    handle = SDL_JoystickOpen(device);
    ASSERT_NE(handle, nullptr);
  }
  void Hat(Uint8 bits) {
    SDL_JoystickSetVirtualHat(handle, 0, bits);
    SDL_JoystickUpdate();
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
    EXPECT_EQ(dx * 10 + dy, c.dir * 10) << c.pos;
    Move(32767, c.pos);
    zuSystem::JoyDirection(0, &dx, &dy);
    EXPECT_EQ(dx * 10 + dy, c.dir) << c.pos;
  }
}

// Buttons are numbered from 1; a hat steers like the stick and wins its axis.
TEST_F(VirtualStick, HatSteersLikeTheStickAndButtonsCountFromOne) {
  Move(32768, 32768);
  zuSystem::InitJoystick();
  EXPECT_FALSE(zuSystem::IsController(0));
  const struct { Uint8 hat; int x, y, dx, dy; } cases[] = {
      {SDL_HAT_LEFT, 32768, 32768, -1, 0},   {SDL_HAT_RIGHTDOWN, 32768, 32768, 1, 1},
      {SDL_HAT_UP, 65535, 32768, 1, -1},     {SDL_HAT_LEFT, 65535, 65535, -1, 1},
      {SDL_HAT_CENTERED, 0, 32768, -1, 0}};
  int dx = 9, dy = 9;
  for (const auto& c : cases) {
    Move(c.x, c.y);
    Hat(c.hat);
    zuSystem::JoyDirection(0, &dx, &dy);
    EXPECT_EQ(dx * 10 + dy, c.dx * 10 + c.dy) << int(c.hat);
  }
  SDL_JoystickSetVirtualButton(handle, 1, SDL_PRESSED);
  SDL_JoystickUpdate();
  EXPECT_EQ(zuSystem::JoyButton(0, 1) * 100 + zuSystem::JoyButton(0, 2) * 10 + zuSystem::JoyButton(0, 0), 10);
  EXPECT_EQ(zuSystem::JoyButton(1, 2), 0);  // no second stick
}

// A pad from the controller database, its buttons and axes wired unlike the
// raw numbers: fire and bomb follow the south and east buttons, steering the
// left stick and the D-pad. Plugged in late, at rest (no direction), and pulled
// out again; news of sticks that are not there changes nothing.
TEST_F(Sticks, GameControllerNamedButtonsStickAndDpadWithHotPlug) {
  zuSystem::InitJoystick();  // nothing attached yet
  zuSystem::OnJoystickAdded(7);
  zuSystem::OnJoystickRemoved(4242);
  int dx = 9, dy = 9;
  zuSystem::JoyDirection(0, &dx, &dy);
  EXPECT_EQ(dx * 10 + dy + zuSystem::JoyButton(0, 1), 0);
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
  desc.naxes = 4;
  desc.nbuttons = 8;
  desc.nhats = 1;
  desc.name = "Skyward test pad";
  desc.vendor_id = 0x1234;  // SDL looks up added mappings only for pads with an id
  desc.product_id = 0x5678;
  device = SDL_JoystickAttachVirtualEx(&desc);
  ASSERT_GE(device, 0) << SDL_GetError();
  char guid[64];
  SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(device), guid, sizeof guid);
  const std::string mapping = std::string(guid) +
      ",Skyward test pad,a:b5,b:b4,x:b3,y:b2,leftx:a2,lefty:a3,"
      "dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8,platform:Linux";
  ASSERT_GE(SDL_GameControllerAddMapping(mapping.c_str()), 0) << SDL_GetError();
  handle = SDL_JoystickOpen(device);
  ASSERT_NE(handle, nullptr);

  zuSystem::OnJoystickAdded(device);
  ASSERT_TRUE(zuSystem::IsController(0));
  int cx = 0, cy = 0;
  zuSystem::JoystickCentre(0, &cx, &cy);
  EXPECT_EQ(cx, 32768);  // at rest, not 0
  zuSystem::JoyDirection(0, &dx, &dy);
  EXPECT_EQ(dx * 10 + dy, 0);
  SDL_JoystickSetVirtualButton(handle, 0, SDL_PRESSED);  // raw button 1: not A
  SDL_JoystickSetVirtualButton(handle, 5, SDL_PRESSED);  // A
  SDL_JoystickSetVirtualAxis(handle, 0, -32768);         // raw axis 0: not the left stick
  SDL_JoystickSetVirtualAxis(handle, 3, 32767);          // left stick down
  SDL_JoystickUpdate();
  zuSystem::JoyDirection(0, &dx, &dy);
  EXPECT_EQ(dx * 10 + dy, 1);
  EXPECT_EQ(zuSystem::JoyButton(0, 1), 1);
  EXPECT_EQ(zuSystem::JoyButton(0, 2), 0);
  SDL_JoystickSetVirtualButton(handle, 5, SDL_RELEASED);
  SDL_JoystickSetVirtualButton(handle, 4, SDL_PRESSED);  // B
  SDL_JoystickSetVirtualHat(handle, 0, SDL_HAT_LEFT);    // D-pad left
  SDL_JoystickUpdate();
  EXPECT_EQ(zuSystem::JoyButton(0, 1), 0);
  EXPECT_EQ(zuSystem::JoyButton(0, 2), 1);
  zuSystem::JoyDirection(0, &dx, &dy);
  EXPECT_EQ(dx * 10 + dy, -9);

  zuSystem::OnJoystickRemoved(SDL_JoystickGetDeviceInstanceID(device));
  EXPECT_FALSE(zuSystem::IsController(0));
  zuSystem::JoyDirection(0, &dx, &dy);
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(zuSystem::JoyButton(0, 2), 0);
}
