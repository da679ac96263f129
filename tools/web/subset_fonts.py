#!/usr/bin/python3
"""Cuts the two Japanese faces down to the characters the game can show, for
the browser page, which has no font of its own to rely on.

The characters are those of the sources' text (every character outside ASCII
in the given files) and printable ASCII. The licence of the faces forbids
their name on a changed font, so the cut-down faces are renamed.

usage: subset_fonts.py --out DIR --sources FILE... --face FONT=FAMILY:FILE ...
"""
import argparse
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont


def characters(paths):
    chars = set(chr(c) for c in range(0x20, 0x7F))
    for path in paths:
        with open(path, encoding="utf-8") as f:
            chars.update(c for c in f.read() if ord(c) > 0x7F)
    return chars


def rename(font, family):
    """Every name that carries the original's family gets ours instead."""
    table = font["name"]
    style = "Regular"
    for record in list(table.names):
        if record.nameID in (1, 16):
            table.setName(family, record.nameID, record.platformID, record.platEncID, record.langID)
        elif record.nameID in (4, 18):
            table.setName(family, record.nameID, record.platformID, record.platEncID, record.langID)
        elif record.nameID in (3, 6):
            value = family.replace(" ", "") + ("-" + style if record.nameID == 6 else "")
            table.setName(value, record.nameID, record.platformID, record.platEncID, record.langID)
        elif record.nameID in (2, 17):
            table.setName(style, record.nameID, record.platformID, record.platEncID, record.langID)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--out", required=True)
    ap.add_argument("--sources", nargs="+", required=True)
    ap.add_argument("--face", action="append", required=True,
                    help="FONT=FAMILY:FILE, e.g. ipag.ttf=Skyward Gothic:gothic.woff")
    args = ap.parse_args()
    text = "".join(sorted(characters(args.sources)))
    os.makedirs(args.out, exist_ok=True)
    for spec in args.face:
        source, rest = spec.split("=", 1)
        family, out_name = rest.rsplit(":", 1)
        options = subset.Options()
        options.flavor = "woff"
        options.hinting = True  # the faces' hints keep small sizes sharp
        options.name_IDs = ["*"]
        options.name_languages = ["*"]
        options.notdef_outline = True
        font = TTFont(source)
        sub = subset.Subsetter(options)
        sub.populate(text=text)
        sub.subset(font)
        rename(font, family)
        font.flavor = "woff"
        out = os.path.join(args.out, out_name)
        font.save(out)
        missing = [c for c in text if ord(c) not in TTFont(source).getBestCmap()]
        print(f"{out}: {len(text)} characters, {os.path.getsize(out) // 1024} KiB"
              + (f", not in the face: {''.join(missing)!r}" if missing else ""))


if __name__ == "__main__":
    sys.exit(main())
