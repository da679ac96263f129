// Writes small, valid starting inputs for the fuzz targets: a few BMP layouts,
// a few RIFF WAVE layouts, MIDI files bare and RIFF-wrapped, an input script and
// a replay file. Usage: fuzz_seeds OUTDIR (makes a folder per target in OUTDIR).
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
void PutTag(Bytes& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

// BITMAPINFOHEADER picture: bpp 1, 4, 8, 16, 24 or 32, optional RLE8, RLE4 or bitfields.
Bytes Bmp(int w, int h, int bpp, uint32_t compression) {
  const int colours = bpp <= 8 ? (1 << bpp) : 0;
  const int masks = compression == 3 ? 12 : 0;
  Bytes pixels;
  if (compression == 1 || compression == 2) {
    for (int y = 0; y < h; ++y) {
      pixels.push_back(static_cast<uint8_t>(w));  // one run per row
      pixels.push_back(static_cast<uint8_t>(y + 1));
      pixels.push_back(0);
      pixels.push_back(0);  // end of line
    }
    pixels.push_back(0);
    pixels.push_back(1);  // end of bitmap
  } else {
    const int row = (w * bpp + 31) / 32 * 4;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < row; ++x) pixels.push_back(static_cast<uint8_t>(x * 37 + y * 11));
  }
  const uint32_t off = 14 + 40 + masks + colours * 4;
  Bytes b;
  PutTag(b, "BM\0\0");
  b.resize(2);
  Put32(b, off + static_cast<uint32_t>(pixels.size()));
  Put32(b, 0);
  Put32(b, off);
  Put32(b, 40);
  Put32(b, static_cast<uint32_t>(w));
  Put32(b, static_cast<uint32_t>(h));
  Put16(b, 1);
  Put16(b, static_cast<uint32_t>(bpp));
  Put32(b, compression);
  Put32(b, static_cast<uint32_t>(pixels.size()));
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, static_cast<uint32_t>(colours));
  Put32(b, 0);
  if (masks) {
    Put32(b, 0xF800);
    Put32(b, 0x07E0);
    Put32(b, 0x001F);
  }
  for (int i = 0; i < colours; ++i) Put32(b, static_cast<uint32_t>(i * 0x010203));
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

// OS/2 BITMAPCOREHEADER picture, 24 bits.
Bytes CoreBmp(int w, int h) {
  const int row = (w * 24 + 31) / 32 * 4;
  Bytes b;
  PutTag(b, "BM\0\0");
  b.resize(2);
  Put32(b, 26 + static_cast<uint32_t>(row * h));
  Put32(b, 0);
  Put32(b, 26);
  Put32(b, 12);
  Put16(b, static_cast<uint32_t>(w));
  Put16(b, static_cast<uint32_t>(h));
  Put16(b, 1);
  Put16(b, 24);
  for (int i = 0; i < row * h; ++i) b.push_back(static_cast<uint8_t>(i * 7));
  return b;
}

