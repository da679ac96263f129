#include "tools/bench/bench.h"

#include <SDL.h>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/assets/assets.h"
#include "lib/draw/present_scale.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/system/zuSystem.h"
#include "tools/bench/alloc_count.h"
#include "tools/bench/blitters.h"
#include "tools/bench/children.h"
#include "tools/bench/probes.h"
#include "tools/bench/scenario.h"
#include "tools/bench/scale/scale_timing.h"

namespace perf {
namespace {

// Budget, median per frame.
constexpr double BUDGET_LOGIC_COMPOSE_MS = 0.5;
constexpr double BUDGET_UPLOAD_MS = 0.2;
constexpr double BUDGET_STARTUP_MS = 250.0;
constexpr double BUDGET_PEAK_MB = 80.0;

struct Options {
  int runs = 5;
  bool children = true;
  bool renderers = true;
  const char* only = nullptr;
  const char* picture = nullptr;  // where to save the busy frame the renderers present
  bool scaleOnly = false;
} options;

struct Spread {
  double min = 0, median = 0, max = 0;
};

Spread SpreadOf(std::vector<double> v) {
  Spread s;
  if (v.empty()) return s;
  std::sort(v.begin(), v.end());
  s.min = v.front();
  s.max = v.back();
  const size_t n = v.size();
  s.median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
  return s;
}

std::string Fmt(const Spread& s, int decimals = 3) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%.*f [%.*f-%.*f]", decimals, s.median, decimals, s.min,
                decimals, s.max);
  return buffer;
}

double Ms(uint64_t ns) { return static_cast<double>(ns) / 1e6; }

// ---------------------------------------------------------------------------
// Composing a recorded frame again, with the library or with one blitter.

enum Blitter { BLIT_LIBRARY, BLIT_SDL, BLIT_SDL_RLE, BLIT_OWN_SCALAR, BLIT_OWN_WIDE, BLITTERS };
constexpr const char* BLITTER_NAMES[BLITTERS] = {"library", "SDL keyed", "SDL RLE",
                                                 "own scalar", "own SSE2"};

SDL_Surface* rleCopies[zuDraw::OBJECT_MAX];
// The library's picture of the frame, for comparing the other blitters with.
Uint8 reference[640 * 480 * 2];

void MakeRleCopies() {
  for (int id = 0; id < zuDraw::OBJECT_MAX; ++id) {
    SDL_Surface* s = zuDraw::ObjectSurface(id);
    if (s == nullptr) continue;
    SDL_Surface* copy = SDL_DuplicateSurface(s);
    if (copy == nullptr) continue;
    SDL_SetSurfaceRLE(copy, 1);
    rleCopies[id] = copy;
  }
}

void FreeRleCopies() {
  for (SDL_Surface*& s : rleCopies) {
    if (s != nullptr) SDL_FreeSurface(s);
    s = nullptr;
  }
}

void BlitWith(Blitter b, int id, SDL_Surface* back, int x, int y, SDL_Rect source) {
  SDL_Surface* src = zuDraw::ObjectSurface(id);
  if (src == nullptr || !TrimLikePutObject(src, back, &x, &y, &source)) return;
  Uint32 key = 0;
  SDL_GetColorKey(src, &key);
  SDL_Rect d = {x, y, source.w, source.h};
  switch (b) {
    case BLIT_SDL: SDL_LowerBlit(src, &source, back, &d); break;
    case BLIT_SDL_RLE:
      if (rleCopies[id] != nullptr) SDL_LowerBlit(rleCopies[id], &source, back, &d);
      break;
    case BLIT_OWN_SCALAR: KeyedCopyScalar(src, source, back, x, y, static_cast<Uint16>(key)); break;
    case BLIT_OWN_WIDE: KeyedCopyWide(src, source, back, x, y, static_cast<Uint16>(key)); break;
    default: break;
  }
}

