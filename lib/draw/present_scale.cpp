#include "lib/draw/present_scale.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zuDraw {

PictureLayout FitPicture(int pictureW, int pictureH, int outW, int outH) {
  PictureLayout l;
  if (pictureW <= 0 || pictureH <= 0 || outW <= 0 || outH <= 0) {
    l.w = l.h = 0;
    return l;
  }
  const int whole = std::min(outW / pictureW, outH / pictureH);
  if (whole >= 2 || (outW == pictureW && outH == pictureH) ||
      (whole == 1 && (outW == pictureW || outH == pictureH))) {
    l.multiple = whole;
    l.w = pictureW * whole;
    l.h = pictureH * whole;
  } else {
    // The side that limits decides; the other follows the aspect, rounded.
    const int64_t byWidth = static_cast<int64_t>(outW) * pictureH;
    const int64_t byHeight = static_cast<int64_t>(outH) * pictureW;
    if (byWidth <= byHeight) {
      l.w = outW;
      l.h = static_cast<int>((byWidth + pictureW / 2) / pictureW);
    } else {
      l.h = outH;
      l.w = static_cast<int>((byHeight + pictureH / 2) / pictureH);
    }
    l.w = std::max(1, std::min(l.w, outW));
    l.h = std::max(1, std::min(l.h, outH));
    l.multiple = std::max(1, (l.w + pictureW - 1) / pictureW);
    l.smooth = l.w != pictureW * l.multiple || l.h != pictureH * l.multiple;
  }
  l.x = (outW - l.w) / 2;
  l.y = (outH - l.h) / 2;
  return l;
}

namespace {

// Area weights of the picture's pixels under each output pixel: the same as a
// nearest scale to the whole multiple followed by an average down, in one step.
// Where more than four pixels would fall under one (a tiny window), the
// nearest pixel is taken instead.
void MakeTaps(std::vector<Taps>& taps, int source, int output) {
  taps.assign(static_cast<size_t>(output), Taps{});
  for (int o = 0; o < output; ++o) {
    Taps& t = taps[static_cast<size_t>(o)];
    const int64_t a = static_cast<int64_t>(o) * source;  // in 1/output of a pixel
    const int64_t b = a + source;
    t.first = static_cast<int>(a / output);
    t.count = static_cast<int>((b - 1) / output) - t.first + 1;
    if (t.count > 4) {
      t.first = static_cast<int>((a + b) / 2 / output);
      t.count = 1;
      t.weight[0] = 256;
      continue;
    }
    int64_t before = 0;
    for (int k = 0; k < t.count; ++k) {
      const int64_t end = std::min<int64_t>(b, static_cast<int64_t>(t.first + k + 1) * output) - a;
      const int64_t rounded = (end * 256 + source / 2) / source;
      t.weight[k] = static_cast<uint16_t>(rounded - before);
      before = rounded;
    }
  }
}

// Weighted sum of 32-bit pixels, all four channels at once in two lanes each;
// weights add up to 256, so no lane overflows into the next.
inline uint32_t Blend(const uint32_t* p, int stride, const Taps& t) {
  uint32_t rb = 0, ag = 0;
  for (int k = 0; k < t.count; ++k) {
    const uint32_t v = p[k * stride];
    rb += (v & 0x00FF00FFu) * t.weight[k];
    ag += ((v >> 8) & 0x00FF00FFu) * t.weight[k];
  }
  return ((rb >> 8) & 0x00FF00FFu) | (ag & 0xFF00FF00u);
}

#if defined(__SSE2__)
// Blend of two taps for four pixels at once, the same sums in 16-bit lanes:
// red and blue from the low byte of each lane, green and alpha from the high.
// Every instruction here has a direct WebAssembly SIMD counterpart.
inline __m128i Mix2(__m128i a, __m128i b, __m128i wa, __m128i wb) {
  const __m128i low = _mm_set1_epi16(0x00FF);
  const __m128i rb = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(a, low), wa),
                                   _mm_mullo_epi16(_mm_and_si128(b, low), wb));
  const __m128i ag = _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(a, 8), wa),
                                   _mm_mullo_epi16(_mm_srli_epi16(b, 8), wb));
  return _mm_or_si128(_mm_srli_epi16(rb, 8), _mm_andnot_si128(low, ag));
}
#endif

