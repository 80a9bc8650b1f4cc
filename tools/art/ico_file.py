"""Writes an icon file of device-independent bitmaps (no PNG images), byte by byte.

Each image is a BITMAPINFOHEADER (its height doubled for the mask), the palette for 1, 4 and
8 bits per pixel, the colour (XOR) rows and the 1-bit transparency (AND) rows, both bottom-up
and padded to 32 bits. Transparent pixels are black in the colour rows and set in the mask.
"""

import struct

# The standard 16-colour palette of Windows (the VGA colours).
VGA16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]


def row_bytes(width, bits):
    return (width * bits + 31) // 32 * 4


def image_size(width, height, bits):
    palette = 4 << bits if bits <= 8 else 0
    return 40 + palette + row_bytes(width, bits) * height + row_bytes(width, 1) * height


def _distance(a, b):
    # weighted so that green differences count most, as the eye sees them
    return 2 * (a[0] - b[0]) ** 2 + 4 * (a[1] - b[1]) ** 2 + 3 * (a[2] - b[2]) ** 2


def _median_cut(colours, count):
    """Up to `count` representative colours for a list of (r, g, b)."""
    boxes = [sorted(set(colours))]
    while len(boxes) < count:
        boxes.sort(key=lambda b: max(max(c[i] for c in b) - min(c[i] for c in b) for i in range(3))
                   if len(b) > 1 else -1)
        box = boxes.pop()
        if len(box) < 2:
            boxes.append(box)
            break
        axis = max(range(3), key=lambda i: max(c[i] for c in box) - min(c[i] for c in box))
        box.sort(key=lambda c: c[axis])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    weights = {}
    for c in colours:
        weights[c] = weights.get(c, 0) + 1
    palette = []
    for box in boxes:
        n = sum(weights[c] for c in box)
        palette.append(tuple(round(sum(c[i] * weights[c] for c in box) / n) for i in range(3)))
    return palette


def _pixels(rgba, threshold=128):
    """(r, g, b) or None for transparent, for each pixel of straight RGBA bytes."""
    out = []
    for i in range(0, len(rgba), 4):
        r, g, b, a = rgba[i : i + 4]
        out.append((r, g, b) if a >= threshold else None)
    return out


def _mask_rows(pixels, width, height, transparent):
    stride = row_bytes(width, 1)
    out = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            if transparent(y * width + x):
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def _grey(c):
    return max(c) - min(c) < 40


def _indexed(width, height, pixels, palette, bits):
    """Header, palette, colour rows and mask for palette indices."""
    cache = {}
    # greyish pixels take a grey entry when there is one: a small fixed palette would
    # otherwise turn the dark greys of the drawing into navy or teal
    greys = [i for i, c in enumerate(palette) if c[0] == c[1] == c[2]]

    def index(c):
        if c not in cache:
            choice = greys if bits == 4 and _grey(c) else range(len(palette))
            cache[c] = min(choice, key=lambda i: _distance(c, palette[i]))
        return cache[c]

    black = palette.index((0, 0, 0))
    stride = row_bytes(width, bits)
    xor = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            c = pixels[y * width + x]
            v = black if c is None else index(c)
            bit = x * bits
            row[bit // 8] |= v << (8 - bits - bit % 8)
        xor += row
    pal = bytearray()
    for r, g, b in palette + [(0, 0, 0)] * ((1 << bits) - len(palette)):
        pal += bytes((b, g, r, 0))
    mask = _mask_rows(pixels, width, height, lambda i: pixels[i] is None)
    return _header(width, height, bits, len(xor) + len(mask)) + bytes(pal) + bytes(xor) + mask


def _header(width, height, bits, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, image_bytes, 0, 0, 0, 0)


def dib_1bit(width, height, rgba, light):
    """Black and white: light(r, g, b) tells which opaque pixels are white."""
    pixels = _pixels(rgba)
    pixels = [None if c is None else ((255, 255, 255) if light(c) else (0, 0, 0)) for c in pixels]
    return _indexed(width, height, pixels, [(0, 0, 0), (255, 255, 255)], 1)


def dib_4bit(width, height, rgba):
    return _indexed(width, height, _pixels(rgba), VGA16, 4)


def dib_8bit(width, height, rgba):
    pixels = _pixels(rgba)
    palette = [(0, 0, 0)] + _median_cut([c for c in pixels if c is not None], 255)
    return _indexed(width, height, pixels, palette, 8)


def dib_32bit(width, height, rgba):
    xor = bytearray()
    for y in reversed(range(height)):
        for x in range(width):
            r, g, b, a = rgba[(y * width + x) * 4 : (y * width + x) * 4 + 4]
            xor += bytes((b, g, r, a) if a else (0, 0, 0, 0))
    mask = _mask_rows(None, width, height, lambda i: rgba[i * 4 + 3] == 0)
    return _header(width, height, 32, len(xor) + len(mask)) + bytes(xor) + mask


def icon_file(images):
    """images: list of (width, height, bits, dib bytes) in the order they are to appear."""
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for width, height, bits, dib in images:
        assert len(dib) == image_size(width, height, bits)
        colours = 1 << bits if bits < 8 else 0
        out += struct.pack("<BBBBHHII", width % 256, height % 256, colours, 0, 1, bits, len(dib),
                           offset)
        offset += len(dib)
    for *_, dib in images:
        out += dib
    return bytes(out)
