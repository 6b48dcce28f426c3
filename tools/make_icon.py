#!/usr/bin/env python3
"""Draws Kibrel's icon and writes it as a Windows .ico file with two 16-colour images.

The picture: a sheet of paper with a folded corner and lines of text, crossed by a red arrow
that points right, from the old name to the new one. Both sizes are drawn from the same shapes,
scaled; every shape gets an outline where it borders something else.

Usage: make_icon.py OUTPUT.ico
"""

import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, NAVY, SILVER, GRAY, RED, YELLOW, WHITE = 0, 1, 4, 7, 8, 9, 11, 15


def inside_polygon(x, y, points):
    """Even-odd test of the point (x, y) against a closed polygon."""
    hit = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            hit = not hit
    return hit


def shapes(size):
    """The icon's shapes in drawing order, as (polygon, fill, outline), on a size x size grid.

    Coordinates are given on a 32-unit grid and scaled, so both images show the same picture;
    the small image leaves out the outlines that would fill it at its size.
    """
    s = size / 32.0

    def scaled(points):
        return [(x * s, y * s) for x, y in points]

    page = scaled([(4, 1), (19, 1), (25, 7), (25, 27), (4, 27)])
    fold = scaled([(19, 1), (25, 7), (19, 7)])
    arrow = scaled([(9, 19), (21, 19), (21, 14.5), (31, 22.5), (21, 30.5), (21, 26), (9, 26)])
    small = size <= 16
    result = [(page, WHITE, BLACK), (fold, SILVER, None if small else BLACK)]
    for row, (left, right) in enumerate([(8, 16), (8, 21), (8, 18)]):
        top = 8 + 4 * row
        line = scaled([(left, top), (right, top), (right, top + 2), (left, top + 2)])
        result.append((line, NAVY, None))
    result.append((arrow, RED, None if small else MAROON))
    return result


def draw(size):
    """Returns the image as rows of palette indexes, None for a transparent pixel."""
    pixels = [[None] * size for _ in range(size)]
    for polygon, fill, outline in shapes(size):
        covered = [[inside_polygon(x + 0.5, y + 0.5, polygon) for x in range(size)]
                   for y in range(size)]
        for y in range(size):
            for x in range(size):
                if not covered[y][x]:
                    continue
                edge = any(not (0 <= y + dy < size and 0 <= x + dx < size)
                           or not covered[y + dy][x + dx]
                           for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                pixels[y][x] = outline if edge and outline is not None else fill
    return pixels


def row_bytes(bits, width):
    """The byte length of one bitmap row of width pixels, padded to four bytes."""
    return (width * bits + 31) // 32 * 4


def image_data(size):
    """One icon image: header, palette, 4-bit colour bitmap and 1-bit mask, rows bottom up."""
    pixels = draw(size)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(pixels):
        line = bytearray(row_bytes(4, size))
        bits = bytearray(row_bytes(1, size))
        for x, index in enumerate(row):
            if index is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                index = BLACK
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        colour += line
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(colour) + len(mask),
                         0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + colour + mask


def icon_file(sizes):
    images = [image_data(size) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, data in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(images)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    with open(sys.argv[1], "wb") as out:
        out.write(icon_file([32, 16]))


if __name__ == "__main__":
    main()
