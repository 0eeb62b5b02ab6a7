#!/usr/bin/env python3
"""Draws the images of the shipped skin and of the branded example skin.

Every shape is a signed distance in 1x skin pixels, so one drawing gives the 1x file and
its @2x twin at full resolution (never an upscaled copy). A pixel's coverage is read off
the distance at its centre, which anti-aliases edges by about one device pixel.

    tools/skinart/draw_skin.py                  redraws both skins in place
    tools/skinart/draw_skin.py --theme NAME --out FOLDER

Python 3 standard library only; the PNGs are 8-bit RGBA, written with zlib and struct.
"""

import argparse
import math
import pathlib
import struct
import zlib

ROOT = pathlib.Path(__file__).resolve().parents[2]

# The palettes follow the colours their skin.xml gives its controls, so an image that
# fails to load leaves a window of the same look, only plainer.
THEMES = {
    "shipped": {
        "folder": ROOT / "assets" / "skin",
        "band_top": "#2E4462",
        "band_bottom": "#223247",
        "panel": "#1E2A3A",
        "rim": "#34496A",
        "edge": "#3D5A82",
        "accent": "#3D8BFF",
        "accent_dark": "#1E5BD8",
        "glyph": "#E8EEF5",
        "hot": "#3A5272",
        "pushed": "#1A2636",
        "close_hot": "#C42B1C",
        "close_pushed": "#8E1F14",
        "logo": "ring",
    },
    "branded": {
        "folder": ROOT / "docs" / "branded-skin",
        "band_top": "#3A2A22",
        "band_bottom": "#2A1D17",
        "panel": "#231813",
        "rim": "#5A4030",
        "edge": "#7A5638",
        "accent": "#F2B33D",
        "accent_dark": "#C9781A",
        "glyph": "#F6ECDA",
        "hot": "#5A4030",
        "pushed": "#1A110D",
        "close_hot": "#C42B1C",
        "close_pushed": "#8E1F14",
        "logo": "star",
    },
}

CELL_WIDTH, CELL_HEIGHT = 40, 30
# Rows of the caption-button sheet, top to bottom; columns are normal, hot, pushed.
CAPTION_GLYPHS = ("minimise", "maximise", "restore", "close")


def rgba(hex_colour, alpha=1.0):
    value = int(hex_colour.lstrip("#"), 16)
    return ((value >> 16) / 255.0, ((value >> 8) & 255) / 255.0, (value & 255) / 255.0, alpha)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def clamp(value, low=0.0, high=1.0):
    return max(low, min(high, value))


# Signed distances: negative inside, in 1x pixels.


def rect(left, top, right, bottom, radius=0.0):
    """A rectangle by its edges, its corners rounded by `radius`."""
    cx, cy = (left + right) / 2, (top + bottom) / 2
    half_width, half_height = (right - left) / 2, (bottom - top) / 2

    def distance(x, y):
        qx = abs(x - cx) - half_width + radius
        qy = abs(y - cy) - half_height + radius
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius

    return distance


def outline(shape, half_stroke):
    return lambda x, y: abs(shape(x, y)) - half_stroke


def segment(ax, ay, bx, by, half_stroke):
    dx, dy = bx - ax, by - ay
    length_squared = dx * dx + dy * dy

    def distance(x, y):
        t = clamp(((x - ax) * dx + (y - ay) * dy) / length_squared)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - half_stroke

    return distance


def arc(cx, cy, radius, start, sweep, half_stroke):
    """A stroked arc from angle `start` through `sweep` radians, counter-clockwise on screen."""
    ends = [(cx + radius * math.cos(a), cy - radius * math.sin(a)) for a in (start, start + sweep)]

    def distance(x, y):
        angle = (math.atan2(cy - y, x - cx) - start) % (2 * math.pi)
        if angle <= sweep:
            return abs(math.hypot(x - cx, y - cy) - radius) - half_stroke
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - half_stroke

    return distance


def polygon(points):
    edges = [segment(*a, *b, 0.0) for a, b in zip(points, points[1:] + points[:1])]

    def distance(x, y):
        nearest = min(edge(x, y) for edge in edges)
        return -nearest if inside(points, x, y) else nearest

    return distance


def inside(points, x, y):
    crossings = 0
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            crossings += 1
    return crossings % 2 == 1


def union(*shapes):
    return lambda x, y: min(shape(x, y) for shape in shapes)


def subtract(shape, cut):
    return lambda x, y: max(shape(x, y), -cut(x, y))


# Paints: a colour for each point, in 1x pixels.


def solid(colour):
    return lambda x, y: colour


def vertical(top, bottom, y0, y1):
    return lambda x, y: mix(top, bottom, clamp((y - y0) / (y1 - y0)))


