#!/usr/bin/env python3
"""Draws Korvane's icon, a red flag on a pole, once as vector shapes, and writes from that
one drawing every form the two desktops take:

- korvane.ico for Windows: 16, 32 and 48 pixels, each in 16 colours (4-bit bitmap with
  the standard VGA palette and a 1-bit mask, for XP's classic look) and in 32-bit colour
  with alpha; six images in all;
- icons/korvane-<size>.png for the Linux hicolor theme, 16 to 256 pixels, RGBA;
- icons/korvane.svg, the same shapes for the theme's scalable size.

The shapes live on a 32-unit grid. Each outlined shape is drawn as a dark silhouette with
its colour inset by the outline's width: one grid unit, but never less than one pixel, so
small sizes keep a visible outline. The pole's edges fall on whole pixels at 16 and 32.

The outputs are committed, so the build never runs this; run it again after changing the
drawing:  python3 watcher/resources/make_icon.py [output folder]
and read the icon back with  icotool -l watcher/resources/korvane.ico  (six images).
"""
import math
import os
import struct
import sys
import zlib

GRID = 32
ICO_SIZES = (16, 32, 48)
PNG_SIZES = (16, 24, 32, 48, 64, 128, 256)
SUBROWS = 16  # sub-scanlines a pixel row when measuring coverage
CRISP_BELOW = 32  # smaller sizes are drawn without blended edges

# The 16 standard Windows colours, as (red, green, blue) in palette order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# Each colour of the drawing: its true colour and its nearest place in the 16-colour palette.
OUTLINE = ((34, 24, 24), 0)
RED = ((214, 36, 36), 9)
DARK_RED = ((150, 18, 24), 1)
WHITE = ((250, 250, 246), 15)
POLE = ((120, 120, 128), 8)
KNOB = ((250, 196, 32), 11)
STONE = ((196, 196, 200), 7)


def circle(cx, cy, r):
    return [("M", cx + r, cy)] + [
        ("L", cx + r * math.cos(a * math.pi / 24), cy + r * math.sin(a * math.pi / 24))
        for a in range(1, 48)]


# The drawing, back to front: (path, colour, outlined, clip). A clip names an earlier shape
# whose coloured inside bounds this one. Paths use M, L and C (cubic) with absolute points.
FLAG = [("M", 7, 6), ("C", 12, 4, 17, 10, 22, 8), ("C", 25, 7, 27, 6, 30, 6), ("L", 30, 20),
        ("C", 27, 20, 25, 21, 22, 22), ("C", 17, 24, 12, 18, 7, 20)]
DRAWING = {
    "pole": ([("M", 4, 6), ("L", 8, 6), ("L", 8, 28), ("L", 4, 28)], POLE, True, None),
    "knob": (circle(6, 4, 4), KNOB, True, None),
    "flag": (FLAG, RED, True, None),
    "fold": ([("M", 7, 17), ("C", 12, 15, 17, 21, 22, 19), ("C", 25, 18, 27, 17, 30, 17),
              ("L", 30, 24), ("L", 7, 24)], DARK_RED, False, "flag"),
    "stripe": ([("M", 9, 5), ("L", 13, 5), ("L", 23, 25), ("L", 19, 25)], WHITE, False, "flag"),
    "base": ([("M", 3, 24), ("L", 9, 24), ("L", 11, 30), ("L", 1, 30)], STONE, True, None),
}
ORDER = ["pole", "knob", "flag", "fold", "stripe", "base"]


def flatten(path):
    """The path as a closed polygon; each cubic becomes 16 straight pieces."""
    points = []
    for command in path:
        if command[0] != "C":
            points.append(command[1:])
            continue
        start, controls = points[-1], command[1:]
        xs = (start[0],) + controls[0::2]
        ys = (start[1],) + controls[1::2]
        for i in range(1, 17):
            t = i / 16
            weights = ((1 - t) ** 3, 3 * (1 - t) ** 2 * t, 3 * (1 - t) * t * t, t ** 3)
            points.append((sum(w * x for w, x in zip(weights, xs)),
                           sum(w * y for w, y in zip(weights, ys))))
    return points


