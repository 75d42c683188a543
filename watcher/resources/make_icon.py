#!/usr/bin/env python3
"""Draws Korvane's icon, a red flag on a pole, and writes it as a 32 x 32, 16-colour ICO
(one image: 4-bit XOR bitmap with the standard VGA palette plus a 1-bit AND mask) for
Windows, and as the same picture in a 32 x 32 RGBA PNG for the Linux desktop.

Both files are committed, so the build never runs this; run it again after changing the
drawing:  python3 watcher/resources/make_icon.py [output.ico [output.png]]
"""
import os
import struct
import sys
import zlib

SIZE = 32

# The 16 standard Windows colours, as (red, green, blue) in palette order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_RED, DARK_GREY, LIGHT_GREY = 0, 1, 8, 7
RED, YELLOW, WHITE = 9, 11, 15
CLEAR = None  # transparent: AND bit set, XOR colour 0

# Picture rows from the top, one character a pixel.
LEGEND = {
    ".": CLEAR, "k": BLACK, "d": DARK_GREY, "l": LIGHT_GREY, "r": RED,
    "m": DARK_RED, "y": YELLOW, "w": WHITE,
}
PICTURE = [
    "................................",
    "....yy..........................",
    "...yyyy.........................",
    "...yyyy.........................",
    "....yy..........................",
    "....kd.kkkkk....................",
    "....kdkrrrrrkkk.........kkk.....",
    "....kdkrrrrrrrrkkk....kkrrrk....",
    "....kdkrrwwrrrrrrrkkkkrrrrrk....",
    "....kdkrrwwwrrrrrrrrrrrrrrrk....",
    "....kdkrrrwwwrrrrrrrrrrrrrrk....",
    "....kdkrrrrwwwrrrrrrrrrrrrrk....",
    "....kdkrrrrrwwwrrrrrrrrrrrrk....",
    "....kdkrrrrrrwwwrrrrrrrrrrrk....",
    "....kdkrrrrrrrwwwrrrrrrrrrmk....",
    "....kdkrrrrrrrrwwwrrrrrrrmmk....",
    "....kdkmrrrrrrrrwwwrrrrrmmmk....",
    "....kdkmmmrrrrrrrwwrrrmmkkk.....",
    "....kdkkkmmmrrrrrrrrmkk.........",
    "....kd...kkkmmmrrrmkk...........",
    "....kd......kkkmmkk.............",
    "....kd.........kk...............",
    "....kd..........................",
    "....kd..........................",
    "....kd..........................",
    "....kd..........................",
    "....kd..........................",
    "....kd..........................",
    "..kkkdkk........................",
    ".kllllddk.......................",
    "kllllllddk......................",
    "kkkkkkkkkk......................",
]


def pixels():
    """Returns the picture as rows of palette indices (None for transparent)."""
    assert len(PICTURE) == SIZE
    rows = []
    for line in PICTURE:
        assert len(line) == SIZE, line
        rows.append([LEGEND[c] for c in line])
    return rows


def xor_bitmap(rows):
    """Four bits a pixel, left pixel in the high nibble, bottom row first."""
    out = bytearray()
    for row in reversed(rows):
        for x in range(0, SIZE, 2):
            hi = row[x] or 0
            lo = row[x + 1] or 0
            out.append((hi << 4) | lo)
    return bytes(out)


def and_mask(rows):
    """One bit a pixel, set where transparent; rows padded to 4 bytes, bottom row first."""
    out = bytearray()
    for row in reversed(rows):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        out += bits.to_bytes(SIZE // 8, "big")
        out += bytes((4 - SIZE // 8 % 4) % 4)
    return bytes(out)


def ico_bytes():
    rows = pixels()
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor = xor_bitmap(rows)
    mask = and_mask(rows)
    # The header's height counts the XOR bitmap and the mask together.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def png_bytes():
    """Eight bits a channel, filter 0 on every row; transparent pixels have alpha 0."""
    raw = bytearray()
    for row in pixels():
        raw.append(0)
        for index in row:
            raw += bytes(PALETTE[index or 0]) + bytes([0 if index is None else 255])

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ico = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "korvane.ico")
    png = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "korvane.png")
    with open(ico, "wb") as f:
        f.write(ico_bytes())
    with open(png, "wb") as f:
        f.write(png_bytes())


if __name__ == "__main__":
    main()