def diagonal(start, end, size):
    return lambda x, y: mix(start, end, clamp((x + y) / (2 * size)))


class Canvas:
    """Premultiplied RGBA in floats; `fill` draws "over" what is there."""

    def __init__(self, width, height, scale):
        self.width, self.height, self.scale = width * scale, height * scale, scale
        self.pixels = [(0.0, 0.0, 0.0, 0.0)] * (self.width * self.height)

    def fill(self, shape, paint, left=0, top=0):
        for row in range(self.height):
            y = (row + 0.5) / self.scale - top
            for column in range(self.width):
                x = (column + 0.5) / self.scale - left
                coverage = clamp(0.5 - shape(x, y) * self.scale)
                if coverage > 0.0:
                    self.blend(row * self.width + column, paint(x, y), coverage)

    def blend(self, at, colour, coverage):
        r, g, b, a = colour
        a *= coverage
        under = self.pixels[at]
        self.pixels[at] = (r * a + under[0] * (1 - a), g * a + under[1] * (1 - a),
                           b * a + under[2] * (1 - a), a + under[3] * (1 - a))

    def rows(self):
        for row in range(self.height):
            line = bytearray()
            for r, g, b, a in self.pixels[row * self.width:(row + 1) * self.width]:
                straight = (r / a, g / a, b / a) if a > 0 else (0.0, 0.0, 0.0)
                line += bytes(round(clamp(v) * 255) for v in (*straight, a))
            yield bytes(line)


# PNG: each row takes the filter whose bytes sum smallest, the usual heuristic that
# keeps flat and gradient art to a few KB.


def paeth(left, up, up_left):
    estimate = left + up - up_left
    distances = (abs(estimate - left), abs(estimate - up), abs(estimate - up_left))
    return (left, up, up_left)[distances.index(min(distances))]


def filtered(line, previous):
    def left(i):
        return line[i - 4] if i >= 4 else 0

    def up_left(i):
        return previous[i - 4] if i >= 4 else 0

    predictors = (
        lambda i: 0,
        left,
        lambda i: previous[i],
        lambda i: (left(i) + previous[i]) // 2,
        lambda i: paeth(left(i), previous[i], up_left(i)),
    )
    candidates = [bytes([kind]) + bytes((line[i] - predict(i)) & 255 for i in range(len(line)))
                  for kind, predict in enumerate(predictors)]
    return min(candidates, key=lambda c: sum(v if v < 128 else 256 - v for v in c[1:]))


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def write_png(path, canvas):
    previous = bytes(canvas.width * 4)
    raw = bytearray()
    for line in canvas.rows():
        raw += filtered(line, previous)
        previous = line
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
                     png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b""))


# The images. Each draws at 1x geometry on a canvas of any scale.

TITLE_WIDTH, TITLE_HEIGHT = 40, 30


def draw_title_band(canvas, theme):
    """One highlight row on top and an accent row at the bottom, kept unscaled by the
    skin's corner='12,1,12,1'; the accent fades out in the 12-pixel ends."""
    canvas.fill(rect(0, 0, TITLE_WIDTH, TITLE_HEIGHT),
                vertical(rgba(theme["band_top"]), rgba(theme["band_bottom"]), 1, TITLE_HEIGHT - 1))
    canvas.fill(rect(0, 0, TITLE_WIDTH, 1), solid((1, 1, 1, 0.10)))
    accent = rgba(theme["accent"])

    def fading_accent(x, y):
        strength = clamp(min(x, TITLE_WIDTH - x) / 12)
        return accent[:3] + (0.7 * strength,)

    canvas.fill(rect(0, TITLE_HEIGHT - 1, TITLE_WIDTH, TITLE_HEIGHT), fading_accent)


LOGO_SIZE = 20


def draw_ring_logo(canvas, theme):
    """A "G" in white on a rounded square of the accent colour."""
    canvas.fill(rect(0.5, 0.5, 19.5, 19.5, 4.5),
                diagonal(rgba(theme["accent"]), rgba(theme["accent_dark"]), LOGO_SIZE))
    letter = union(arc(10, 10, 5, math.radians(40), math.radians(320), 1.2),
                   segment(10.5, 10, 15, 10, 1.1))
    canvas.fill(letter, solid((1, 1, 1, 1)))


def draw_star_logo(canvas, theme):
    """A five-pointed star in the band's dark colour on a disc of the accent colour."""
    canvas.fill(lambda x, y: math.hypot(x - 10, y - 10) - 9.5,
                diagonal(rgba(theme["accent"]), rgba(theme["accent_dark"]), LOGO_SIZE))
    points = []
    for i in range(10):
        angle = math.pi / 2 + i * math.pi / 5
        radius = 6.5 if i % 2 == 0 else 2.7
        points.append((10 + radius * math.cos(angle), 10.6 - radius * math.sin(angle)))
    canvas.fill(polygon(points), solid(rgba(theme["band_bottom"])))


