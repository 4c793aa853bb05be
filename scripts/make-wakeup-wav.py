#!/usr/bin/env python3
"""Synthesises src/resources/wakeup.wav, the default alarm sound: three rising bell tones, 16-bit mono 22050 Hz."""
import math
import struct
import sys
import wave

RATE = 22050
out = sys.argv[1] if len(sys.argv) > 1 else "src/resources/wakeup.wav"
total = int(RATE * 1.1)
buf = [0.0] * total
for freq, start in ((880.0, 0.0), (1108.73, 0.18), (1318.51, 0.36)):
    s0 = int(start * RATE)
    for i in range(int(0.7 * RATE)):
        if s0 + i >= total:
            break
        t = i / RATE
        env = math.exp(-5.0 * t) * min(1.0, t * 400)
        v = math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(2 * math.pi * 2 * freq * t)
        buf[s0 + i] += 0.3 * env * v
with wave.open(out, "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(RATE)
    w.writeframes(b"".join(struct.pack("<h", int(max(-1, min(1, x)) * 32000)) for x in buf))
