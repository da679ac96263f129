#include "tools/assetgen/painter.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/noise.h"

namespace {

constexpr Ramp kRamps[M_MAT_COUNT] = {
    /* NONE */ {{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    /* STEEL */ {{{38, 44, 58}, {66, 76, 94}, {104, 118, 138}, {152, 166, 186}, {208, 218, 232}}},
    /* GUN */ {{{26, 28, 36}, {44, 48, 60}, {70, 76, 92}, {104, 112, 130}, {150, 160, 178}}},
    /* PLAYER */ {{{44, 62, 104}, {92, 124, 176}, {150, 182, 222}, {206, 224, 246}, {248, 252, 255}}},
    /* CANOPY */ {{{16, 48, 92}, {30, 96, 160}, {60, 160, 220}, {140, 215, 250}, {225, 250, 255}}},
    /* ENGINE */ {{{160, 44, 12}, {230, 100, 22}, {255, 168, 44}, {255, 226, 120}, {255, 252, 224}}},
    /* GREEN */ {{{22, 58, 30}, {38, 104, 46}, {74, 158, 64}, {140, 208, 104}, {214, 246, 176}}},
    /* RED */ {{{76, 16, 22}, {140, 28, 34}, {204, 56, 48}, {242, 116, 88}, {255, 196, 168}}},
    /* VIOLET */ {{{48, 24, 80}, {90, 48, 146}, {140, 88, 202}, {186, 142, 238}, {232, 208, 255}}},
    /* TEAL */ {{{14, 58, 64}, {22, 104, 110}, {38, 154, 154}, {96, 206, 196}, {186, 242, 232}}},
    /* ORANGE */ {{{88, 38, 10}, {164, 76, 16}, {226, 128, 30}, {250, 182, 78}, {255, 232, 168}}},
    /* YELLOW */ {{{86, 66, 10}, {156, 126, 20}, {216, 186, 40}, {244, 222, 98}, {255, 248, 196}}},
    /* ARMOR */ {{{44, 42, 52}, {74, 72, 84}, {112, 110, 124}, {160, 158, 170}, {212, 210, 220}}},
    /* ARMOR_DARK */ {{{30, 30, 40}, {50, 50, 62}, {74, 74, 88}, {104, 104, 120}, {146, 146, 162}}},
    /* GLOW_RED */ {{{150, 20, 30}, {220, 40, 46}, {255, 90, 80}, {255, 170, 150}, {255, 240, 230}}},
    /* GLOW_GREEN */ {{{30, 120, 40}, {60, 190, 60}, {120, 240, 100}, {190, 255, 170}, {240, 255, 230}}},
    /* GLOW_VIOLET */ {{{110, 40, 170}, {160, 70, 230}, {200, 120, 255}, {230, 180, 255}, {250, 236, 255}}},
    /* GLOW_CYAN */ {{{20, 110, 160}, {40, 170, 220}, {90, 220, 250}, {170, 245, 255}, {236, 255, 255}}},
    /* GLOW_ORANGE */ {{{170, 60, 10}, {235, 110, 20}, {255, 170, 50}, {255, 220, 130}, {255, 250, 220}}},
    /* GLOW_YELLOW */ {{{160, 130, 10}, {220, 190, 30}, {255, 230, 80}, {255, 245, 160}, {255, 255, 230}}},
    /* LAMP */ {{{150, 160, 180}, {190, 200, 220}, {220, 228, 240}, {240, 244, 250}, {255, 255, 255}}},
    /* SKY */ {{{24, 44, 96}, {40, 82, 156}, {64, 124, 204}, {112, 172, 236}, {190, 226, 255}}},
    /* SAND */ {{{70, 54, 36}, {118, 92, 60}, {168, 136, 92}, {210, 180, 130}, {240, 222, 180}}},
};

struct Vec3 {
  float x, y, z;
};
Vec3 Norm(Vec3 v) {
  float l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / l, v.y / l, v.z / l};
}

}  // namespace

const Ramp& RampOf(Mat m) { return kRamps[m]; }

bool IsGlow(Mat m) { return m == M_ENGINE || (m >= M_GLOW_RED && m <= M_LAMP); }

Rgb RampColor(Mat m, float t) {
  t = Clamp01(t) * 4;
  int i = std::min(int(t), 3);
  return Mix(kRamps[m].c[i], kRamps[m].c[i + 1], t - i);
}

Painter::Painter(int width, int height)
    : w(width),
      h(height),
      mat(size_t(width) * S * height * S, 0),
      hgt(size_t(width) * S * height * S, 0.0f),
      groove(size_t(width) * S * height * S, 0),
      centreX(width * 0.5f) {}

Pt Painter::Map(Pt p) const {
  float dx = p.x - centreX;
  dx *= dx < 0 ? bankLeft : bankRight;
  return {(centreX + dx) * S, p.y * S};
}

void Painter::Fill(const std::vector<Pt>& pts, std::vector<unsigned char>& mask, int& x0, int& y0,
                   int& x1, int& y1) const {
  const int W = w * S, H = h * S;
  std::vector<Pt> q;
  q.reserve(pts.size());
  for (Pt p : pts) q.push_back(Map(p));
  float minY = 1e9f, maxY = -1e9f, minX = 1e9f, maxX = -1e9f;
  for (Pt p : q) {
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
  }
  x0 = std::max(0, int(minX) - 1), x1 = std::min(W - 1, int(maxX) + 1);
  y0 = std::max(0, int(minY) - 1), y1 = std::min(H - 1, int(maxY) + 1);
  // the mask covers the box only: (x, y) is at (y − y0) × box width + x − x0
  const int bw = std::max(0, x1 - x0 + 1);
  mask.assign(size_t(bw) * std::max(0, y1 - y0 + 1), 0);
  std::vector<float> xs;
  for (int y = y0; y <= y1; ++y) {
    float yc = y + 0.5f;
    xs.clear();
    for (size_t i = 0; i < q.size(); ++i) {
      Pt a = q[i], b = q[(i + 1) % q.size()];
      if ((a.y <= yc && b.y > yc) || (b.y <= yc && a.y > yc)) xs.push_back(a.x + (yc - a.y) / (b.y - a.y) * (b.x - a.x));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
      int from = std::max(x0, int(std::ceil(xs[i] - 0.5f)));
      int to = std::min(x1, int(std::floor(xs[i + 1] - 0.5f)));
      for (int x = from; x <= to; ++x) mask[size_t(y - y0) * bw + x - x0] = 1;
    }
  }
}

void Painter::Poly(const std::vector<Pt>& pts, Mat m, float z, float bevel, float rise, bool round) {
  const int W = w * S;
  std::vector<unsigned char> mask;
  int x0, y0, x1, y1;
  Fill(pts, mask, x0, y0, x1, y1);
  // Chamfer distance to the outside of this shape, inside its box only.
  int bw = x1 - x0 + 1, bh = y1 - y0 + 1;
  if (bw <= 0 || bh <= 0) return;
  std::vector<float> d(size_t(bw) * bh);
  const float big = 1e6f;
  for (int y = 0; y < bh; ++y)
    for (int x = 0; x < bw; ++x) d[size_t(y) * bw + x] = mask[size_t(y) * bw + x] ? big : 0;
  auto D = [&](int x, int y) { return (x < 0 || y < 0 || x >= bw || y >= bh) ? 0.0f : d[size_t(y) * bw + x]; };
  for (int y = 0; y < bh; ++y)
    for (int x = 0; x < bw; ++x) {
      float& v = d[size_t(y) * bw + x];
      if (v == 0) continue;
      v = std::min({v, D(x - 1, y) + 1, D(x, y - 1) + 1, D(x - 1, y - 1) + 1.4142f, D(x + 1, y - 1) + 1.4142f});
    }
  for (int y = bh - 1; y >= 0; --y)
    for (int x = bw - 1; x >= 0; --x) {
      float& v = d[size_t(y) * bw + x];
      if (v == 0) continue;
      v = std::min({v, D(x + 1, y) + 1, D(x, y + 1) + 1, D(x + 1, y + 1) + 1.4142f, D(x - 1, y + 1) + 1.4142f});
    }
  // The chamfer distances come in coarse steps; a small blur inside the shape
  // keeps broad bevels from showing contour bands once they are lit.
  if (bevel * S > 6) {
    std::vector<float> tmp(d.size());
    for (int pass = 0; pass < 2; ++pass) {
      const int dx = pass == 0 ? 1 : 0, dy = pass == 0 ? 0 : 1;
      for (int y = 0; y < bh; ++y)
        for (int x = 0; x < bw; ++x) {
          size_t i = size_t(y) * bw + x;
          if (d[i] == 0) {
            tmp[i] = 0;
            continue;
          }
          float sum = 0;
          int n = 0;
          for (int k = -3; k <= 3; ++k) {
            int xx = x + k * dx, yy = y + k * dy;
            if (xx < 0 || yy < 0 || xx >= bw || yy >= bh) continue;
            sum += d[size_t(yy) * bw + xx];
            ++n;
          }
          tmp[i] = std::max(0.5f, sum / n);
        }
      d.swap(tmp);
    }
  }
  for (int y = 0; y < bh; ++y)
    for (int x = 0; x < bw; ++x) {
      float dist = d[size_t(y) * bw + x];
      if (dist == 0) continue;
      float u = bevel > 0 ? Clamp01((dist - 0.5f) / (bevel * S)) : 1.0f;
      float prof = round ? std::sqrt(1 - (1 - u) * (1 - u)) : u;
      size_t i = size_t(y + y0) * W + x + x0;
      mat[i] = m;
      hgt[i] = z + rise * prof;
      groove[i] = 0;
    }
}

void Painter::Sym(const std::vector<Pt>& rightHalf, Mat m, float z, float bevel, float rise, bool round) {
  std::vector<Pt> full(rightHalf);
  for (size_t i = rightHalf.size(); i-- > 0;) {
    Pt p = rightHalf[i];
    float mx = 2 * centreX - p.x;
    if (std::fabs(mx - p.x) < 1e-4f) continue;  // points on the axis appear once
    full.push_back({mx, p.y});
  }
  Poly(full, m, z, bevel, rise, round);
}

void Painter::Pair(const std::vector<Pt>& pts, Mat m, float z, float bevel, float rise, bool round) {
  Poly(pts, m, z, bevel, rise, round);
  std::vector<Pt> mirrored;
  for (size_t i = pts.size(); i-- > 0;) mirrored.push_back({2 * centreX - pts[i].x, pts[i].y});
  Poly(mirrored, m, z, bevel, rise, round);
}

void Painter::Ellipse(float cx, float cy, float rx, float ry, Mat m, float z, float dome) {
  std::vector<Pt> pts;
  const int n = 48;
  for (int i = 0; i < n; ++i) {
    float a = float(i) / n * 6.2831853f;
    pts.push_back({cx + std::cos(a) * rx, cy + std::sin(a) * ry});
  }
  Poly(pts, m, z, std::min(rx, ry), dome, true);
}

void Painter::PairEllipse(float cx, float cy, float rx, float ry, Mat m, float z, float dome) {
  Ellipse(cx, cy, rx, ry, m, z, dome);
  Ellipse(2 * centreX - cx, cy, rx, ry, m, z, dome);
}

void Painter::Bar(Pt a, Pt b, float width, Mat m, float z) {
  float dx = b.x - a.x, dy = b.y - a.y, l = std::sqrt(dx * dx + dy * dy);
  if (l <= 0) return;
  float nx = -dy / l * width / 2, ny = dx / l * width / 2;
  Poly({{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}}, m, z,
       width / 2, width / 2, true);
}

void Painter::Paint(const std::vector<Pt>& pts, Mat m) {
  std::vector<unsigned char> mask;
  int x0, y0, x1, y1;
  Fill(pts, mask, x0, y0, x1, y1);
  const int W = w * S, bw = x1 - x0 + 1;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      size_t i = size_t(y) * W + x;
      if (mask[size_t(y - y0) * bw + x - x0] && mat[i]) mat[i] = m;
    }
}

