// Opens the sound library on SDL's disk driver, so that what is heard is
// recorded to a file in a private folder that is also the program folder.
#pragma once
#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "lib/sdl/soundSdl.h"
#include "lib/sound/soundInternal.h"
#include "lib/system/zuSystem.h"
#include "tests/lib/sound/soundFixtures.h"

namespace soundtest {

struct Recording {
  std::vector<int16_t> left;  // left channel, 44100 frames a second
};

class DiskDevice {
 public:
  explicit DiskDevice(const char* tag, bool realTime = false) : dir_(FreshFolder(tag)) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", Output().c_str(), 1);
    if (realTime) {
      unsetenv("SDL_DISKAUDIODELAY");
    } else {
      // About ten times faster than real time: 2 ms for every 23 ms buffer.
      setenv("SDL_DISKAUDIODELAY", "2", 1);
    }
    zuSystem::SetAppPath(dir_.c_str());
  }
  ~DiskDevice() {
    zuSound::Release();
    SDL_Quit();
    zuSystem::SetAppPath(nullptr);
    std::filesystem::remove_all(dir_);
  }
  bool Open() {
    if (!zuSound::Init()) return false;
    zuSound::ClearTable();
    zuSound::InitMidi();
    return true;
  }
  std::filesystem::path Output() const { return dir_ / "heard.raw"; }
  const std::filesystem::path& Dir() const { return dir_; }
  // Frames recorded so far (as far as the driver has written them out).
  long Frames() const {
    std::error_code ec;
    const auto n = std::filesystem::file_size(Output(), ec);
    return ec ? 0 : static_cast<long>(n / 4);
  }
  // Waits until at least `frames` frames are recorded; false after 30 s.
  bool WaitFrames(long frames) const {
    const auto give = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (Frames() < frames) {
      if (std::chrono::steady_clock::now() > give) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
  }
  // Closes the device and reads what it recorded.
  Recording Close() {
    zuSound::Release();
    Recording r;
    const Bytes b = ReadFile(Output());
    for (size_t i = 0; i + 3 < b.size(); i += 4) {
      r.left.push_back(static_cast<int16_t>(b[i] | b[i + 1] << 8));
    }
    return r;
  }

 private:
  std::filesystem::path dir_;
};

// Frames where the sound starts after at least `quiet` frames below `level`.
inline std::vector<long> Onsets(const Recording& r, int level, long quiet) {
  std::vector<long> at;
  long still = quiet;
  for (size_t i = 0; i < r.left.size(); ++i) {
    if (std::abs(r.left[i]) >= level) {
      if (still >= quiet) at.push_back(static_cast<long>(i));
      still = 0;
    } else {
      ++still;
    }
  }
  return at;
}

// Takes every music-finished event off the queue; returns how many there were.
inline int TakeMusicEvents() {
  SDL_PumpEvents();
  SDL_Event e;
  int n = 0;
  const Uint32 type = zuSound::MusicEventType();
  while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, type, type) == 1) ++n;
  return n;
}

}  // namespace soundtest
