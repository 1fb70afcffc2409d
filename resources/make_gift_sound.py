#!/usr/bin/env python3
"""Writes gift.wav beside this script: the gift sound, two short bell tones
(E6 then A6) with a quick decay, 16-bit mono at 22050 Hz, about 7 kB."""
import math
import os
import struct
import wave

RATE = 22050
NOTES = [(1318.5, 0.07), (1760.0, 0.09)]  # hertz, seconds

samples = []
for freq, seconds in NOTES:
    n = int(RATE * seconds)
    for i in range(n):
        t = i / RATE
        envelope = math.exp(-t * 30) * min(1.0, i / 40)  # no click at the start
        tone = math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(4 * math.pi * freq * t)
        samples.append(int(12000 * envelope * tone))

path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "gift.wav")
with wave.open(path, "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(RATE)
    out.writeframes(struct.pack("<%dh" % len(samples), *samples))
