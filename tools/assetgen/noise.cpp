#include "tools/assetgen/noise.h"

#include <cmath>

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
  uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

float Hash01(uint32_t a, uint32_t b, uint32_t c) { return (Hash(a, b, c) >> 8) * (1.0f / 16777216.0f); }

float ValueNoise(float x, float y, float cell, int periodY, uint32_t seed) {
  float fx = x / cell, fy = y / cell;
  int ix = int(std::floor(fx)), iy = int(std::floor(fy));
  float tx = fx - ix, ty = fy - iy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  int rows = periodY > 0 ? int(periodY / cell + 0.5f) : 0;
  auto corner = [&](int cx, int cy) {
    if (rows > 0) cy = ((cy % rows) + rows) % rows;
    return Hash01(uint32_t(cx + 100000), uint32_t(cy + 100000), seed);
  };
  float a = corner(ix, iy), b = corner(ix + 1, iy);
  float c = corner(ix, iy + 1), d = corner(ix + 1, iy + 1);
  float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
  return top + (bottom - top) * ty;
}

float Fbm(float x, float y, float cell, int octaves, int periodY, uint32_t seed) {
  float sum = 0, weight = 1, total = 0;
  for (int o = 0; o < octaves && cell >= 1; ++o) {
    sum += ValueNoise(x, y, cell, periodY, seed + uint32_t(o) * 7919u) * weight;
    total += weight;
    weight *= 0.5f;
    cell *= 0.5f;
  }
  return sum / total;
}
