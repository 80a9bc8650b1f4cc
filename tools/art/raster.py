"""A small anti-aliased rasteriser: shapes are signed distance functions, painted with
coverage taken from the distance, onto a premultiplied RGBA canvas of floats.

Pure Python on purpose: the artwork is made from Debian packages only, and the pictures are
small enough that speed does not matter.
"""

import math


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def hex_rgb(code):
    code = code.lstrip("#")
    return tuple(int(code[i : i + 2], 16) / 255.0 for i in (0, 2, 4))


# ---- distance functions (negative inside), coordinates in design units ----


def sd_round_rect(x, y, x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - r


def sd_circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def sd_segment(x, y, ax, ay, bx, by):
    px, py = x - ax, y - ay
    dx, dy = bx - ax, by - ay
    h = clamp((px * dx + py * dy) / (dx * dx + dy * dy))
    return math.hypot(px - dx * h, py - dy * h)


def sd_polygon(x, y, pts):
    """Exact distance to a simple polygon, negative inside."""
    d = float("inf")
    inside = False
    n = len(pts)
    for i in range(n):
        ax, ay = pts[i]
        bx, by = pts[(i + 1) % n]
        d = min(d, sd_segment(x, y, ax, ay, bx, by))
        if (ay > y) != (by > y):
            t = (y - ay) / (by - ay)
            if x < ax + t * (bx - ax):
                inside = not inside
    return -d if inside else d


def sd_arc(x, y, cx, cy, radius, half_angle, width):
    """A ring segment opening upwards, +-half_angle from the vertical, with round caps."""
    dx, dy = x - cx, cy - y  # y up
    ang = math.atan2(dx, dy)  # 0 straight up
    if abs(ang) <= half_angle:
        return abs(math.hypot(dx, dy) - radius) - width / 2
    ex = cx + radius * math.sin(half_angle) * (1 if ang > 0 else -1)
    ey = cy - radius * math.cos(half_angle)
    return math.hypot(x - ex, y - ey) - width / 2


class Canvas:
    """width x height pixels; `scale` design units per pixel."""

    def __init__(self, width, height, scale=1.0):
        self.w, self.h, self.scale = width, height, scale
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def paint(self, sdf, colour, bbox=None, softness=0.0, opacity=1.0, sub=1):
        """Paints the shape sdf(x, y) <= 0 with colour (rgb or function of x, y giving rgb).

        softness widens the edge (in design units) for shadows and glows; sub > 1 takes
        sub x sub samples per pixel for shapes whose distance is not exact.
        """
        s = self.scale
        if bbox is None:
            px0, py0, px1, py1 = 0, 0, self.w, self.h
        else:
            pad = softness + 2 * s
            px0 = max(0, int((bbox[0] - pad) / s))
            py0 = max(0, int((bbox[1] - pad) / s))
            px1 = min(self.w, int((bbox[2] + pad) / s) + 1)
            py1 = min(self.h, int((bbox[3] + pad) / s) + 1)
        edge = max(s, softness)
        offsets = [(i + 0.5) / sub for i in range(sub)]
        for py in range(py0, py1):
            row = py * self.w
            for px in range(px0, px1):
                cov = 0.0
                for oy in offsets:
                    for ox in offsets:
                        d = sdf((px + ox) * s, (py + oy) * s)
                        if softness > 0:
                            t = clamp(0.5 - d / edge)
                            cov += t * t * (3 - 2 * t)
                        else:
                            cov += clamp(0.5 - d / edge)
                cov /= sub * sub
                if cov <= 0.0:
                    continue
                a = cov * opacity
                if callable(colour):
                    r, g, b = colour((px + 0.5) * s, (py + 0.5) * s)
                else:
                    r, g, b = colour
                p = self.px[row + px]
                k = 1.0 - a
                p[0] = r * a + p[0] * k
                p[1] = g * a + p[1] * k
                p[2] = b * a + p[2] * k
                p[3] = a + p[3] * k

    def composite(self, other, ox, oy):
        """Paints canvas `other` (premultiplied) over this one at pixel offset ox, oy."""
        for y in range(other.h):
            ty = y + oy
            if not 0 <= ty < self.h:
                continue
            for x in range(other.w):
                tx = x + ox
                if not 0 <= tx < self.w:
                    continue
                s = other.px[y * other.w + x]
                if s[3] <= 0.0:
                    continue
                p = self.px[ty * self.w + tx]
                k = 1.0 - s[3]
                for i in range(4):
                    p[i] = s[i] + p[i] * k

    def rgba8(self):
        """Straight (not premultiplied) 8-bit RGBA rows, top row first."""
        out = bytearray()
        for p in self.px:
            a = clamp(p[3])
            if a > 0:
                rgb = [clamp(c / a) for c in p[:3]]
            else:
                rgb = [0.0, 0.0, 0.0]
            out += bytes(int(round(c * 255)) for c in (*rgb, a))
        return bytes(out)
