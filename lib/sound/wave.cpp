// RIFF WAVE reader. Every size in the file is checked against the bytes that
// are really there, so a file that lies about its sizes fails to read instead
// of leading to an overread or a huge allocation.
#include <sys/types.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lib/sound/zuSound.h"
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
  const uint64_t formEnd = 8 + static_cast<uint64_t>(Le32(riff + 4));
  if (formEnd < 12 || formEnd > fileSize) return Fail(f, dataSize, format, data);

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

}  // namespace zuSound
