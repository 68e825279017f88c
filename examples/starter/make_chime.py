#!/usr/bin/env python3
"""make_chime.py - writes wav/goal.wav, the starter game's goal chime.

Two short bell-like notes (E6 then A6) as 16-bit mono 22050 Hz PCM. Change
the notes or lengths and run it again to change the sound.

Usage: python3 make_chime.py [output path]   (default: wav/goal.wav here)
"""
import math
import os
import struct
import sys
import wave

RATE = 22050
NOTES = [(1318.5, 0.12), (1760.0, 0.35)]  # (Hz, seconds)


def samples():
    """The notes one after the other, each fading out."""
    for freq, length in NOTES:
        count = int(RATE * length)
        for i in range(count):
            t = i / RATE
            fade = math.exp(-6.0 * t / length)
            value = 0.5 * fade * (math.sin(2 * math.pi * freq * t)
                                  + 0.3 * math.sin(4 * math.pi * freq * t))
            yield int(max(-1.0, min(1.0, value)) * 32767)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "wav", "goal.wav")
    with wave.open(out, "wb") as f:
        f.setnchannels(1)
        f.setsampwidth(2)
        f.setframerate(RATE)
        f.writeframes(b"".join(struct.pack("<h", s) for s in samples()))


if __name__ == "__main__":
    main()
