#!/usr/bin/env python3
"""Writes the sample settings file resources/kestasv.ini.

The figures are drawn here as data: every figure is a list of closed contours of integer points in
outline units (x right, y up), centred on its own origin in a cell 100 units wide. The style is a
bold block face: vertical strokes 20 units, horizontal strokes 18, cap height 90 (y -45..45), and
curves cut to 45-degree chamfers (20 units outside, 7 inside). Point order within a contour does
not matter (the builder rewinds every contour); which contours are outer is worked out here from
their nesting, so a contour inside another one becomes a hole.

The file is Shift-JIS with CRLF line ends, as the program's own private-profile reads expect; the
names of the signs are Japanese.

Usage: scripts/make_figures.py [output path]   (default: resources/kestasv.ini)
"""

import math
import sys
from pathlib import Path

MAX_POINTS = 45
MAX_CONTOURS = 13
MAX_OUTER = 4
MAX_NAME_BYTES = 23
MAX_VALUE_CHARS = 511


def rotate_half_turn(contours):
    return [[(-x, -y) for x, y in contour] for contour in contours]


def heart():
    right = [(0, 24), (7, 33), (15, 38), (25, 38), (33, 33), (38, 24), (38, 12), (32, 0),
             (18, -18), (0, -40)]
    return [right + [(-x, y) for x, y in reversed(right[1:-1])]]


def star():
    points = []
    for i in range(10):
        radius = 44 if i % 2 == 0 else 19
        angle = math.pi / 2 + i * math.pi / 5
        points.append((round(radius * math.cos(angle)), round(radius * math.sin(angle) - 4)))
    return [points]


# An octagonal dot for ! ? and the full stop, sitting on the base line.
DOT = [(-5, -45), (5, -45), (11, -39), (11, -29), (5, -23), (-5, -23), (-11, -29), (-11, -39)]

# The letter O and its hole, shared by C, G, Q.
O_OUTER = [(-15, 45), (15, 45), (35, 25), (35, -25), (15, -45), (-15, -45), (-35, -25), (-35, 25)]
O_HOLE = [(-8, 27), (8, 27), (15, 20), (15, -20), (8, -27), (-8, -27), (-15, -20), (-15, 20)]

SIX = [
    [(-12, 45), (26, 45), (26, 27), (-5, 27), (-12, 20), (-12, 11), (12, 11), (30, -7), (30, -27),
     (12, -45), (-12, -45), (-30, -27), (-30, 27)],
    [(-12, -7), (5, -7), (12, -14), (12, -20), (5, -27), (-5, -27), (-12, -20)],
]

