#!/usr/bin/env python3
"""make_sounds.py - makes the sample sounds and the WAVE fuzz seeds.

tools/samples/wav/ (played by the showcase's sound page):
  blip.wav   a short square-wave blip falling in pitch, 8-bit mono 11025 Hz
  chord.wav  a C major chord of plucked tones spread left to right,
             16-bit stereo 22050 Hz
  sweep.wav  a voice-like sweep: a buzzing source gliding up and down
             through two moving vowel resonances, 16-bit mono 22050 Hz
tools/samples/music/ (streamed by the showcase's stream page):
  theme.wav  eight seconds of arpeggios over a chord that changes each
             second, 8-bit mono 11025 Hz; its loop point is second 3
fuzz/corpus/wave/ (seeds for the RIFF reader's fuzzer):
  small PCM files, one with an odd extra chunk, one non-PCM with extra
  format bytes.
fuzz/corpus/sound_pack/ (seeds for the sound pack reader's fuzzer):
  a pack of two entries (one with extra format bytes) and an empty entry.

Everything is computed here; nothing is copied from elsewhere.
Usage: make_sounds.py [repository root]   (default: this script's parent)
"""
import math
import os
import struct
import sys
import wave


def write_wave(path, rate, channels, width, frames):
    """frames: list of tuples of floats in -1..1, one value per channel."""
    with wave.open(path, "wb") as w:
        w.setnchannels(channels)
        w.setsampwidth(width)
        w.setframerate(rate)
        data = bytearray()
        for frame in frames:
            for v in frame:
                v = max(-1.0, min(1.0, v))
                if width == 1:
                    data.append(int(round(v * 127)) + 128)
                else:
                    data += struct.pack("<h", int(round(v * 32767)))
        w.writeframes(bytes(data))


def blip():
    rate, seconds = 11025, 0.12
    out, phase = [], 0.0
    for k in range(int(rate * seconds)):
        t = k / rate
        hz = 1400 - 6000 * t
        phase += hz / rate
        env = min(1.0, t / 0.003) * math.exp(-t / 0.05)
        out.append((0.6 * env * (1 if phase % 1 < 0.5 else -1),))
    return rate, 1, 1, out


def chord():
    rate, seconds = 22050, 1.0
    notes = [(261.63, -0.8), (329.63, 0.0), (392.0, 0.8), (523.25, 0.3)]
    out = []
    for k in range(int(rate * seconds)):
        t = k / rate
        left = right = 0.0
        for i, (hz, pan) in enumerate(notes):
            start = 0.04 * i
            if t < start:
                continue
            u = t - start
            v = (math.sin(2 * math.pi * hz * u) + 0.4 * math.sin(4 * math.pi * hz * u)
                 + 0.15 * math.sin(6 * math.pi * hz * u)) * math.exp(-3.0 * u) * min(1.0, u / 0.005)
            left += v * (1 - pan) / 2
            right += v * (1 + pan) / 2
        out.append((0.3 * left, 0.3 * right))
    return rate, 2, 2, out


def sweep():
    rate, seconds = 22050, 1.5
    out, phase = [], 0.0
    # Two resonators (vowel formants) moving from "a" to "i" and back.
    state = [[0.0, 0.0], [0.0, 0.0]]
    for k in range(int(rate * seconds)):
        t = k / rate
        glide = math.sin(math.pi * t / seconds)
        pitch = 140 + 120 * glide
        phase += pitch / rate
        source = 2 * (phase % 1) - 1  # a buzz rich in harmonics
        formants = [(800 - 500 * glide, 80), (1200 + 1100 * glide, 120)]
        y = 0.0
        for (f, bw), s in zip(formants, state):
            r = math.exp(-math.pi * bw / rate)
            a1, a2 = 2 * r * math.cos(2 * math.pi * f / rate), -r * r
            v = (1 - r) * source + a1 * s[0] + a2 * s[1]
            s[1], s[0] = s[0], v
            y += v
        env = min(1.0, t / 0.03) * min(1.0, (seconds - t) / 0.08)
        out.append(y * env)
    peak = max(abs(v) for v in out)
    return rate, 1, 2, [(0.7 * v / peak,) for v in out]


def theme():
    rate, seconds = 11025, 8.0
    roots = [261.63, 220.0, 174.61, 196.0, 261.63, 329.63, 293.66, 196.0]
    out = []
    for k in range(int(rate * seconds)):
        t = k / rate
        second, within = int(t), t % 1.0
        step, u = int(within * 4), within % 0.25
        hz = roots[second] * (1.0, 1.25, 1.5, 2.0)[step]
        v = math.sin(2 * math.pi * hz * u) * math.exp(-8.0 * u) * min(1.0, u / 0.004)
        bass = 0.3 * math.sin(2 * math.pi * roots[second] / 2 * t)
        out.append((0.5 * v + bass,))
    return rate, 1, 1, out


def riff(chunks):
    body = b"WAVE" + b"".join(
        cid + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")
        for cid, data in chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def seeds(folder):
    os.makedirs(folder, exist_ok=True)
    pcm8 = struct.pack("<HHIIHH", 1, 1, 8000, 8000, 1, 8)
    pcm16 = struct.pack("<HHIIHH", 1, 2, 22050, 88200, 4, 16)
    adpcm = struct.pack("<HHIIHHH", 2, 1, 8000, 4096, 256, 4, 4) + b"\x01\x02\x03\x04"
    files = {
        "pcm8.wav": riff([(b"fmt ", pcm8), (b"data", bytes(range(0, 256, 8)))]),
        "pcm16_list.wav": riff([(b"LIST", b"odd"), (b"fmt ", pcm16), (b"data", bytes(64))]),
        "adpcm_extra.wav": riff([(b"fmt ", adpcm), (b"fact", struct.pack("<I", 10)),
                                 (b"data", bytes(40))]),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def pack_entry(name, fmt, data):
    """One sound pack entry: Size, name and zero, HeadSize, format, data."""
    head = fmt if len(fmt) >= 18 else fmt + struct.pack("<H", 0)
    return (struct.pack("<I", len(data)) + name + b"\0" + struct.pack("<I", len(head)) +
            head + data)


def pack_seeds(folder):
    os.makedirs(folder, exist_ok=True)
    pcm8 = struct.pack("<HHIIHH", 1, 1, 8000, 8000, 1, 8)
    adpcm = struct.pack("<HHIIHHH", 2, 1, 8000, 4096, 256, 4, 4) + b"\x01\x02\x03\x04"
    files = {
        "two.pak": pack_entry(b"A.WAV", pcm8, bytes(range(0, 256, 8))) +
                   pack_entry(b"B.WAV", adpcm, bytes(40)),
        "empty_entry.pak": struct.pack("<I", 0) + b"JUNK.WAV\0" + struct.pack("<I", 0),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(
        os.path.abspath(__file__)))
    folder = os.path.join(root, "tools", "samples", "wav")
    os.makedirs(folder, exist_ok=True)
    for name, make in (("blip", blip), ("chord", chord), ("sweep", sweep)):
        rate, channels, width, frames = make()
        write_wave(os.path.join(folder, name + ".wav"), rate, channels, width, frames)
    music = os.path.join(root, "tools", "samples", "music")
    os.makedirs(music, exist_ok=True)
    write_wave(os.path.join(music, "theme.wav"), *theme())
    seeds(os.path.join(root, "fuzz", "corpus", "wave"))
    pack_seeds(os.path.join(root, "fuzz", "corpus", "sound_pack"))


if __name__ == "__main__":
    main()
