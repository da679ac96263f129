// The replay file: what a recording writes and a playback reads (the layout,
// byte by byte, is in docs/REPLAYS.md). Platform-free, and no file access:
// bytes in, bytes out. Every file is read as hostile: each length and count
// is bounded and each field checked before anything of it is used.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace replay {

constexpr uint8_t MAGIC[8] = {'S', 'K', 'Y', 'R', 'P', 'L', 'Y', 0x1A};
constexpr uint16_t FORMAT_VERSION = 1;
constexpr size_t MAX_FILE_BYTES = 16u << 20;
constexpr int MAX_VERSION_LENGTH = 32;
// The longest frame a file may hold, as the frame measured it.
constexpr uint32_t MAX_FRAME_MS = 60000;
constexpr long MAX_FRAME_EVENTS = 65536;
constexpr uint64_t MAX_START_TIME = 253402300799ull;  // the last second of the year 9999
constexpr uint32_t MAX_SCORE = 999999999;

struct Header {
  char gameVersion[MAX_VERSION_LENGTH + 1];
  uint32_t seed;
  uint64_t startTime;  // Unix seconds
  uint32_t startTick;  // the tick count when the first frame's time began
  uint32_t hiScore;    // the best score the run started with
};

enum class EventKind : uint8_t {
  TableDown,  // the key-down table: the key went down
  TableUp,    // ... went up
  KeyDown,    // the window rule for a key going down (auto-repeat included)
  KeyUp,      // the window rule for a key going up
  Joystick,   // joystick 0 or 1 changed
};

struct Event {
  EventKind kind;
  uint8_t code;  // the virtual key; for a joystick, its number
  int8_t dx, dy;
  uint8_t button1, button2;
};

struct Trailer {
  uint32_t frames;
  uint32_t score;
  uint32_t hiScore;
  uint64_t checksum;
};

// --- writing ---

// Input gathered between two frames, already in the file's form.
struct PendingInput {
  std::vector<uint8_t> bytes;
  size_t last = 0;  // where the last event begins
};
void AddEvent(PendingInput* input, const Event& event);
void ClearInput(PendingInput* input);

void AppendHeader(std::vector<uint8_t>* out, const Header& header);
// One frame: the ticks it advanced, what it measured, and the input before it.
void AppendFrame(std::vector<uint8_t>* out, uint32_t advance, uint32_t measured,
                 const PendingInput& input);
// The end: the input after the last frame, the frame count, score and checksum.
void AppendTrailer(std::vector<uint8_t>* out, const PendingInput& after, const Trailer& trailer);

// --- reading ---

constexpr size_t REASON_SIZE = 160;

// What a whole check found.
struct Summary {
  Header header;
  bool cut;          // no trailer: the recording stopped (crash, kill) after `frames`
  uint32_t frames;   // whole frames in the file
  Trailer trailer;   // when not cut
  size_t firstFrame; // offset of the first frame record
};

// Checks a whole file. False with the reason (a sentence without the file's
// name) for a file that must not be played.
bool CheckFile(const uint8_t* data, size_t size, const char* gameVersion, Summary* summary,
               char* reason);

// Walks the records of a checked file.
struct Cursor {
  const uint8_t* data;
  size_t size;
  size_t pos;
  uint32_t frames;  // frame records read so far
};
struct Frame {
  uint32_t advance;
  uint32_t measured;
  size_t input, inputEnd;  // its input events, [input, inputEnd) of the file
};
enum class Record { Frame, Trailer, Cut, Bad };
// The next record. A frame comes with its input's place, the trailer with the
// place of the input after the last frame (Frame::input, inputEnd) and its values.
// Bad says why in `why` (REASON_SIZE bytes) when it is given.
Record NextRecord(Cursor* cursor, Frame* frame, Trailer* trailer, char* why = nullptr);
// The events of [from, to), in order, through `apply`.
void ForEachEvent(const uint8_t* data, size_t from, size_t to,
                  void (*apply)(const Event& event, void* context), void* context);

}  // namespace replay
