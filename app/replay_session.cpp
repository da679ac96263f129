#include "app/replay_session.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "app/game_state_hash.h"
#include "app/replay_file.h"
#include "app/window_state.h"
#include "game/player/score.h"
#include "lib/draw/zuDrawInternal.h"
#include "lib/input/inputInternal.h"
#include "lib/system/systemPlatform.h"
#include "lib/system/zuSystem.h"

#ifndef SKYWARD_VERSION
#define SKYWARD_VERSION "unknown"
#endif

namespace {

enum class Mode { None, Recording, Playing };

// A kill loses at most this much of a recording.
constexpr uint32_t FLUSH_MS = 1000;
// The player's controls during a playback.
constexpr int PAUSE_KEY = 0x53;  // [S]
constexpr int FAST_KEY = 'F';    // held: double speed
// A frame that stalled is not waited out in full; and when the playback is
// further behind than this (a pause, the window in the background), the pace
// starts afresh instead of racing to catch up.
constexpr uint32_t MAX_PACE_MS = 1000;
constexpr int32_t BEHIND_MS = 250;
// The longest sleep before the events are looked at again.
constexpr uint32_t NAP_MS = 10;

struct Recorder {
  std::FILE* file = nullptr;
  std::vector<uint8_t> buffer;
  replay::PendingInput input;
  uint32_t lastTick = 0;
  uint32_t advance = 0;
  uint32_t measured = 0;
  uint32_t sinceFlush = 0;
  uint32_t frames = 0;
  zuSystem::JoyState joystick[2] = {};
};

struct Player {
  std::vector<uint8_t> data;
  replay::Summary summary{};
  replay::Cursor cursor{};
  replay::Frame next{};
  bool nextRead = false;
  uint32_t now = 0;  // the recorded tick count
  uint32_t played = 0;
  bool paced = false;
  bool held = false;
  bool pauseKeyDown = false;
  bool finished = false;
  // Pacing in the machine's milliseconds.
  bool scheduled = false;
  bool pacing = false;
  uint32_t due = 0;
  uint32_t carry = 0;
  int speed = 1;
  zuSystem::TickSource oldTicks = nullptr;
  zuSystem::SleepSink oldSleep = nullptr;
};

Mode mode = Mode::None;
std::string fileName;
Recorder recorder;
Player player;
// frameSeconds as the last frame left it: activations between frames reset it,
// and the checksum at the end is of the game as the frames left it.
float lastFrameSeconds = 0;
char outcome[320];

uint32_t PlaybackTicks() { return player.now; }
void PlaybackNap(uint32_t) {}  // the recorded time moves only from frame to frame

uint64_t Checksum() {
  // The game may go on after this (a copy offered mid-run): its own frame
  // time is given back.
  const float now = frameSeconds;
  frameSeconds = lastFrameSeconds;
  const uint64_t hash = HashGameState(GAME_STATE_HASH_START);
  frameSeconds = now;
  return hash;
}

// --- recording ---

void StopRecording() {
  zuSystem::SetKeyTableTap(nullptr);
  zuSystem::SetJoystickOverride(false);
  zuSystem::FreezeTicks(false);
  if (recorder.file != nullptr) std::fclose(recorder.file);
  recorder = Recorder{};
  mode = Mode::None;
}

// Writes what is buffered; a failed write costs the recording, not the game.
void Flush() {
  const size_t n = recorder.buffer.size();
  if (std::fwrite(recorder.buffer.data(), 1, n, recorder.file) != n ||
      std::fflush(recorder.file) != 0) {
    std::fprintf(stderr, "replay: cannot write %s (%s); the recording stops\n", fileName.c_str(),
                 std::strerror(errno));
    StopRecording();
    return;
  }
  recorder.buffer.clear();
  recorder.sinceFlush = 0;
}

void Note(replay::EventKind kind, int code) {
  replay::Event e{};
  e.kind = kind;
  e.code = static_cast<uint8_t>(code);
  replay::AddEvent(&recorder.input, e);
}

void OnTableChange(int vk, bool down) {
  Note(down ? replay::EventKind::TableDown : replay::EventKind::TableUp, vk);
}

void SampleJoysticks() {
  for (int j = 0; j < 2; ++j) {
    zuSystem::JoyState s{};
    zuSystem::ReadJoystickDevice(j, &s);
    zuSystem::JoyState& was = recorder.joystick[j];
    if (s.dx == was.dx && s.dy == was.dy && s.button1 == was.button1 &&
        s.button2 == was.button2) {
      continue;
    }
    was = s;
    zuSystem::SetJoystickState(j, s);
    replay::Event e{};
    e.kind = replay::EventKind::Joystick;
    e.code = static_cast<uint8_t>(j);
    e.dx = static_cast<int8_t>(s.dx);
    e.dy = static_cast<int8_t>(s.dy);
    e.button1 = static_cast<uint8_t>(s.button1 != 0);
    e.button2 = static_cast<uint8_t>(s.button2 != 0);
    replay::AddEvent(&recorder.input, e);
  }
}

ReplayGate BeforeRecordedFrame() {
  SampleJoysticks();
  // A frame lasts at least a millisecond of the recorded clock.
  for (int i = 0; i < 20 && zuSystem::LiveTickCount() == recorder.lastTick; ++i) {
    zuSystem::Sleep(1);
  }
  zuSystem::FreezeTicks(true);
  const uint32_t now = zuSystem::GetTickCount();
  recorder.advance = now - recorder.lastTick;
  recorder.measured = now - previousTick;
  recorder.lastTick = now;
  return ReplayGate::Run;
}

void AfterRecordedFrame() {
  replay::AppendFrame(&recorder.buffer, recorder.advance, recorder.measured, recorder.input);
  replay::ClearInput(&recorder.input);
  ++recorder.frames;
  recorder.sinceFlush += recorder.advance;
  if (recorder.sinceFlush >= FLUSH_MS) Flush();
}

// --- playback ---

void StopPlayback() {
  zuSystem::DivertKeyTable(false);
  zuSystem::SetJoystickOverride(false);
  zuSystem::FreezeTicks(false);
  zuDraw::SkipPresent(false);
  zuSystem::SetClock(player.oldTicks, player.oldSleep);
  player = Player{};
  mode = Mode::None;
}

void Apply(const replay::Event& e, void*) {
  switch (e.kind) {
    case replay::EventKind::TableDown:
    case replay::EventKind::TableUp:
      zuSystem::SetGameKeyDown(e.code, e.kind == replay::EventKind::TableDown);
      break;
    case replay::EventKind::KeyDown:
      KeyDownRule(e.code);
      break;
    case replay::EventKind::KeyUp:
      KeyUpRule(e.code);
      break;
    case replay::EventKind::Joystick:
      zuSystem::SetJoystickState(e.code, zuSystem::JoyState{e.dx, e.dy, e.button1, e.button2});
      break;
  }
}

// The recorded run is over: what came after its last frame, then the end.
void FinishPlayback(const replay::Frame& after, bool complete) {
  player.finished = true;
  if (complete) replay::ForEachEvent(player.data.data(), after.input, after.inputEnd, Apply, nullptr);
  // A run ended by [ESC] closes itself; one ended otherwise (or cut) is closed here.
  if (shutdownState == 0) OnCloseRequest();
}

// True when the next frame is due by the machine's clock (sleeping a little
// while it is not).
bool Due() {
  const uint32_t now = zuSystem::MachineTicks();
  if (!player.scheduled) {
    player.speed = zuSystem::IsPlayerKeyDown(FAST_KEY) ? 2 : 1;
    const uint32_t measured = player.next.measured;
    player.carry += measured < MAX_PACE_MS ? measured : MAX_PACE_MS;
    const uint32_t step = player.carry / static_cast<uint32_t>(player.speed);
    player.carry -= step * static_cast<uint32_t>(player.speed);
    player.due = player.pacing ? player.due + step : now;
    player.pacing = true;
    if (static_cast<int32_t>(now - player.due) > BEHIND_MS) player.due = now;
    player.scheduled = true;
  }
  int32_t wait = static_cast<int32_t>(player.due - now);
  if (wait > 0) {
    zuSystem::MachineSleep(static_cast<uint32_t>(wait) < NAP_MS ? static_cast<uint32_t>(wait) : NAP_MS);
    wait = static_cast<int32_t>(player.due - zuSystem::MachineTicks());
  }
  if (wait > 0) return false;
  player.scheduled = false;
  return true;
}

ReplayGate BeforePlayedFrame() {
  if (player.finished) return ReplayGate::Done;
  if (player.held) return ReplayGate::Held;
  if (!player.nextRead) {
    replay::Trailer trailer{};
    const replay::Record r = replay::NextRecord(&player.cursor, &player.next, &trailer);
    if (r != replay::Record::Frame) {
      FinishPlayback(player.next, r == replay::Record::Trailer);
      return ReplayGate::Done;
    }
    player.nextRead = true;
  }
  if (player.paced && !Due()) return ReplayGate::NotDue;
  player.nextRead = false;
  const replay::Frame& f = player.next;
  replay::ForEachEvent(player.data.data(), f.input, f.inputEnd, Apply, nullptr);
  player.now += f.advance;
  // So that the frame measures what it measured when it was recorded.
  previousTick = player.now - f.measured;
  // At double speed a display that paces the present would hold the playback
  // back: every other frame is not shown.
  zuDraw::SkipPresent(player.paced && player.speed == 2 && (player.played & 1) != 0 &&
                      zuDraw::PresentWaitsForDisplay());
  zuSystem::FreezeTicks(true);
  return ReplayGate::Run;
}

bool ReadWhole(const char* path, std::vector<uint8_t>* data, char* reason) {
  std::FILE* f = zuSystem::OpenFile(path, "rb");
  if (f == nullptr) {
    std::snprintf(reason, replay::REASON_SIZE, "%s", std::strerror(errno));
    return false;
  }
  // In pieces, up to one byte past the limit, which tells an oversized file.
  uint8_t piece[16 * 1024];
  size_t n = 0;
  while (data->size() <= replay::MAX_FILE_BYTES &&
         (n = std::fread(piece, 1, sizeof piece, f)) > 0) {
    data->insert(data->end(), piece, piece + n);
  }
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    std::snprintf(reason, replay::REASON_SIZE, "cannot be read");
    return false;
  }
  return true;
}