Bytes Wave(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, int extra,
           bool listChunk, uint32_t samples) {
  const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
  Bytes fmt;
  Put16(fmt, tag);
  Put16(fmt, channels);
  Put32(fmt, rate);
  Put32(fmt, rate * align);
  Put16(fmt, align);
  Put16(fmt, bits);
  if (extra >= 0) {
    Put16(fmt, static_cast<uint32_t>(extra));
    for (int i = 0; i < extra; ++i) fmt.push_back(static_cast<uint8_t>(i));
  }
  Bytes body;
  PutTag(body, "WAVE");
  if (listChunk) {
    PutTag(body, "LIST");
    Put32(body, 5);
    PutTag(body, "INFOx");
    body.push_back(0);  // pad byte of the odd-sized chunk
  }
  PutTag(body, "fmt ");
  Put32(body, static_cast<uint32_t>(fmt.size()));
  body.insert(body.end(), fmt.begin(), fmt.end());
  if (fmt.size() & 1) body.push_back(0);
  PutTag(body, "data");
  Put32(body, samples * align);
  for (uint32_t i = 0; i < samples * align; ++i) body.push_back(static_cast<uint8_t>(i * 13));
  Bytes b;
  PutTag(b, "RIFF");
  Put32(b, static_cast<uint32_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

// A one-track piece of two notes, ticks per quarter note or SMPTE frames.
Bytes Midi(uint8_t division0, uint8_t division1) {
  const Bytes track = {0x00, 0xC0, 0x05, 0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0,
                       0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x10, 0x90, 64, 90,
                       0x81, 0x00, 64, 0, 0x00, 0xFF, 0x2F, 0x00};
  Bytes b;
  PutTag(b, "MThd");
  b.insert(b.end(), {0, 0, 0, 6, 0, 0, 0, 1, division0, division1});
  PutTag(b, "MTrk");
  b.insert(b.end(), {0, 0, 0, static_cast<uint8_t>(track.size())});
  b.insert(b.end(), track.begin(), track.end());
  return b;
}

Bytes Rmid(const Bytes& smf) {
  Bytes body;
  PutTag(body, "RMID");
  PutTag(body, "LIST");
  Put32(body, 4);
  PutTag(body, "INFO");
  PutTag(body, "data");
  Put32(body, static_cast<uint32_t>(smf.size()));
  body.insert(body.end(), smf.begin(), smf.end());
  if (smf.size() & 1) body.push_back(0);
  Bytes b;
  PutTag(b, "RIFF");
  Put32(b, static_cast<uint32_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

void Write(const std::string& path, const Bytes& b) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return;
  std::fwrite(b.data(), 1, b.size(), f);
  std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds OUTDIR\n");
    return 2;
  }
  const std::string out = argv[1];
  for (const char* sub : {"", "/bmp_load", "/wave_read", "/midi_check", "/replay_script", "/replay_read"})
    mkdir((out + sub).c_str(), 0755);
  int n = 0;
  for (int bpp : {1, 4, 8, 16, 24, 32})
    Write(out + "/bmp_load/seed" + std::to_string(n++) + ".bmp", Bmp(5, 3, bpp, 0));
  Write(out + "/bmp_load/rle8.bmp", Bmp(6, 4, 8, 1));
  Write(out + "/bmp_load/fields16.bmp", Bmp(4, 4, 16, 3));
  Write(out + "/bmp_load/fields32.bmp", Bmp(3, 2, 32, 3));
  Write(out + "/bmp_load/core24.bmp", CoreBmp(3, 3));
  Write(out + "/bmp_load/sheet.bmp", Bmp(130, 71, 8, 0));
  Write(out + "/bmp_load/rle4.bmp", Bmp(7, 3, 4, 2));

  Write(out + "/wave_read/pcm16.wav", Wave(1, 1, 22050, 16, -1, false, 40));
  Write(out + "/wave_read/pcm8s.wav", Wave(1, 2, 11025, 8, -1, true, 30));
  Write(out + "/wave_read/pcm16x.wav", Wave(1, 2, 44100, 16, 0, false, 10));
  Write(out + "/wave_read/adpcm.wav", Wave(2, 1, 8000, 4, 32, false, 20));
  Write(out + "/wave_read/float.wav", Wave(3, 1, 48000, 32, 0, true, 8));
  Write(out + "/wave_read/pcm24.wav", Wave(1, 2, 44100, 24, -1, false, 12));
  // Extensible, six channels of 24 bits: valid bits, speaker mask, PCM sub-format.
  Bytes extensible = Wave(0xFFFE, 6, 48000, 24, 22, false, 6);
  const uint8_t ext[22] = {24, 0, 0x3F, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
  std::copy(ext, ext + 22, extensible.begin() + 38);
  Write(out + "/wave_read/ext24x6.wav", extensible);

  Write(out + "/midi_check/ticks.mid", Midi(0x01, 0xE0));
  Write(out + "/midi_check/smpte.mid", Midi(0xE7, 0x28));
  Write(out + "/midi_check/rmid.rmi", Rmid(Midi(0x00, 0x60)));

  // A replay of four frames: keys, a joystick, a measure after an activation, a
  // long frame, and the [ESC] after the last; and the same cut before its trailer.
  const Bytes replay = {
      'S', 'K', 'Y', 'R', 'P', 'L', 'Y', 0x1A, 1, 0, 3, '1', '.', '0',  // magic, format, game
      1, 0, 0, 0, 0x80, 0x2D, 0x6C, 0x65, 0, 0, 0, 0, 0x10, 0x27, 0, 0,  // seed, time, tick
      0x88, 0x13, 0, 0,                                                  // best score 5000
      0x0C, 0x4C, 0x85, 0xA5, 0x40, 0x11, 0xCC, 0x03, 0x30, 0x59, 0xBF, 0xF0, 0xA2, 0x04, 0x0C,
      0x00, 0x01, 0xAF, 0x3F, 0x04, 0x00, 0x88, 0x27, 1, 2, 3, 4, 5, 6, 7, 8};
  Write(out + "/replay_read/run.skr", replay);
  Write(out + "/replay_read/cut.skr", Bytes(replay.begin(), replay.end() - 14));

  std::FILE* s = std::fopen((out + "/replay_script/script.txt").c_str(), "w");
  if (s != nullptr) {
    std::fputs("# a game\n10 down space\n12 up space\n30 down enter\n32 up 0x0D\n"
               "40 down z   # fire\n41 down shift\n50 down left\n60 up left\n"
               "70 down ctrl\n80 down f4\n90 down esc\n\n", s);
    std::fclose(s);
  }
  return 0;
}
