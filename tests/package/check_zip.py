#!/usr/bin/env python3
"""Checks the Windows package: what it holds and how its readme is encoded.

usage: check_zip.py ZIP SOURCE_DIR BUILD_DIR
"""
import os
import struct
import subprocess
import sys
import tempfile
import zipfile

zip_path, source, build = sys.argv[1:4]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def pe_symbols_and_sections(image):
    """The COFF symbol count and the section names of a PE image (long names as /offset)."""
    header = struct.unpack_from("<I", image, 0x3C)[0]
    if image[header:header + 4] != b"PE\0\0":
        return None, []
    sections, symbols_at, symbols, optional = struct.unpack_from("<2xH4xIIH", image, header + 4)
    table = header + 24 + optional
    names = [image[table + 40 * i:table + 40 * i + 8].rstrip(b"\0").decode("ascii", "replace")
             for i in range(sections)]
    # A name longer than 8 bytes is kept in the string table after the symbols.
    strings = symbols_at + 18 * symbols
    for i, name in enumerate(names):
        if name.startswith("/") and symbols_at:
            start = strings + int(name[1:])
            names[i] = image[start:image.index(b"\0", start)].decode("ascii", "replace")
    return (symbols if symbols_at else 0), names


def built_and_stripped(program):
    """The program as built, stripped with the build's own strip tool, keeping its time stamp."""
    cache = open(f"{build}/CMakeCache.txt", encoding="utf-8").read()
    strip = next(line.split("=", 1)[1] for line in cache.splitlines()
                 if line.startswith("CMAKE_STRIP:"))
    with open(f"{build}/{program}", "rb") as f:
        image = f.read()
    linked = struct.unpack_from("<I", image, struct.unpack_from("<I", image, 0x3C)[0] + 8)[0]
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, program)
        subprocess.run([strip, "--strip-all", "-o", out, f"{build}/{program}"], check=True,
                       env=dict(os.environ, SOURCE_DATE_EPOCH=str(linked)))
        with open(out, "rb") as f:
            return f.read()


with zipfile.ZipFile(zip_path) as z:
    names = sorted(z.namelist())
    programs = [n for n in names if n.endswith((".exe", ".scr"))]
    check(set(names) == {"kesta.exe", "kestasv.ini", "readme.txt", "kesta-figures.exe",
                         "kesta.scr"}, f"contents: {names}")
    for program in programs:
        shipped = z.read(program)
        check(shipped == built_and_stripped(program), f"{program} is not the one built")
        symbols, sections = pe_symbols_and_sections(shipped)
        check(symbols == 0, f"{program} keeps {symbols} symbols")
        debug = [name for name in sections if name.startswith(".debug")]
        check(not debug, f"{program} keeps debug sections {debug}")
    with open(f"{source}/resources/kestasv.ini", "rb") as sample:
        check(z.read("kestasv.ini") == sample.read(), "kestasv.ini is not the sample")

    for entry in z.infolist():
        mode = entry.external_attr >> 16
        wanted = 0o100755 if entry.filename in programs else 0o100644
        check(entry.create_system == 3 and mode == wanted,
              f"{entry.filename} stored with mode {oct(mode)}, not {oct(wanted)}")

    readme = z.read("readme.txt")
    check(readme.startswith(b"\xef\xbb\xbf"), "readme has no byte-order mark")
    try:
        text = readme[3:].decode("utf-8")
    except UnicodeDecodeError as error:
        text = ""
        failures.append(f"readme is not UTF-8: {error}")
    check("\n" not in text.replace("\r\n", ""), "readme has line ends other than CRLF")
    check(text.endswith("\r\n"), "readme does not end with a line end")
    for heading in ("使い方", "設定の保存場所", "を増やすには", "kesta.exe"):
        check(heading in text, f"readme lacks {heading}")
    # A helper program's section is there exactly when the program is.
    check(("kesta-figures add" in text) == ("kesta-figures.exe" in names),
          "kesta-figures section and program disagree")
    check(("インストール" in text) == ("kesta.scr" in names), "kesta.scr section and program disagree")
    check("@@" not in text, "section markers left in the readme")
    # Everything a Windows user needs is in the readme itself: nothing of the source is packed.
    check("README" not in text and ".md" not in text, "readme points to a file not in the zip")
    for needed in ("%APPDATA%\\KESTA\\kestasv.ini", "kesta-figures list", "--spell", "--font",
                   "--replace", "--file", "kesta.scr", "kestasv.ini.bak"):
        check(needed in text, f"readme lacks {needed}")

for failure in failures:
    print("package:", failure)
print(f"package: {zip_path}: {'FAILED' if failures else 'ok'} ({len(names)} files)")
sys.exit(1 if failures else 0)
