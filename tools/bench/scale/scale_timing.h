// The present's scale timed on its own, the same way natively (skyward-bench)
// and in WebAssembly (skyward-scale-bench under node), so the two compare.
#pragma once
#include <string>
#include <vector>

namespace perf {

struct ScaleFigure {
  std::string what;          // e.g. "sharp 1024 x 768 of a 1366 x 768 screen"
  double median = 0, min = 0, max = 0;  // ms per scale
};

// Scales a 640 x 480 picture into an RGBA output (the browser's byte order)
// `repeats` times per size; `clockMs` is the caller's processor-time clock.
std::vector<ScaleFigure> TimeScales(double (*clockMs)(), int repeats);

// The figures as a Markdown table.
std::string ScaleTable(const std::vector<ScaleFigure>& figures);

}  // namespace perf
