#!/usr/bin/env python3
"""Pre-renders the game's MIDI pieces for the browser, where no synthesizer runs.

Each piece is played by the same synthesizer library and General MIDI soundfont
as the desktop music, then encoded as MP3 with the sample positions of one
period of the loop. The rendered stream is the piece from silence followed by
the next repetition, so the loop [loopStart, loopEnd) is one period of a
periodic signal: played in a loop, it continues exactly as the next repetition
would, whatever delay or padding a browser's decoder keeps at the start.

usage: render_music.py --soundfont SF2 --out DIR [--lame PATH] [--quality V] MIDI...
Writes DIR/<NAME>.mp3 for each piece and DIR/music.json with the loop points.
"""
import argparse
import array
import ctypes
import ctypes.util
import json
import os
import struct
import subprocess
import sys
import tempfile
import warnings
import wave

with warnings.catch_warnings():
    warnings.simplefilter("ignore", DeprecationWarning)
    import audioop  # C-speed sample arithmetic in the standard library

RATE = 44100
# The synthesizer works in blocks of this many samples; a period that is a
# whole number of them makes every repetition render the same way.
BLOCK = 64
# The desktop mixer's level for the same soundfont, measured on its recorded
# output of the title piece (the rest of the difference is the effects' drift).
GAIN = 1.2


class MidiError(Exception):
    pass


def read_var(data, pos):
    value = 0
    for _ in range(4):
        if pos >= len(data):
            raise MidiError("truncated variable-length number")
        b = data[pos]
        pos += 1
        value = (value << 7) | (b & 0x7F)
        if b < 0x80:
            return value, pos
    raise MidiError("variable-length number longer than four bytes")


def parse_midi(data):
    """Returns (division, events, end_tick); events are (tick, order, message)
    with message a tuple ('tempo', us) or ('chan', status, d1, d2)."""
    if data[:4] == b"RIFF" and data[8:12] == b"RMID":
        pos = 12
        while pos + 8 <= len(data):
            cid, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
            if cid == b"data":
                data = data[pos + 8:pos + 8 + size]
                break
            pos += 8 + size + (size & 1)
    if data[:4] != b"MThd":
        raise MidiError("not a standard MIDI file")
    _fmt, ntracks, division = struct.unpack(">HHH", data[8:14])
    if division & 0x8000:
        raise MidiError("SMPTE timing is not supported")
    pos = 8 + struct.unpack(">I", data[4:8])[0]
    events = []
    end_tick = 0
    order = 0
    for _ in range(ntracks):
        if data[pos:pos + 4] != b"MTrk":
            raise MidiError("missing track chunk")
        end = pos + 8 + struct.unpack(">I", data[pos + 4:pos + 8])[0]
        pos += 8
        tick = 0
        status = 0
        while pos < end:
            delta, pos = read_var(data, pos)
            tick += delta
            b = data[pos]
            if b == 0xFF:
                kind = data[pos + 1]
                length, pos = read_var(data, pos + 2)
                if kind == 0x51 and length == 3:
                    events.append((tick, order, ("tempo", int.from_bytes(data[pos:pos + 3], "big"))))
                    order += 1
                pos += length
                if kind == 0x2F:
                    break
            elif b in (0xF0, 0xF7):
                length, pos = read_var(data, pos + 1)
                pos += length
            else:
                if b & 0x80:
                    status = b
                    pos += 1
                elif status == 0:
                    raise MidiError("data byte without a status")
                size = 1 if (status & 0xF0) in (0xC0, 0xD0) else 2
                d = data[pos:pos + size]
                pos += size
                events.append((tick, order, ("chan", status, d[0], d[1] if size == 2 else 0)))
                order += 1
        end_tick = max(end_tick, tick)
        pos = end
    events.sort(key=lambda e: (e[0], e[1]))
    if end_tick <= 0:
        raise MidiError("the piece lasts no time")
    return division, events, end_tick


def timed_events(division, events, end_tick):
    """Seconds of every channel event and of the end, through the tempo map."""
    tempo = 500000
    last_tick = 0
    seconds = 0.0
    out = []
    for tick, _, msg in events:
        seconds += (tick - last_tick) * tempo / division / 1e6
        last_tick = tick
        if msg[0] == "tempo":
            tempo = msg[1]
        else:
            out.append((seconds, msg))
    seconds += (end_tick - last_tick) * tempo / division / 1e6
    return out, seconds


