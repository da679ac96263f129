// The browser's keys: KeyboardEvent.code to the game's virtual keys, and the
// keys two places share.
#include <gtest/gtest.h>

#include "lib/input/inputInternal.h"
#include "lib/input/zuInput.h"
#include "lib/web/web.h"

namespace {

TEST(WebKeys, CodesGiveTheDesktopsVirtualKeys) {
  const struct {
    const char* code;
    int vk;
  } cases[] = {
      {"KeyZ", 'Z'}, {"KeyA", 'A'}, {"Digit0", '0'}, {"Digit9", '9'}, {"F1", VK_F1},
      {"F2", VK_F2}, {"F10", VK_F10}, {"F12", VK_F1 + 11}, {"ArrowLeft", VK_LEFT},
      {"Numpad8", VK_UP}, {"ShiftRight", VK_SHIFT}, {"NumpadEnter", VK_RETURN},
      {"Escape", VK_ESCAPE}, {"Space", VK_SPACE},
      // Not keys the game knows, and names that only look like them.
      {"F13", 0}, {"F0", 0}, {"Key", 0}, {"KeyZZ", 0}, {"Digit10", 0}, {"MetaLeft", 0}, {"", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(zuSystem::VirtualKeyFromCode(c.code), c.vk) << c.code;
    if (c.vk != 0) {
      const char* back = zuSystem::CodeFromVirtualKey(c.vk);
      ASSERT_NE(back, nullptr) << c.code;
      EXPECT_EQ(zuSystem::VirtualKeyFromCode(back), c.vk) << c.code;
    }
  }
}

TEST(WebKeys, ASharedKeyStaysDownUntilBothAreUpAndFocusLossReleasesAll) {
  zuSystem::ClearKeyTable();
  EXPECT_EQ(zuSystem::OnWebKey("ShiftLeft", true), VK_SHIFT);
  zuSystem::OnWebKey("ShiftRight", true);
  zuSystem::OnWebKey("ShiftLeft", false);
  EXPECT_TRUE(zuSystem::IsKeyDown(VK_SHIFT));
  zuSystem::OnWebKey("ShiftRight", false);
  EXPECT_FALSE(zuSystem::IsKeyDown(VK_SHIFT));

  zuSystem::OnWebKey("ArrowUp", true);
  zuSystem::OnWebKey("Numpad8", true);
  zuSystem::OnWebKey("KeyZ", true);
  static int released[8];
  static int count;
  count = 0;
  zuSystem::ReleaseAllKeys([](int vk) { released[count++] = vk; });
  EXPECT_FALSE(zuSystem::IsKeyDown(VK_UP));
  EXPECT_FALSE(zuSystem::IsKeyDown('Z'));
  EXPECT_EQ(count, 3);
  // Their releases, coming later, find nothing held.
  zuSystem::OnWebKey("ArrowUp", false);
  EXPECT_FALSE(zuSystem::IsKeyDown(VK_UP));
}

}  // namespace