int Refuse(const char* reason) {
  std::snprintf(outcome, sizeof outcome, "replay: cannot play %s: %s", fileName.c_str(), reason);
  std::fprintf(stderr, "%s\n", outcome);
  std::fflush(stderr);
  player = Player{};
  mode = Mode::None;
  return 2;
}

int PreparePlayback(GameMainOptions* options) {
  char reason[replay::REASON_SIZE] = "";
  player = Player{};
  if (!ReadWhole(options->replayPath, &player.data, reason)) return Refuse(reason);
  if (!replay::CheckFile(player.data.data(), player.data.size(), SKYWARD_VERSION, &player.summary,
                         reason)) {
    return Refuse(reason);
  }
  mode = Mode::Playing;
  const replay::Header& h = player.summary.header;
  options->fixedSeed = true;
  options->seed = h.seed;
  // A playback never reads or writes the player's best score.
  zuSystem::SetUserFolder("");
  player.cursor = replay::Cursor{player.data.data(), player.data.size(), player.summary.firstFrame, 0};
  player.now = h.startTick;
  player.paced = !options->headless;
  zuSystem::GetClock(&player.oldTicks, &player.oldSleep);
  zuSystem::SetClock(PlaybackTicks, PlaybackNap);
  // The player's keys go to a table of their own from the very first event.
  for (int vk = 1; vk < 256; ++vk) zuSystem::SetGameKeyDown(vk, false);
  zuSystem::DivertKeyTable(true);
  zuSystem::SetJoystickOverride(true);
  return 0;
}

}  // namespace

