#include "tools/bench/blitters.h"

#include <cstdint>

#include "lib/draw/zuDraw.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace perf {

bool TrimLikePutObject(const SDL_Surface* src, const SDL_Surface* dst, int* px, int* py,
                       SDL_Rect* source) {
  int x = *px, y = *py;
  int left = source->x, top = source->y, right = source->x + source->w,
      bottom = source->y + source->h;
  if (static_cast<int64_t>(x) + right - left > clipRect.right) right = left - x + clipRect.right;
  if (static_cast<int64_t>(y) + bottom - top > clipRect.bottom) bottom = top - y + clipRect.bottom;
  if (x < clipRect.left) {
    left += clipRect.left - x;
    x = clipRect.left;
  }
  if (y < clipRect.top) {
    top += clipRect.top - y;
    y = clipRect.top;
  }
  if (left >= right || top >= bottom) return false;
  if (left < 0 || top < 0 || right > src->w || bottom > src->h) return false;
  if (x < 0 || y < 0 || x + (right - left) > dst->w || y + (bottom - top) > dst->h) return false;
  *px = x;
  *py = y;
  *source = SDL_Rect{left, top, right - left, bottom - top};
  return true;
}

namespace {

inline const Uint16* SourceRow(const SDL_Surface* s, int x, int y) {
  return reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch) + x;
}
inline Uint16* DestRow(SDL_Surface* s, int x, int y) {
  return reinterpret_cast<Uint16*>(static_cast<Uint8*>(s->pixels) + y * s->pitch) + x;
}

}  // namespace

void KeyedCopyScalar(const SDL_Surface* src, const SDL_Rect& source, SDL_Surface* dst, int x,
                     int y, Uint16 key) {
  for (int row = 0; row < source.h; ++row) {
    const Uint16* s = SourceRow(src, source.x, source.y + row);
    Uint16* d = DestRow(dst, x, y + row);
    for (int i = 0; i < source.w; ++i) {
      if (s[i] != key) d[i] = s[i];
    }
  }
}

void KeyedCopyWide(const SDL_Surface* src, const SDL_Rect& source, SDL_Surface* dst, int x,
                   int y, Uint16 key) {
#if defined(__SSE2__)
  const __m128i keys = _mm_set1_epi16(static_cast<short>(key));
  for (int row = 0; row < source.h; ++row) {
    const Uint16* s = SourceRow(src, source.x, source.y + row);
    Uint16* d = DestRow(dst, x, y + row);
    int i = 0;
    for (; i + 8 <= source.w; i += 8) {
      const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
      const __m128i transparent = _mm_cmpeq_epi16(p, keys);
      const int mask = _mm_movemask_epi8(transparent);
      if (mask == 0xFFFF) continue;  // nothing to draw here
      if (mask == 0) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), p);
        continue;
      }
      const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
      const __m128i mixed =
          _mm_or_si128(_mm_and_si128(transparent, old), _mm_andnot_si128(transparent, p));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), mixed);
    }
    for (; i < source.w; ++i) {
      if (s[i] != key) d[i] = s[i];
    }
  }
#else
  KeyedCopyScalar(src, source, dst, x, y, key);
#endif
}

}  // namespace perf
