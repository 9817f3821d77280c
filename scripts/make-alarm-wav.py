#!/usr/bin/env python3
"""Writes data/Alarm.wav: a soft two-note chime (a falling major third), synthesised here.

Each note is a sine with a quiet octave partial, a 5 ms attack and an exponential decay, so the
alarm is noticeable without being harsh when it repeats every 15 seconds.
"""
import math
import struct
import sys
import wave

RATE = 22050


def note(freq, start, length, peak, samples):
    attack = int(0.005 * RATE)
    first = int(start * RATE)
    for i in range(int(length * RATE)):
        t = i / RATE
        envelope = min(1.0, i / attack) * math.exp(-t * 5.0)
        value = math.sin(2 * math.pi * freq * t) + 0.25 * math.sin(4 * math.pi * freq * t)
        samples[first + i] += peak * envelope * value / 1.25


def main(path):
    total = 1.1
    samples = [0.0] * int(total * RATE)
    note(1318.51, 0.00, 0.55, 0.55, samples)  # E6
    note(1046.50, 0.22, 0.85, 0.55, samples)  # C6
    fade = int(0.05 * RATE)
    for i in range(fade):
        samples[-1 - i] *= i / fade
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32000)) for s in samples))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "data/Alarm.wav")
