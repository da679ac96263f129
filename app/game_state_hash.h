// One number for the whole game state: the runner's checksums and a replay's
// end both compare it.
#pragma once
#include <cstdint>

// The value a fresh hash starts from.
constexpr uint64_t GAME_STATE_HASH_START = 0xcbf29ce484222325ull;

// Folds every game table and value (and the random generator's state) into h:
// any change of behaviour shows here on the frame where it starts, visible or not.
uint64_t HashGameState(uint64_t h);
