#!/usr/bin/env python3
"""Writes the shell's sounds, install/Wav/*.wav: short chimes, mono 16-bit PCM.

Each note is a soft bell: a sine with a fading second and third partial, a raised-cosine
attack and an exponential decay. A sound is faded to silence at its end and scaled to a
peak of -6 dBFS. The output is the same on every run.

    python3 tools/make_sounds.py
"""

import math
import os
import struct
import wave

RATE = 22050
PEAK = 0.5  # -6 dBFS
ATTACK = 0.012  # s
RELEASE = 0.06  # s
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WAV_DIR = os.path.join(ROOT, "install", "Wav")

# Semitones from A4 = 440 Hz within octave 4.
STEPS = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}

# file: (length in s, notes as (start in s, note, decay time constant in s, gain))
SOUNDS = {
    # a rising C major arpeggio
    "OmbrixWelcome.wav": (1.0, [(0.00, "C5", 0.35, 1.0), (0.11, "E5", 0.35, 0.9),
                                (0.22, "G5", 0.35, 0.85), (0.33, "C6", 0.40, 0.8)]),
    # two tones, a falling fourth
    "Running-1.wav": (0.6, [(0.00, "A5", 0.16, 1.0), (0.22, "E5", 0.20, 1.0)]),
    # three tones rising, a D major triad
    "Running-2.wav": (0.8, [(0.00, "D5", 0.14, 1.0), (0.20, "F#5", 0.14, 0.95),
                            (0.40, "A5", 0.22, 0.9)]),
    # a falling arpeggio
    "GoodBye.wav": (0.9, [(0.00, "C6", 0.30, 0.8), (0.12, "G5", 0.30, 0.85),
                          (0.24, "E5", 0.30, 0.9), (0.36, "C5", 0.35, 1.0)]),
}


def frequency(note):
    """'C5', 'F#4' -> Hz."""
    semitones = STEPS[note[0]] + note.count("#") + (int(note[-1]) - 4) * 12
    return 440.0 * 2.0 ** (semitones / 12.0)


def add_bell(buf, start, note, tau, gain):
    f = frequency(note)
    first = int(round(start * RATE))
    for i in range(first, len(buf)):
        t = (i - first) / RATE
        envelope = math.exp(-t / tau)
        if t < ATTACK:
            envelope *= 0.5 - 0.5 * math.cos(math.pi * t / ATTACK)
        w = 2.0 * math.pi * f * t
        partials = (math.sin(w) + 0.18 * math.sin(2 * w) * math.exp(-t / (tau * 0.5))
                    + 0.06 * math.sin(3 * w) * math.exp(-t / (tau * 0.3)))
        buf[i] += gain * envelope * partials


def render(length, notes):
    buf = [0.0] * int(round(length * RATE))
    for note in notes:
        add_bell(buf, *note)
    fade = int(RELEASE * RATE)
    for k in range(fade):
        buf[len(buf) - 1 - k] *= 0.5 - 0.5 * math.cos(math.pi * k / fade)
    peak = max(abs(v) for v in buf)
    return [int(round(v / peak * PEAK * 32767)) for v in buf]


def write_wav(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))


def main():
    for name, (length, notes) in SOUNDS.items():
        write_wav(os.path.join(WAV_DIR, name), render(length, notes))


if __name__ == "__main__":
    main()
