// The tick count wrapping past 2^32 - 1 during play, and a long stall. The
// game measures time only by differences, so a run whose virtual clock starts
// just before the wrap must be the very same run as one that starts at 0.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/reliability/reliability_util.h"

namespace {

using namespace reliability;

constexpr uint64_t kWrap = 1ull << 32;
constexpr double kStep = 0.012;            // seconds per frame of the runner
constexpr double kClockPerSecond = 17.0;   // stageClock units

struct Trace {
  RunResult run;
  std::vector<std::string> lines;
};

Trace Replay(const std::string& work, const std::string& script, long frames,
             const std::string& extra) {
  WriteFile(work + "/input.txt", script);
  const std::string trace = work + "/trace.jsonl";
  fs::remove(trace);
  Trace t;
  t.run = RunCommand(ReplayBinary() + " --seed 5 --frames " + std::to_string(frames) + " --input " +
                  work + "/input.txt --trace " + trace + " " + extra,
              work + "/stderr.txt");
  t.lines = Lines(ReadFile(trace));
  return t;
}

double Field(const std::string& line, const std::string& key) {
  const size_t at = line.find("\"" + key + "\":");
  if (at == std::string::npos) return std::nan("");
  return std::strtod(line.c_str() + at + key.size() + 3, nullptr);
}

void ExpectCleanRun(const Trace& t, size_t frames) {
  EXPECT_FALSE(HasSanitizerReport(t.run.err)) << t.run.err;
  ASSERT_TRUE(t.run.exited) << t.run.err;
  EXPECT_EQ(t.run.status, 0) << t.run.err;
  EXPECT_EQ(t.run.err, "");
  ASSERT_EQ(t.lines.size(), frames);
}

// Into stage 1, firing, weaving left and right.
std::string StageScript() {
  std::ostringstream s;
  s << "10 down space\n12 up space\n30 down enter\n32 up enter\n40 down z\n";
  for (int f = 60; f < 1200; f += 80) s << f << " down left\n" << f + 40 << " up left\n"
                                        << f + 40 << " down right\n" << f + 79 << " up right\n";
  return s.str();
}

}  // namespace

// Wrap 5 s into the run, some 4.5 s into stage 1: every frame's state is the
// same as in the run without a wrap, so nothing moved by more than a frame.
TEST(ClockWrap, WrapDuringAStageChangesNothing) {
  const std::string work = Scratch("wrap_stage");
  const long frames = 700;
  const Trace plain = Replay(work, StageScript(), frames, "");
  ExpectCleanRun(plain, frames);
  const Trace wrapped =
      Replay(work, StageScript(), frames, "--clock-start " + std::to_string(kWrap - 5000));
  ExpectCleanRun(wrapped, frames);

  long stageFrames = 0;
  for (long i = 1; i < frames; ++i) {
    ASSERT_EQ(wrapped.lines[i], plain.lines[i]) << "frame " << i + 1;
    stageFrames += Field(plain.lines[i], "scene") == 2;
  }
  // The wrap (frame 417) fell well inside the stage.
  EXPECT_GT(stageFrames, 600);
}

// A frame of 3 s (the machine stalled): one large frameSeconds, no cap. The
// stage clock leaps 51 units in that frame, everything stays inside its bounds,
// the next frame is an ordinary one and play goes on.
TEST(LongStall, ThreeSecondFramesInTheTitleAndInStage1) {
  const std::string work = Scratch("stall");
  const long frames = 900;
  const Trace t = Replay(work, StageScript(), frames,
                         "--stall 5=3000 --stall 300=3000 --stall 301=3000 --stall 600=3000");
  ExpectCleanRun(t, frames);
  for (long f : {300L, 301L, 600L}) {
    const std::string& a = t.lines[f - 2];
    const std::string& b = t.lines[f - 1];
    ASSERT_EQ(Field(b, "scene"), 2) << "frame " << f;
    EXPECT_NEAR(Field(b, "stageClock") - Field(a, "stageClock"), kClockPerSecond * 3.0, 0.01)
        << "frame " << f;
  }
  EXPECT_NEAR(Field(t.lines[601], "stageClock") - Field(t.lines[600], "stageClock"),
              kClockPerSecond * kStep, 1e-3);
  for (const std::string& line : t.lines) {
    EXPECT_GE(Field(line, "playerX"), 130.0);
    EXPECT_LE(Field(line, "playerX"), 450.0);
    EXPECT_GE(Field(line, "playerY"), 100.0);
    EXPECT_LE(Field(line, "playerY"), 420.0);
    EXPECT_GE(Field(line, "energy"), 0.0);
  }
}
