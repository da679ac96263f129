#include "app/replay_file.h"

#include <cstdio>
#include <cstring>

namespace replay {

namespace {

// Keys that take no byte of their own in an event: nibble 1..15 names them.
constexpr uint8_t COMMON_KEYS[15] = {
    0x25, 0x27, 0x26, 0x28,  // arrows: left, right, up, down
    'Z',  'X',  'C',  0x10,  0x11,  // shift, ctrl
    0x20, 0x0D, 0x71, 0x73,  // space, enter, F2, F4
    'S',  0x1B,              // pause, escape
};
constexpr uint8_t VK_ESCAPE_CODE = 0x1B;

constexpr uint8_t MORE = 0x80;
constexpr uint8_t FRAME_HAS_INPUT = 0x40;
constexpr uint8_t FRAME_MEASURED_DIFFERS = 0x80;
constexpr uint8_t FRAME_LONG = 63;  // the frame's ticks follow as a number
constexpr uint8_t TRAILER = 0x00;

// --- writing ---

void PutVarint(std::vector<uint8_t>* out, uint32_t v) {
  while (v >= 0x80) {
    out->push_back(static_cast<uint8_t>(v | 0x80));
    v >>= 7;
  }
  out->push_back(static_cast<uint8_t>(v));
}

void PutLittle(std::vector<uint8_t>* out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint8_t DirectionCode(int d) { return d < 0 ? 1 : d > 0 ? 2 : 0; }

// --- reading ---

enum class Got { Ok, Short, Bad };

struct In {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

Got Byte(In* in, uint8_t* b) {
  if (in->pos >= in->size) return Got::Short;
  *b = in->data[in->pos++];
  return Got::Ok;
}

Got Little(In* in, int bytes, uint64_t* v) {
  if (in->size - in->pos < static_cast<size_t>(bytes)) return Got::Short;
  *v = 0;
  for (int i = 0; i < bytes; ++i) *v |= static_cast<uint64_t>(in->data[in->pos + i]) << (8 * i);
  in->pos += bytes;
  return Got::Ok;
}

// An unsigned number of at most 32 bits, seven bits a byte, lowest first.
Got Varint(In* in, uint32_t* v) {
  uint64_t value = 0;
  for (int i = 0; i < 5; ++i) {
    uint8_t b = 0;
    if (Byte(in, &b) != Got::Ok) return Got::Short;
    value |= static_cast<uint64_t>(b & 0x7F) << (7 * i);
    if ((b & 0x80) == 0) {
      if (value > 0xFFFFFFFFull) return Got::Bad;
      *v = static_cast<uint32_t>(value);
      return Got::Ok;
    }
  }
  return Got::Bad;
}

bool Direction(uint8_t code, int8_t* d) {
  if (code == 3) return false;
  *d = code == 1 ? -1 : code == 2 ? 1 : 0;
  return true;
}

Got ReadEvent(In* in, Event* e, bool* more) {
  uint8_t b = 0;
  if (Byte(in, &b) != Got::Ok) return Got::Short;
  *more = (b & MORE) != 0;
  const int kind = (b >> 4) & 7;
  const int nibble = b & 0x0F;
  *e = Event{};
  if (kind <= 3) {
    e->kind = static_cast<EventKind>(kind);
    if (nibble != 0) {
      e->code = COMMON_KEYS[nibble - 1];
      return Got::Ok;
    }
    if (Byte(in, &e->code) != Got::Ok) return Got::Short;
    return e->code == 0 ? Got::Bad : Got::Ok;
  }
  if (kind > 5 || nibble != 0) return Got::Bad;
  e->kind = EventKind::Joystick;
  e->code = static_cast<uint8_t>(kind - 4);
  uint8_t s = 0;
  if (Byte(in, &s) != Got::Ok) return Got::Short;
  if ((s & 0xC0) != 0 || !Direction(s & 3, &e->dx) || !Direction((s >> 2) & 3, &e->dy)) {
    return Got::Bad;
  }
  e->button1 = (s >> 4) & 1;
  e->button2 = (s >> 5) & 1;
  return Got::Ok;
}

// An event list; a frame's may not hold the [ESC] that ends a run (after it
// no frame runs), the input after the last frame may.
Got ReadEvents(In* in, bool inFrame) {
  bool more = true;
  for (long n = 0; more; ++n) {
    if (n >= MAX_FRAME_EVENTS) return Got::Bad;
    Event e{};
    const Got got = ReadEvent(in, &e, &more);
    if (got != Got::Ok) return got;
    if (inFrame && e.kind == EventKind::KeyDown && e.code == VK_ESCAPE_CODE) return Got::Bad;
  }
  return Got::Ok;
}

void Say(char* why, const char* text) {
  if (why != nullptr) std::snprintf(why, REASON_SIZE, "%s", text);
}

Record Garbled(const Cursor& c, size_t at, char* why) {
  if (why != nullptr) {
    std::snprintf(why, REASON_SIZE, "frame data garbled at byte %lu (frame %lu)", static_cast<unsigned long>(at),
                  static_cast<unsigned long>(c.frames + 1));
  }
  return Record::Bad;
}

}  // namespace

void AddEvent(PendingInput* input, const Event& e) {
  std::vector<uint8_t>& b = input->bytes;
  if (!b.empty()) b[input->last] |= MORE;
  input->last = b.size();
  if (e.kind == EventKind::Joystick) {
    b.push_back(static_cast<uint8_t>((4 + (e.code & 1)) << 4));
    b.push_back(static_cast<uint8_t>(DirectionCode(e.dx) | (DirectionCode(e.dy) << 2) |
                                     ((e.button1 & 1) << 4) | ((e.button2 & 1) << 5)));
    return;
  }
  const uint8_t kind = static_cast<uint8_t>(static_cast<uint8_t>(e.kind) << 4);
  for (int i = 0; i < 15; ++i) {
    if (COMMON_KEYS[i] == e.code) {
      b.push_back(static_cast<uint8_t>(kind | (i + 1)));
      return;
    }
  }
  b.push_back(kind);
  b.push_back(e.code);
}

void ClearInput(PendingInput* input) {
  input->bytes.clear();
  input->last = 0;
}

void AppendHeader(std::vector<uint8_t>* out, const Header& h) {
  out->insert(out->end(), MAGIC, MAGIC + sizeof MAGIC);
  PutLittle(out, FORMAT_VERSION, 2);
  const size_t length = strnlen(h.gameVersion, MAX_VERSION_LENGTH);
  out->push_back(static_cast<uint8_t>(length));
  out->insert(out->end(), h.gameVersion, h.gameVersion + length);
  PutLittle(out, h.seed, 4);
  PutLittle(out, h.startTime, 8);
  PutLittle(out, h.startTick, 4);
  PutLittle(out, h.hiScore, 4);
}

void AppendFrame(std::vector<uint8_t>* out, uint32_t advance, uint32_t measured,
                 const PendingInput& input) {
  // A frame of 0 ticks is written as what it is, never as the trailer's 0x00.
  const bool inHead = advance > 0 && advance < FRAME_LONG;
  uint8_t head = inHead ? static_cast<uint8_t>(advance) : FRAME_LONG;
  if (!input.bytes.empty()) head |= FRAME_HAS_INPUT;
  if (measured != advance) head |= FRAME_MEASURED_DIFFERS;
  out->push_back(head);
  if (!inHead) PutVarint(out, advance);
  if (measured != advance) PutVarint(out, measured);
  out->insert(out->end(), input.bytes.begin(), input.bytes.end());
}

void AppendTrailer(std::vector<uint8_t>* out, const PendingInput& after, const Trailer& t) {
  out->push_back(TRAILER);
  out->push_back(after.bytes.empty() ? 0 : 1);
  out->insert(out->end(), after.bytes.begin(), after.bytes.end());
  PutVarint(out, t.frames);
  PutVarint(out, t.score);
  PutVarint(out, t.hiScore);
  PutLittle(out, t.checksum, 8);
}

Record NextRecord(Cursor* cursor, Frame* frame, Trailer* trailer, char* why) {
  In in{cursor->data, cursor->size, cursor->pos};
  uint8_t head = 0;
  if (Byte(&in, &head) != Got::Ok) return Record::Cut;
  Got got = Got::Ok;
  if (head == TRAILER) {
    uint8_t hasInput = 0;
    if (Byte(&in, &hasInput) != Got::Ok) return Record::Cut;
    if (hasInput > 1) return Garbled(*cursor, in.pos - 1, why);
    frame->input = in.pos;
    if (hasInput == 1 && (got = ReadEvents(&in, false)) != Got::Ok) {
      return got == Got::Short ? Record::Cut : Garbled(*cursor, in.pos - 1, why);
    }
    frame->inputEnd = in.pos;
    uint64_t checksum = 0;
    if ((got = Varint(&in, &trailer->frames)) != Got::Ok ||
        (got = Varint(&in, &trailer->score)) != Got::Ok ||
        (got = Varint(&in, &trailer->hiScore)) != Got::Ok ||
        (got = Little(&in, 8, &checksum)) != Got::Ok) {
      return got == Got::Short ? Record::Cut : Garbled(*cursor, in.pos - 1, why);
    }
    trailer->checksum = checksum;
    cursor->pos = in.pos;
    return Record::Trailer;
  }
  const unsigned long number = static_cast<unsigned long>(cursor->frames + 1);
  uint32_t advance = head & 0x3F;
  if (advance == FRAME_LONG && (got = Varint(&in, &advance)) != Got::Ok) {
    return got == Got::Short ? Record::Cut : Garbled(*cursor, in.pos - 1, why);
  }
  if (advance == 0) {
    if (why != nullptr) std::snprintf(why, REASON_SIZE, "frame %lu has a frame time of 0 ms", number);
    return Record::Bad;
  }
  uint32_t measured = advance;
  if ((head & FRAME_MEASURED_DIFFERS) != 0) {
    if ((got = Varint(&in, &measured)) != Got::Ok) {
      return got == Got::Short ? Record::Cut : Garbled(*cursor, in.pos - 1, why);
    }
    // After an activation the measure restarts within the frame's ticks.
    if (measured >= advance) return Garbled(*cursor, in.pos - 1, why);
  }
  if (measured > MAX_FRAME_MS) {
    if (why != nullptr) {
      std::snprintf(why, REASON_SIZE, "frame %lu has a frame time of %lu ms (at most %lu)", number,
                    static_cast<unsigned long>(measured), static_cast<unsigned long>(MAX_FRAME_MS));
    }
    return Record::Bad;
  }
  frame->advance = advance;
  frame->measured = measured;
  frame->input = in.pos;
  if ((head & FRAME_HAS_INPUT) != 0 && (got = ReadEvents(&in, true)) != Got::Ok) {
    return got == Got::Short ? Record::Cut : Garbled(*cursor, in.pos - 1, why);
  }
  frame->inputEnd = in.pos;
  cursor->pos = in.pos;
  ++cursor->frames;
  return Record::Frame;
}

void ForEachEvent(const uint8_t* data, size_t from, size_t to,
                  void (*apply)(const Event& event, void* context), void* context) {
  In in{data, to, from};
  while (in.pos < to) {
    Event e{};
    bool more = false;
    if (ReadEvent(&in, &e, &more) != Got::Ok) return;
    apply(e, context);
    if (!more) return;
  }
}

bool CheckFile(const uint8_t* data, size_t size, const char* gameVersion, Summary* s,
               char* reason) {
  *s = Summary{};
  if (size > MAX_FILE_BYTES) {
    std::snprintf(reason, REASON_SIZE, "larger than %lu MB", static_cast<unsigned long>(MAX_FILE_BYTES >> 20));
    return false;
  }
  const size_t magic = size < sizeof MAGIC ? size : sizeof MAGIC;
  if (size == 0 || std::memcmp(data, MAGIC, magic) != 0) {
    Say(reason, "not a Skyward Run replay");
    return false;
  }
  In in{data, size, magic};
  uint64_t version = 0;
  if (magic < sizeof MAGIC || Little(&in, 2, &version) != Got::Ok) {
    Say(reason, "header cut short");
    return false;
  }
  if (version != FORMAT_VERSION) {
    std::snprintf(reason, REASON_SIZE, "replay format %u; this game plays format %u",
                  static_cast<unsigned>(version), static_cast<unsigned>(FORMAT_VERSION));
    return false;
  }
  Header& h = s->header;
  uint8_t length = 0;
  if (Byte(&in, &length) != Got::Ok || size - in.pos < length) {
    Say(reason, "header cut short");
    return false;
  }
  if (length == 0 || length > MAX_VERSION_LENGTH) {
    Say(reason, "header damaged (game version)");
    return false;
  }
  for (int i = 0; i < length; ++i) {
    const uint8_t c = data[in.pos + i];
    if (c < 0x20 || c > 0x7E) {
      Say(reason, "header damaged (game version)");
      return false;
    }
    h.gameVersion[i] = static_cast<char>(c);
  }
  h.gameVersion[length] = '\0';
  in.pos += length;
  if (std::strcmp(h.gameVersion, gameVersion) != 0) {
    std::snprintf(reason, REASON_SIZE, "recorded by Skyward Run %s; this is Skyward Run %s",
                  h.gameVersion, gameVersion);
    return false;
  }
  uint64_t seed = 0, startTime = 0, startTick = 0, hiScore = 0;
  if (Little(&in, 4, &seed) != Got::Ok || Little(&in, 8, &startTime) != Got::Ok ||
      Little(&in, 4, &startTick) != Got::Ok || Little(&in, 4, &hiScore) != Got::Ok) {
    Say(reason, "header cut short");
    return false;
  }
  if (startTime > MAX_START_TIME || hiScore > MAX_SCORE) {
    Say(reason, startTime > MAX_START_TIME ? "header damaged (start time)"
                                           : "header damaged (best score)");
    return false;
  }
  h.seed = static_cast<uint32_t>(seed);
  h.startTime = startTime;
  h.startTick = static_cast<uint32_t>(startTick);
  h.hiScore = static_cast<uint32_t>(hiScore);
  s->firstFrame = in.pos;

  Cursor cursor{data, size, in.pos, 0};
  for (;;) {
    Frame frame{};
    Trailer trailer{};
    const Record r = NextRecord(&cursor, &frame, &trailer, reason);
    if (r == Record::Frame) continue;
    s->frames = cursor.frames;
    if (r == Record::Bad) return false;
    if (r == Record::Cut) {
      s->cut = true;
      return true;
    }
    if (trailer.frames != cursor.frames || trailer.score > MAX_SCORE ||
        trailer.hiScore > MAX_SCORE || cursor.pos != size) {
      Say(reason, "trailer damaged");
      return false;
    }
    s->trailer = trailer;
    return true;
  }
}

}  // namespace replay
