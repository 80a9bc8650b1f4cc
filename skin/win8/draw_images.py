#!/usr/bin/env python3
"""Draws the images of the win8 skin as ASCII Netpbm files next to this script.

The title bar runs from the banner's violet to its blue, lit a little at the top; the inactive
one is the same washed out towards white. The caption glyphs are 10 x 10 coverage masks,
sampled 8 x 8 times per pixel so that their diagonals are smooth.
Run it again after changing a colour here; the files it writes are the skin's source.
"""

import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
VIOLET, BLUE = (0x5A, 0x1F, 0xA6), (0x15, 0x57, 0xD6)
TITLE_W, TITLE_H = 150, 24


def mix(a, b, t):
    return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))


def title(washed):
    rows = []
    for y in range(TITLE_H):
        row = []
        for x in range(TITLE_W):
            # the banner's own course: violet up to about 60 px, blue from about 420 px (of 450)
            t = min(1.0, max(0.0, (x * 3 - 60) / 360.0))
            t = t * t * (3 - 2 * t)
            c = mix(VIOLET, BLUE, t)
            shade = 1.10 - 0.16 * y / (TITLE_H - 1)
            c = tuple(min(255.0, v * shade) for v in c)
            if washed:
                c = mix(c, (250, 249, 253), 0.78)
            row.append(tuple(int(round(v)) for v in c))
        rows.append(row)
    return rows


def write_ppm(name, rows):
    with open(os.path.join(HERE, name), "w") as f:
        f.write(f"P3\n# {name}: drawn by draw_images.py\n{len(rows[0])} {len(rows)}\n255\n")
        for row in rows:
            f.write(" ".join(f"{r} {g} {b}" for r, g, b in row) + "\n")


def mask(inside, w=10, h=10, n=8):
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            hits = sum(inside(x + (i + 0.5) / n, y + (j + 0.5) / n) for i in range(n) for j in range(n))
            row.append(int(round(255 * hits / (n * n))))
        rows.append(row)
    return rows


def write_pgm(name, rows):
    with open(os.path.join(HERE, name), "w") as f:
        f.write(f"P2\n# {name}: drawn by draw_images.py\n{len(rows[0])} {len(rows)}\n255\n")
        for row in rows:
            f.write(" ".join(f"{v:3d}" for v in row) + "\n")


def close(x, y):
    half = 0.55  # half the stroke width
    d1 = abs((x - 0.5) - (y - 0.5)) / math.sqrt(2)
    d2 = abs((x - 0.5) + (y - 0.5) - 9.0) / math.sqrt(2)
    return 0.5 <= x <= 9.5 and 0.5 <= y <= 9.5 and min(d1, d2) <= half


def frame(x, y, left, top, right, bottom):
    inside = left <= x < right and top <= y < bottom
    hollow = left + 1 <= x < right - 1 and top + 1 <= y < bottom - 1
    return inside and not hollow


def maximize(x, y):
    return frame(x, y, 0, 0, 10, 10)


def restore(x, y):
    front = frame(x, y, 0, 2, 8, 10)
    back = frame(x, y, 2, 0, 10, 8) and not (0 <= x < 8 and 2 <= y < 10)
    return front or back


def minimize(x, y):
    return 0 <= x < 10 and 5 <= y < 6


if __name__ == "__main__":
    write_ppm("title_active.ppm", title(False))
    write_ppm("title_inactive.ppm", title(True))
    write_pgm("glyph_close.pgm", mask(close))
    write_pgm("glyph_maximize.pgm", mask(maximize))
    write_pgm("glyph_restore.pgm", mask(restore))
    write_pgm("glyph_minimize.pgm", mask(minimize))
