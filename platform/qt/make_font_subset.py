#!/usr/bin/env python3
"""Cuts the installed CJK face down to the characters of the program's own texts.

usage: make_font_subset.py TEXTS_HEADER OUTPUT_DIR

Writes subset-regular.otf and subset-bold.otf: the regular and the bold face of the family that
fontconfig gives for "Noto Sans CJK SC", holding printable ASCII and every character of the
GB18030 literals in TEXTS_HEADER, with their outlines, hints, metrics and layout features as they
are, under a family name of their own. Captions and labels are drawn from these; any other
character falls back to the installed face, which is then loaded as before. Exits with 1 and
writes nothing when the face or fontTools is missing.
"""
import os
import re
import subprocess
import sys

FAMILY = "Noto Sans CJK SC"
SUBSET_FAMILY = "Tivarel CJK Subset"


def texts_characters(header):
    with open(header, encoding="utf-8") as source:
        text = source.read()
    characters = {chr(c) for c in range(0x20, 0x7F)}
    for literal in re.findall(r'"((?:[^"\\]|\\.)*)"', text):
        raw = literal.encode("latin-1", "backslashreplace").decode("unicode_escape")
        characters |= set(raw.encode("latin-1").decode("gb18030"))
    return "".join(sorted(characters))


def installed_face(weight):
    found = subprocess.run(
        ["fc-match", "-f", "%{file}|%{index}|%{family[0]}", f"{FAMILY}:weight={weight}"],
        check=True, capture_output=True, text=True).stdout
    path, index, family = found.rsplit("|", 2)
    if family != FAMILY:
        raise LookupError(f"no {FAMILY} {weight} face installed (fontconfig gives {family})")
    return path, int(index)


def main():
    header, output = sys.argv[1], sys.argv[2]
    try:
        from fontTools import subset
        from fontTools.ttLib import TTFont
    except ImportError:
        print("make_font_subset: fontTools is missing", file=sys.stderr)
        return 1
    characters = texts_characters(header)
    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]  # the copyright and the licence stay with the font
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.hinting = True
    options.glyph_names = True
    for weight, style in (("regular", "Regular"), ("bold", "Bold")):
        try:
            path, index = installed_face(weight)
        except (LookupError, OSError, subprocess.CalledProcessError) as error:
            print(f"make_font_subset: {error}", file=sys.stderr)
            return 1
        font = TTFont(path, fontNumber=index, lazy=False)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=characters)
        subsetter.subset(font)
        postscript = SUBSET_FAMILY.replace(" ", "") + "-" + style
        for record in font["name"].names:
            if record.nameID in (1, 16):
                record.string = SUBSET_FAMILY
            elif record.nameID in (3, 4):
                record.string = f"{SUBSET_FAMILY} {style}"
            elif record.nameID == 6:
                record.string = postscript
            elif record.nameID in (17,):
                record.string = style
        if "CFF " in font:
            font["CFF "].cff.fontNames = [postscript]
        font.save(os.path.join(output, f"subset-{weight}.otf"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