void Recompose(Blitter b) {
  SDL_Surface* back = zuDraw::BackSurface();
  const DrawCall* calls = Recorded();
  const int n = RecordedCount();
  for (int i = 0; i < n; ++i) {
    const DrawCall& c = calls[i];
    switch (c.kind) {
      case CALL_CLEAR:
        if (b == BLIT_LIBRARY) {
          RealClear();
        } else {
          SDL_FillRect(back, nullptr, 0);
        }
        break;
      case CALL_PUT:
        if (b == BLIT_LIBRARY) {
          RealPutObject(c.a[0], c.a[1], c.a[2], c.a[3], c.a[4], c.a[5], c.a[6]);
        } else {
          BlitWith(b, c.a[2], back, c.a[0], c.a[1],
                   SDL_Rect{c.a[3], c.a[4], c.a[5] - c.a[3], c.a[6] - c.a[4]});
        }
        break;
      case CALL_STRETCHED:
        RealPutObjectStretched(c.a[0], c.a[1], c.a[2], c.a[3], c.a[4], c.a[5], c.a[6], c.a[7],
                               c.a[8]);
        break;
      case CALL_CAPTION: RealDrawCaption(c.a[0], c.a[1], c.text); break;
    }
  }
}

// ---------------------------------------------------------------------------
// Scenarios.

struct Row {
  std::string name;
  std::string what;
  int frames = 0;
  std::vector<double> inFrame, compose, upload, render, frame, worst, sprites, allocs, logic;
  std::vector<double> blit[BLITTERS];
  long differing[BLITTERS] = {};  // frames whose picture differs from the library's
  uint64_t allocTotal = 0;
  uint64_t allocWorst = 0;
  uint64_t otherThreads = 0;
};

// One measured run of a scenario: the frames with everything on, each composed
// again afterwards with every blitter; then the same frames with drawing off.
void MeasureRun(Scenario s, Row& row) {
  const int frames = Info(s).frames;
  double upload = 0, render = 0, total = 0, worst = 0, sprites = 0;
  double blit[BLITTERS] = {};
  uint64_t allocs = 0;
  EnterScenario(s);
  const AllocationCounts otherBefore = OtherAllocations();
  for (int f = 0; f < frames; ++f) {
    const uint64_t a0 = WatchedAllocations().total();
    PrepareFrame(s);
    BeginRecord();
    const uint64_t t0 = CpuNs();
    RunGameFrame();
    const uint64_t t1 = CpuNs();
    const uint64_t a1 = WatchedAllocations().total();
    allocs += a1 - a0;
    row.allocWorst = std::max<uint64_t>(row.allocWorst, a1 - a0);
    const FlipTimes flip = LastFlip();
    const double frameMs = Ms(t1 - t0);
    total += frameMs;
    worst = std::max(worst, frameMs);
    upload += Ms(flip.uploaded - flip.start);
    render += Ms(flip.end - flip.uploaded);
    sprites += SpritesDrawn();
    SDL_Surface* back = zuDraw::BackSurface();
    const size_t bytes = static_cast<size_t>(back->pitch) * back->h;
    for (int b = 0; b < BLITTERS; ++b) {
      const uint64_t c0 = CpuNs();
      Recompose(static_cast<Blitter>(b));
      blit[b] += Ms(CpuNs() - c0);
      if (b == BLIT_LIBRARY) {
        std::memcpy(reference, back->pixels, bytes);
      } else if (std::memcmp(reference, back->pixels, bytes) != 0) {
        ++row.differing[b];
      }
    }
  }
  row.otherThreads += OtherAllocations().total() - otherBefore.total();
  row.inFrame.push_back((total - upload - render) / frames);
  row.compose.push_back(blit[BLIT_LIBRARY] / frames);
  row.upload.push_back(upload / frames);
  row.render.push_back(render / frames);
  row.frame.push_back(total / frames);
  row.worst.push_back(worst);
  row.sprites.push_back(sprites / frames);
  row.allocs.push_back(static_cast<double>(allocs) / frames);
  row.allocTotal += allocs;
  for (int b = 0; b < BLITTERS; ++b) row.blit[b].push_back(blit[b] / frames);

  // The same frames with nothing drawn or presented: the game logic alone.
  EnterScenario(s);
  SetDrawing(false);
  double alone = 0;
  for (int f = 0; f < frames; ++f) {
    PrepareFrame(s);
    const uint64_t t0 = CpuNs();
    RunGameFrame();
    alone += Ms(CpuNs() - t0);
  }
  SetDrawing(true);
  row.logic.push_back(alone / frames);
}

