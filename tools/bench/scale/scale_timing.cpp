#include "tools/bench/scale/scale_timing.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "lib/draw/present_scale.h"

namespace perf {

std::vector<ScaleFigure> TimeScales(double (*clockMs)(), int repeats) {
  // Every pixel differs from its neighbours; the loops do not look at the values.
  std::vector<uint16_t> picture(640 * 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) picture[y * 640 + x] = static_cast<uint16_t>(x * 37 + y * 1031 + 1);
  const struct { int w, h; } screens[] = {{1366, 768}, {1280, 720}, {1920, 1080}, {640, 480}};
  std::vector<ScaleFigure> figures;
  for (const auto& s : screens) {
    const zuDraw::PictureLayout l = zuDraw::FitPicture(640, 480, s.w, s.h);
    zuDraw::ScalePlan plan;
    if (!zuDraw::MakeScalePlan(plan, 640, 480, l, zuDraw::PixelOrder::XBGR8888)) continue;
    // As the browser's layer holds it: the picture alone, rows back to back.
    std::vector<uint8_t> out(static_cast<size_t>(l.w) * l.h * 4);
    std::vector<double> ms;
    for (int i = 0; i < repeats; ++i) {
      const double t = clockMs();
      zuDraw::ScalePicture(plan, picture.data(), 640 * 2, out.data(), l.w * 4);
      ms.push_back(clockMs() - t);
    }
    std::sort(ms.begin(), ms.end());
    char what[96];
    std::snprintf(what, sizeof what, "%s %d x %d of a %d x %d screen",
                  l.smooth ? "sharp" : (l.multiple == 1 ? "1x" : "whole"), l.w, l.h, s.w, s.h);
    figures.push_back({what, ms[ms.size() / 2], ms.front(), ms.back()});
  }
  return figures;
}

std::string ScaleTable(const std::vector<ScaleFigure>& figures) {
  std::string t = "| scale | median | min | max |\n|---|---:|---:|---:|\n";
  for (const ScaleFigure& f : figures) {
    char line[192];
    std::snprintf(line, sizeof line, "| %s | %.3f | %.3f | %.3f |\n", f.what.c_str(), f.median,
                  f.min, f.max);
    t += line;
  }
  return t;
}

}  // namespace perf
