// The two sound effects, synthesised: 16-bit PCM mono at 22050 Hz.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/audio.h"
#include "tools/assetgen/noise.h"

namespace {

constexpr int kRate = 22050;
constexpr float kTwoPi = 6.2831853f;

void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}
void PutTag(std::vector<uint8_t>& v, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) v.push_back(uint8_t(tag[i]));
}

// Normalises to the given peak and wraps the samples in a RIFF WAVE file.
std::vector<uint8_t> Wave(std::vector<float> s, float peak) {
  float m = 1e-6f;
  for (float x : s) m = std::max(m, std::fabs(x));
  std::vector<uint8_t> out;
  const uint32_t data = uint32_t(s.size() * 2);
  PutTag(out, "RIFF");
  Put32(out, 36 + data);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kRate);
  Put32(out, kRate * 2);
  Put16(out, 2);
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, data);
  for (float x : s) {
    int v = int(std::lround(x / m * peak * 32767));
    Put16(out, uint16_t(int16_t(std::clamp(v, -32767, 32767))));
  }
  return out;
}

// White noise from the hash, in −1 … 1.
float Noise(uint32_t i, uint32_t seed) { return Hash01(i, seed) * 2 - 1; }

}  // namespace

// A short bright "pew": a falling square tone over a breath of noise.
std::vector<uint8_t> MakeShotWav() {
  const int n = int(kRate * 0.12f);
  std::vector<float> s(n);
  float phase = 0;
  for (int i = 0; i < n; ++i) {
    float t = float(i) / kRate;
    float f = 500 + 1100 * std::exp(-t / 0.03f);
    phase += f / kRate;
    float sq = std::fmod(phase, 1.0f) < 0.5f ? 1.0f : -1.0f;
    float env = std::min(1.0f, t / 0.002f) * std::exp(-t / 0.035f);
    s[i] = (sq * 0.7f + Noise(i, 7) * 0.3f) * env;
  }
  return Wave(s, 0.45f);
}

// An explosion: a hard crack, a falling thump and a short rumbling tail. It is
// restarted often, so it is kept short.
std::vector<uint8_t> MakeBomWav() {
  const int n = int(kRate * 0.6f);
  std::vector<float> s(n);
  float lp = 0, lp2 = 0, phase = 0;
  for (int i = 0; i < n; ++i) {
    float t = float(i) / kRate;
    // noise through a low-pass that closes as the blast dies
    float cutoff = 300 + 7000 * std::exp(-t / 0.05f);
    float a = 1 - std::exp(-kTwoPi * cutoff / kRate);
    lp += (Noise(i, 11) - lp) * a;
    lp2 += (lp - lp2) * a;
    float noiseEnv = std::min(1.0f, t / 0.0015f) * (0.75f * std::exp(-t / 0.07f) + 0.25f * std::exp(-t / 0.22f));
    // the thump: a sine falling from 120 Hz to 38 Hz
    float f = 38 + 82 * std::exp(-t / 0.08f);
    phase += f / kRate;
    float thump = std::sin(kTwoPi * phase) * std::min(1.0f, t / 0.003f) * std::exp(-t / 0.13f);
    // crackle in the first moments
    float crackle = (Hash01(i, 12) > 0.9975f && t < 0.25f) ? Noise(i, 13) * std::exp(-t / 0.1f) : 0;
    float fade = std::min(1.0f, (0.6f - t) / 0.04f);  // no click at the end
    s[i] = (lp2 * 1.6f * noiseEnv + thump * 0.45f + crackle * 0.6f) * fade;
  }
  return Wave(s, 0.3f);  // up to ten of them overlap, restarted every frame
}