Row MeasureScenario(Scenario s, const char* suffix = "", const char* what = nullptr) {
  Row row;
  row.name = std::string(Info(s).name) + suffix;
  row.what = what != nullptr ? what : Info(s).what;
  row.frames = Info(s).frames;
  for (int r = 0; r < options.runs; ++r) MeasureRun(s, row);
  std::fprintf(stderr, "  %-22s done\n", row.name.c_str());
  return row;
}

// ---------------------------------------------------------------------------
// One sprite, many times: the blitters on their own.

struct BlitCase {
  const char* picture;
  const int* id;
  SDL_Rect source;
};

void MeasureSingleBlits(std::vector<std::string>& lines) {
  const BlitCase cases[] = {
      {"VAL20 shot 20x20", &objVAL20, {0, 0, 20, 20}},
      {"ZAK2 enemy 60x60", &objZAK2, {0, 0, 60, 60}},
      {"BOS11 boss 380x380", &objBOS11, {0, 0, 380, 380}},
      {"BACK1 backdrop 380x480", &objBACK1, {0, 0, 380, 480}},
  };
  SDL_Surface* back = zuDraw::BackSurface();
  char line[256];
  std::snprintf(line, sizeof line, "| picture | %s | %s | %s | %s | opaque | same picture |",
                BLITTER_NAMES[1], BLITTER_NAMES[2], BLITTER_NAMES[3], BLITTER_NAMES[4]);
  lines.push_back(line);
  lines.push_back("|---|---:|---:|---:|---:|---:|---|");
  for (const BlitCase& c : cases) {
    SDL_Surface* src = zuDraw::ObjectSurface(*c.id);
    if (src == nullptr) continue;
    Uint32 key = 0;
    SDL_GetColorKey(src, &key);
    long opaque = 0;
    for (int y = 0; y < c.source.h; ++y) {
      const Uint16* row = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(src->pixels) +
                                                          (c.source.y + y) * src->pitch);
      for (int x = 0; x < c.source.w; ++x) opaque += row[c.source.x + x] != key;
    }
    const long pixels = static_cast<long>(c.source.w) * c.source.h;
    const int repeats = std::max(200, static_cast<int>(4000000 / pixels));
    // Every blitter must leave the same picture as SDL's keyed blit.
    const size_t bytes = static_cast<size_t>(back->pitch) * back->h;
    std::vector<Uint8> expected(bytes);
    bool same = true;
    for (int b = BLIT_SDL; b < BLITTERS; ++b) {
      SDL_FillRect(back, nullptr, 0x1234);
      BlitWith(static_cast<Blitter>(b), *c.id, back, 131, 3, c.source);
      if (b == BLIT_SDL) {
        std::memcpy(expected.data(), back->pixels, bytes);
      } else if (std::memcmp(expected.data(), back->pixels, bytes) != 0) {
        same = false;
      }
    }
    std::string cells;
    for (int b = BLIT_SDL; b < BLITTERS; ++b) {
      std::vector<double> perBlit;
      for (int r = 0; r < options.runs + 2; ++r) {
        const uint64_t t0 = CpuNs();
        for (int i = 0; i < repeats; ++i) {
          // Positions that stay inside the play column, varied a little.
          const int x = 130 + (i * 7) % std::max(1, 380 - c.source.w + 1);
          const int y = (i * 13) % std::max(1, 480 - c.source.h + 1);
          BlitWith(static_cast<Blitter>(b), *c.id, back, x, y, c.source);
        }
        perBlit.push_back(static_cast<double>(CpuNs() - t0) / 1000.0 / repeats);
      }
      char cell[48];
      std::snprintf(cell, sizeof cell, " %.2f |", SpreadOf(perBlit).median);
      cells += cell;
    }
    std::snprintf(line, sizeof line, "| %s |%s %ld%% | %s |", c.picture, cells.c_str(),
                  opaque * 100 / pixels, same ? "yes" : "NO");
    lines.push_back(line);
  }
}