inline uint32_t Mix2(uint32_t a, uint32_t b, uint32_t wa, uint32_t wb) {
  const uint32_t rb = (a & 0x00FF00FFu) * wa + (b & 0x00FF00FFu) * wb;
  const uint32_t ag = ((a >> 8) & 0x00FF00FFu) * wa + ((b >> 8) & 0x00FF00FFu) * wb;
  return ((rb >> 8) & 0x00FF00FFu) | (ag & 0xFF00FF00u);
}

// One picture row scaled across where no column has more than two taps.
void MixColumns(const ScalePlan& plan, const uint32_t* in, uint32_t* out) {
  const int w = plan.layout.w;
  const int32_t* l = plan.left.data();
  const int32_t* r = plan.right.data();
  int x = 0;
#if defined(__SSE2__)
  for (; x + 4 <= w; x += 4) {
    const __m128i a = _mm_set_epi32(static_cast<int>(in[l[x + 3]]), static_cast<int>(in[l[x + 2]]),
                                    static_cast<int>(in[l[x + 1]]), static_cast<int>(in[l[x]]));
    const __m128i b = _mm_set_epi32(static_cast<int>(in[r[x + 3]]), static_cast<int>(in[r[x + 2]]),
                                    static_cast<int>(in[r[x + 1]]), static_cast<int>(in[r[x]]));
    const __m128i wa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(plan.leftWeight.data() + x));
    const __m128i wb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(plan.rightWeight.data() + x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), Mix2(a, b, wa, wb));
  }
#endif
  for (; x < w; ++x) {
    out[x] = Mix2(in[l[x]], in[r[x]], plan.leftWeight[x] & 0xFFFFu, plan.rightWeight[x] & 0xFFFFu);
  }
}

// Two whole rows mixed with one pair of weights.
void MixRows(const uint32_t* a, const uint32_t* b, uint32_t wa, uint32_t wb, uint32_t* out, int n) {
  int x = 0;
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi16(static_cast<short>(wa));
  const __m128i vb = _mm_set1_epi16(static_cast<short>(wb));
  for (; x + 4 <= n; x += 4) {
    const __m128i pa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + x));
    const __m128i pb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), Mix2(pa, pb, va, vb));
  }
#endif
  for (; x < n; ++x) out[x] = Mix2(a[x], b[x], wa, wb);
}

inline uint16_t To565(uint32_t v) {
  return static_cast<uint16_t>(((v >> 8) & 0xF800) | ((v >> 5) & 0x07E0) | ((v >> 3) & 0x001F));
}

inline uint32_t Convert1(uint16_t p, PixelOrder order) {
  const uint32_t r = ((p >> 11) * 527u + 23) >> 6;
  const uint32_t g = (((p >> 5) & 63u) * 259u + 33) >> 6;
  const uint32_t b = ((p & 31u) * 527u + 23) >> 6;
  return order == PixelOrder::XBGR8888 ? 0xFF000000u | (b << 16) | (g << 8) | r
                                       : 0xFF000000u | (r << 16) | (g << 8) | b;
}

// Copies a row `multiple` times across: each pixel repeated.
template <typename Pixel>
void Widen(const Pixel* in, Pixel* out, int n, int multiple) {
  for (int i = 0; i < n; ++i) {
    const Pixel v = in[i];
    for (int k = 0; k < multiple; ++k) *out++ = v;
  }
}

void Widen2(const uint32_t* in, uint32_t* out, int n) {
  int i = 0;
#if defined(__SSE2__)
  for (; i + 4 <= n; i += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i), _mm_unpacklo_epi32(v, v));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i + 4), _mm_unpackhi_epi32(v, v));
  }
#endif
  Widen(in + i, out + 2 * i, n - i, 2);
}

void Widen4(const uint32_t* in, uint32_t* out, int n) {
  int i = 0;
#if defined(__SSE2__)
  for (; i + 4 <= n; i += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    __m128i* o = reinterpret_cast<__m128i*>(out + 4 * i);
    _mm_storeu_si128(o, _mm_shuffle_epi32(v, 0x00));
    _mm_storeu_si128(o + 1, _mm_shuffle_epi32(v, 0x55));
    _mm_storeu_si128(o + 2, _mm_shuffle_epi32(v, 0xAA));
    _mm_storeu_si128(o + 3, _mm_shuffle_epi32(v, 0xFF));
  }
#endif
  Widen(in + i, out + 4 * i, n - i, 4);
}

