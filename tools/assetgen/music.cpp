// A small music macro language, compiled into type-1 standard MIDI files.
//
//   # comment                      tempo 152          (quarter notes per minute)
//   macro NAME                     followed by indented lines: its body
//   track NAME ch 1 program 81 volume 100 pan 64 reverb 40
//       followed by indented lines: the track's notes
//
// Notes: c d e f g a b, then + or # (sharp) or - (flat), a length (1, 2, 4, 8, 16,
// 32, or 3, 6, 12, 24 for triplets), dots, and ^LENGTH to tie more on. r is a rest.
// o4 sets the octave (o4 c is middle C), > and < step it; l8 sets the default
// length; v100 the velocity; q7 the gate in eighths of the length. [ ... ]3 repeats,
// { c e g }4 sounds the notes together, $NAME inserts a macro, and | checks that a
// bar line falls there. On channel 10 the letters k s h p x y t m n are drums (kick,
// snare, closed and open hat, crash, ride, low, mid and high tom).
//
// Every track must last the same whole number of bars; the end of every track sits
// exactly on the final bar line so that the piece loops without a gap.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>

#include "tools/assetgen/audio.h"

namespace {

constexpr int kPpq = 480;

struct Event {
  int tick;
  int order;  // note-offs before note-ons at the same tick
  std::vector<uint8_t> bytes;
};

struct Track {
  std::string name;
  int channel = 1, program = 1, volume = 100, pan = 64, reverb = 40;
  std::string body;
};

struct Song {
  int tempo = 120, beats = 4;
  std::map<std::string, std::string> macros;
  std::vector<Track> tracks;
};

struct Failure {
  std::string what;
};

[[noreturn]] void Fail(const std::string& what) { throw Failure{what}; }

std::string Expand(const Song& song, const std::string& text, int depth) {
  if (depth > 8) Fail("macros nest too deeply");
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '$') {
      out += text[i];
      continue;
    }
    size_t j = i + 1;
    while (j < text.size() && (std::isalnum(uint8_t(text[j])) || text[j] == '_')) ++j;
    std::string name = text.substr(i + 1, j - i - 1);
    auto it = song.macros.find(name);
    if (it == song.macros.end()) Fail("unknown macro $" + name);
    out += ' ' + Expand(song, it->second, depth + 1) + ' ';
    i = j - 1;
  }
  return out;
}

Song Parse(const char* text) {
  Song song;
  std::istringstream in(text);
  std::string line, *body = nullptr;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    size_t hash = line.find('#');
    // '#' after a note letter is a sharp; a comment starts a line or follows a space
    if (hash != std::string::npos && (hash == 0 || line[hash - 1] == ' ' || line[hash - 1] == '\t') &&
        line.find_first_not_of(" \t") == hash)
      line.clear();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    if (line[0] == ' ' || line[0] == '\t') {
      if (!body) Fail("line " + std::to_string(lineNo) + ": notes outside a track or macro");
      *body += ' ' + line;
      continue;
    }
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word == "tempo") {
      words >> song.tempo;
      body = nullptr;
    } else if (word == "beats") {
      words >> song.beats;
      body = nullptr;
    } else if (word == "macro") {
      std::string name;
      words >> name;
      body = &song.macros[name];
    } else if (word == "track") {
      song.tracks.emplace_back();
      Track& t = song.tracks.back();
      words >> t.name;
      std::string key;
      int value;
      while (words >> key >> value) {
        if (key == "ch") t.channel = value;
        else if (key == "program") t.program = value;
        else if (key == "volume") t.volume = value;
        else if (key == "pan") t.pan = value;
        else if (key == "reverb") t.reverb = value;
        else Fail("line " + std::to_string(lineNo) + ": unknown track setting " + key);
      }
      if (t.channel < 1 || t.channel > 16) Fail("track " + t.name + ": channel out of range");
      body = &t.body;
    } else {
      Fail("line " + std::to_string(lineNo) + ": unknown directive " + word);
    }
  }
  if (song.tracks.empty()) Fail("no tracks");
  return song;
}

// Compiles one track's notes into timed events; returns its length in ticks.
struct TrackCompiler {
  const std::string& s;
  int barTicks;
  bool drums;
  int channel;
  size_t pos = 0;
  int tick = 0, octave = 4, length = kPpq / 2, velocity = 100, gate = 7;
  std::vector<Event>& events;

