#!/usr/bin/env python3
"""Prints the folder include graph: one "folder -> folder" line per pair of folders where a file
of the first includes a header of the second (with the number of such includes), and any cycle.
Folders are the top-level ones; under tests/ the second level counts as well (tests/wine).
    tools/include_graph.py [SOURCE_ROOT]"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
skip = {"build", ".git", ".wine", "dist"}


def folder(relative):
    parts = pathlib.PurePosixPath(relative).parts
    if len(parts) < 2:
        return None
    if parts[0] == "tests" and len(parts) > 2:
        return "/".join(parts[:2])
    return parts[0]


edges = {}
for path in sorted(root.rglob("*")):
    relative = path.relative_to(root).as_posix()
    if path.suffix not in (".cpp", ".h", ".rc") or relative.split("/")[0] in skip:
        continue
    source = folder(relative)
    if source is None:
        continue
    for name in include.findall(path.read_text(encoding="utf-8", errors="replace")):
        target = folder(name)
        if target is None or not (root / name).exists() or target == source:
            continue
        edges[(source, target)] = edges.get((source, target), 0) + 1

for (source, target), count in sorted(edges.items()):
    print(f"{source} -> {target} ({count})")

# Folders that reach each other both ways, ignoring the tests, which may include anything.
graph = {}
for source, target in edges:
    graph.setdefault(source, set()).add(target)


def reaches(start, goal, seen):
    for step in graph.get(start, ()):
        if step == goal or (step not in seen and (seen.add(step) or reaches(step, goal, seen))):
            return True
    return False


cycles = sorted({tuple(sorted((a, b))) for a, b in edges
                 if not a.startswith("tests") and reaches(b, a, set())})
for a, b in cycles:
    print(f"cycle: {a} <-> {b}")
print("no cycle" if not cycles else f"{len(cycles)} folder pairs in cycles")