// ---------------------------------------------------------------------------
// Renderers: the scaled present of a captured frame, per SDL render driver.

struct RenderFigure {
  std::string driver;
  std::string renderer;
  int width = 0, height = 0;
  bool ok = false;
  double upload = 0, render = 0;        // wall time
  double uploadCpu = 0, renderCpu = 0;  // processor time of this thread
};

RenderFigure ProbeRenderer(const char* name, SDL_Surface* frame, int width, int height) {
  RenderFigure fig;
  fig.driver = SDL_GetCurrentVideoDriver() != nullptr ? SDL_GetCurrentVideoDriver() : "?";
  fig.renderer = name;
  fig.width = width;
  fig.height = height;
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, name);
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  SDL_Window* window = SDL_CreateWindow("Skyward Run bench", 0, 0, width, height,
                                        std::strcmp(name, "software") == 0 ? 0 : SDL_WINDOW_OPENGL);
  if (window == nullptr) return fig;
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
  SDL_RendererInfo info{};
  if (renderer == nullptr || SDL_GetRendererInfo(renderer, &info) != 0 ||
      std::strcmp(info.name, name) != 0) {
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    return fig;
  }
  SDL_RenderSetLogicalSize(renderer, 640, 480);
  SDL_RenderSetIntegerScale(renderer, SDL_TRUE);
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565,
                                           SDL_TEXTUREACCESS_STREAMING, 640, 480);
  if (texture == nullptr) {
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    return fig;
  }
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
  std::vector<double> uploads, renders, uploadsCpu, rendersCpu;
  for (int i = 0; i < 260; ++i) {
    const uint64_t t0 = NowNs(), c0 = CpuNs();
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) == 0) {
      for (int y = 0; y < 480; ++y) {
        std::memcpy(static_cast<Uint8*>(pixels) + y * pitch,
                    static_cast<const Uint8*>(frame->pixels) + y * frame->pitch, 640 * 2);
      }
      SDL_UnlockTexture(texture);
    }
    const uint64_t t1 = NowNs(), c1 = CpuNs();
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    const uint64_t t2 = NowNs(), c2 = CpuNs();
    if (i >= 20) {  // the first frames set things up
      uploads.push_back(Ms(t1 - t0));
      renders.push_back(Ms(t2 - t1));
      uploadsCpu.push_back(Ms(c1 - c0));
      rendersCpu.push_back(Ms(c2 - c1));
    }
  }
  fig.upload = SpreadOf(uploads).median;
  fig.render = SpreadOf(renders).median;
  fig.uploadCpu = SpreadOf(uploadsCpu).median;
  fig.renderCpu = SpreadOf(rendersCpu).median;
  fig.ok = true;
  SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  return fig;
}

std::vector<RenderFigure> ProbeRenderers(SDL_Surface* frame) {
  std::vector<RenderFigure> figures;
  // With a display the OpenGL renderers can be tried as well; without one only
  // SDL's software renderer exists.
  const char* display = std::getenv("DISPLAY");
  const bool x11 = display != nullptr && display[0] != '\0';
  setenv("SDL_VIDEODRIVER", x11 ? "x11" : "dummy", 1);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return figures;
  const char* names[] = {"software", "opengl", "opengles2"};
  for (const char* name : names) {
    RenderFigure f = ProbeRenderer(name, frame, 1920, 1080);
    figures.push_back(f);
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return figures;
}

// ---------------------------------------------------------------------------

std::string Machine() {
  std::string cpu = "unknown CPU";
  if (std::FILE* f = std::fopen("/proc/cpuinfo", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, f) != nullptr) {
      if (std::strncmp(line, "model name", 10) == 0) {
        const char* colon = std::strchr(line, ':');
        if (colon != nullptr) {
          cpu = colon + 2;
          if (!cpu.empty() && cpu.back() == '\n') cpu.pop_back();
        }
        break;
      }
    }
    std::fclose(f);
  }
  utsname u{};
  uname(&u);
  SDL_version v;
  SDL_GetVersion(&v);
  char buffer[512];
  double load = 0;
  if (std::FILE* f = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(f, "%lf", &load) != 1) load = 0;
    std::fclose(f);
  }
  std::snprintf(buffer, sizeof buffer,
                "%s, %ld cores, %s %s, SDL %d.%d.%d, load average %.1f at the start",
                cpu.c_str(), sysconf(_SC_NPROCESSORS_ONLN), u.sysname, u.release, v.major,
                v.minor, v.patch, load);
  return buffer;
}