LETTERS = {
    "A": [
        [(-40, -45), (-19, -45), (-14, -28), (14, -28), (19, -45), (40, -45), (11, 45), (-11, 45)],
        [(-8, -12), (8, -12), (0, 14)],
    ],
    "B": [
        [(-35, -45), (22, -45), (35, -32), (35, -10), (25, 0), (32, 10), (32, 33), (20, 45),
         (-35, 45)],
        [(-15, -27), (12, -27), (17, -22), (17, -14), (12, -9), (-15, -9)],
        [(-15, 9), (10, 9), (14, 13), (14, 23), (10, 27), (-15, 27)],
    ],
    "C": [
        [(35, 16), (15, 16), (15, 20), (8, 27), (-8, 27), (-15, 20), (-15, -20), (-8, -27),
         (8, -27), (15, -20), (15, -16), (35, -16), (35, -25), (15, -45), (-15, -45), (-35, -25),
         (-35, 25), (-15, 45), (15, 45), (35, 25)],
    ],
    "D": [
        [(-35, -45), (15, -45), (35, -25), (35, 25), (15, 45), (-35, 45)],
        [(-15, -27), (8, -27), (15, -20), (15, 20), (8, 27), (-15, 27)],
    ],
    "E": [
        [(-35, -45), (35, -45), (35, -27), (-15, -27), (-15, -9), (25, -9), (25, 9), (-15, 9),
         (-15, 27), (35, 27), (35, 45), (-35, 45)],
    ],
    "F": [
        [(-35, -45), (-15, -45), (-15, -9), (25, -9), (25, 9), (-15, 9), (-15, 27), (35, 27),
         (35, 45), (-35, 45)],
    ],
    "G": [
        [(35, 20), (15, 20), (8, 27), (-8, 27), (-15, 20), (-15, -20), (-8, -27), (8, -27),
         (15, -20), (15, -12), (0, -12), (0, 4), (35, 4), (35, -25), (15, -45), (-15, -45),
         (-35, -25), (-35, 25), (-15, 45), (15, 45), (35, 25)],
    ],
    "H": [
        [(-35, -45), (-15, -45), (-15, -9), (15, -9), (15, -45), (35, -45), (35, 45), (15, 45),
         (15, 9), (-15, 9), (-15, 45), (-35, 45)],
    ],
    "I": [
        [(-25, -45), (25, -45), (25, -27), (10, -27), (10, 27), (25, 27), (25, 45), (-25, 45),
         (-25, 27), (-10, 27), (-10, -27), (-25, -27)],
    ],
    "J": [
        [(-5, 45), (35, 45), (35, -25), (15, -45), (-15, -45), (-35, -25), (-35, -8), (-15, -8),
         (-15, -20), (-8, -27), (8, -27), (15, -20), (15, 27), (-5, 27)],
    ],
    "K": [
        [(-35, -45), (-15, -45), (-15, -15), (-6, -6), (12, -45), (35, -45), (8, 3), (35, 45),
         (10, 45), (-15, 15), (-15, 45), (-35, 45)],
    ],
    "L": [
        [(-35, -45), (35, -45), (35, -27), (-15, -27), (-15, 45), (-35, 45)],
    ],
    "M": [
        [(-40, -45), (-21, -45), (-21, 14), (-7, -22), (7, -22), (21, 14), (21, -45), (40, -45),
         (40, 45), (18, 45), (0, 8), (-18, 45), (-40, 45)],
    ],
    "N": [
        [(-35, -45), (-16, -45), (-16, 10), (14, -45), (35, -45), (35, 45), (16, 45), (16, -10),
         (-14, 45), (-35, 45)],
    ],
    "O": [O_OUTER, O_HOLE],
    "P": [
        [(-35, -45), (-15, -45), (-15, -9), (15, -9), (35, 11), (35, 25), (15, 45), (-35, 45)],
        [(-15, 9), (8, 9), (15, 16), (15, 20), (8, 27), (-15, 27)],
    ],
    "Q": [
        [(-15, 45), (15, 45), (35, 25), (35, -25), (29, -31), (40, -42), (32, -50), (21, -39),
         (15, -45), (-15, -45), (-35, -25), (-35, 25)],
        O_HOLE,
    ],
    "R": [
        [(-35, -45), (-15, -45), (-15, -9), (-2, -9), (13, -45), (35, -45), (18, -5), (35, 12),
         (35, 25), (15, 45), (-35, 45)],
        [(-15, 9), (8, 9), (15, 16), (15, 20), (8, 27), (-15, 27)],
    ],
    "S": [
        [(-15, 45), (35, 45), (35, 27), (-8, 27), (-15, 20), (-15, 16), (-8, 9), (15, 9),
         (35, -11), (35, -25), (15, -45), (-35, -45), (-35, -27), (8, -27), (15, -20), (15, -16),
         (8, -9), (-15, -9), (-35, 11), (-35, 25)],
    ],
    "T": [
        [(-35, 45), (35, 45), (35, 27), (10, 27), (10, -45), (-10, -45), (-10, 27), (-35, 27)],
    ],
    "U": [
        [(-35, 45), (-15, 45), (-15, -20), (-8, -27), (8, -27), (15, -20), (15, 45), (35, 45),
         (35, -25), (15, -45), (-15, -45), (-35, -25)],
    ],
    "V": [
        [(-38, 45), (-17, 45), (0, -16), (17, 45), (38, 45), (11, -45), (-11, -45)],
    ],
    "W": [
        [(-40, 45), (-22, 45), (-15, -8), (-8, 30), (8, 30), (15, -8), (22, 45), (40, 45),
         (28, -45), (8, -45), (0, -5), (-8, -45), (-28, -45)],
    ],
    "X": [
        [(-38, 45), (-16, 45), (0, 15), (16, 45), (38, 45), (12, 0), (38, -45), (16, -45),
         (0, -15), (-16, -45), (-38, -45), (-12, 0)],
    ],
    "Y": [
        [(-38, 45), (-16, 45), (0, 18), (16, 45), (38, 45), (10, -2), (10, -45), (-10, -45),
         (-10, -2)],
    ],
    "Z": [
        [(-33, 45), (35, 45), (35, 29), (-11, -27), (35, -27), (35, -45), (-35, -45), (-35, -29),
         (11, 27), (-33, 27)],
    ],
}