class Synth:
    def __init__(self, soundfont, effects=True):
        name = ctypes.util.find_library("fluidsynth") or "libfluidsynth.so.3"
        fl = ctypes.CDLL(name)
        self.fl = fl
        fl.new_fluid_settings.restype = ctypes.c_void_p
        fl.new_fluid_synth.restype = ctypes.c_void_p
        fl.new_fluid_synth.argtypes = [ctypes.c_void_p]
        fl.fluid_settings_setnum.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_double]
        fl.fluid_synth_sfload.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        for f in ("noteon", "cc", "key_pressure"):
            getattr(fl, "fluid_synth_" + f).argtypes = [ctypes.c_void_p] + [ctypes.c_int] * 3
        for f in ("noteoff", "program_change", "pitch_bend", "channel_pressure"):
            getattr(fl, "fluid_synth_" + f).argtypes = [ctypes.c_void_p] + [ctypes.c_int] * 2
        fl.fluid_synth_write_s16.argtypes = [ctypes.c_void_p, ctypes.c_int,
                                             ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                             ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        fl.delete_fluid_synth.argtypes = [ctypes.c_void_p]
        fl.delete_fluid_settings.argtypes = [ctypes.c_void_p]
        log = ctypes.CFUNCTYPE(None, ctypes.c_int, ctypes.c_char_p, ctypes.c_void_p)
        self._drop = log(lambda level, text, data: None)
        fl.fluid_set_log_function.argtypes = [ctypes.c_int, log, ctypes.c_void_p]
        for level in range(5):
            fl.fluid_set_log_function(level, self._drop, None)
        self.settings = fl.new_fluid_settings()
        fl.fluid_settings_setnum(self.settings, b"synth.sample-rate", float(RATE))
        fl.fluid_settings_setnum(self.settings, b"synth.gain", GAIN)
        self.synth = fl.new_fluid_synth(self.settings)
        if fl.fluid_synth_sfload(self.synth, soundfont.encode(), 1) < 0:
            raise SystemExit(f"cannot load the soundfont {soundfont}")
        if not effects:
            for f in ("reverb_on", "chorus_on"):
                getattr(fl, "fluid_synth_" + f).argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
                getattr(fl, "fluid_synth_" + f)(self.synth, -1, 0)

    def send(self, msg):
        _, status, d1, d2 = msg
        ch, kind, fl, s = status & 0x0F, status & 0xF0, self.fl, self.synth
        if kind == 0x90:
            fl.fluid_synth_noteon(s, ch, d1, d2)
        elif kind == 0x80:
            fl.fluid_synth_noteoff(s, ch, d1)
        elif kind == 0xB0:
            fl.fluid_synth_cc(s, ch, d1, d2)
        elif kind == 0xC0:
            fl.fluid_synth_program_change(s, ch, d1)
        elif kind == 0xE0:
            fl.fluid_synth_pitch_bend(s, ch, d1 | (d2 << 7))
        elif kind == 0xD0:
            fl.fluid_synth_channel_pressure(s, ch, d1)
        elif kind == 0xA0:
            fl.fluid_synth_key_pressure(s, ch, d1, d2)

    def render(self, frames, out):
        """Appends frames of interleaved stereo 16-bit samples to out (an array('h'))."""
        if frames <= 0:
            return
        buf = (ctypes.c_int16 * (frames * 2))()
        self.fl.fluid_synth_write_s16(self.synth, frames, buf, 0, 2, buf, 1, 2)
        out.frombytes(bytes(buf))

    def close(self):
        self.fl.delete_fluid_synth(self.synth)
        self.fl.delete_fluid_settings(self.settings)


def render_repeats(soundfont, timed, period, repeats, frames, effects=True):
    """The piece played `repeats` times in a row, each repetition starting
    exactly `period` frames after the last, cut to `frames` frames."""
    synth = Synth(soundfont, effects)
    out = array.array("h")
    done = 0
    for k in range(repeats):
        for seconds, msg in timed:
            at = min(k * period + round(seconds * RATE), frames)
            synth.render(at - done, out)
            done = max(done, at)
            synth.send(msg)
    synth.render(frames - done, out)
    synth.close()
    return out


def settle_point(samples, period, window=4096):
    """The first frame from which the second repetition equals the first: the
    notes still sounding from the repetition before have ended."""
    raw = samples.tobytes()
    first_end = period * 4
    step = window * 4
    quiet = 0
    start = None
    for at in range(0, first_end - step, step):
        a = raw[at:at + step]
        b = raw[at + first_end:at + first_end + step]
        diff = audioop.add(b, audioop.mul(a, 2, -1.0), 2)
        if audioop.max(diff, 2) <= 256:
            if start is None:
                start = at // 4
            quiet += 1
            if quiet == 8:
                return start
        else:
            quiet = 0
            start = None
    raise SystemExit("the repetitions never agree: the piece does not settle")


def crossfade(a, b, frames):
    """a faded out while b fades in, over `frames` stereo 16-bit frames."""
    out = array.array("h", a)
    for i in range(frames):
        w = (i + 0.5) / frames
        for c in (2 * i, 2 * i + 1):
            out[c] = max(-32768, min(32767, round(a[c] * (1 - w) + b[c] * w)))
    return out


def loop_stream(samples, period, loop_start, fade, tail):
    """The piece from its start to the end of one period after loop_start.
    The reverb and chorus drift slowly, so the second repetition is not the
    first sample for sample; over the last `fade` frames of the loop it fades
    into what preceded loop_start, so the jump back joins without a step.
    Then `tail` frames that repeat the loop's start, for a decoder that shifts
    the stream."""
    loop_end = loop_start + period
    head = samples[:(loop_end - fade) * 2]
    faded = crossfade(samples[(loop_end - fade) * 2:loop_end * 2],
                      samples[(loop_start - fade) * 2:loop_start * 2], fade)
    return head + faded + samples[loop_start * 2:(loop_start + tail) * 2]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--soundfont", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--lame", default="lame")
    ap.add_argument("--quality", default="6", help="lame's VBR quality, 0 best .. 9 smallest")
    ap.add_argument("--wav", action="store_true", help="keep the rendered WAVE files too")
    ap.add_argument("midi", nargs="+")
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    table = {}
    for path in args.midi:
        name = os.path.basename(path)
        with open(path, "rb") as f:
            division, events, end_tick = parse_midi(f.read())
        timed, seconds = timed_events(division, events, end_tick)
        period = max(BLOCK, round(seconds * RATE / BLOCK) * BLOCK)
        frames = period * 2 + RATE
        # Where the notes held over from a repetition have ended, seen without
        # the effects (whose drift never repeats exactly); then the reverb's
        # own tail dies away too before the loop starts.
        dry = render_repeats(args.soundfont, timed, period, 3, frames, effects=False)
        loop_start = settle_point(dry, period) + 2 * RATE
        del dry
        if loop_start + 0.5 * RATE > period:
            raise SystemExit(f"{name}: the piece is too short to loop")
        samples = render_repeats(args.soundfont, timed, period, 3, frames)
        stream = loop_stream(samples, period, loop_start, fade=RATE // 4, tail=RATE // 4)
        del samples
        length = len(stream) // 2
        loop_end = loop_start + period
        stem = os.path.splitext(name)[0]
        with tempfile.TemporaryDirectory() as tmp:
            wav_path = os.path.join(tmp, stem + ".wav")
            with wave.open(wav_path, "wb") as w:
                w.setnchannels(2)
                w.setsampwidth(2)
                w.setframerate(RATE)
                w.writeframes(stream.tobytes())
            mp3 = os.path.join(args.out, stem + ".mp3")
            subprocess.run([args.lame, "--quiet", "--noreplaygain", "-V", args.quality,
                            wav_path, mp3], check=True)
            if args.wav:
                os.replace(wav_path, os.path.join(args.out, stem + ".wav"))
        table[name] = {"file": stem + ".mp3", "rate": RATE, "frames": length,
                       "loopStart": loop_start, "loopEnd": loop_end}
        print(f"{name}: a period of {seconds:.3f} s, loop {loop_start}..{loop_end} of "
              f"{length} frames, {os.path.getsize(mp3) // 1024} KiB")
    with open(os.path.join(args.out, "music.json"), "w") as f:
        json.dump(table, f, indent=1, sort_keys=True)
        f.write("\n")


if __name__ == "__main__":
    try:
        main()
    except MidiError as e:
        sys.exit(f"render_music: {e}")
