#include "app/game_main.h"

int main() {
  GameMainOptions options;
  return GameMain(options);
}
