// The check a MIDI file passes before it is handed to the synthesizer.
#include <cstdint>
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

uint32_t Le32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Finds the standard MIDI file in a file of `size` bytes: a RIFF "RMID" file
// holds it in its "data" chunk, found by id up to the file's real end.
bool FindPiece(FILE* f, long size, long* start, long* end) {
  unsigned char head[12];
  *start = 0;
  *end = size;
  if (std::fread(head, 1, 12, f) != 12 || std::memcmp(head, "RIFF", 4) != 0) return true;
  if (std::memcmp(head + 8, "RMID", 4) != 0) return false;
  for (long pos = 12; pos + 8 <= size;) {
    unsigned char chunk[8];
    if (std::fseek(f, pos, SEEK_SET) != 0 || std::fread(chunk, 1, 8, f) != 8) return false;
    const uint32_t length = Le32(chunk + 4);
    if (length > static_cast<unsigned long>(size - pos - 8)) return false;
    if (std::memcmp(chunk, "data", 4) == 0) {
      *start = pos + 8;
      *end = *start + static_cast<long>(length);
      return true;
    }
    pos += 8 + static_cast<long>(length) + (length & 1);
  }
  return false;
}

}  // namespace

int MidiFileIsPlayable(FILE* f, MidiPiece* piece) {
  long start = 0, end = 0;
  if (std::fseek(f, 0, SEEK_END) != 0 || (end = std::ftell(f)) < 0 ||
      std::fseek(f, 0, SEEK_SET) != 0 || !FindPiece(f, end, &start, &end) ||
      std::fseek(f, start, SEEK_SET) != 0) {
    return 0;
  }
  unsigned char head[14];
  if (end - start < 14 || std::fread(head, 1, 14, f) != 14) return 0;
  // Exactly the header a synthesizer accepts: length 6, format 0 to 2, ticks
  // per quarter note or ticks within frames of 24, 25, 29.97 or 30 a second.
  const int frames = 256 - head[12];
  const bool smpte = (head[12] & 0x80) != 0;
  if (std::memcmp(head, "MThd", 4) != 0 || head[4] != 0 || head[5] != 0 || head[6] != 0 ||
      head[7] != 6 || head[8] != 0 || head[9] > 2 || (head[12] == 0 && head[13] == 0) ||
      (smpte && ((frames != 24 && frames != 25 && frames != 29 && frames != 30) || head[13] == 0))) {
    return 0;
  }
  const int tracks = head[10] << 8 | head[11];
  long long ticks = 0;
  for (int t = 0; t < tracks;) {
    unsigned char chunk[8];
    const long at = std::ftell(f);
    if (at < 0 || end - at < 8 || std::fread(chunk, 1, 8, f) != 8) return 0;
    const unsigned long length = static_cast<unsigned long>(chunk[4]) << 24 |
                                 static_cast<unsigned long>(chunk[5]) << 16 |
                                 static_cast<unsigned long>(chunk[6]) << 8 | chunk[7];
    // The whole chunk must be there.
    if (length > static_cast<unsigned long>(end - at - 8)) return 0;
    if (std::memcmp(chunk, "MTrk", 4) != 0) {
      // Chunks of other kinds are passed over.
      if (std::fseek(f, static_cast<long>(length), SEEK_CUR) != 0) return 0;
      continue;
    }
    if (!ReadTrack(f, static_cast<long>(length), &ticks)) return 0;
    ++t;
  }
  if (piece != nullptr) *piece = MidiPiece{start, end - start, smpte ? 1 : 0};
  // A piece of no length would have the player restart it without end.
  return ticks > 0 ? 1 : 0;
}

}  // namespace zuSound