  int Number(int fallback) {
    if (pos >= s.size() || !std::isdigit(uint8_t(s[pos]))) return fallback;
    int v = 0;
    while (pos < s.size() && std::isdigit(uint8_t(s[pos]))) v = v * 10 + (s[pos++] - '0');
    return v;
  }
  int Length() {
    int ticks = length;
    if (pos < s.size() && std::isdigit(uint8_t(s[pos]))) {
      int n = Number(4);
      if (n <= 0 || (kPpq * 4) % n) Fail("bad length " + std::to_string(n));
      ticks = kPpq * 4 / n;
    }
    int add = ticks;
    while (pos < s.size() && s[pos] == '.') add /= 2, ticks += add, ++pos;
    while (pos < s.size() && s[pos] == '^') {
      ++pos;
      int n = Number(0);
      if (n <= 0 || (kPpq * 4) % n) Fail("bad tie length");
      int t = kPpq * 4 / n, a = t;
      while (pos < s.size() && s[pos] == '.') a /= 2, t += a, ++pos;
      ticks += t;
    }
    return ticks;
  }
  int Pitch(char c) {
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    int p = (octave + 1) * 12 + base[c - 'a'];
    while (pos < s.size() && (s[pos] == '+' || s[pos] == '#' || s[pos] == '-')) p += s[pos++] == '-' ? -1 : 1;
    return p;
  }
  static int Drum(char c) {
    switch (c) {
      case 'k': return 36;
      case 's': return 38;
      case 'h': return 42;
      case 'p': return 46;
      case 'x': return 49;
      case 'y': return 51;
      case 't': return 45;
      case 'm': return 47;
      case 'n': return 50;
      default: return -1;
    }
  }
  void Note(const std::vector<int>& pitches, int ticks) {
    int on = drums ? std::min(ticks, kPpq / 4) : std::max(1, ticks * gate / 8);
    for (int p : pitches) {
      if (p < 0 || p > 127) Fail("note out of range");
      uint8_t st = uint8_t(channel - 1);
      events.push_back({tick, 1, {uint8_t(0x90 | st), uint8_t(p), uint8_t(velocity)}});
      events.push_back({tick + on, 0, {uint8_t(0x80 | st), uint8_t(p), 64}});
    }
    tick += ticks;
  }
  // Reads one note-ish token at pos (a letter already seen); returns false if none.
  bool ReadPitch(char c, std::vector<int>& out) {
    if (drums && Drum(c) >= 0) {
      out.push_back(Drum(c));
      return true;
    }
    if (c >= 'a' && c <= 'g') {
      out.push_back(Pitch(c));
      return true;
    }
    return false;
  }
  void Run(size_t end) {
    while (pos < end) {
      char c = char(std::tolower(uint8_t(s[pos++])));
      if (std::isspace(uint8_t(c))) continue;
      std::vector<int> pitches;
      if (ReadPitch(c, pitches)) {
        Note(pitches, Length());
      } else if (c == 'r') {
        tick += Length();
      } else if (c == 'o') {
        octave = Number(4);
      } else if (c == '>') {
        ++octave;
      } else if (c == '<') {
        --octave;
      } else if (c == 'l') {
        int n = Number(4);
        if (n <= 0 || (kPpq * 4) % n) Fail("bad default length");
        length = kPpq * 4 / n;
      } else if (c == 'v') {
        velocity = std::clamp(Number(100), 1, 127);
      } else if (c == 'q') {
        gate = std::clamp(Number(7), 1, 8);
      } else if (c == '|') {
        if (tick % barTicks) Fail("bar line at beat " + std::to_string(tick % barTicks / double(kPpq)) + " of bar " + std::to_string(tick / barTicks + 1));
      } else if (c == '{') {
        int saved = octave;
        while (pos < end && s[pos] != '}') {
          char d = char(std::tolower(uint8_t(s[pos++])));
          if (d == '>') ++octave;
          else if (d == '<') --octave;
          else if (d == 'o') octave = Number(4);
          else if (!std::isspace(uint8_t(d)) && !ReadPitch(d, pitches)) Fail(std::string("unexpected '") + d + "' in a chord");
        }
        if (pos >= end) Fail("unclosed chord");
        ++pos;
        octave = saved;
        Note(pitches, Length());
      } else if (c == '[') {
        // find the matching bracket, then run the inside N times
        int depth = 1;
        size_t j = pos;
        while (j < end && depth) {
          if (s[j] == '[') ++depth;
          if (s[j] == ']') --depth;
          ++j;
        }
        if (depth) Fail("unclosed repeat");
        size_t inner = pos, close = j - 1;
        pos = j;
        int times = Number(2);
        size_t after = pos;
        for (int k = 0; k < times; ++k) {
          pos = inner;
          Run(close);
        }
        pos = after;
      } else {
        Fail(std::string("unexpected '") + c + "'");
      }
    }
  }
};

