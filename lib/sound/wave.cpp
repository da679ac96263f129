// RIFF WAVE reader. Every size in the file is checked against the bytes that
// are really there, so a file that lies about its sizes fails to read instead
// of leading to an overread or a huge allocation.
#include <sys/types.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lib/sound/soundInternal.h"
#include "lib/system/systemPlatform.h"

namespace zuSound {
namespace {

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool ReadAt(FILE* f, uint64_t offset, void* out, size_t size) {
  if (fseeko(f, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
  return std::fread(out, 1, size, f) == size;
}

// Walks the chunks in [from, end) for one with the given id, the way a
// find-chunk descent does: unknown chunks are skipped with their pad byte.
// The found chunk must lie wholly inside [from, end).
bool FindChunk(FILE* f, uint64_t from, uint64_t end, const char* id, uint64_t* body,
               uint32_t* size) {
  uint64_t pos = from;
  while (pos + 8 <= end) {
    uint8_t header[8];
    if (!ReadAt(f, pos, header, 8)) return false;
    const uint32_t chunkSize = Le32(header + 4);
    if (std::memcmp(header, id, 4) == 0) {
      if (pos + 8 + chunkSize > end) return false;
      *body = pos + 8;
      *size = chunkSize;
      return true;
    }
    pos += 8 + static_cast<uint64_t>(chunkSize) + (chunkSize & 1u);
  }
  return false;
}

int Fail(FILE* f, uint32_t* dataSize, WaveFormat** format, uint8_t** data) {
  std::free(*format);
  std::free(*data);
  *format = nullptr;
  *data = nullptr;
  *dataSize = 0;
  if (f != nullptr) std::fclose(f);
  return 1;
}

}  // namespace

int ReadWaveFile(const char* path, uint32_t* dataSize, WaveFormat** format, uint8_t** data) {
  *dataSize = 0;
  *format = nullptr;
  *data = nullptr;
  FILE* f = zuSystem::OpenFile(path, "rb");
  if (f == nullptr) return 1;
  if (fseeko(f, 0, SEEK_END) != 0) return Fail(f, dataSize, format, data);
  const off_t fileEnd = ftello(f);
  if (fileEnd < 12) return Fail(f, dataSize, format, data);
  const uint64_t fileSize = static_cast<uint64_t>(fileEnd);

  // The first chunk must be the RIFF form of type WAVE, all of it present.
  uint8_t riff[12];
  if (!ReadAt(f, 0, riff, 12)) return Fail(f, dataSize, format, data);
  if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) {
    return Fail(f, dataSize, format, data);
  }
  // The chunks are found by their ids up to the file's real end, whatever the
  // RIFF size says: writers leave chunks out of it, or write it before the data.
  const uint64_t formEnd = fileSize;

  uint64_t fmtBody = 0;
  uint32_t fmtSize = 0;
  if (!FindChunk(f, 12, formEnd, "fmt ", &fmtBody, &fmtSize) || fmtSize < 16) {
    return Fail(f, dataSize, format, data);
  }
  uint8_t pcm[18];
  if (!ReadAt(f, fmtBody, pcm, 16)) return Fail(f, dataSize, format, data);
  uint16_t extra = 0;
  if (Le16(pcm) != 1 && fmtSize >= 18) {
    // A non-PCM format carries a count of extra bytes; they must be in the chunk.
    // Written without it (a 16-byte chunk), it has none.
    if (!ReadAt(f, fmtBody + 16, pcm + 16, 2)) return Fail(f, dataSize, format, data);
    extra = Le16(pcm + 16);
    if (18u + extra > fmtSize) return Fail(f, dataSize, format, data);
  }
  const size_t formatBytes = std::max<size_t>(sizeof(WaveFormat), 18u + extra);
  *format = static_cast<WaveFormat*>(std::calloc(1, formatBytes));
  if (*format == nullptr) return Fail(f, dataSize, format, data);
  WaveFormat* wf = *format;
  wf->formatTag = Le16(pcm);
  wf->channels = Le16(pcm + 2);
  wf->samplesPerSec = Le32(pcm + 4);
  wf->avgBytesPerSec = Le32(pcm + 8);
  wf->blockAlign = Le16(pcm + 12);
  wf->bitsPerSample = Le16(pcm + 14);
  wf->cbSize = extra;
  if (extra > 0 && !ReadAt(f, fmtBody + 18, WaveFormatExtra(wf), extra)) {
    return Fail(f, dataSize, format, data);
  }

  // "data" is looked for from the start of the form, wherever "fmt " was.
  uint64_t dataBody = 0;
  uint32_t size = 0;
  if (!FindChunk(f, 12, formEnd, "data", &dataBody, &size)) {
    return Fail(f, dataSize, format, data);
  }
  // At least one byte, so that an empty sound still gets a block of its own.
  *data = static_cast<uint8_t*>(std::malloc(std::max<uint32_t>(size, 1)));
  if (*data == nullptr) return Fail(f, dataSize, format, data);
  if (size > 0 && !ReadAt(f, dataBody, *data, size)) return Fail(f, dataSize, format, data);
  *dataSize = size;
  std::fclose(f);
  return 0;
}

namespace {

constexpr uint16_t PCM = 1;
constexpr uint16_t IEEE_FLOAT = 3;
constexpr uint16_t EXTENSIBLE = 0xFFFE;
constexpr uint32_t MIN_RATE = 100, MAX_RATE = 200000, MAX_SECONDS = 300;
constexpr int MAX_CHANNELS = 64;

// Which side a speaker of the channel mask plays on: left, right, both, none
// (the low-frequency channel, which a pair of speakers does without).
enum Side { LEFT, RIGHT, BOTH, NONE };
constexpr Side SPEAKER_SIDE[18] = {LEFT, RIGHT, BOTH, NONE,  LEFT, RIGHT, LEFT, RIGHT, BOTH,
                                   LEFT, RIGHT, BOTH, LEFT, BOTH, RIGHT, LEFT, BOTH, RIGHT};

int32_t Sample16(const uint8_t* p, int bytes, bool isFloat) {
  switch (bytes) {
    case 1: return (p[0] - 128) * 256;
    case 2: return static_cast<int16_t>(Le16(p));
    case 3: return static_cast<int16_t>(Le16(p + 1));
    default: break;
  }
  if (!isFloat) return static_cast<int16_t>(Le16(p + 2));
  const uint32_t bits = Le32(p);
  float v;
  std::memcpy(&v, &bits, 4);
  if (!(v == v)) return 0;  // not a number
  return static_cast<int32_t>(std::lrint(std::min(32767.0f, std::max(-32768.0f, v * 32768.0f))));
}

}  // namespace

int ConvertWave(WaveFormat* wf, uint8_t** data, uint32_t* dataSize) {
  uint16_t tag = wf->formatTag;
  uint32_t speakers = 0;
  if (tag == EXTENSIBLE) {
    // The sub-format GUID begins with the plain format tag.
    if (wf->cbSize < 22) return 1;
    const uint8_t* extra = WaveFormatExtra(wf);
    speakers = Le32(extra + 2);
    tag = Le16(extra + 6);
  }
  const int channels = wf->channels;
  if ((tag != PCM && tag != IEEE_FLOAT) || channels == 0 || channels > MAX_CHANNELS ||
      wf->blockAlign % channels != 0) {
    return 1;
  }
  const int bytes = wf->blockAlign / channels;
  if (bytes < 1 || bytes > 4 || (wf->bitsPerSample + 7) / 8 != bytes ||
      (tag == IEEE_FLOAT && wf->bitsPerSample != 32)) {
    return 1;
  }
  const uint32_t rate = wf->samplesPerSec;
  const uint32_t frames = *dataSize / wf->blockAlign;
  if (rate < MIN_RATE || rate > MAX_RATE || frames == 0 || frames / rate >= MAX_SECONDS) return 1;

  // Each channel's side: the mask's speakers in order, the rest in the middle.
  const int outChannels = channels == 1 ? 1 : 2;
  Side side[MAX_CHANNELS];
  int left = 0, right = 0;
  if (speakers == 0) speakers = 0x3FFFF;
  for (int c = 0, bit = 0; c < channels; ++c) {
    while (bit < 18 && (speakers & (1u << bit)) == 0) ++bit;
    side[c] = channels == 2 ? (c == 0 ? LEFT : RIGHT) : bit < 18 ? SPEAKER_SIDE[bit++] : BOTH;
    left += side[c] == LEFT || side[c] == BOTH;
    right += side[c] == RIGHT || side[c] == BOTH;
  }
  if (left == 0 && right == 0) {
    for (int c = 0; c < channels; ++c) side[c] = BOTH;
    left = right = channels;
  }

  int16_t* out = static_cast<int16_t*>(std::malloc(static_cast<size_t>(frames) * outChannels * 2));
  if (out == nullptr) return 1;
  const bool isFloat = tag == IEEE_FLOAT;
  const uint8_t* in = *data;
  for (uint32_t i = 0; i < frames; ++i, in += wf->blockAlign) {
    if (channels <= 2) {
      for (int c = 0; c < channels; ++c) {
        out[i * channels + c] = static_cast<int16_t>(Sample16(in + c * bytes, bytes, isFloat));
      }
      continue;
    }
    // Each side is the mean of its channels, so that the mix cannot clip.
    int64_t l = 0, r = 0;
    for (int c = 0; c < channels; ++c) {
      const int32_t v = Sample16(in + c * bytes, bytes, isFloat);
      if (side[c] == LEFT || side[c] == BOTH) l += v;
      if (side[c] == RIGHT || side[c] == BOTH) r += v;
    }
    out[i * 2] = static_cast<int16_t>(left > 0 ? l / left : r / right);
    out[i * 2 + 1] = static_cast<int16_t>(right > 0 ? r / right : l / left);
  }
  std::free(*data);
  *data = reinterpret_cast<uint8_t*>(out);
  *dataSize = frames * outChannels * 2;
  wf->formatTag = PCM;
  wf->channels = static_cast<uint16_t>(outChannels);
  wf->blockAlign = static_cast<uint16_t>(outChannels * 2);
  wf->bitsPerSample = 16;
  wf->avgBytesPerSec = rate * wf->blockAlign;
  wf->cbSize = 0;
  return 0;
}

}  // namespace zuSound