void Painter::Groove(Pt a, Pt b, float width) {
  float dx = b.x - a.x, dy = b.y - a.y, l = std::sqrt(dx * dx + dy * dy);
  if (l <= 0) return;
  float nx = -dy / l * width / 2, ny = dx / l * width / 2;
  std::vector<unsigned char> mask;
  int x0, y0, x1, y1;
  Fill({{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}}, mask, x0, y0, x1,
       y1);
  const int W = w * S, bw = x1 - x0 + 1;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      size_t i = size_t(y) * W + x;
      if (mask[size_t(y - y0) * bw + x - x0] && mat[i]) groove[i] = 1;
    }
}

void Painter::PairGroove(Pt a, Pt b, float width) {
  Groove(a, b, width);
  Groove({2 * centreX - a.x, a.y}, {2 * centreX - b.x, b.y}, width);
}

void Painter::Rivet(float x, float y, float r) {
  const int W = w * S;
  Pt c = Map({x, y});
  int rr = int(r * S + 1);
  for (int yy = int(c.y) - rr; yy <= int(c.y) + rr; ++yy)
    for (int xx = int(c.x) - rr; xx <= int(c.x) + rr; ++xx) {
      if (xx < 0 || yy < 0 || xx >= W || yy >= h * S) continue;
      float d = std::hypot(xx + 0.5f - c.x, yy + 0.5f - c.y) / (r * S);
      size_t i = size_t(yy) * W + xx;
      if (d < 1 && mat[i]) hgt[i] += 0.8f * std::sqrt(1 - d * d);
    }
}