DIGITS = {
    "0": [
        [(-12, 45), (12, 45), (30, 27), (30, -27), (12, -45), (-12, -45), (-30, -27), (-30, 27)],
        [(-5, 27), (5, 27), (12, 20), (12, -20), (5, -27), (-5, -27), (-12, -20), (-12, 20)],
    ],
    "1": [
        [(-8, 45), (12, 45), (12, -27), (28, -27), (28, -45), (-28, -45), (-28, -27), (-8, -27),
         (-8, 24), (-28, 14), (-28, 32)],
    ],
    "2": [
        [(-30, 20), (-30, 27), (-12, 45), (12, 45), (30, 27), (30, 8), (-6, -27), (30, -27),
         (30, -45), (-30, -45), (-30, -25), (12, 14), (12, 20), (5, 27), (-5, 27), (-12, 20)],
    ],
    "3": [
        [(-30, 45), (12, 45), (30, 27), (30, 12), (22, 0), (30, -12), (30, -27), (12, -45),
         (-30, -45), (-30, -27), (5, -27), (12, -20), (12, -16), (5, -9), (-15, -9), (-15, 9),
         (5, 9), (12, 16), (12, 20), (5, 27), (-30, 27)],
    ],
    "4": [
        [(2, 45), (26, 45), (26, -6), (32, -6), (32, -22), (26, -22), (26, -45), (6, -45),
         (6, -22), (-30, -22), (-30, -6)],
        [(-9, -6), (6, -6), (6, 18)],
    ],
    "5": [
        [(-28, 45), (30, 45), (30, 27), (-10, 27), (-10, 11), (12, 11), (30, -7), (30, -27),
         (12, -45), (-30, -45), (-30, -27), (5, -27), (12, -20), (12, -14), (5, -7), (-28, -7)],
    ],
    "6": SIX,
    "7": [
        [(-30, 45), (30, 45), (30, 29), (-2, -45), (-24, -45), (9, 27), (-30, 27)],
    ],
    "8": [
        [(-10, 45), (10, 45), (27, 28), (27, 12), (19, 1), (30, -12), (30, -27), (12, -45),
         (-12, -45), (-30, -27), (-30, -12), (-19, 1), (-27, 12), (-27, 28)],
        [(-4, 27), (4, 27), (9, 22), (9, 14), (5, 10), (-5, 10), (-9, 14), (-9, 22)],
        [(-5, -8), (5, -8), (12, -14), (12, -20), (5, -27), (-5, -27), (-12, -20), (-12, -14)],
    ],
    "9": rotate_half_turn(SIX),
}

SIGNS = [
    ("びっくり", [[(-10, 45), (10, 45), (6, -15), (-6, -15)], DOT]),
    ("はてな", [
        [(-30, 20), (-30, 27), (-12, 45), (12, 45), (30, 27), (30, 8), (10, -4), (10, -15),
         (-10, -15), (-10, 4), (12, 15), (12, 20), (5, 27), (-5, 27), (-12, 20)],
        DOT,
    ]),
    ("プラス", [
        [(-9, 32), (9, 32), (9, 9), (32, 9), (32, -9), (9, -9), (9, -32), (-9, -32), (-9, -9),
         (-32, -9), (-32, 9), (-9, 9)],
    ]),
    ("マイナス", [[(-28, -9), (28, -9), (28, 9), (-28, 9)]]),
    ("ピリオド", [DOT]),
    ("イコール", [
        [(-30, 8), (30, 8), (30, 26), (-30, 26)],
        [(-30, -26), (30, -26), (30, -8), (-30, -8)],
    ]),
    ("ハート", heart()),
    ("星", star()),
    ("音符", [
        [(-3, 45), (-3, -15), (-7, -15), (-15, -17), (-22, -21), (-27, -26), (-30, -32),
         (-29, -38), (-26, -42), (-20, -45), (-13, -45), (-5, -43), (2, -39), (7, -34), (10, -28),
         (11, -24), (11, 20), (18, 14), (24, 4), (26, -6), (32, 4), (32, 18), (24, 32), (11, 45)],
    ]),
    ("矢印", [[(-38, 9), (8, 9), (8, 30), (40, 0), (8, -30), (8, -9), (-38, -9)]]),
]


