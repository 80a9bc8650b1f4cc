#!/usr/bin/env python3
"""Makes the program's artwork into payloads/art/:

  banner.jpg  the banner picture, a progressive JPEG of 450 x 115 with three colour
              components (only the top 104 rows show in the window)
  wavoro.ico  the icon: twelve bitmap images in the sizes and colour depths the program file
              and the window carry

Needs python3 and imagemagick (for the lettering and the JPEG encoding) with the fonts
fonts-urw-base35 and fonts-wqy-microhei, all Debian packages. Run it from anywhere:
    python3 tools/art/make_art.py [output directory]
"""

import math
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from device import draw_device  # noqa: E402
from ico_file import dib_1bit, dib_4bit, dib_8bit, dib_32bit, icon_file  # noqa: E402
from raster import Canvas, clamp, hex_rgb, mix  # noqa: E402

CONVERT = "/usr/bin/convert"
TITLE_FONT = "/usr/share/fonts/opentype/urw-base35/URWGothic-DemiOblique.otf"
SMALL_FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

BANNER_W, BANNER_H = 450, 115
SHOWN_H = 104  # rows of the banner inside the window

# (width, height, bits per pixel) in the order of the icon group
ICON_IMAGES = [
    (32, 32, 1), (48, 48, 4), (32, 32, 4), (16, 16, 4), (48, 48, 8), (32, 32, 8), (16, 16, 8),
    (256, 256, 32), (128, 128, 32), (48, 48, 32), (32, 32, 32), (16, 16, 32),
]


def text_mask(text, font, size, x, y, blur=0.0, kerning=0.0):
    """Coverage 0..1 of `text` drawn with its baseline starting at x, y on the banner."""
    cmd = [CONVERT, "-size", f"{BANNER_W}x{BANNER_H}", "xc:black", "-font", font,
           "-pointsize", str(size), "-kerning", str(kerning), "-fill", "white",
           "-annotate", f"+{x}+{y}", text]
    if blur:
        cmd += ["-blur", f"0x{blur}"]
    cmd += ["-depth", "8", "gray:-"]
    data = subprocess.run(cmd, check=True, capture_output=True).stdout
    assert len(data) == BANNER_W * BANNER_H
    return [v / 255.0 for v in data]


def over(pixels, mask, colour, opacity=1.0):
    for i, m in enumerate(mask):
        a = m * opacity
        if a > 0:
            p = pixels[i]
            pixels[i] = tuple(p[k] + (colour[k] - p[k]) * a for k in range(3))


def banner():
    violet, blue = hex_rgb("#5a1fa6"), hex_rgb("#1557d6")
    pixels = []
    for y in range(BANNER_H):
        for x in range(BANNER_W):
            t = clamp((x - 60) / 360.0)
            t = t * t * (3 - 2 * t)
            c = mix(violet, blue, t)
            # a little lighter along the top, deeper towards the bottom of the visible part
            shade = 1.08 - 0.22 * clamp(y / SHOWN_H)
            c = tuple(clamp(v * shade) for v in c)
            # faint diagonal light streaks, leaning right
            light = 0.0
            for offset, width, strength in ((70, 26, 0.10), (150, 9, 0.08), (215, 38, 0.07),
                                            (300, 14, 0.09), (345, 6, 0.07), (420, 30, 0.06)):
                d = (x + (y - SHOWN_H / 2) * 0.55) - offset
                light += strength * math.exp(-(d / width) ** 2)
            pixels.append(mix(c, (1.0, 1.0, 1.0), clamp(light)))

    # the title, with a soft dark shadow, and its faded mirror image under the baseline
    title_x, baseline = 118, 64
    shadow = text_mask("Wavoro", TITLE_FONT, 62, title_x + 2, baseline + 3, blur=3, kerning=1)
    over(pixels, shadow, (0.05, 0.02, 0.20), 0.55)
    title = text_mask("Wavoro", TITLE_FONT, 62, title_x, baseline, kerning=1)
    reflection = [0.0] * len(title)
    gap, depth = 2, 26
    for k in range(depth):
        src, dst = baseline - k, baseline + gap + k
        if dst >= BANNER_H or src < 0:
            break
        fade = 0.38 * (1 - k / depth) ** 1.6
        for x in range(BANNER_W):
            reflection[dst * BANNER_W + x] = title[src * BANNER_W + x] * fade
    over(pixels, reflection, (1.0, 1.0, 1.0))
    over(pixels, title, (1.0, 1.0, 1.0))

    # a short line of small white text at the bottom right of the visible part
    line = "一键开启无线热点 · 共享网络"
    small = text_mask(line, SMALL_FONT, 11, 292, SHOWN_H - 7)
    over(pixels, small, (1.0, 1.0, 1.0), 0.92)

    # the device on the left
    canvas = Canvas(BANNER_W, BANNER_H)
    for i, p in enumerate(pixels):
        canvas.px[i] = [p[0], p[1], p[2], 1.0]
    canvas.composite(draw_device(96), 12, 4)
    return canvas.rgba8()


def write_banner(path):
    rgba = banner()
    rgb = bytes(b for i, b in enumerate(rgba) if i % 4 != 3)
    subprocess.run([CONVERT, "-size", f"{BANNER_W}x{BANNER_H}", "-depth", "8", "rgb:-", "-strip",
                    "-interlace", "Plane", "-sampling-factor", "2x2,1x1,1x1", "-quality", "92",
                    "jpeg:" + path], input=rgb, check=True)


def light_for_1bit(c):
    r, g, b = c
    # the lights stay white in their dark strip
    return 0.30 * r + 0.59 * g + 0.11 * b > 150 or g > r + 40


def write_icon(path):
    renders = {}
    images = []
    for width, height, bits in ICON_IMAGES:
        if width not in renders:
            renders[width] = draw_device(width).rgba8()
        rgba = renders[width]
        if bits == 1:
            dib = dib_1bit(width, height, rgba, light_for_1bit)
        elif bits == 4:
            dib = dib_4bit(width, height, rgba)
        elif bits == 8:
            dib = dib_8bit(width, height, rgba)
        else:
            dib = dib_32bit(width, height, rgba)
        images.append((width, height, bits, dib))
    data = icon_file(images)
    with open(path, "wb") as f:
        f.write(data)
    return len(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "payloads", "art")
    os.makedirs(out, exist_ok=True)
    write_banner(os.path.join(out, "banner.jpg"))
    size = write_icon(os.path.join(out, "wavoro.ico"))
    print(f"banner.jpg and wavoro.ico ({size} bytes) written to {os.path.normpath(out)}")


if __name__ == "__main__":
    main()
