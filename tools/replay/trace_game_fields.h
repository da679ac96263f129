// The trace fields that belong to game modules, kept in one place.
#pragma once
#include <cstdint>
#include <cstdio>

// Writes `,"stageClock":…` and the other game-owned fields of one trace line.
void WriteGameTraceFields(std::FILE* out);
