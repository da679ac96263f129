// Fuzzes the check a MIDI file passes before any synthesizer sees it, bare or
// RIFF-wrapped: the bytes become a file, and a piece it passes must lie wholly
// inside that file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "lib/sound/soundInternal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::FILE* f = std::tmpfile();
  if (f == nullptr) std::abort();
  if (size > 0) std::fwrite(data, 1, size, f);
  std::rewind(f);
  zuSound::MidiPiece piece{-1, -1, -1};
  if (zuSound::MidiFileIsPlayable(f, &piece)) {
    if (piece.start < 0 || piece.length < 14 ||
        static_cast<size_t>(piece.start + piece.length) > size || (piece.smpte & ~1) != 0) {
      __builtin_trap();
    }
  }
  std::fclose(f);
  return 0;
}
