// The colour-keyed blitters compared by the benchmark, over already-trimmed
// rectangles of RGB565 surfaces.
#pragma once
#include <SDL.h>

namespace perf {

// The library's trimming rule for PutObject (clip rectangle, picture and back
// surface); false when nothing is drawn.
bool TrimLikePutObject(const SDL_Surface* src, const SDL_Surface* dst, int* x, int* y,
                       SDL_Rect* source);
// Our own loop: copies every pixel of `source` that is not `key`.
void KeyedCopyScalar(const SDL_Surface* src, const SDL_Rect& source, SDL_Surface* dst, int x,
                     int y, Uint16 key);
// The same, eight pixels at a time with SSE2 (scalar where SSE2 is missing).
void KeyedCopyWide(const SDL_Surface* src, const SDL_Rect& source, SDL_Surface* dst, int x,
                   int y, Uint16 key);

}  // namespace perf
