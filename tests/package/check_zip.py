#!/usr/bin/env python3
"""Checks the Windows package: what it holds and how its readme is encoded.

usage: check_zip.py ZIP SOURCE_DIR BUILD_DIR
"""
import sys
import zipfile

zip_path, source, build = sys.argv[1:4]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


with zipfile.ZipFile(zip_path) as z:
    names = sorted(z.namelist())
    programs = [n for n in names if n.endswith((".exe", ".scr"))]
    check(set(names) == {"kesta.exe", "kestasv.ini", "readme.txt", "kesta-figures.exe",
                         "kesta.scr"}, f"contents: {names}")
    for program in programs:
        with open(f"{build}/{program}", "rb") as built:
            check(z.read(program) == built.read(), f"{program} is not the one built")
    with open(f"{source}/resources/kestasv.ini", "rb") as sample:
        check(z.read("kestasv.ini") == sample.read(), "kestasv.ini is not the sample")

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

for failure in failures:
    print("package:", failure)
print(f"package: {zip_path}: {'FAILED' if failures else 'ok'} ({len(names)} files)")
sys.exit(1 if failures else 0)
