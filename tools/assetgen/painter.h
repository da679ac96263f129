// The craft painter: shapes are laid down at 4x as material + height, shaded from
// the height field with light from the top left, downsampled with a hard coverage
// threshold and given a one-pixel outline in a dark shade of their own hue.
#pragma once
#include <vector>

#include "tools/assetgen/image.h"

struct Ramp {
  Rgb c[5];  // dark to light
};

// Materials: each a ramp; glowing ones ignore the light and brighten to the centre.
enum Mat : unsigned char {
  M_NONE,
  M_STEEL,
  M_GUN,
  M_PLAYER,
  M_CANOPY,
  M_ENGINE,
  M_GREEN,
  M_RED,
  M_VIOLET,
  M_TEAL,
  M_ORANGE,
  M_YELLOW,
  M_ARMOR,
  M_ARMOR_DARK,
  M_GLOW_RED,
  M_GLOW_GREEN,
  M_GLOW_VIOLET,
  M_GLOW_CYAN,
  M_GLOW_ORANGE,
  M_GLOW_YELLOW,
  M_LAMP,
  M_SKY,
  M_SAND,
  M_MAT_COUNT
};

const Ramp& RampOf(Mat m);
bool IsGlow(Mat m);
// A colour taken along a material's ramp, t in [0, 1].
Rgb RampColor(Mat m, float t);

struct Pt {
  float x, y;
};

struct Painter {
  int w, h;  // output size
  static constexpr int S = 4;
  std::vector<unsigned char> mat;
  std::vector<float> hgt;
  std::vector<unsigned char> groove;
  float tilt = 0;        // roll of the whole craft: tips every normal sideways
  float bankLeft = 1;    // horizontal squeeze of the left / right half (banking)
  float bankRight = 1;
  float centreX = 0;     // axis for banking and mirroring
  float shadowDepth = 0.6f;
  float exposure = 1;     // below 1 for darker, more contrasted large craft
  float weathering = 0;   // mottling of the paint on large craft

  Painter(int width, int height);

  // Filled polygon in output pixels. The edge rises over `bevel` pixels by `rise`
  // (rounded when `round`), the flat top is at height z.
  void Poly(const std::vector<Pt>& pts, Mat m, float z, float bevel, float rise, bool round = false);
  // Polygon given by its right half (from the top of the centre line down the right
  // side to the bottom of the centre line), mirrored about centreX.
  void Sym(const std::vector<Pt>& rightHalf, Mat m, float z, float bevel, float rise, bool round = false);
  // The same polygon on both sides: the points as given and mirrored about centreX.
  void Pair(const std::vector<Pt>& pts, Mat m, float z, float bevel, float rise, bool round = false);
  void Ellipse(float cx, float cy, float rx, float ry, Mat m, float z, float dome);
  void PairEllipse(float cx, float cy, float rx, float ry, Mat m, float z, float dome);
  // A bar between two points, rounded across its width (barrels, struts).
  void Bar(Pt a, Pt b, float width, Mat m, float z);
  // Recolours what is already there (markings) without touching the height.
  void Paint(const std::vector<Pt>& pts, Mat m);
  // A panel line.
  void Groove(Pt a, Pt b, float width = 0.7f);
  void PairGroove(Pt a, Pt b, float width = 0.7f);
  // A rivet: a small bump with a highlight.
  void Rivet(float x, float y, float r = 0.9f);

  Image Render() const;

 private:
  Pt Map(Pt p) const;
  void Fill(const std::vector<Pt>& pts, std::vector<unsigned char>& mask, int& x0, int& y0, int& x1,
            int& y1) const;
};

// Shiny glowing blob (shots, cores): bright centre fading towards its rim colour
// and cut where it would grow dark.
void GlowDot(Image& img, float cx, float cy, float r, Rgb core, Rgb rim, float cut = 0.18f);
