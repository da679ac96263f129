// The trace fields that belong to game modules, kept in one place.
#pragma once
#include <cstdint>
#include <cstdio>

// Writes `,"stageClock":…` and the other game-owned fields of one trace line.
void WriteGameTraceFields(std::FILE* out);

// Folds every game table and value (and the random generator's state) into h:
// any change of behaviour shows here on the frame where it starts, visible or not.
uint64_t HashGameState(uint64_t h);
