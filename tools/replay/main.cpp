#include "app/game_main.h"

int main() {
  GameMainOptions options;
  options.headless = true;
  return GameMain(options);
}
