// Deterministic hashing and value noise. Noise can wrap in y so that backgrounds
// repeat without a seam.
#pragma once
#include <cstdint>

uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);
// Hash mapped to [0, 1).
float Hash01(uint32_t a, uint32_t b = 0, uint32_t c = 0);

// Smooth value noise in [0, 1]. `cell` is the lattice spacing in pixels; when
// periodY > 0 the lattice wraps every periodY pixels in y (periodY must be a
// multiple of cell).
float ValueNoise(float x, float y, float cell, int periodY, uint32_t seed);
// Sum of `octaves` layers of value noise, each half the cell and half the weight.
float Fbm(float x, float y, float cell, int octaves, int periodY, uint32_t seed);

inline float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
inline float Smooth(float e0, float e1, float v) {
  float t = Clamp01((v - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}
