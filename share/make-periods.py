#!/usr/bin/env python3
"""Writes the period files the synthesizer ships with (standard.qvf and friends).

    python3 share/make-periods.py [OUTPUT_FOLDER]     (default: the folder of this script)

A period file holds, little-endian: the point count C (32 bits,
500 here), a frequency code (32 bits: below 1000 a period length in whole milliseconds, so
frequency = 1000 / code; 1000 or more the frequency in Hz), then C points, one unsigned byte
each, 128 the zero line. The program never runs this script: the files it makes are committed.

Each period is a sum of harmonics (or a classic wave shape), scaled to a peak of 120 around 128;
the synthesizer scales every period to its full volume anyway.
"""

import math
import os
import struct
import sys

POINTS = 500


def harmonics(amplitudes, phases=None):
    """A period from the amplitudes of harmonics 1, 2, 3, ... (sine phase unless given)."""
    phases = phases or [0.0] * len(amplitudes)
    return [sum(a * math.sin(2 * math.pi * (h + 1) * i / POINTS + p)
                for h, (a, p) in enumerate(zip(amplitudes, phases)))
            for i in range(POINTS)]


def shaped(function):
    return [function(i / POINTS) for i in range(POINTS)]


def points_of(wave):
    peak = max(abs(v) for v in wave) or 1.0
    return bytes(max(0, min(255, round(128 + 120 * v / peak))) for v in wave)


def square(t):
    # Edges of a few points, so that the square is not harsher than it must be.
    edge = 0.01
    if t < edge:
        return t / edge
    if t < 0.5 - edge:
        return 1.0
    if t < 0.5 + edge:
        return (0.5 - t) / edge
    if t < 1 - edge:
        return -1.0
    return (t - 1) / edge


def saw(t):
    return 1 - 2 * t if t >= 0.02 else t / 0.02 * 0.96


def triangle(t):
    return 4 * t if t < 0.25 else 2 - 4 * t if t < 0.75 else 4 * t - 4


# name: (frequency code, the wave). Codes below 1000 are milliseconds: 4 is 250 Hz.
PERIODS = {
    # A warm tone: the fundamental with a little of the octave and the fifth above it.
    "standard.qvf": (4, harmonics([1.0, 0.35, 0.18, 0.06])),
    # Almost a sine, with a breath of the second and third harmonic.
    "flute.qvf": (2, harmonics([1.0, 0.12, 0.05])),
    # Drawbars 16', 8', 4', 2 2/3', 2': the harmonics 1, 2, 3, 4 and a touch of 6 and 8.
    "organ.qvf": (5, harmonics([1.0, 0.8, 0.6, 0.5, 0.0, 0.3, 0.0, 0.25])),
    # Odd harmonics only, falling off quickly: the hollow sound of a clarinet.
    "clarinet.qvf": (3, harmonics([1.0, 0.0, 0.45, 0.0, 0.25, 0.0, 0.12, 0.0, 0.06])),
    "square.qvf": (10, shaped(square)),
    "saw.qvf": (8, shaped(saw)),
    "triangle.qvf": (2, shaped(triangle)),
    # A sung "ah" at 125 Hz: the harmonics near the vowel's formants (about 700 and 1100 Hz)
    # stand out over a soft fundamental.
    "voice.qvf": (8, harmonics([0.5, 0.4, 0.35, 0.45, 0.8, 1.0, 0.7, 0.45, 0.6, 0.4, 0.2, 0.1],
                               [0.0, 0.9, 1.7, 2.2, 0.4, 1.1, 2.9, 0.3, 1.4, 2.6, 0.8, 1.9])),
}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, (code, wave) in PERIODS.items():
        data = points_of(wave)
        with open(os.path.join(folder, name), "wb") as out:
            out.write(struct.pack("<ii", len(data), code) + data)


if __name__ == "__main__":
    main()
