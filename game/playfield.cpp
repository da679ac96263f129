#include "game/playfield.h"

#include "game/flow/scene.h"
#include "game/player/ship.h"
#include "lib/system/zuSystem.h"

float DrawRange(RandomRange range) {
  if (range.span == 0) return static_cast<float>(range.base);
  const int r = zuSystem::Rand();
  return static_cast<float>(r % range.span + range.base);
}

void TestShip(float x, float y, const ShipHitBox& box) {
  if (playerAlive == 0) return;
  const float rx = x - playerX;
  const float ry = y - playerY;
  if (rx >= box.left && rx <= box.right && ry >= box.top && ry <= box.bottom) playerAlive = 0;
}

void ChangeScene(int next) {
  scene = next;
  previousScene = 0;
}
