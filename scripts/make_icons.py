#!/usr/bin/env python3
"""Draws KESTA's icon, cursor and animated cursor and writes them as resources/kesta.ico,
resources/kesta.cur and resources/kesta.ani. Pure Python; the output depends on nothing but this
script, so the committed files can be rebuilt byte for byte:  python3 scripts/make_icons.py
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources")

# The letter K in a unit box, y down.
LETTER_K = [(0.15, 0.1), (0.35, 0.1), (0.35, 0.42), (0.68, 0.1), (0.92, 0.1), (0.52, 0.5),
            (0.92, 0.9), (0.68, 0.9), (0.35, 0.58), (0.35, 0.9), (0.15, 0.9)]
# The arrow of the pointer, in pixels of a 32 x 32 cursor; its tip is the hot spot.
ARROW = [(0.5, 0.5), (0.5, 22.5), (5.5, 17.5), (9.5, 26.5), (13.5, 25.0), (9.5, 16.5),
         (16.5, 16.5)]

BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
FRONT = (40, 120, 255, 255)
SIDE = (10, 40, 120, 255)
BACK = (255, 200, 40, 255)


def inside(polygon, x, y):
    """Even-odd test of the point (x, y) against a closed polygon."""
    result = False
    n = len(polygon)
    for i in range(n):
        (x1, y1), (x2, y2) = polygon[i], polygon[(i + 1) % n]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            result = not result
    return result


def blank(size):
    return [[(0, 0, 0, 0)] * size for _ in range(size)]


def fill(image, polygon, colour, samples=4):
    """Fills a polygon given in pixels, with coverage taken from samples x samples points."""
    size = len(image)
    for y in range(size):
        for x in range(size):
            hits = sum(inside(polygon, x + (i + 0.5) / samples, y + (j + 0.5) / samples)
                       for i in range(samples) for j in range(samples))
            if hits:
                a = colour[3] * hits / (samples * samples) / 255
                r, g, b, under = image[y][x]
                u = under / 255
                alpha = a + u * (1 - a)
                mix = [round((c * a + o * u * (1 - a)) / alpha) for c, o in zip(colour, (r, g, b))]
                image[y][x] = (mix[0], mix[1], mix[2], round(alpha * 255))


def outlined(image, polygon, face, edge):
    """Fills a polygon crisply (one sample per pixel) with a one-pixel edge of its own."""
    size = len(image)
    mask = [[inside(polygon, x + 0.5, y + 0.5) for x in range(size)] for y in range(size)]
    for y in range(size):
        for x in range(size):
            if not mask[y][x]:
                continue
            border = any(not (0 <= x + dx < size and 0 <= y + dy < size and mask[y + dy][x + dx])
                         for dx in (-1, 0, 1) for dy in (-1, 0, 1))
            image[y][x] = edge if border else face


def placed(shape, left, top, width, height):
    return [(left + x * width, top + y * height) for x, y in shape]


def turned_letter(image, left, top, size, angle):
    """The letter K turned about its vertical axis: its width shrinks with the cosine, and the
    back shows in its own colour once the letter has turned more than a quarter."""
    c = math.cos(angle)
    width = max(abs(c), 0.08) * size
    x0 = left + (size - width) / 2
    depth = size * 0.08 * math.sin(angle)
    shape = LETTER_K if c >= 0 else [(1 - x, y) for x, y in LETTER_K]
    fill(image, placed(shape, x0 + depth, top + abs(depth) / 2, width, size), SIDE)
    fill(image, placed(shape, x0, top, width, size), FRONT if c >= 0 else BACK)


def icon_image(size):
    image = blank(size)
    fill(image, [(0, 0), (size, 0), (size, size), (0, size)], BLACK)
    depth = size * 0.07
    fill(image, placed(LETTER_K, depth, depth, size * 0.9, size * 0.9), SIDE)
    fill(image, placed(LETTER_K, 0, 0, size * 0.9, size * 0.9), FRONT)
    return image


def pointer(angle=None):
    image = blank(32)
    if angle is not None:
        turned_letter(image, 14, 14, 17, angle)
    outlined(image, ARROW, WHITE, BLACK)
    return image


def dib(image):
    """BITMAPINFOHEADER, 32-bit colour rows bottom-up, then the AND mask (1 where transparent)."""
    size = len(image)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(image) for r, g, b, a in row)
    stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(image):
        bits = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def directory(kind, entries):
    """An icon (kind 1) or cursor (kind 2) file: entries are (image, field1, field2), the two
    fields being planes and bit count for icons, the hot spot for cursors."""
    data = [dib(image) for image, _, _ in entries]
    offset = 6 + 16 * len(entries)
    out = struct.pack("<HHH", 0, kind, len(entries))
    for (image, a, b), blob in zip(entries, data):
        size = len(image)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, a, b, len(blob), offset)
        offset += len(blob)
    return out + b"".join(data)


def chunk(tag, payload):
    pad = b"\0" if len(payload) % 2 else b""
    return tag + struct.pack("<I", len(payload)) + payload + pad


def animated(frames, jiffies):
    header = struct.pack("<9I", 36, len(frames), len(frames), 0, 0, 0, 0, jiffies, 1)
    icons = b"".join(chunk(b"icon", directory(2, [(f, 0, 0)])) for f in frames)
    body = b"ACON" + chunk(b"anih", header) + chunk(b"LIST", b"fram" + icons)
    return chunk(b"RIFF", body)


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def main():
    write("kesta.ico", directory(1, [(icon_image(32), 1, 32), (icon_image(16), 1, 32)]))
    write("kesta.cur", directory(2, [(pointer(), 0, 0)]))
    frames = [pointer(2 * math.pi * k / 8) for k in range(8)]
    write("kesta.ani", animated(frames, 8))


if __name__ == "__main__":
    main()
