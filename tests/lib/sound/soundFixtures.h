// Builders for the WAVE and MIDI files the sound tests read, a private folder
// to put them in, and a capture of standard error.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lib/sound/soundInternal.h"

namespace soundtest {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
inline void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
// Byte by byte: a range insert into a fresh vector trips a false
// -Wstringop-overflow of g++ 12 at -O3.
inline void PutId(Bytes& b, const char* id) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(id[i]));
}

inline Bytes Chunk(const char* id, const Bytes& body) {
  Bytes b;
  PutId(b, id);
  Put32(b, static_cast<uint32_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() & 1) b.push_back(0);  // the pad byte
  return b;
}

inline Bytes FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                     const Bytes& extra = {}) {
  Bytes b;
  Put16(b, tag);
  Put16(b, channels);
  Put32(b, rate);
  Put32(b, rate * channels * bits / 8);
  Put16(b, channels * bits / 8);
  Put16(b, bits);
  if (!extra.empty()) {
    Put16(b, static_cast<uint32_t>(extra.size()));
    b.insert(b.end(), extra.begin(), extra.end());
  }
  return b;
}

// A RIFF file of this form type and these chunks; Riff: a WAVE file.
inline Bytes Form(const char* type, const std::vector<Bytes>& chunks) {
  Bytes body;
  PutId(body, type);
  for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
  return Chunk("RIFF", body);
}
inline Bytes Riff(const std::vector<Bytes>& chunks) { return Form("WAVE", chunks); }

// 16-bit mono samples of one constant level.
inline Bytes Level16(int16_t level, int count) {
  Bytes b;
  for (int i = 0; i < count; ++i) Put16(b, static_cast<uint16_t>(level));
  return b;
}

inline Bytes PcmWave(uint32_t rate, const Bytes& samples) {
  return Riff({Chunk("fmt ", FmtBody(1, 1, rate, 16)), Chunk("data", samples)});
}

// A standard MIDI file holding the given track bodies as they stand; 480
// ticks a quarter note.
inline Bytes Smf(const std::vector<Bytes>& tracks, uint8_t format = 0) {
  Bytes b;
  PutId(b, "MThd");
  b.insert(b.end(), {0, 0, 0, 6, 0, format, 0, static_cast<uint8_t>(tracks.size()), 0x01, 0xE0});
  for (const Bytes& track : tracks) {
    PutId(b, "MTrk");
    b.insert(b.end(), {0, 0, static_cast<uint8_t>(track.size() >> 8),
                       static_cast<uint8_t>(track.size() & 0xFF)});
    b.insert(b.end(), track.begin(), track.end());
  }
  return b;
}

// A format-0 MIDI file of one track: events as given, then the end of track
// delta time `tail` (a variable-length number) after the last of them; 120 bpm.
inline Bytes Midi(const Bytes& events, const Bytes& tail) {
  Bytes track = events;
  track.insert(track.end(), tail.begin(), tail.end());
  track.insert(track.end(), {0xFF, 0x2F, 0x00});
  return Smf({track});
}

// Half a second: a loud piano note over the first 96 ticks (0.1 s), then
// silence until the end of the piece at tick 480.
inline Bytes HalfSecondPiece() {
  return Midi({0x00, 0xC0, 0x00, 0x00, 0x90, 60, 127, 0x60, 0x80, 60, 0}, {0x83, 0x00});
}

// A piece wrapped as a RIFF "RMID" file, behind an INFO list as writers put one.
inline Bytes Rmid(const Bytes& smf) {
  return Form("RMID", {Chunk("LIST", Bytes{'I', 'N', 'F', 'O'}), Chunk("data", smf)});
}

inline void WriteFile(const std::filesystem::path& p, const Bytes& b) {
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

inline Bytes ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the WAVE reader gives for a file, freed at the end.
struct WaveRead {
  int result = 1;
  uint32_t size = 0;
  zuSound::WaveFormat* format = nullptr;
  uint8_t* data = nullptr;
  int From(const std::filesystem::path& p) {
    return zuSound::ReadWaveFile(p.string().c_str(), &size, &format, &data);
  }
  ~WaveRead() {
    std::free(format);
    std::free(data);
  }
};

// A fresh folder of its own under the system's temporary folder.
inline std::filesystem::path FreshFolder(const char* tag) {
  auto dir = std::filesystem::temp_directory_path() /
             ("skyward-" + std::string(tag) + "-" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

// Captures standard error while alive; Text() ends the capture and gives what was written.
class StderrCapture {
 public:
  StderrCapture() { testing::internal::CaptureStderr(); }
  ~StderrCapture() { Text(); }
  std::string Text() {
    if (capturing_) text_ = testing::internal::GetCapturedStderr();
    capturing_ = false;
    return text_;
  }

 private:
  bool capturing_ = true;
  std::string text_;
};

}  // namespace soundtest