int Usage() {
  std::fprintf(stderr,
               "usage: skyward-bench [--runs N] [--scenario NAME] [--no-children] "
               "[--no-renderers] [--picture BUSY.bmp] [--scale]\n"
               "Prints the frame costs of the real game, headless, as Markdown tables;\n"
               "--scale: only the present's scale (as skyward-scale-bench in the browser build).\n");
  return 2;
}

constexpr const char* kHeader =
    "| scenario | sprites | logic + compose | logic | compose | upload | render | frame | "
    "worst frame | allocs/frame |\n"
    "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
constexpr const char* kColumns =
    "- logic + compose: the frame as the main loop runs it, less the upload and the render "
    "(the budget figure)\n"
    "- logic: the same frames again with drawing and presenting switched off\n"
    "- compose: each frame's recorded draw calls drawn again right after it\n"
    "- upload: back surface into the streaming texture; render: clear, copy, present on "
    "SDL's dummy video driver (software renderer, 640 x 480 in a 1024 x 768 window)\n"
    "- worst frame: the slowest single frame of a run (the machine is shared: preemption shows "
    "here)\n\n"
    "| scenario | sprites | logic + compose | logic | compose | upload | render | frame | "
    "worst frame | allocs/frame |\n"
    "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";

const char* Verdict(bool ok) { return ok ? "holds" : "MISSED"; }

double CpuMs() { return Ms(CpuNs()); }

// The browser's present in play: after each frame of the busy stretch, the
// picture scaled as the page at 1366 x 768 scales it (sharp 1024 x 768, RGBA),
// with the caches as the frame left them. Medians of processor and wall time.
Spread ScaleInPlay(bool wall) {
  static std::vector<double> cpuMs, wallMs;
  if (cpuMs.empty()) {
    const zuDraw::PictureLayout l = zuDraw::FitPicture(640, 480, 1366, 768);
    zuDraw::ScalePlan plan;
    zuDraw::MakeScalePlan(plan, 640, 480, l, zuDraw::PixelOrder::XBGR8888);
    std::vector<uint8_t> out(static_cast<size_t>(l.w) * l.h * 4);
    EnterScenario(SCENARIO_STAGE1_BUSY);
    for (int f = 0; f < Info(SCENARIO_STAGE1_BUSY).frames * options.runs; ++f) {
      PrepareFrame(SCENARIO_STAGE1_BUSY);
      RunGameFrame();
      const SDL_Surface* back = zuDraw::BackSurface();
      const uint64_t c0 = CpuNs(), w0 = NowNs();
      zuDraw::ScalePicture(plan, static_cast<const uint16_t*>(back->pixels), back->pitch,
                           out.data(), l.w * 4);
      wallMs.push_back(Ms(NowNs() - w0));
      cpuMs.push_back(Ms(CpuNs() - c0));
    }
  }
  return SpreadOf(wall ? wallMs : cpuMs);
}

void PrintScaleTable() {
  std::printf("## The present's scale\n\n");
  std::printf("A 640 x 480 RGB565 picture converted and scaled into RGBA bytes, 240 times per "
              "size after 50 to warm up; ms of processor time per scale.\n\n");
  TimeScales(CpuMs, 50);
  std::printf("%s\n", ScaleTable(TimeScales(CpuMs, 240)).c_str());
  std::printf("In play, after each frame of stage1-busy (%d frames), sharp 1024 x 768: %s ms of "
              "processor time, %s ms of wall time.\n\n",
              Info(SCENARIO_STAGE1_BUSY).frames * options.runs, Fmt(ScaleInPlay(false)).c_str(),
              Fmt(ScaleInPlay(true)).c_str());
}

}  // namespace
}  // namespace perf

