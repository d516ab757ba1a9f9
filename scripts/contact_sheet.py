#!/usr/bin/env python3
"""Draws every figure of a settings file on one sheet, to check by eye how the figures read.

Each figure is filled with the even-odd rule, as the program fills a face, on a grey cell 100
units wide with its origin marked, and labelled with its number. The sheet is written as SVG and
turned into PNG with ImageMagick's convert.

Usage: scripts/contact_sheet.py [settings file] [output.png]
       (defaults: resources/kestasv.ini, build/contact_sheet.png)
"""

import subprocess
import sys
from pathlib import Path

COLUMNS = 10
CELL = 120  # pixels per 100-unit cell, plus room for the label
SCALE = 1.0


def read_figures(path):
    figures = []
    section = None
    for line in path.read_bytes().decode("cp932").splitlines():
        if line.startswith("["):
            section = line.strip("[]")
        elif section == "MOJI ZAHYO" and line.startswith("ZAHYO") and "=" in line:
            key, value = line.split("=", 1)
            fields = [f for f in value.split(",") if f != ""]
            name, numbers = fields[0], [int(float(f)) for f in fields[1:]]
            count, header = numbers[0], numbers[1:7]
            ranges = [(numbers[7 + 2 * c], numbers[8 + 2 * c]) for c in range(header[5])]
            points = [(numbers[33 + 2 * k], numbers[34 + 2 * k]) for k in range(count)]
            contours = [(points[a - 1:b], a in header[1:5]) for a, b in ranges]
            figures.append((int(key[5:]), name, contours))
    return figures


def svg_sheet(figures):
    rows = (len(figures) + COLUMNS - 1) // COLUMNS
    width, height = COLUMNS * CELL, rows * (CELL + 20)
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}">',
             f'<rect width="{width}" height="{height}" fill="black"/>']
    for i, (number, _, contours) in enumerate(figures):
        left, top = (i % COLUMNS) * CELL, (i // COLUMNS) * (CELL + 20)
        cx, cy = left + CELL / 2, top + 20 + CELL / 2
        parts.append(f'<rect x="{cx - 50}" y="{cy - 50}" width="100" height="100" fill="#202830"/>')
        parts.append(f'<line x1="{cx - 4}" y1="{cy}" x2="{cx + 4}" y2="{cy}" stroke="#607080"/>')
        path = " ".join("M " + " L ".join(f"{cx + x * SCALE},{cy - y * SCALE}" for x, y in c) + " Z"
                        for c, _ in contours)
        parts.append(f'<path d="{path}" fill="#30d0e0" fill-rule="evenodd" stroke="#ffffff" '
                     f'stroke-width="0.6"/>')
        for contour, outer in contours:
            x, y = contour[0]
            colour = "#ff4040" if outer else "#ffd000"
            parts.append(f'<circle cx="{cx + x * SCALE}" cy="{cy - y * SCALE}" r="2" fill="{colour}"/>')
        parts.append(f'<text x="{left + 6}" y="{top + 16}" fill="white" font-size="14" '
                     f'font-family="sans-serif">{number}</text>')
    parts.append("</svg>")
    return "\n".join(parts)


def main():
    root = Path(__file__).resolve().parent.parent
    source = Path(sys.argv[1]) if len(sys.argv) > 1 else root / "resources" / "kestasv.ini"
    target = Path(sys.argv[2]) if len(sys.argv) > 2 else root / "build" / "contact_sheet.png"
    target.parent.mkdir(parents=True, exist_ok=True)
    svg = target.with_suffix(".svg")
    svg.write_text(svg_sheet(read_figures(source)))
    subprocess.run(["convert", str(svg), str(target)], check=True)
    print(target)


if __name__ == "__main__":
    main()