Image Painter::Render() const {
  const int W = w * S, H = h * S;
  const Vec3 L = Norm({-0.5f, -0.7f, 0.75f});
  std::vector<Rgb> col(size_t(W) * H, Rgb{0, 0, 0});
  auto Hat = [&](int x, int y, float own) {
    if (x < 0 || y < 0 || x >= W || y >= H) return own;
    size_t i = size_t(y) * W + x;
    return mat[i] ? hgt[i] : own;
  };
  auto Hraw = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= W || y >= H) return -1e9f;
    size_t i = size_t(y) * W + x;
    return mat[i] ? hgt[i] : -1e9f;
  };
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      size_t i = size_t(y) * W + x;
      Mat m = Mat(mat[i]);
      if (!m) continue;
      float hc = hgt[i];
      float dhdx = (Hat(x + 1, y, hc) - Hat(x - 1, y, hc)) * S / 2;
      float dhdy = (Hat(x, y + 1, hc) - Hat(x, y - 1, hc)) * S / 2;
      if (IsGlow(m)) {
        // Glowing parts: brightest where they bulge most, never dark.
        float slope = std::min(1.0f, std::sqrt(dhdx * dhdx + dhdy * dhdy) * 0.8f);
        col[i] = RampColor(m, 0.95f - 0.6f * slope);
        continue;
      }
      Vec3 N = Norm({-dhdx, -dhdy, 1});
      N = Norm({N.x + tilt, N.y, N.z});
      float diff = N.x * L.x + N.y * L.y + N.z * L.z;
      float t = (diff * 0.98f - 0.02f) * exposure;
      if (weathering > 0)
        t += (Fbm(float(x) / S, float(y) / S, 12, 3, 0, 5) - 0.5f) * weathering;
      // Cast shadow from higher parts towards the light.
      for (int k = 1; k <= 6; ++k) {
        float hs = Hraw(x - int(k * 0.6f * S), y - int(k * 0.85f * S));
        if (hs - hc - k * 0.55f > 0) {
          t *= shadowDepth;
          break;
        }
      }
      if (groove[i]) t *= 0.5f;
      Rgb c = RampColor(m, t);
      float rz = 2 * diff * N.z - L.z;
      float specular = rz > 0 ? std::pow(rz, 18.0f) * 0.55f : 0;
      col[i] = Mix(c, Rgb{255, 255, 255}, specular);
    }
  Image out(w, h);
  std::vector<unsigned char> outMat(size_t(w) * h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int count = 0, votes[M_MAT_COUNT] = {};
      Rgb sum{0, 0, 0};
      for (int sy = 0; sy < S; ++sy)
        for (int sx = 0; sx < S; ++sx) {
          size_t i = size_t(y * S + sy) * W + x * S + sx;
          if (!mat[i]) continue;
          ++count;
          ++votes[mat[i]];
          sum.r += col[i].r, sum.g += col[i].g, sum.b += col[i].b;
        }
      if (count * 2 < S * S) continue;
      out.px[size_t(y) * w + x] = Opaque(Scale(sum, 1.0f / count));
      outMat[size_t(y) * w + x] = (unsigned char)(std::max_element(votes, votes + M_MAT_COUNT) - votes);
    }
  // One-pixel outline in a dark shade of the neighbour's own hue.
  Image lined = out;
  static const int kN[8][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (out.At(x, y)) continue;
      for (auto& n : kN) {
        int nx = x + n[0], ny = y + n[1];
        if (!out.At(nx, ny)) continue;
        Mat m = Mat(outMat[size_t(ny) * w + nx]);
        Rgb dark = Scale(kRamps[m].c[0], IsGlow(m) ? 0.7f : 0.55f);
        lined.px[size_t(y) * w + x] = Opaque(dark);
        break;
      }
    }
  return lined;
}

void GlowDot(Image& img, float cx, float cy, float r, Rgb core, Rgb rim, float cut) {
  for (int y = int(cy - r - 1); y <= int(cy + r + 1); ++y)
    for (int x = int(cx - r - 1); x <= int(cx + r + 1); ++x) {
      float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
      float v = 1 - d;
      if (v < cut) continue;
      float t = Smooth(cut, 0.85f, v);
      img.Set(x, y, Opaque(Mix(rim, core, t)));
    }
}
