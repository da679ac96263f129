// Fuzzes the RIFF WAVE reader: the bytes become a file that
// zuSound::ReadWaveFile reads as the sound load does. A successful read must
// hand back a format block and a data block of the size it reports, both of
// which are touched end to end so that any short allocation shows; its
// conversion to 16-bit PCM must give whole frames of one or two channels.
// Then the whole sound load runs on the same file (reader, conversion, the
// mixer's format, the chunk), always into the same slot.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "lib/sdl/soundSdl.h"
#include "lib/sound/soundInternal.h"
#include "lib/system/zuSystem.h"

namespace {
std::string path;
volatile uint8_t sink;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A scratch folder of our own under the system's temporary folder.
  std::string pattern =
      (std::filesystem::temp_directory_path() / "skyward-fuzz-wave-XXXXXX").string();
  const char* dir = mkdtemp(pattern.data());
  if (dir == nullptr) std::abort();
  path = std::string(dir) + "/F.WAV";
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  zuSystem::SetAppPath(dir);
  if (!zuSound::Init()) std::abort();
  zuSound::ClearTable();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) std::abort();
  if (size > 0) std::fwrite(data, 1, size, f);
  std::fclose(f);

  uint32_t dataSize = 12345;
  zuSound::WaveFormat* format = nullptr;
  uint8_t* samples = nullptr;
  if (zuSound::ReadWaveFile(path.c_str(), &dataSize, &format, &samples) == 0) {
    if (format == nullptr || (samples == nullptr && dataSize > 0)) __builtin_trap();
    // The data cannot be larger than the file that held it.
    if (dataSize > size) __builtin_trap();
    const uint8_t* fmt = reinterpret_cast<const uint8_t*>(format);
    uint8_t x = 0;
    for (size_t i = 0; i < 18u + format->cbSize; ++i) x ^= fmt[i];
    for (uint32_t i = 0; i < dataSize; ++i) x ^= samples[i];
    sink = x;
    if (zuSound::ConvertWave(format, &samples, &dataSize) == 0) {
      if (format->formatTag != 1 || format->bitsPerSample != 16 || format->channels < 1 ||
          format->channels > 2 || dataSize == 0 || dataSize % (2u * format->channels) != 0) {
        __builtin_trap();
      }
      for (uint32_t i = 0; i < dataSize; ++i) x ^= samples[i];
      sink = x;
    }
  } else if (format != nullptr || samples != nullptr || dataSize != 0) {
    __builtin_trap();
  }
  std::free(format);
  std::free(samples);

  const int id = zuSound::LoadObject("F.WAV", 10);
  if (id > 0 || zuSound::soundTable[0].used) {
    zuSound::SoundSlot& slot = zuSound::soundTable[id];
    const Mix_Chunk* chunk = zuSound::soundVoices[id].chunk;
    if (chunk == nullptr || chunk->alen == 0) __builtin_trap();
    zuSound::Play(id, -1);
    Mix_HaltChannel(-1);
    // Free the slot again; its samples go with the next load into it.
    slot.used = 0;
    zuSound::soundChannels = 0;
  }
  return 0;
}