def caption_glyph(name):
    """The glyph of a caption button around the cell's centre (20,15), one pixel wide,
    its straight strokes on whole pixels so they stay sharp."""
    if name == "minimise":
        return rect(15, 15, 25, 16)
    if name == "maximise":
        return outline(rect(15.5, 10.5, 24.5, 19.5), 0.5)
    if name == "restore":
        front = outline(rect(15.5, 12.5, 22.5, 19.5), 0.5)
        back = outline(rect(17.5, 10.5, 24.5, 17.5), 0.5)
        return union(front, subtract(back, rect(15, 12, 23, 20)))
    return union(segment(15, 10, 25, 20, 0.6), segment(15, 20, 25, 10, 0.6))


def cell_colours(glyph, state, theme):
    """(background or None, glyph colour) of one cell of the sheet."""
    danger = glyph == "close"
    if state == "normal":
        return None, rgba(theme["glyph"], 0.9)
    if state == "hot":
        return rgba(theme["close_hot" if danger else "hot"]), (1, 1, 1, 1)
    return rgba(theme["close_pushed" if danger else "pushed"]), rgba(theme["glyph"], 0.75)


def draw_caption_buttons(canvas, theme):
    for row, glyph in enumerate(CAPTION_GLYPHS):
        for column, state in enumerate(("normal", "hot", "pushed")):
            left, top = column * CELL_WIDTH, row * CELL_HEIGHT
            background, ink = cell_colours(glyph, state, theme)
            if background:
                # The last row stays clear: the title band's accent line runs under it.
                canvas.fill(rect(0, 0, CELL_WIDTH, CELL_HEIGHT - 1), solid(background), left, top)
            canvas.fill(caption_glyph(glyph), solid(ink), left, top)


FRAME_SIZE, FRAME_BORDER = 32, 8


def draw_movie_frame(canvas, theme):
    """The 8-pixel margin around the movie (none on top, where the caption band is):
    the panel with rounded lower corners, a rim next to the movie and a faint outer
    edge. The skin draws it with corner='8,0,8,8' hole='true'; the centre stays empty."""
    inner = FRAME_SIZE - FRAME_BORDER
    # Shapes run on past the top edge, so the image's top row is like every other row of
    # its sides, which the skin stretches down the window.
    panel = rect(0, -FRAME_SIZE, FRAME_SIZE, FRAME_SIZE, 6)
    canvas.fill(subtract(panel, rect(FRAME_BORDER, -FRAME_SIZE, inner, inner)),
                solid(rgba(theme["panel"])))
    edge = rect(0.5, -FRAME_SIZE, FRAME_SIZE - 0.5, FRAME_SIZE - 0.5, 5.5)
    canvas.fill(outline(edge, 0.5), solid(rgba(theme["edge"], 0.6)))
    rim = rect(FRAME_BORDER - 0.5, -FRAME_SIZE, inner + 0.5, inner + 0.5)
    canvas.fill(outline(rim, 0.5), solid(rgba(theme["rim"])))


LOGOS = {"ring": draw_ring_logo, "star": draw_star_logo}


def draw_logo(canvas, theme):
    LOGOS[theme["logo"]](canvas, theme)


IMAGES = {
    "titlebar": (TITLE_WIDTH, TITLE_HEIGHT, draw_title_band),
    "logo": (LOGO_SIZE, LOGO_SIZE, draw_logo),
    "captionbuttons": (CELL_WIDTH * 3, CELL_HEIGHT * len(CAPTION_GLYPHS), draw_caption_buttons),
    "movieframe": (FRAME_SIZE, FRAME_SIZE, draw_movie_frame),
}


def draw_theme(theme, folder):
    folder.mkdir(parents=True, exist_ok=True)
    for name, (width, height, draw) in IMAGES.items():
        for scale, suffix in ((1, ""), (2, "@2x")):
            canvas = Canvas(width, height, scale)
            draw(canvas, theme)
            write_png(folder / f"{name}{suffix}.png", canvas)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--theme", choices=sorted(THEMES), help="draw one theme only")
    parser.add_argument("--out", type=pathlib.Path, help="folder for that theme's images")
    arguments = parser.parse_args()
    if arguments.out and not arguments.theme:
        parser.error("--out needs --theme")
    for name in [arguments.theme] if arguments.theme else sorted(THEMES):
        draw_theme(THEMES[name], arguments.out or THEMES[name]["folder"])


if __name__ == "__main__":
    main()
