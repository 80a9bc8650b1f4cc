"""Reading icon files and icon resources: the twelve images the program carries, in order."""

import struct

# (width, height, bits per pixel, bytes) of each image, in the order of the icon group.
EXPECTED_IMAGES = [
    (32, 32, 1, 304), (48, 48, 4, 1640), (32, 32, 4, 744), (16, 16, 4, 296),
    (48, 48, 8, 3752), (32, 32, 8, 2216), (16, 16, 8, 1384), (256, 256, 32, 270376),
    (128, 128, 32, 67624), (48, 48, 32, 9640), (32, 32, 32, 4264), (16, 16, 32, 1128),
]
EXPECTED_FILE_SIZE = 363566


def check_dib(dib, width, height, bits):
    """Problems with one image: a BITMAPINFOHEADER image with colour rows and mask, no PNG."""
    problems = []
    if dib[:8] == b"\x89PNG\r\n\x1a\n":
        return ["a PNG image"]
    size, w, h, planes, bpp, compression = struct.unpack_from("<IiiHHI", dib)
    if size != 40:
        problems.append(f"header size {size}")
    if (w, h, planes, bpp, compression) != (width, 2 * height, 1, bits, 0):
        problems.append(f"header {w}x{h} planes {planes} bits {bpp} compression {compression}")
    row = lambda b: (width * b + 31) // 32 * 4  # noqa: E731
    palette = 4 << bits if bits <= 8 else 0
    expected = 40 + palette + row(bits) * height + row(1) * height
    if len(dib) != expected:
        problems.append(f"{len(dib)} bytes where header, palette, colours and mask make {expected}")
    return problems


def read_icon_file(data):
    """(directory entries, image bytes) of an icon file; raises ValueError when malformed."""
    reserved, kind, count = struct.unpack_from("<HHH", data)
    if reserved != 0 or kind != 1:
        raise ValueError("not an icon file")
    entries, images = [], []
    for i in range(count):
        w, h, colours, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        entries.append((w or 256, h or 256, colours, planes, bits, size, offset))
        images.append(data[offset : offset + size])
    return entries, images


def check_icon_file(data):
    problems = []
    if len(data) != EXPECTED_FILE_SIZE:
        problems.append(f"icon file has {len(data)} bytes, not {EXPECTED_FILE_SIZE}")
    entries, images = read_icon_file(data)
    if len(entries) != len(EXPECTED_IMAGES):
        return problems + [f"{len(entries)} images instead of {len(EXPECTED_IMAGES)}"]
    offset = 6 + 16 * len(entries)
    for i, ((w, h, colours, planes, bits, size, start), dib, want) in enumerate(
            zip(entries, images, EXPECTED_IMAGES)):
        ew, eh, ebits, ebytes = want
        label = f"image {i + 1} ({ew}x{eh}, {ebits} bits)"
        expected_colours = 1 << ebits if ebits < 8 else 0
        if (w, h, bits, size, colours, planes) != (ew, eh, ebits, ebytes, expected_colours, 1):
            problems.append(f"{label}: directory says {w}x{h}, {bits} bits, {size} bytes, "
                            f"{colours} colours, {planes} planes")
        if start != offset:
            problems.append(f"{label}: starts at {start}, not right after the one before ({offset})")
        offset += size
        problems += [f"{label}: {p}" for p in check_dib(dib, ew, eh, ebits)]
    if offset != len(data):
        problems.append(f"{len(data) - offset} bytes after the last image")
    return problems
