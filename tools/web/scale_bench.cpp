// The present's scale in WebAssembly, timed as skyward-bench times it natively
// (its table "The present's scale"). Under node:
//   node --no-experimental-fetch build-web/bin/skyward-scale-bench.js [REPEATS]
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tools/bench/scale/scale_timing.h"

namespace {

// Processor time of the process: node's own threads are idle once the code is warm.
double CpuMs() {
  return EM_ASM_DOUBLE({
    var u = process.cpuUsage();
    return (u.user + u.system) / 1000;
  });
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
  // A first pass lets the engine move the loops to its optimising compiler.
  perf::TimeScales(CpuMs, 50);
  std::printf("%s", perf::ScaleTable(perf::TimeScales(CpuMs, repeats)).c_str());
  return 0;
}
