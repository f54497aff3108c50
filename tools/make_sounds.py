#!/usr/bin/env python3
"""Writes dist/musica.wav (the quiet loop played while a calculation runs) and
dist/fim.wav (the end signal): 16-bit PCM mono 22050 Hz, standard library only."""
import math
import struct
import sys
import wave
from pathlib import Path

RATE = 22050


def note(freq, seconds, volume, attack=0.02, decay=4.0):
    """A soft bell-like tone: sine plus a quiet octave, fast attack, exponential fade."""
    count = int(RATE * seconds)
    out = []
    for i in range(count):
        t = i / RATE
        env = min(1.0, t / attack) * math.exp(-decay * t)
        # The last 10 ms fade to zero so notes join without clicks.
        tail = min(1.0, (count - i) / (0.01 * RATE))
        s = math.sin(2 * math.pi * freq * t) + 0.25 * math.sin(4 * math.pi * freq * t)
        out.append(volume * env * tail * s / 1.25)
    return out


def write(path, samples):
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(s * 32767)))) for s in samples)
        w.writeframes(frames)


def music():
    # A pentatonic figure of eight notes, 0.45 s each: 3.6 s that loops
    # seamlessly because every note ends in silence.
    freqs = [523.25, 659.25, 783.99, 880.00, 783.99, 659.25, 587.33, 659.25]
    samples = []
    for f in freqs:
        samples += note(f, 0.45, 0.18, decay=5.0)
    return samples


def end_signal():
    # Two rising chimes, 1.1 s in all.
    return note(659.25, 0.35, 0.35, decay=6.0) + note(987.77, 0.75, 0.35, decay=4.0)


def main():
    dist = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "dist"
    write(dist / "musica.wav", music())
    write(dist / "fim.wav", end_signal())


if __name__ == "__main__":
    main()
