#include "game/playfield.h"

#include "lib/system/zuSystem.h"

int scene = 0;
int previousScene = 0;
int sceneEntered = 0;

float DrawRange(RandomRange range) {
  if (range.span == 0) return static_cast<float>(range.base);
  const int r = zuSystem::Rand();
  return static_cast<float>(r % range.span + range.base);
}

void ChangeScene(int next) {
  scene = next;
  previousScene = 0;
}
