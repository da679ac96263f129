// The check a MIDI file passes before it is handed to the synthesizer.
#include <cstdio>
#include <cstring>

#include "lib/sound/soundInternal.h"

namespace zuSound {

namespace {

int ReadByte(FILE* f, long* left) {
  if (*left <= 0) return -1;
  --*left;
  return std::fgetc(f);
}

// Variable-length quantity of at most four bytes, or -1.
long ReadNumber(FILE* f, long* left) {
  long value = 0;
  for (int i = 0; i < 4; ++i) {
    const int c = ReadByte(f, left);
    if (c < 0) return -1;
    value = value << 7 | (c & 0x7F);
    if ((c & 0x80) == 0) return value;
  }
  return -1;
}

bool Skip(FILE* f, long* left, long count) {
  if (count < 0 || count > *left) return false;
  *left -= count;
  return std::fseek(f, count, SEEK_CUR) == 0;
}

// Reads one track of `left` bytes; adds its length in ticks to *ticks.
bool ReadTrack(FILE* f, long left, long long* ticks) {
  long long time = 0;
  int status = 0;
  while (left > 0) {
    const long delta = ReadNumber(f, &left);
    if (delta < 0) return false;
    time += delta;
    int c = ReadByte(f, &left);
    if (c < 0) return false;
    if (c == 0xFF) {
      const int type = ReadByte(f, &left);
      const long length = ReadNumber(f, &left);
      if (type < 0 || length < 0) return false;
      // The synthesizer refuses these with any other length.
      if ((type == 0x51 && length != 3) || (type == 0x54 && length != 5) ||
          (type == 0x58 && length != 4) || (type == 0x59 && length != 2)) {
        return false;
      }
      if (!Skip(f, &left, length)) return false;
      if (type == 0x2F) break;
      continue;
    }
    if (c == 0xF0 || c == 0xF7) {
      if (!Skip(f, &left, ReadNumber(f, &left))) return false;
      continue;
    }
    if (c & 0x80) {
      if (c >= 0xF0) return false;
      status = c;
      c = ReadByte(f, &left);
      if (c < 0) return false;
    } else if (status == 0) {
      return false;  // running status with no status before it
    }
    const int kind = status & 0xF0;
    if (kind != 0xC0 && kind != 0xD0 && ReadByte(f, &left) < 0) return false;
  }
  if (!Skip(f, &left, left)) return false;
  if (time > *ticks) *ticks = time;
  return true;
}

}  // namespace

int MidiFileIsPlayable(FILE* f) {
  unsigned char head[14];
  if (std::fread(head, 1, 14, f) != 14) return 0;
  // Exactly the header the synthesizer accepts: length 6, format 0 to 2,
  // ticks per quarter note (it has no time-code timing).
  if (std::memcmp(head, "MThd", 4) != 0 || head[4] != 0 || head[5] != 0 || head[6] != 0 ||
      head[7] != 6 || head[8] != 0 || head[9] > 2 || (head[12] & 0x80) != 0 ||
      (head[12] == 0 && head[13] == 0)) {
    return 0;
  }
  const int tracks = head[10] << 8 | head[11];
  long long ticks = 0;
  for (int t = 0; t < tracks;) {
    unsigned char chunk[8];
    if (std::fread(chunk, 1, 8, f) != 8) return 0;
    const unsigned long length = static_cast<unsigned long>(chunk[4]) << 24 |
                                 static_cast<unsigned long>(chunk[5]) << 16 |
                                 static_cast<unsigned long>(chunk[6]) << 8 | chunk[7];
    if (length > 0x7FFFFFFFul) return 0;
    if (std::memcmp(chunk, "MTrk", 4) != 0) {
      // Chunks of other kinds are passed over.
      long left = static_cast<long>(length);
      if (!Skip(f, &left, left)) return 0;
      continue;
    }
    // The whole track must be there.
    const long start = std::ftell(f);
    if (start < 0 || std::fseek(f, 0, SEEK_END) != 0) return 0;
    const long end = std::ftell(f);
    if (end < start || static_cast<unsigned long>(end - start) < length ||
        std::fseek(f, start, SEEK_SET) != 0) {
      return 0;
    }
    if (!ReadTrack(f, static_cast<long>(length), &ticks)) return 0;
    ++t;
  }
  // A piece of no length would have the player restart it without end.
  return ticks > 0 ? 1 : 0;
}

}  // namespace zuSound
