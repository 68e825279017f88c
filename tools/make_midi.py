#!/usr/bin/env python3
"""make_midi.py - makes the sample MIDI music and the MIDI fuzz seeds.

tools/samples/midi/tune.mid   a short tune, format 1: a tempo track, a
                              melody on a piano and a bass line (about 4 s)
tools/samples/midi/blip.mid   one half-second note, format 0 (for tests)
fuzz/corpus/midi/             both files as seeds for the MIDI check's fuzzer

Everything is computed here; nothing is copied from elsewhere.
Usage: make_midi.py [repository root]   (default: this script's parent)
"""
import os
import struct
import sys

DIVISION = 96  # ticks per quarter note


def var_len(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)


def track(events):
    """events: (delta ticks, bytes) pairs; the end-of-track event is added."""
    body = b"".join(var_len(d) + e for d, e in events) + var_len(0) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(body)) + body


def smf(fmt, tracks):
    return b"MThd" + struct.pack(">IHHH", 6, fmt, len(tracks), DIVISION) + b"".join(tracks)


def tempo(bpm):
    return b"\xff\x51\x03" + struct.pack(">I", 60000000 // bpm)[1:]


def notes(channel, program, seq):
    """seq: (note, length in ticks) pairs; note None is a rest."""
    events = [(0, bytes([0xC0 | channel, program]))]
    wait = 0
    for note, length in seq:
        if note is None:
            wait += length
            continue
        events.append((wait, bytes([0x90 | channel, note, 96])))
        events.append((length, bytes([0x80 | channel, note, 0])))
        wait = 0
    return events


def tune():
    q, e = DIVISION, DIVISION // 2
    melody = [(72, q), (76, q), (79, q), (76, e), (77, e), (74, q), (71, q), (72, 2 * q)]
    bass = [(48, 2 * q), (43, 2 * q), (45, 2 * q), (41, q), (43, q)]
    return smf(1, [track([(0, tempo(120))]), track(notes(0, 0, melody)),
                   track(notes(1, 32, bass))])


def blip():
    return smf(0, [track([(0, tempo(120))] + notes(0, 80, [(69, DIVISION)]))])


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(
        os.path.abspath(__file__)))
    files = {"tune.mid": tune(), "blip.mid": blip()}
    for folder in (os.path.join(root, "tools", "samples", "midi"),
                   os.path.join(root, "fuzz", "corpus", "midi")):
        os.makedirs(folder, exist_ok=True)
        for name, data in files.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