def inside(point, contour):
    """Even-odd test of a point strictly inside a closed contour (points on edges are outside)."""
    x, y = point
    result = False
    for i, (x1, y1) in enumerate(contour):
        x2, y2 = contour[i - 1]
        if (y1 > y) != (y2 > y):
            cross_x = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
            if cross_x > x:
                result = not result
    return result


def figure_value(name, contours):
    """The value of one ZAHYO key: name, N, h0..h5, 13 contour ranges, then the points."""
    if len(contours) > MAX_CONTOURS:
        raise ValueError(f"{name}: {len(contours)} contours")
    outer = [all(not inside(c[0], other) for other in contours if other is not c)
             for c in contours]
    starts, ranges, points = [], [], []
    for contour, is_outer in zip(contours, outer):
        first = len(points) + 1
        points.extend(contour)
        ranges.append((first, len(points)))
        if is_outer:
            starts.append(first)
    if len(points) > MAX_POINTS or len(starts) > MAX_OUTER:
        raise ValueError(f"{name}: {len(points)} points, {len(starts)} outer contours")
    header = [0] + starts + [0] * (MAX_OUTER - len(starts)) + [len(contours)]
    ranges += [(0, 0)] * (MAX_CONTOURS - len(ranges))
    numbers = [len(points)] + header + [v for r in ranges for v in r] + [v for p in points for v in p]
    value = ",".join([name] + [str(v) for v in numbers])
    if len(name.encode("cp932")) > MAX_NAME_BYTES or len(value.encode("cp932")) > MAX_VALUE_CHARS:
        raise ValueError(f"{name}: name or value too long")
    return value


def all_figures():
    return list(LETTERS.items()) + list(DIGITS.items()) + SIGNS


def slot_colours():
    # Used when individual colours are switched on: red, yellow, green, cyan, blue, magenta, white.
    cycle = [1, 5, 2, 6, 3, 7, 4]
    return [cycle[i % len(cycle)] for i in range(26)]


def settings():
    """The main section, every key in the order the program reads and writes them."""
    figure_number = {name: i + 1 for i, (name, _) in enumerate(all_figures())}
    word = [figure_number[c] for c in "KESTA"]
    keys = []
    keys += [(f"OPTIONA{i}", word[i - 1] if i <= len(word) else 0) for i in range(1, 27)]
    keys += [(f"OPTIONC{i}", c) for i, c in enumerate(slot_colours(), 1)]
    keys += [("OPTIONN", len(word))]
    keys += [(f"ZKAITEN{i}", 0) for i in range(1, 27)]
    keys += [("OPTIONP", 1), ("STEPRAG", 6)]
    keys += [(f"STEPRAG{i}", 9) for i in range(1, 27)]
    keys += [("HABA", 3), ("HABAJIDO", 1), ("SIZES", 1), ("SIZE", 11), ("SIZEY", 11),
             ("SIZEIDO", 10), ("COLOR", 6), ("COLORS", 0), ("TIMER", 55)]
    keys += [("VIEW", 1), ("ENKIN", 15), ("BKMODE", 1), ("ZANZOU", 0), ("KAITEN", 0)]
    keys += [("SCREEN_T", 0), ("SCREEN_L", 0), ("SCREEN_H", 480), ("SCREEN_W", 640)]
    return keys


def main():
    root = Path(__file__).resolve().parent.parent
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else root / "resources" / "kestasv.ini"
    lines = ["[KESTA]"]
    lines += [f"{key}={value}" for key, value in settings()]
    lines += ["", "[MOJI ZAHYO]"]
    lines += [f"ZAHYO{i}={figure_value(name, contours)}"
              for i, (name, contours) in enumerate(all_figures(), 1)]
    out.write_bytes(("\r\n".join(lines) + "\r\n").encode("cp932"))


if __name__ == "__main__":
    main()
