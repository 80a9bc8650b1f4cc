"""The Wavoro device: a light-grey rounded box seen slightly from above, a dark wireless symbol
(three arcs over a point) on its front and a row of small green lights along the front edge.

draw_device(size) returns a Canvas of size x size pixels. The drawing is laid out in a
256-unit square; the small sizes get their own proportions so that every part stays at
least about a pixel wide and lands on whole pixels.
"""

import math

from raster import Canvas, clamp, hex_rgb, mix, sd_arc, sd_circle, sd_polygon, sd_round_rect

OUTLINE = hex_rgb("#6f757e")
TOP_BACK = hex_rgb("#fbfbfc")
TOP_FRONT = hex_rgb("#e4e6e9")
FRONT_TOP = hex_rgb("#e1e3e7")
FRONT_BOTTOM = hex_rgb("#b3b8bf")
SYMBOL = hex_rgb("#262b33")
STRIP_TOP = hex_rgb("#4a5058")
STRIP_BOTTOM = hex_rgb("#2f343b")
LED_CORE = hex_rgb("#b6ff9c")
LED_RIM = hex_rgb("#1fae2c")
WHITE = (1.0, 1.0, 1.0)
BLACK = (0.0, 0.0, 0.0)


# At 16 pixels the symbol and the lights are set pixel by pixel: k symbol, s its soft edge,
# G a light, g its dim edge.
GLYPH_16 = [
    "................",
    "................",
    "................",
    "................",
    "................",
    ".....skkkks.....",
    "....kk....kk....",
    "...ks.skks.sk...",
    "...s.kk..kk.s...",
    "................",
    ".......kk.......",
    ".......kk.......",
    "................",
    "...GG..GG..GG...",
    "................",
    "................",
]
GLYPH_COLOURS = {"k": (SYMBOL, 1.0), "s": (SYMBOL, 0.45), "G": (hex_rgb("#22d432"), 1.0),
                 "g": (hex_rgb("#22d432"), 0.45)}


def inset_polygon(pts, d):
    """The convex polygon pts (clockwise on screen) moved inwards by d on every edge."""
    n = len(pts)
    lines = []
    for i in range(n):
        (ax, ay), (bx, by) = pts[i], pts[(i + 1) % n]
        ex, ey = bx - ax, by - ay
        ln = math.hypot(ex, ey)
        nx, ny = -ey / ln, ex / ln  # inward normal for clockwise order with y down
        lines.append((ax + nx * d, ay + ny * d, ex, ey))
    out = []
    for i in range(n):
        ax, ay, ex, ey = lines[i - 1]
        bx, by, fx, fy = lines[i]
        den = ex * fy - ey * fx
        t = ((bx - ax) * fy - (by - ay) * fx) / den
        out.append((ax + ex * t, ay + ey * t))
    return out


def layout(size):
    """Geometry in design units (256 per icon side) for one pixel size."""
    g = dict(
        left=28,
        right=228,
        back=44,  # top edge of the top face
        ridge=88,  # where the top face meets the front
        bottom=214,
        inset=18,  # how much narrower the back edge is on each side
        radius=24,
        outline=3.0,
        dot=(128, 163),
        dot_r=9.5,
        arcs=(26, 44, 62),
        arc_w=11.5,
        arc_half=math.radians(44),
        strip=(66, 188, 190, 204),
        leds=5,
        led_r=5.0,
        shadow=True,
        gloss=True,
        symbol=None,  # a pixel map instead of drawn symbol and lights
    )
    if size <= 48:
        u = 256 / size  # design units per pixel
        g.update(outline=max(3.0, 1.0 * u), gloss=size >= 32)
    if size == 48:
        g.update(left=2 * 5.333, right=46 * 5.333, back=8 * 5.333, ridge=16 * 5.333,
                 bottom=44 * 5.333, inset=3 * 5.333, radius=5 * 5.333,
                 dot=(24 * 5.333, 31.5 * 5.333), dot_r=2.1 * 5.333,
                 arcs=(4.8 * 5.333, 8.3 * 5.333, 11.8 * 5.333), arc_w=2.1 * 5.333,
                 strip=(12 * 5.333, 36 * 5.333, 36 * 5.333, 40 * 5.333), leds=5,
                 led_r=1.3 * 5.333)
    elif size == 32:
        g.update(left=1 * 8, right=31 * 8, back=5 * 8, ridge=10 * 8, bottom=29.5 * 8,
                 inset=2 * 8, radius=4 * 8, dot=(16 * 8, 21.5 * 8), dot_r=1.5 * 8,
                 arcs=(3.2 * 8, 5.9 * 8, 8.6 * 8), arc_w=1.45 * 8,
                 strip=(8 * 8, 24 * 8, 24.5 * 8, 27.5 * 8), leds=4, led_r=1.05 * 8,
                 shadow=False)
    elif size == 16:
        g.update(left=0.5 * 16, right=15.5 * 16, back=1.5 * 16, ridge=4 * 16, bottom=15.5 * 16,
                 inset=1 * 16, radius=2.5 * 16, dot=(8 * 16, 11 * 16), dot_r=1.0 * 16,
                 arcs=(3.0 * 16, 5.5 * 16), arc_w=1.0 * 16, arc_half=math.radians(45),
                 strip=None, leds=0, led_r=0, led_y=0, shadow=False, symbol=GLYPH_16)
    return g


