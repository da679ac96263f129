// Fuzzes the replay file reader: the whole-file check a playback makes before
// anything opens, then the walk a playback makes over a file that passed it.
#include <cstddef>
#include <cstdint>

#include "app/replay_file.h"

namespace {

void CheckEvent(const replay::Event& e, void*) {
  const bool joystick = e.kind == replay::EventKind::Joystick;
  if (e.kind > replay::EventKind::Joystick || (!joystick && e.code == 0)) __builtin_trap();
  if (joystick && (e.code > 1 || e.dx < -1 || e.dx > 1 || e.dy < -1 || e.dy > 1 ||
                   e.button1 > 1 || e.button2 > 1)) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  replay::Summary summary{};
  char why[replay::REASON_SIZE] = "";
  if (!replay::CheckFile(data, size, "1.0", &summary, why)) {
    if (why[0] == '\0') __builtin_trap();  // every refusal says why
    return 0;
  }
  // What passed the check walks to the same end without a fault.
  replay::Cursor cursor{data, size, summary.firstFrame, 0};
  for (;;) {
    replay::Frame frame{};
    replay::Trailer trailer{};
    const replay::Record r = replay::NextRecord(&cursor, &frame, &trailer);
    if (r == replay::Record::Bad) __builtin_trap();
    if (r == replay::Record::Cut) {
      if (!summary.cut || cursor.frames != summary.frames) __builtin_trap();
      return 0;
    }
    if (frame.input > frame.inputEnd || frame.inputEnd > size) __builtin_trap();
    replay::ForEachEvent(data, frame.input, frame.inputEnd, CheckEvent, nullptr);
    if (r == replay::Record::Trailer) {
      if (summary.cut || cursor.frames != summary.frames || cursor.pos != size) __builtin_trap();
      return 0;
    }
    if (frame.advance == 0 || frame.measured > frame.advance ||
        frame.measured > replay::MAX_FRAME_MS) {
      __builtin_trap();
    }
  }
}
