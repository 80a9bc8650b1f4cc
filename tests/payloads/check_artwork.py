#!/usr/bin/env python3
"""Checks the committed artwork: the icon's twelve images with their exact sizes, depths and
byte counts, and the banner as a progressive three-component JPEG of 450 x 115.

Usage: check_artwork.py ICON BANNER
"""

import struct
import sys

from icon_format import check_icon_file


def jpeg_frame(data):
    """(marker, height, width, components) of the first frame header of a JPEG."""
    if data[:2] != b"\xff\xd8":
        raise ValueError("no JPEG start marker")
    pos = 2
    while pos + 4 <= len(data):
        if data[pos] != 0xFF:
            raise ValueError(f"no marker at offset {pos}")
        marker = data[pos + 1]
        length = struct.unpack_from(">H", data, pos + 2)[0]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            _, height, width, components = struct.unpack_from(">BHHB", data, pos + 4)
            return marker, height, width, components
        pos += 2 + length
    raise ValueError("no frame header")


def check_banner(data):
    marker, height, width, components = jpeg_frame(data)
    problems = []
    if marker != 0xC2:
        problems.append(f"frame marker FF{marker:02X}, not FFC2 (progressive)")
    if (width, height) != (450, 115):
        problems.append(f"{width} x {height} pixels, not 450 x 115")
    if components != 3:
        problems.append(f"{components} colour components, not 3")
    return problems


def main():
    icon, banner = sys.argv[1:3]
    problems = [f"icon: {p}" for p in check_icon_file(open(icon, "rb").read())]
    problems += [f"banner: {p}" for p in check_banner(open(banner, "rb").read())]
    for p in problems:
        print(p)
    print("artwork: " + ("FAILED" if problems else "ok"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