def area(points):
    return sum(points[i - 1][0] * p[1] - p[0] * points[i - 1][1]
               for i, p in enumerate(points)) / 2


def inset(points, d):
    """The polygon moved inwards by d (mitred corners), or None when nothing is left."""
    sign = 1 if area(points) > 0 else -1
    normals = []
    for i, (x, y) in enumerate(points):
        px, py = points[i - 1]
        length = math.hypot(x - px, y - py)
        # Inward normal of the edge that ends at point i.
        normals.append((-sign * (y - py) / length, sign * (x - px) / length))
    out = []
    for i, (x, y) in enumerate(points):
        (ax, ay), (bx, by) = normals[i], normals[(i + 1) % len(points)]
        k = d / max(1 + ax * bx + ay * by, 0.1)
        out.append((x + k * (ax + bx), y + k * (ay + by)))
    return out if area(out) * sign > 1e-6 else None


def coverage(points, size):
    """How much of each pixel the polygon covers (0 to 1), by the nonzero rule."""
    scale = size / GRID
    pts = [(x * scale, y * scale) for x, y in points]
    edges = [(pts[i - 1], p) for i, p in enumerate(pts) if pts[i - 1][1] != p[1]]
    cover = [[0.0] * size for _ in range(size)]
    for row in range(size):
        line = cover[row]
        for sub in range(SUBROWS):
            y = row + (sub + 0.5) / SUBROWS
            crossings = []
            for (x0, y0), (x1, y1) in edges:
                if min(y0, y1) <= y < max(y0, y1):
                    crossings.append((x0 + (y - y0) * (x1 - x0) / (y1 - y0), 1 if y1 > y0 else -1))
            crossings.sort()
            winding = 0
            for i, (x, step) in enumerate(crossings):
                if winding == 0 and winding + step != 0:
                    start = x
                winding += step
                if winding == 0:
                    add_span(line, max(start, 0.0), min(x, float(size)), 1.0 / SUBROWS)
    return cover


def add_span(line, a, b, weight):
    while a < b:
        column = int(a)
        end = min(b, column + 1.0)
        line[column] += (end - a) * weight
        a = end


def layers(size):
    """The drawing at one size as (coverage, colour) pairs, back to front."""
    width = max(1.0, size / GRID) * GRID / size
    insides = {}
    out = []
    for name in ORDER:
        path, colour, outlined, clip = DRAWING[name]
        points = flatten(path)
        if outlined:
            out.append((coverage(points, size), OUTLINE))
            points = inset(points, width)
            if points is None:
                continue
        cover = coverage(points, size)
        if clip is not None:
            cover = [[a * b for a, b in zip(r, c)] for r, c in zip(cover, insides[clip])]
        insides[name] = cover
        out.append((cover, colour))
    return out


def render_crisp(size, part):
    """Rows of colour[part] (true colour or palette index), None where clear: each pixel
    takes the last shape that covers at least half of it, so no colours are blended."""
    image = [[None] * size for _ in range(size)]
    for cover, colour in layers(size):
        for y in range(size):
            for x in range(size):
                if cover[y][x] >= 0.5:
                    image[y][x] = colour[part]
    return image


def render_rgba(size):
    """Rows of (r, g, b, a) bytes. Blended edges only blur the smallest sizes, where the
    grid falls between pixels, so those are drawn crisp, as pixel art."""
    if size < CRISP_BELOW:
        return [[(0, 0, 0, 0) if p is None else p + (255,) for p in row]
                for row in render_crisp(size, 0)]
    image = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    for cover, ((r, g, b), _) in layers(size):
        for y in range(size):
            row = image[y]
            for x in range(size):
                c = min(cover[y][x], 1.0)
                if c > 0:
                    pr, pg, pb, pa = row[x]
                    row[x] = (pr * (1 - c) + r * c, pg * (1 - c) + g * c, pb * (1 - c) + b * c,
                              pa * (1 - c) + c)
    return [[(0, 0, 0, 0) if a <= 0 else (round(r / a), round(g / a), round(b / a), round(255 * a))
             for r, g, b, a in row] for row in image]


