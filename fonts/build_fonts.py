#!/usr/bin/env python3
"""Builds the Orbelantrix TrueType fonts from the glyph geometry that orbx_glyphs writes.

Every bar is a rectangle of whole font units; every advance is whole modules. The UPC/EAN digits
are OCR-B's, converted from its cubic outlines to TrueType's quadratic ones.

    build_fonts.py GLYPHS.json OCR-B.otf OUTPUT_DIR VERSION
"""
import json
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampSinceEpoch
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

# Height of the printed digits and their distance from the bars above them, in modules.
DIGIT_HEIGHT = 7.5
DIGIT_GAP = 1.0
# Largest distance of a quadratic curve from OCR-B's cubic one, in font units.
CURVE_TOLERANCE = 0.5


class Digits:
    """OCR-B digits, drawn into a box of a glyph."""

    def __init__(self, path):
        font = TTFont(path)
        self.glyphs = font.getGlyphSet()
        cmap = font.getBestCmap()
        self.names = {d: cmap[ord(d)] for d in "0123456789"}
        # The digits' common top and the width of their cell, in OCR-B units.
        self.top = max(self._bounds(n)[3] for n in self.names.values())
        self.cell = self.glyphs[self.names["0"]].width

    def _bounds(self, name):
        pen = BoundsPen(self.glyphs)
        self.glyphs[name].draw(pen)
        return pen.bounds

    def draw(self, pen, digit, box, unit):
        """Draws `digit` centred in `box` (modules), its top DIGIT_GAP under the box's top."""
        x0, _, x1, y1 = box
        scale = DIGIT_HEIGHT * unit / self.top
        dx = ((x0 + x1) / 2) * unit - self.cell * scale / 2
        dy = (y1 - DIGIT_GAP - DIGIT_HEIGHT) * unit
        name = self.names[digit]
        self.glyphs[name].draw(
            TransformPen(Cu2QuPen(pen, CURVE_TOLERANCE, reverse_direction=True),
                         (scale, 0, 0, scale, dx, dy)))


def units(modules, unit):
    value = modules * unit
    if value != int(value):
        raise SystemExit(f"{modules} modules is no whole number of font units")
    return int(value)


def rectangle(pen, box, unit):
    x0, y0, x1, y1 = (units(v, unit) for v in box)
    # Clockwise, the direction of TrueType's filled contours.
    pen.moveTo((x0, y0))
    pen.lineTo((x0, y1))
    pen.lineTo((x1, y1))
    pen.lineTo((x1, y0))
    pen.closePath()


def build(family, units_per_em, digits, version):
    unit = family["units_per_module"]
    ascent = units(family["ascent"], unit)
    descent = units(family["descent"], unit)
    order = [".notdef"]
    cmap = {}
    outlines = {}
    metrics = {}
    # .notdef: an empty box of one em's width, drawn as nothing.
    outlines[".notdef"] = TTGlyphPen(None).glyph()
    metrics[".notdef"] = (units_per_em // 2, 0)
    for g in family["glyphs"]:
        name = "uni%04X" % g["unicode"]
        order.append(name)
        cmap[g["unicode"]] = name
        pen = TTGlyphPen(None)
        for box in g["bars"]:
            rectangle(pen, box, unit)
        for d in g["digits"]:
            digits.draw(pen, d["digit"], d["box"], unit)
        glyph = pen.glyph()
        outlines[name] = glyph
        glyph.recalcBounds(None)
        lsb = glyph.xMin if glyph.numberOfContours else 0
        metrics[name] = (units(g["advance"], unit), lsb)

    fb = FontBuilder(units_per_em, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(outlines)
    fb.setupHorizontalMetrics(metrics)
    # No line gap: lines of a stacked symbol follow one another at ascent + descent.
    fb.setupHorizontalHeader(ascent=ascent, descent=-descent, lineGap=0)
    style = "Regular"
    ps_name = family["name"].replace(" ", "") + "-" + style
    fb.setupNameTable({
        "familyName": family["name"],
        "styleName": style,
        "uniqueFontIdentifier": f"{ps_name} {version}",
        "fullName": family["name"],
        "psName": ps_name,
        "version": f"Version {version}",
        "copyright": "Orbelantrix barcode font. The digits are OCR-B (public domain).",
    })
    fb.setupOS2(
        version=4, sTypoAscender=ascent, sTypoDescender=-descent, sTypoLineGap=0,
        usWinAscent=ascent, usWinDescent=descent,
        # Bit 7 (USE_TYPO_METRICS): the typographic line is the line; bit 6 regular.
        fsSelection=(1 << 7) | (1 << 6), fsType=0, achVendID="ORBX",
        usFirstCharIndex=min(cmap), usLastCharIndex=max(cmap))
    os2 = fb.font["OS/2"]
    os2.recalcUnicodeRanges(fb.font)
    # Code page Latin 1 (Windows-1252): the characters as which the host shows a result.
    os2.ulCodePageRange1 = 1
    os2.ulCodePageRange2 = 0
    fb.setupPost(isFixedPitch=0)
    major, _, minor = version.partition(".")
    # The same bytes from the same sources: the time stamp from SOURCE_DATE_EPOCH, or fixed.
    stamp = timestampSinceEpoch(int(os.environ.get("SOURCE_DATE_EPOCH", "1704067200")))
    fb.setupHead(unitsPerEm=units_per_em, fontRevision=float(major + "." + minor.replace(".", "")),
                 created=stamp, modified=stamp)
    return fb.font


def main(argv):
    if len(argv) != 5:
        raise SystemExit(__doc__)
    glyphs_path, ocrb_path, out_dir, version = argv[1:]
    with open(glyphs_path, encoding="utf-8") as f:
        data = json.load(f)
    digits = Digits(ocrb_path)
    os.makedirs(out_dir, exist_ok=True)
    for family in data["fonts"]:
        font = build(family, data["units_per_em"], digits, version)
        font.save(os.path.join(out_dir, family["file"] + ".ttf"))
        print(f"{family['file']}.ttf: {len(family['glyphs'])} glyphs")


if __name__ == "__main__":
    main(sys.argv)