int PrepareReplay(GameMainOptions* options) {
  outcome[0] = '\0';
  lastFrameSeconds = 0;
  mode = Mode::None;
  if (options->replayPath != nullptr) {
    fileName = options->replayPath;
    return PreparePlayback(options);
  }
  if (options->recordPath == nullptr) return 0;
  fileName = options->recordPath;
  recorder = Recorder{};
  recorder.file = zuSystem::OpenFile(options->recordPath, "wb");
  if (recorder.file == nullptr) {
    std::fprintf(stderr, "replay: cannot record to %s: %s\n", fileName.c_str(),
                 std::strerror(errno));
    return 2;
  }
  // Written every second: a generous buffer is never outgrown.
  recorder.buffer.reserve(64 * 1024);
  recorder.input.bytes.reserve(4096);
  mode = Mode::Recording;
  return 0;
}

void BeginReplay(uint32_t seed) {
  if (mode == Mode::Playing) {
    // With --keep-best-score the recorded run started from the kept file's score.
    hiScore = static_cast<int>(player.summary.header.hiScore);
    return;
  }
  if (mode != Mode::Recording) return;
  replay::Header h{};
  std::snprintf(h.gameVersion, sizeof h.gameVersion, "%s", SKYWARD_VERSION);
  h.seed = seed;
  h.startTime = static_cast<uint64_t>(std::time(nullptr));
  h.startTick = previousTick;
  h.hiScore = static_cast<uint32_t>(hiScore);
  replay::AppendHeader(&recorder.buffer, h);
  recorder.lastTick = previousTick;
  // Keys already down (none in a fresh process) are the first frame's input.
  for (int vk = 1; vk < 256; ++vk) {
    if (zuSystem::IsKeyDown(vk)) OnTableChange(vk, true);
  }
  zuSystem::SetJoystickOverride(true);
  zuSystem::SetKeyTableTap(OnTableChange);
  Flush();
}

