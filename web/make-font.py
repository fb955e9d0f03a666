#!/usr/bin/python3
"""Makes the web page's font: IPAPGothic cut down to the characters the game writes.

    make-font.py <ipagp.ttf> <render/FontCache.h> <output .ttf>

The characters are those of GameCharacters in render/FontCache.h. The IPA Font License allows a
font derived in this way on conditions: it is licensed under the same terms (the page carries
them beside the font, web/font-licence.txt), says how to put the original back, and carries none
of the original's names, so the face is renamed "Nuikaro Gothic". The outlines, metrics and
hinting of the characters kept are the original's; the layout and vertical tables, which SDL_ttf
without HarfBuzz never reads, are left out.
"""
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Nuikaro Gothic"


def game_characters(header):
    with open(header, encoding="utf-8") as source:
        found = re.search(r'GameCharacters\s*=\s*"([^"]*)"', source.read())
    if not found:
        sys.exit(f"make-font.py: no GameCharacters in {header}")
    return found.group(1)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip().splitlines()[2])
    original, header, output = sys.argv[1:]
    font = TTFont(original, recalcTimestamp=False)
    version = font["name"].getDebugName(5) or ""
    options = subset.Options()
    options.layout_features = []
    options.drop_tables += ["GSUB", "GDEF", "vhea", "vmtx"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=game_characters(header))
    subsetter.subset(font)
    names = {
        1: FAMILY,
        3: f"{FAMILY} {version}",
        4: FAMILY,
        5: f"{version} (subset)",
        6: FAMILY.replace(" ", ""),
    }
    for record in font["name"].names:
        if record.nameID in names:
            record.string = names[record.nameID]
    font.save(output)


if __name__ == "__main__":
    main()
