// Where the 640 x 480 picture goes in a window of any size, and the loop that
// converts it from RGB565 and scales it there. Platform-free: both present
// paths use it, so their pictures are the same pixel for pixel.
#pragma once
#include <cstdint>
#include <vector>

namespace zuDraw {

// The picture's place in the output (window pixels) and how it gets there:
// a whole-number nearest scale by `multiple`, then, when that is not yet the
// final size, a smooth step down to w x h. Black bars around it.
struct PictureLayout {
  int x = 0, y = 0, w = 0, h = 0;
  int multiple = 1;
  bool smooth = false;
};

// Whole-number scale when 2x or more fits; below that the largest size that
// keeps the aspect, reached through the nearest whole multiple above it so no
// row or column is doubled unevenly.
PictureLayout FitPicture(int pictureW, int pictureH, int outW, int outH);

// Pixel layouts of the output that the loop writes itself.
enum class PixelOrder { XRGB8888, XBGR8888, RGB565 };

// One output pixel of the smooth step: source taps [first, first + count) with
// weights out of 256.
struct Taps {
  int first = 0;
  int count = 0;
  uint16_t weight[4] = {};
};

// Everything the loop needs for one layout, made when the layout changes and
// reused by every frame (nothing is allocated per frame).
struct ScalePlan {
  PictureLayout layout;
  int pictureW = 0, pictureH = 0;
  PixelOrder order = PixelOrder::XRGB8888;
  std::vector<uint32_t> row;          // one converted picture row (smooth step)
  std::vector<Taps> columns, rows;    // smooth step, per output column and row
  // The smooth step's columns again when none has more than two taps (every
  // enlargement): both picture pixels of each, and their weights repeated in
  // both 16-bit halves, so four output pixels are mixed at once.
  std::vector<int32_t> left, right;
  std::vector<uint32_t> leftWeight, rightWeight;
  std::vector<uint32_t> cache;        // up to 4 picture rows scaled across (smooth step)
  int cachedRow[4] = {-1, -1, -1, -1};
};

// Builds the plan; false when the layout is empty (nothing to draw).
bool MakeScalePlan(ScalePlan& plan, int pictureW, int pictureH, const PictureLayout& layout,
                   PixelOrder order);

// Converts and scales the picture to `out`, the top-left pixel of its place in
// the output (the layout's x and y are the caller's); writes nothing else.
void ScalePicture(ScalePlan& plan, const uint16_t* picture, int picturePitch, uint8_t* out,
                  int outPitch);

// One row: RGB565 to 32-bit pixels (0xFF alpha), each channel rounded to the
// nearest 8-bit value.
void ConvertRow565(const uint16_t* in, uint32_t* out, int n, PixelOrder order);

}  // namespace zuDraw
