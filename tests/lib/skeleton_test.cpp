#include <gtest/gtest.h>

#include "game/flow/scene.h"

TEST(SceneTable, UnknownSceneCallsNothing) {
  RunScene(99);
  SUCCEED();
}
