#!/usr/bin/env python3
"""Draws the demo dictionary's pictures and sound: a cat's face (PBM,
monochrome figure), a cherry blossom (PPM, colour image) and a bell's
chime (WAV, 16-bit mono). Run it to regenerate the files beside it."""
import math
import struct
import wave


def cat(w=48, h=48):
    def ink(x, y):
        cx, cy = w / 2, h / 2 + 4
        r = math.hypot(x - cx, y - cy)
        head = 15.5 <= r <= 17.5
        # Ears: two outlined triangles above the head.
        for ex in (cx - 10, cx + 10):
            if 3 <= y <= 16 and abs(x - ex) <= (y - 3) * 0.55 and abs(x - ex) >= (y - 3) * 0.55 - 1.5:
                head = True
        eyes = any(math.hypot(x - ex, y - (cy - 3)) <= 2.2 for ex in (cx - 6, cx + 6))
        nose = abs(x - cx) <= 1 and cy + 2 <= y <= cy + 3
        whisker = any(abs(y - (cy + 4 + k * 0.12 * (abs(x - cx)))) < 0.6 and 6 <= abs(x - cx) <= 22
                      for k in (-1, 0, 1))
        return head or eyes or nose or whisker
    rows = ["".join("1" if ink(x, y) else "0" for x in range(w)) for y in range(h)]
    with open("neko.pbm", "w") as f:
        f.write("P1\n# cat's face\n%d %d\n" % (w, h))
        for row in rows:
            f.write(" ".join(row) + "\n")


def blossom(w=40, h=40):
    cx, cy = w / 2, h / 2
    out = []
    for y in range(h):
        for x in range(w):
            dx, dy = x - cx + 0.5, y - cy + 0.5
            r, a = math.hypot(dx, dy), math.atan2(dy, dx)
            edge = 11 + 7 * abs(math.cos(2.5 * a))
            if r < 3.5:
                out.append((230, 180, 40))     # centre
            elif r < edge:
                shade = int(40 * r / edge)
                out.append((250 - shade // 2, 170 - shade, 200 - shade))
            else:
                out.append((255, 255, 255))
    with open("sakura.ppm", "w") as f:
        f.write("P3\n# cherry blossom\n%d %d\n255\n" % (w, h))
        for y in range(h):
            f.write(" ".join("%d %d %d" % out[y * w + x] for x in range(w)) + "\n")


def chime(rate=11025, seconds=0.5):
    frames = bytearray()
    for n in range(int(rate * seconds)):
        t = n / rate
        v = math.exp(-6 * t) * (0.6 * math.sin(2 * math.pi * 880 * t) + 0.3 * math.sin(2 * math.pi * 1320 * t))
        frames += struct.pack("<h", int(v * 20000))
    with wave.open("suzu.wav", "wb") as f:
        f.setnchannels(1)
        f.setsampwidth(2)
        f.setframerate(rate)
        f.writeframes(bytes(frames))


if __name__ == "__main__":
    cat()
    blossom()
    chime()