// The cache's rows are this far apart: a little more than a row, since rows a
// whole 4 KB apart (1024 pixels) made the mix of two of them take twice as
// long in WebAssembly.
size_t CacheStride(int w) { return static_cast<size_t>(w) + 16; }

const uint32_t* CachedRow(ScalePlan& plan, const uint16_t* picture, int picturePitch, int y) {
  const size_t w = static_cast<size_t>(plan.layout.w);
  uint32_t* slot = plan.cache.data() + static_cast<size_t>(y & 3) * CacheStride(plan.layout.w);
  if (plan.cachedRow[y & 3] == y) return slot;
  plan.cachedRow[y & 3] = y;
  const uint16_t* in = reinterpret_cast<const uint16_t*>(
      reinterpret_cast<const uint8_t*>(picture) + static_cast<size_t>(y) * picturePitch);
  // Converted to 32 bits whatever the output, so the blend works on 8-bit channels.
  const PixelOrder wide =
      plan.order == PixelOrder::XBGR8888 ? PixelOrder::XBGR8888 : PixelOrder::XRGB8888;
  ConvertRow565(in, plan.row.data(), plan.pictureW, wide);
  if (!plan.left.empty()) {
    MixColumns(plan, plan.row.data(), slot);
    return slot;
  }
  for (size_t x = 0; x < w; ++x) {
    const Taps& t = plan.columns[x];
    slot[x] = Blend(plan.row.data() + t.first, 1, t);
  }
  return slot;
}

void ScaleSmooth(ScalePlan& plan, const uint16_t* picture, int picturePitch, uint8_t* out,
                 int outPitch) {
  const int w = plan.layout.w;
  for (int i = 0; i < 4; ++i) plan.cachedRow[i] = -1;
  for (int oy = 0; oy < plan.layout.h; ++oy) {
    const Taps& t = plan.rows[static_cast<size_t>(oy)];
    const uint32_t* taps[4] = {};
    for (int k = 0; k < t.count; ++k) taps[k] = CachedRow(plan, picture, picturePitch, t.first + k);
    uint8_t* line = out + static_cast<size_t>(oy) * outPitch;
    // Rows made of one picture row are copies; most others mix two.
    uint32_t* line32 = plan.order == PixelOrder::RGB565 ? plan.row.data() + plan.pictureW
                                                        : reinterpret_cast<uint32_t*>(line);
    if (t.count == 1) {
      std::memcpy(line32, taps[0], static_cast<size_t>(w) * 4);
    } else if (t.count == 2) {
      MixRows(taps[0], taps[1], t.weight[0], t.weight[1], line32, w);
    } else {
      for (int x = 0; x < w; ++x) {
        uint32_t column[4];
        for (int k = 0; k < t.count; ++k) column[k] = taps[k][x];
        line32[x] = Blend(column, 1, t);
      }
    }
    if (plan.order == PixelOrder::RGB565) {
      uint16_t* line16 = reinterpret_cast<uint16_t*>(line);
      for (int x = 0; x < w; ++x) line16[x] = To565(line32[x]);
    }
  }
}

void ScaleWhole(ScalePlan& plan, const uint16_t* picture, int picturePitch, uint8_t* out,
                int outPitch) {
  const int m = plan.layout.multiple;
  const int n = plan.pictureW;
  const size_t bytes = static_cast<size_t>(plan.layout.w) * (plan.order == PixelOrder::RGB565 ? 2 : 4);
  for (int y = 0; y < plan.pictureH; ++y) {
    const uint16_t* in = reinterpret_cast<const uint16_t*>(
        reinterpret_cast<const uint8_t*>(picture) + static_cast<size_t>(y) * picturePitch);
    uint8_t* first = out + static_cast<size_t>(y) * m * outPitch;
    if (plan.order == PixelOrder::RGB565) {
      if (m == 1) {
        std::memcpy(first, in, bytes);
      } else {
        Widen(in, reinterpret_cast<uint16_t*>(first), n, m);
      }
    } else if (m == 1) {
      ConvertRow565(in, reinterpret_cast<uint32_t*>(first), n, plan.order);
    } else {
      ConvertRow565(in, plan.row.data(), n, plan.order);
      uint32_t* o = reinterpret_cast<uint32_t*>(first);
      if (m == 2) {
        Widen2(plan.row.data(), o, n);
      } else if (m == 4) {
        Widen4(plan.row.data(), o, n);
      } else {
        Widen(plan.row.data(), o, n, m);
      }
    }
    for (int k = 1; k < m; ++k) std::memcpy(first + static_cast<size_t>(k) * outPitch, first, bytes);
  }
}

}  // namespace