def draw_device(size):
    c = Canvas(size, size, 256.0 / size)
    g = layout(size)
    L, R, B, rad = g["left"], g["right"], g["bottom"], g["radius"]
    back, ridge, inset, ol = g["back"], g["ridge"], g["inset"], g["outline"]

    # the top face: a trapezoid with rounded back corners, carried straight down past the
    # ridge so that it meets the front face without a notch
    r_top = min(rad * 0.8, (ridge - back) * 0.9)
    top_core = inset_polygon(
        [(L + inset, back), (R - inset, back), (R, ridge), (R, ridge + rad), (L, ridge + rad), (L, ridge)],
        r_top)

    def sd_top(x, y, grow=0.0):
        return sd_polygon(x, y, top_core) - r_top - grow

    def sd_front(x, y, grow=0.0):
        return sd_round_rect(x, y, L, ridge - rad, R, B, rad) - grow

    def sd_body(x, y, grow=0.0):
        return min(sd_top(x, y, grow), sd_front(x, y, grow))

    box = (L, back, R, B)

    if g["shadow"]:
        c.paint(lambda x, y: sd_round_rect(x, y, L + 8, B - 30, R - 8, B + 8, 30), BLACK,
                bbox=(L, B - 30, R, B + 30), softness=22, opacity=0.45)

    # silhouette in the outline colour, faces inset by the outline width
    c.paint(sd_body, OUTLINE, bbox=box, sub=2)

    def front_colour(x, y):
        return mix(FRONT_TOP, FRONT_BOTTOM, clamp((y - ridge) / (B - ridge)))

    def top_colour(x, y):
        return mix(TOP_BACK, TOP_FRONT, clamp((y - back) / (ridge - back)))

    c.paint(lambda x, y: max(sd_front(x, y, -ol), ridge - y), front_colour, bbox=box, sub=2)
    c.paint(lambda x, y: max(sd_top(x, y, -ol), y - ridge), top_colour, bbox=box, sub=2)

    # the ridge between top and front: a thin dark crease with a light line under it
    u = c.scale
    crease = max(1.6, 0.7 * u)
    c.paint(lambda x, y: max(abs(y - ridge) - crease / 2, sd_body(x, y, -ol)), OUTLINE,
            bbox=(L, ridge - 4 * u, R, ridge + 4 * u), opacity=0.55)
    c.paint(lambda x, y: max(abs(y - (ridge + crease)) - crease / 2, sd_body(x, y, -ol)),
            WHITE, bbox=(L, ridge - 4 * u, R, ridge + 4 * u), opacity=0.7)

    if g["gloss"]:
        # soft light on the top face, brightest towards the back left
        c.paint(lambda x, y: max(sd_top(x, y, -ol - 2 * u),
                                 math.hypot((x - (L + R) * 0.42) / 1.6, y - back) - (ridge - back)),
                WHITE, bbox=box, softness=14, opacity=0.55)

    if g["symbol"]:
        for y, row in enumerate(g["symbol"]):
            for x, ch in enumerate(row):
                if ch in GLYPH_COLOURS:
                    rgb, a = GLYPH_COLOURS[ch]
                    p = c.px[y * size + x]
                    for i in range(3):
                        p[i] = rgb[i] * a + p[i] * (1 - a)
        return c

    # wireless symbol: a point and arcs over it
    dx, dy = g["dot"]
    c.paint(lambda x, y: sd_circle(x, y, dx, dy, g["dot_r"]), SYMBOL,
            bbox=(dx - 20, dy - 20, dx + 20, dy + 20))
    for radius in g["arcs"]:
        c.paint(lambda x, y, r=radius: sd_arc(x, y, dx, dy, r, g["arc_half"], g["arc_w"]), SYMBOL,
                bbox=(dx - radius - 20, dy - radius - 20, dx + radius + 20, dy + 10))

    # the row of lights, in a dark strip along the front edge when there is room
    n, lr = g["leds"], g["led_r"]
    if g["strip"]:
        sx0, sy0, sx1, sy1 = g["strip"]
        c.paint(lambda x, y: sd_round_rect(x, y, sx0, sy0, sx1, sy1, (sy1 - sy0) / 2),
                lambda x, y: mix(STRIP_TOP, STRIP_BOTTOM, clamp((y - sy0) / (sy1 - sy0))),
                bbox=(sx0, sy0, sx1, sy1))
        ly = (sy0 + sy1) / 2
        span = (sx1 - sx0) - (sy1 - sy0) * 1.2
        xs = [sx0 + (sx1 - sx0 - span) / 2 + span * i / (n - 1) for i in range(n)]
    else:
        ly = g["led_y"]
        xs = [(L + R) / 2 + (i - (n - 1) / 2) * 3.5 * u for i in range(n)]
    for lx in xs:
        if size >= 48:
            c.paint(lambda x, y, lx=lx: sd_circle(x, y, lx, ly, lr * 1.3), hex_rgb("#5dff5a"),
                    bbox=(lx - 4 * lr, ly - 4 * lr, lx + 4 * lr, ly + 4 * lr), softness=lr * 2.4,
                    opacity=0.55)

        def led_colour(x, y, lx=lx):
            return mix(LED_CORE, LED_RIM, clamp(math.hypot(x - lx + lr * 0.3, y - ly + lr * 0.3) / (lr * 1.2)))

        c.paint(lambda x, y, lx=lx: sd_circle(x, y, lx, ly, lr),
                led_colour if size >= 32 else hex_rgb("#2ccf3a"),
                bbox=(lx - 2 * lr, ly - 2 * lr, lx + 2 * lr, ly + 2 * lr))
    return c