using namespace perf;

int BenchMain(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--startup-child") return StartupChild();
    if (arg == "--whole-run-child") return WholeRunChild();
    if (arg == "--runs" && i + 1 < argc) {
      options.runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--scenario" && i + 1 < argc) {
      options.only = argv[++i];
    } else if (arg == "--no-children") {
      options.children = false;
    } else if (arg == "--picture" && i + 1 < argc) {
      options.picture = argv[++i];
    } else if (arg == "--no-renderers") {
      options.renderers = false;
    } else if (arg == "--scale") {
      options.scaleOnly = true;
    } else {
      return Usage();
    }
  }
  const uint64_t benchStart = NowNs();
  std::printf("# skyward-bench\n\nMachine: %s. Runs per figure: %d. Figures in ms unless "
              "stated, as median [min-max] over the runs.\n\n",
              Machine().c_str(), options.runs);
  std::fflush(stdout);
  if (options.scaleOnly) {
    if (!StartGame(BENCH_SEED)) {
      std::fprintf(stderr, "skyward-bench: the screen could not be set up\n");
      return 1;
    }
    PrintScaleTable();
    StopGame();
    return 0;
  }

  // Fresh processes first: start-up to the first presented frame, and one whole game.
  std::vector<double> startups;
  constexpr const char* PHASES[] = {"cpu",   "window", "screen", "soundInit", "midiInit",
                                    "pictures", "sounds", "music",  "caption"};
  constexpr int PHASE_COUNT = sizeof PHASES / sizeof PHASES[0];
  std::vector<double> phaseFigures[PHASE_COUNT];
  ChildResult wholeRun;
  if (options.children) {
    std::fprintf(stderr, "start-up and whole run...\n");
    for (int r = 0; r < options.runs; ++r) {
      ChildResult c = RunSelf("--startup-child");
      const unsigned long long presented = std::strtoull(c.output.c_str(), nullptr, 10);
      if (!c.ok || presented <= c.spawnedNs) continue;
      startups.push_back(Ms(presented - c.spawnedNs));
      for (int p = 0; p < PHASE_COUNT; ++p) {
        const std::string key = std::string(" ") + PHASES[p] + "=";
        const size_t at = c.output.find(key);
        if (at != std::string::npos) {
          phaseFigures[p].push_back(std::atof(c.output.c_str() + at + key.size()));
        }
      }
    }
    wholeRun = RunSelf("--whole-run-child");
  }

  std::fprintf(stderr, "scenarios...\n");
  if (!StartGame(BENCH_SEED)) {
    std::fprintf(stderr, "skyward-bench: the screen could not be set up\n");
    return 1;
  }
  WatchThisThread();
  MakeRleCopies();
  std::vector<Row> rows;
  for (int s = 0; s < SCENARIO_COUNT; ++s) {
    if (options.only != nullptr && std::strcmp(options.only, Info(static_cast<Scenario>(s)).name))
      continue;
    rows.push_back(MeasureScenario(static_cast<Scenario>(s)));
  }
  // Growth with the number of sprites: the ring's shots drawn twice and four times.
  std::vector<Row> growth;
  if (options.only == nullptr || std::strcmp(options.only, "boss2-r2") == 0) {
    for (const Row& r : rows) {
      if (r.name != "boss2-r2") continue;
      growth.push_back(r);
      growth.back().name += " x1";
    }
    for (int copies : {1, 3}) {
      SetExtraCopies(objVAL20, copies);
      char suffix[16], what[96];
      std::snprintf(suffix, sizeof suffix, " x%d", copies + 1);
      std::snprintf(what, sizeof what, "R2 with its shots drawn %d times", copies + 1);
      growth.push_back(MeasureScenario(SCENARIO_BOSS2_R2, suffix, what));
    }
    SetExtraCopies(-1, 0);
  }
  std::vector<std::string> blitLines;
  MeasureSingleBlits(blitLines);

  ScaleInPlay(false);  // measured while the game runs, printed with the scale table

  // A busy frame for the renderers to present.
  EnterScenario(SCENARIO_STAGE1_BUSY);
  SDL_Surface* busyFrame = SDL_DuplicateSurface(zuDraw::BackSurface());
  if (options.picture != nullptr && busyFrame != nullptr) SDL_SaveBMP(busyFrame, options.picture);
  FreeRleCopies();
  StopGame();

  std::vector<RenderFigure> renders;
  if (options.renderers && busyFrame != nullptr) {
    std::fprintf(stderr, "renderers...\n");
    renders = ProbeRenderers(busyFrame);
  }
  if (busyFrame != nullptr) SDL_FreeSurface(busyFrame);

  // -------------------------------------------------------------------------
  std::printf("## Frame costs per scenario\n\n");
  std::printf("%s", kColumns);
  double heaviest = 0;
  std::string heaviestName;
  double heaviestUpload = 0;
  uint64_t allAllocs = 0;
  auto printRow = [&](const Row& r) {
    const Spread lc = SpreadOf(r.inFrame);
    std::printf("| %s | %.0f | %s | %s | %s | %s | %s | %s | %s | %.2f (worst %llu) |\n",
                r.name.c_str(), SpreadOf(r.sprites).median, Fmt(lc).c_str(),
                Fmt(SpreadOf(r.logic)).c_str(), Fmt(SpreadOf(r.compose)).c_str(),
                Fmt(SpreadOf(r.upload)).c_str(), Fmt(SpreadOf(r.render)).c_str(),
                Fmt(SpreadOf(r.frame)).c_str(), Fmt(SpreadOf(r.worst)).c_str(),
                static_cast<double>(r.allocTotal) / (r.frames * options.runs),
                static_cast<unsigned long long>(r.allocWorst));
    return lc.median;
  };
  for (const Row& r : rows) {
    const double lc = printRow(r);
    if (lc > heaviest) {
      heaviest = lc;
      heaviestName = r.name;
      heaviestUpload = SpreadOf(r.upload).median;
    }
    allAllocs += r.allocTotal;
  }
  std::printf("\n");
  for (const Row& r : rows) std::printf("- %s: %s, %d frames a run\n", r.name.c_str(), r.what.c_str(), r.frames);
  uint64_t other = 0;
  for (const Row& r : rows) other += r.otherThreads;
  std::printf("\nAllocations are counted on the game's thread (operator new and %s); other "
              "threads (SDL's audio thread) allocated %llu times meanwhile.\n\n",
              MallocCounted() ? "malloc/calloc/realloc" : "not malloc: sanitizer build",
              static_cast<unsigned long long>(other));

  if (!growth.empty()) {
    std::printf("## Growth with the number of sprites (second boss, R2)\n\n");
    std::printf("%s", kHeader);
    for (const Row& r : growth) printRow(r);
    if (growth.size() == 3) {
      const double s1 = SpreadOf(growth[0].sprites).median, s4 = SpreadOf(growth[2].sprites).median;
      const double c1 = SpreadOf(growth[0].compose).median, c4 = SpreadOf(growth[2].compose).median;
      if (s4 > s1) {
        std::printf("\nCompose grows by %.2f us per extra sprite (x1 to x4).\n",
                    (c4 - c1) * 1000.0 / (s4 - s1));
      }
    }
    std::printf("\n");
  }

  std::printf("## Composing the same frames with each blitter\n\n");
  std::printf("Each measured frame's draw calls, trimmed by the library's rule, composed again "
              "with one blitter; ms per frame, median [min-max].\n\n| scenario |");
  for (int b = 0; b < BLITTERS; ++b) std::printf(" %s |", BLITTER_NAMES[b]);
  std::printf(" frames differing from the library |\n|---|");
  for (int b = 0; b < BLITTERS; ++b) std::printf("---:|");
  std::printf("---|\n");
  for (const std::vector<Row>* set : {&rows, &growth}) {
    for (const Row& r : *set) {
      std::printf("| %s |", r.name.c_str());
      for (int b = 0; b < BLITTERS; ++b) std::printf(" %s |", Fmt(SpreadOf(r.blit[b])).c_str());
      long differing = 0;
      for (long d : r.differing) differing += d;
      std::printf(" %ld |\n", differing);
    }
  }
  std::printf("\n## One sprite, many times (us per blit, median)\n\n");
  for (const std::string& l : blitLines) std::printf("%s\n", l.c_str());

  if (!renders.empty()) {
    std::printf("\n## Upload and scaled render of a busy frame, window 1920 x 1080\n\n");
    std::printf("Median over 240 presents; wall time, and in brackets the processor time of the "
                "game's thread (a GL driver may work in threads of its own).\n\n");
    std::printf("| video driver | renderer | upload | render |\n|---|---|---:|---:|\n");
    for (const RenderFigure& f : renders) {
      if (f.ok) {
        std::printf("| %s | %s | %.3f (%.3f) | %.3f (%.3f) |\n", f.driver.c_str(),
                    f.renderer.c_str(), f.upload, f.uploadCpu, f.render, f.renderCpu);
      } else {
        std::printf("| %s | %s | not available | |\n", f.driver.c_str(), f.renderer.c_str());
      }
    }
  }

  std::printf("\n");
  PrintScaleTable();

  std::printf("## Start-up and memory\n\n");
  const Spread startup = SpreadOf(startups);
  const double peakMb = wholeRun.maxRssKb / 1024.0;
  if (options.children) {
    std::printf("- start-up to the first presented frame (process start, assets, first title "
                "frame): %s ms over %zu runs\n",
                Fmt(startup, 1).c_str(), startups.size());
    std::printf("  - of which (ms, median): ");
    for (int p = 0; p < PHASE_COUNT; ++p) {
      std::printf("%s%s %.1f", p ? ", " : "", PHASES[p], SpreadOf(phaseFigures[p]).median);
    }
    std::printf(" (cpu: processor time of all its threads up to the first present; the others: "
                "processor time of the game's thread in each; screen: without the sound and "
                "MIDI start it makes; music: the first piece loaded and started; caption: the "
                "first help line, font included)\n");
    std::printf("- whole scripted game (frames, scenes in order): %s- peak resident memory of "
                "that run: %.1f MB%s\n",
                wholeRun.output.c_str(), peakMb, wholeRun.ok ? "" : " (the run FAILED)");
  }

  std::printf("\n## Budget\n\n");
  std::printf("- logic + compose, heaviest scenario (%s): %.3f ms, budget %.1f: %s\n",
              heaviestName.c_str(), heaviest, BUDGET_LOGIC_COMPOSE_MS,
              Verdict(heaviest <= BUDGET_LOGIC_COMPOSE_MS));
  std::printf("- upload, same scenario: %.3f ms, budget %.1f: %s\n", heaviestUpload,
              BUDGET_UPLOAD_MS, Verdict(heaviestUpload <= BUDGET_UPLOAD_MS));
  std::printf("- allocations per frame, every scenario: %llu in all, budget 0: %s\n",
              static_cast<unsigned long long>(allAllocs), Verdict(allAllocs == 0));
  if (options.children) {
    std::printf("- start-up to first frame: %.1f ms, budget %.0f: %s\n", startup.median,
                BUDGET_STARTUP_MS, Verdict(!startups.empty() && startup.median <= BUDGET_STARTUP_MS));
    std::printf("- peak memory of the whole run: %.1f MB, budget %.0f: %s\n", peakMb,
                BUDGET_PEAK_MB, Verdict(wholeRun.ok && peakMb <= BUDGET_PEAK_MB));
  }
  std::printf("\nBench time: %.1f s\n", Ms(NowNs() - benchStart) / 1000.0);
  return 0;
}