void ConvertRow565(const uint16_t* in, uint32_t* out, int n, PixelOrder order) {
  int i = 0;
#if defined(__SSE2__)
  // Eight pixels at a time, in 16-bit lanes: v * 527 + 23 >> 6 rounds 5 bits to
  // 8 exactly, v * 259 + 33 >> 6 does the same for 6 bits.
  const __m128i m5 = _mm_set1_epi16(0x1F), m6 = _mm_set1_epi16(0x3F);
  const __m128i k5 = _mm_set1_epi16(527), r5 = _mm_set1_epi16(23);
  const __m128i k6 = _mm_set1_epi16(259), r6 = _mm_set1_epi16(33);
  const __m128i alpha = _mm_set1_epi16(static_cast<short>(0xFF00));
  const bool bgr = order == PixelOrder::XBGR8888;
  for (; i + 8 <= n; i += 8) {
    const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    __m128i r = _mm_srli_epi16(p, 11);
    __m128i g = _mm_and_si128(_mm_srli_epi16(p, 5), m6);
    __m128i b = _mm_and_si128(p, m5);
    r = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(r, k5), r5), 6);
    g = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(g, k6), r6), 6);
    b = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(b, k5), r5), 6);
    const __m128i low = _mm_or_si128(_mm_slli_epi16(g, 8), bgr ? r : b);
    const __m128i high = _mm_or_si128(bgr ? b : r, alpha);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi16(low, high));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 4), _mm_unpackhi_epi16(low, high));
  }
#endif
  for (; i < n; ++i) out[i] = Convert1(in[i], order);
}

bool MakeScalePlan(ScalePlan& plan, int pictureW, int pictureH, const PictureLayout& layout,
                   PixelOrder order) {
  plan.layout = layout;
  plan.pictureW = pictureW;
  plan.pictureH = pictureH;
  plan.order = order;
  for (int& r : plan.cachedRow) r = -1;
  if (layout.w <= 0 || layout.h <= 0 || pictureW <= 0 || pictureH <= 0) return false;
  // A converted picture row; behind it, for a 16-bit output, one mixed output row.
  plan.row.assign(static_cast<size_t>(pictureW) + (order == PixelOrder::RGB565 ? layout.w : 0), 0);
  if (layout.smooth) {
    MakeTaps(plan.columns, pictureW, layout.w);
    MakeTaps(plan.rows, pictureH, layout.h);
    plan.left.clear();
    plan.right.clear();
    plan.leftWeight.clear();
    plan.rightWeight.clear();
    const bool twoTaps = std::all_of(plan.columns.begin(), plan.columns.end(),
                                     [](const Taps& t) { return t.count <= 2; });
    if (twoTaps) {
      for (const Taps& t : plan.columns) {
        // A single tap is mixed with itself at weight 0: no read past the row.
        const uint32_t second = t.count == 2 ? t.weight[1] : 0;
        plan.left.push_back(t.first);
        plan.right.push_back(t.count == 2 ? t.first + 1 : t.first);
        plan.leftWeight.push_back(t.weight[0] * 0x10001u);
        plan.rightWeight.push_back(second * 0x10001u);
      }
    }
    plan.cache.assign(CacheStride(layout.w) * 4, 0);
  } else {
    plan.columns.clear();
    plan.rows.clear();
    plan.cache.clear();
    plan.left.clear();
    plan.right.clear();
    plan.leftWeight.clear();
    plan.rightWeight.clear();
  }
  return true;
}

void ScalePicture(ScalePlan& plan, const uint16_t* picture, int picturePitch, uint8_t* out,
                  int outPitch) {
  if (plan.layout.w <= 0 || plan.layout.h <= 0) return;
  if (plan.layout.smooth) {
    ScaleSmooth(plan, picture, picturePitch, out, outPitch);
  } else {
    ScaleWhole(plan, picture, picturePitch, out, outPitch);
  }
}

}  // namespace zuDraw