void PutVar(std::vector<uint8_t>& out, uint32_t v) {
  uint8_t buf[5];
  int n = 0;
  buf[n++] = v & 0x7F;
  while (v >>= 7) buf[n++] = uint8_t(0x80 | (v & 0x7F));
  while (n) out.push_back(buf[--n]);
}

void PutChunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& data) {
  out.insert(out.end(), id, id + 4);
  uint32_t n = uint32_t(data.size());
  for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(n >> s));
  out.insert(out.end(), data.begin(), data.end());
}

std::vector<uint8_t> TrackChunk(std::vector<Event> events, int endTick) {
  std::stable_sort(events.begin(), events.end(),
                   [](const Event& a, const Event& b) { return a.tick != b.tick ? a.tick < b.tick : a.order < b.order; });
  std::vector<uint8_t> out;
  int last = 0;
  for (const Event& e : events) {
    PutVar(out, uint32_t(e.tick - last));
    last = e.tick;
    out.insert(out.end(), e.bytes.begin(), e.bytes.end());
  }
  PutVar(out, uint32_t(endTick - last));
  out.insert(out.end(), {0xFF, 0x2F, 0x00});
  return out;
}

std::vector<uint8_t> Meta(uint8_t type, const std::string& text) {
  std::vector<uint8_t> b{0xFF, type};
  PutVar(b, uint32_t(text.size()));
  b.insert(b.end(), text.begin(), text.end());
  return b;
}

}  // namespace

std::vector<uint8_t> CompileSong(const char* text, std::string* error) {
  try {
    Song song = Parse(text);
    const int barTicks = kPpq * song.beats;
    std::vector<std::vector<Event>> tracks;
    int length = -1;
    for (const Track& t : song.tracks) {
      std::vector<Event> ev;
      uint8_t st = uint8_t(t.channel - 1);
      ev.push_back({0, -1, Meta(0x03, t.name)});
      if (t.channel != 10) ev.push_back({0, -1, {uint8_t(0xC0 | st), uint8_t(std::clamp(t.program, 1, 128) - 1)}});
      ev.push_back({0, -1, {uint8_t(0xB0 | st), 7, uint8_t(std::clamp(t.volume, 0, 127))}});
      ev.push_back({0, -1, {uint8_t(0xB0 | st), 10, uint8_t(std::clamp(t.pan, 0, 127))}});
      ev.push_back({0, -1, {uint8_t(0xB0 | st), 91, uint8_t(std::clamp(t.reverb, 0, 127))}});
      std::string body = Expand(song, t.body, 0);
      TrackCompiler tc{body, barTicks, t.channel == 10, t.channel, 0, 0, 4, kPpq / 2, 100, 7, ev};
      try {
        tc.Run(body.size());
      } catch (const Failure& f) {
        Fail("track " + t.name + ": " + f.what);
      }
      if (tc.tick % barTicks) Fail("track " + t.name + " does not end on a bar line");
      if (length >= 0 && tc.tick != length)
        Fail("track " + t.name + " lasts " + std::to_string(tc.tick / barTicks) + " bars, the first track " +
             std::to_string(length / barTicks));
      length = tc.tick;
      tracks.push_back(std::move(ev));
    }
    // tempo track: name, metre, tempo; it ends on the same bar line as the rest
    std::vector<Event> conductor;
    const uint32_t usPerQuarter = uint32_t(60000000 / song.tempo);
    conductor.push_back({0, 0, {0xFF, 0x58, 0x04, uint8_t(song.beats), 2, 24, 8}});
    conductor.push_back({0, 0, {0xFF, 0x51, 0x03, uint8_t(usPerQuarter >> 16), uint8_t(usPerQuarter >> 8), uint8_t(usPerQuarter)}});
    std::vector<uint8_t> out, header{0, 1, 0, 0, uint8_t(kPpq >> 8), uint8_t(kPpq & 0xFF)};
    header[3] = uint8_t(tracks.size() + 1);
    PutChunk(out, "MThd", header);
    PutChunk(out, "MTrk", TrackChunk(conductor, length));
    for (auto& ev : tracks) PutChunk(out, "MTrk", TrackChunk(std::move(ev), length));
    return out;
  } catch (const Failure& f) {
    *error = f.what;
    return {};
  }
}