def row_bytes(size, bits):
    return (size * bits + 31) // 32 * 4


def and_mask(size, clear):
    """One bit a pixel, set where clear(x, y); bottom row first, rows padded to 4 bytes."""
    out = bytearray()
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (1 if clear(x, y) else 0)
        out += (bits << (row_bytes(size, 1) * 8 - size)).to_bytes(row_bytes(size, 1), "big")
    return bytes(out)


def bitmap_header(size, bits, data_length, colours):
    # The height counts the colour bitmap and the mask together.
    return struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, data_length, 0, 0,
                       colours, 0)


def ico_image_4bit(size):
    rows = render_crisp(size, 1)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for x in range(0, size, 2):
            line.append(((row[x] or 0) << 4) | (row[x + 1] or 0))
        xor += line + bytes(row_bytes(size, 4) - len(line))
    mask = and_mask(size, lambda x, y: rows[y][x] is None)
    return bitmap_header(size, 4, len(xor) + len(mask), 16) + palette + bytes(xor) + mask


def ico_image_32bit(size):
    rows = render_rgba(size)
    xor = b"".join(struct.pack("<BBBB", b, g, r, a) for row in reversed(rows) for r, g, b, a in row)
    mask = and_mask(size, lambda x, y: rows[y][x][3] == 0)
    return bitmap_header(size, 32, len(xor) + len(mask), 0) + xor + mask


def ico_bytes():
    """The 16-colour images first, then the 32-bit ones, each from small to large."""
    images = [(size, 16, 4, ico_image_4bit(size)) for size in ICO_SIZES]
    images += [(size, 0, 32, ico_image_32bit(size)) for size in ICO_SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bits, data in images:
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, _, data in images)


def png_bytes(size):
    """Eight bits a channel, filter 0 on every row."""
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in render_rgba(size))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def svg_text():
    """The shapes as at 32 pixels and above: the outline one grid unit wide."""
    def polygon(points):
        return "M" + " L".join("%.3f %.3f" % p for p in points) + " Z"

    def fill(colour):
        return "#%02x%02x%02x" % colour[0]

    clips, shapes = [], []
    clipping = {DRAWING[name][3] for name in ORDER}
    for name in ORDER:
        path, colour, outlined, clip = DRAWING[name]
        points = flatten(path)
        if outlined:
            shapes.append('<path fill="%s" d="%s"/>' % (fill(OUTLINE), polygon(points)))
            points = inset(points, 1.0)
        if name in clipping:
            clips.append('<clipPath id="%s"><path d="%s"/></clipPath>' % (name, polygon(points)))
        attributes = ' clip-path="url(#%s)"' % clip if clip else ""
        shapes.append('<path fill="%s"%s d="%s"/>' % (fill(colour), attributes, polygon(points)))
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
            'viewBox="0 0 %d %d">\n<defs>\n%s\n</defs>\n%s\n</svg>\n'
            % (GRID, GRID, "\n".join(clips), "\n".join(shapes)))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else here
    os.makedirs(os.path.join(out, "icons"), exist_ok=True)
    with open(os.path.join(out, "korvane.ico"), "wb") as f:
        f.write(ico_bytes())
    for size in PNG_SIZES:
        with open(os.path.join(out, "icons", "korvane-%d.png" % size), "wb") as f:
            f.write(png_bytes(size))
    with open(os.path.join(out, "icons", "korvane.svg"), "w") as f:
        f.write(svg_text())


if __name__ == "__main__":
    main()