void AbandonReplay() {
  if (mode == Mode::Recording) {
    StopRecording();
    std::remove(fileName.c_str());
  } else if (mode == Mode::Playing) {
    StopPlayback();
  }
}

ReplayGate BeforeReplayFrame() {
  if (mode == Mode::Recording) return BeforeRecordedFrame();
  if (mode == Mode::Playing) return BeforePlayedFrame();
  return ReplayGate::Run;
}

void AfterReplayFrame() {
  if (mode == Mode::None) return;
  zuSystem::FreezeTicks(false);
  lastFrameSeconds = frameSeconds;
  if (mode == Mode::Recording) {
    AfterRecordedFrame();
  } else {
    ++player.played;
    zuDraw::SkipPresent(false);
  }
}

bool ReplayTakesKeyDown(int vk) {
  if (mode == Mode::Recording) Note(replay::EventKind::KeyDown, vk);
  if (mode != Mode::Playing) return false;
  if (vk == VK_ESCAPE && !player.finished) {
    zuSystem::Shutdown();  // the window closes; the end says where it stopped
  } else if (vk == PAUSE_KEY && !player.pauseKeyDown) {
    player.pauseKeyDown = true;  // the key's auto-repeat does not toggle it again
    player.held = !player.held;
  }
  return true;
}

bool ReplayTakesKeyUp(int vk) {
  if (mode == Mode::Recording) Note(replay::EventKind::KeyUp, vk);
  if (mode != Mode::Playing) return false;
  if (vk == PAUSE_KEY) player.pauseKeyDown = false;
  return true;
}

namespace {

replay::Trailer TrailerNow() {
  replay::Trailer t{};
  t.frames = recorder.frames;
  t.score = static_cast<uint32_t>(score);
  t.hiScore = static_cast<uint32_t>(hiScore);
  t.checksum = Checksum();
  return t;
}

}  // namespace

void FinishRecording() {
  if (mode != Mode::Recording) return;
  replay::AppendTrailer(&recorder.buffer, recorder.input, TrailerNow());
  Flush();
  if (mode == Mode::Recording) StopRecording();
}

bool CopyRecording(const char* path) {
  if (mode != Mode::Recording) return false;
  Flush();
  if (mode != Mode::Recording) return false;
  // What is on disk so far, then the end as the game stands.
  std::vector<uint8_t> copy;
  char reason[replay::REASON_SIZE];
  if (!ReadWhole(fileName.c_str(), &copy, reason)) {
    std::fprintf(stderr, "replay: cannot read %s back: %s\n", fileName.c_str(), reason);
    return false;
  }
  replay::AppendTrailer(&copy, recorder.input, TrailerNow());
  std::FILE* f = zuSystem::OpenFile(path, "wb");
  bool written = f != nullptr && std::fwrite(copy.data(), 1, copy.size(), f) == copy.size();
  if (f != nullptr) written = std::fclose(f) == 0 && written;
  if (!written) {
    std::fprintf(stderr, "replay: cannot write %s: %s\n", path, std::strerror(errno));
    std::remove(path);
  }
  return written;
}

int EndReplay() {
  if (mode == Mode::Recording) {
    FinishRecording();
    return 0;
  }
  if (mode != Mode::Playing) return 0;
  int status = 0;
  const unsigned long frames = player.played;
  if (!player.finished) {
    std::snprintf(outcome, sizeof outcome, "replay: stopped at frame %lu of %lu", frames,
                  static_cast<unsigned long>(player.summary.frames));
  } else if (player.summary.cut) {
    std::snprintf(outcome, sizeof outcome, "replay: the recording was cut at frame %lu", frames);
    status = 1;
  } else {
    const replay::Trailer& t = player.summary.trailer;
    const bool matched = Checksum() == t.checksum && static_cast<uint32_t>(score) == t.score &&
                         static_cast<uint32_t>(hiScore) == t.hiScore;
    std::snprintf(outcome, sizeof outcome, "replay: checksum %s (frame %lu, score %d)",
                  matched ? "matched" : "did not match", frames, score);
    status = matched ? 0 : 1;
  }
  std::printf("%s\n", outcome);
  std::fflush(stdout);
  StopPlayback();
  return status;
}

const char* ReplayOutcome() { return outcome; }
