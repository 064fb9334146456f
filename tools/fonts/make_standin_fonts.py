#!/usr/bin/python3
"""Draws the five stand-in TrueType faces of the look-and-feel kit.

The kit asks for five faces that have no free font file ("Distant Galaxy",
"Nevis", "Arrows", "Arrows2", "Arrows3"). These are our own simple faces in
their place: straight-stroke capitals for the two display faces and a few
arrow glyphs for the three symbol faces. The "Arrows" face draws "R" as a
left-pointing and "Q" as a right-pointing arrow, the preset arrows of the
header.

Run with Debian's python3 and python3-fonttools:
    /usr/bin/python3 tools/fonts/make_standin_fonts.py resources/fonts
The output is byte-for-byte reproducible; the files are committed, so the
build itself never runs this script.
"""

import math
import sys
from pathlib import Path

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

UNITS_PER_EM = 1000
ASCENT = 800
DESCENT = -200
CAP_HEIGHT = 700
FIXED_TIMESTAMP = 3786825600  # 2024-01-01, keeps the files reproducible
LICENCE = ("Part of Ondrel, GPL-3.0-or-later. Drawn by "
           "tools/fonts/make_standin_fonts.py.")

# Capitals and digits as strokes on a grid 4 wide and 6 high (y up,
# baseline 0). Each stroke is a polyline; a single point is a dot.
STROKES = {
    "A": [[(0, 0), (0, 4), (2, 6), (4, 4), (4, 0)], [(0, 3), (4, 3)]],
    "B": [[(0, 0), (0, 6), (3, 6), (4, 5), (4, 4), (3, 3), (0, 3)],
          [(3, 3), (4, 2), (4, 1), (3, 0), (0, 0)]],
    "C": [[(4, 6), (0, 6), (0, 0), (4, 0)]],
    "D": [[(0, 0), (0, 6), (3, 6), (4, 5), (4, 1), (3, 0), (0, 0)]],
    "E": [[(4, 6), (0, 6), (0, 0), (4, 0)], [(0, 3), (3, 3)]],
    "F": [[(4, 6), (0, 6), (0, 0)], [(0, 3), (3, 3)]],
    "G": [[(4, 6), (0, 6), (0, 0), (4, 0), (4, 3), (2, 3)]],
    "H": [[(0, 0), (0, 6)], [(4, 0), (4, 6)], [(0, 3), (4, 3)]],
    "I": [[(2, 0), (2, 6)], [(1, 6), (3, 6)], [(1, 0), (3, 0)]],
    "J": [[(4, 6), (4, 0), (0, 0), (0, 2)]],
    "K": [[(0, 0), (0, 6)], [(4, 6), (0, 3), (4, 0)]],
    "L": [[(0, 6), (0, 0), (4, 0)]],
    "M": [[(0, 0), (0, 6), (2, 3), (4, 6), (4, 0)]],
    "N": [[(0, 0), (0, 6), (4, 0), (4, 6)]],
    "O": [[(0, 0), (0, 6), (4, 6), (4, 0), (0, 0)]],
    "P": [[(0, 0), (0, 6), (4, 6), (4, 3), (0, 3)]],
    "Q": [[(0, 0), (0, 6), (4, 6), (4, 0), (0, 0)], [(2, 2), (4, -1)]],
    "R": [[(0, 0), (0, 6), (4, 6), (4, 3), (0, 3)], [(1, 3), (4, 0)]],
    "S": [[(4, 6), (0, 6), (0, 3), (4, 3), (4, 0), (0, 0)]],
    "T": [[(0, 6), (4, 6)], [(2, 6), (2, 0)]],
    "U": [[(0, 6), (0, 0), (4, 0), (4, 6)]],
    "V": [[(0, 6), (2, 0), (4, 6)]],
    "W": [[(0, 6), (1, 0), (2, 3), (3, 0), (4, 6)]],
    "X": [[(0, 6), (4, 0)], [(0, 0), (4, 6)]],
    "Y": [[(0, 6), (2, 3), (4, 6)], [(2, 3), (2, 0)]],
    "Z": [[(0, 6), (4, 6), (0, 0), (4, 0)]],
    "0": [[(0, 0), (0, 6), (4, 6), (4, 0), (0, 0)], [(1, 1), (3, 5)]],
    "1": [[(1, 5), (2, 6), (2, 0)], [(1, 0), (3, 0)]],
    "2": [[(0, 6), (4, 6), (4, 3), (0, 3), (0, 0), (4, 0)]],
    "3": [[(0, 6), (4, 6), (4, 0), (0, 0)], [(1, 3), (4, 3)]],
    "4": [[(0, 6), (0, 3), (4, 3)], [(3, 6), (3, 0)]],
    "5": [[(4, 6), (0, 6), (0, 3), (4, 3), (4, 0), (0, 0)]],
    "6": [[(4, 6), (0, 6), (0, 0), (4, 0), (4, 3), (0, 3)]],
    "7": [[(0, 6), (4, 6), (1, 0)]],
    "8": [[(0, 0), (0, 6), (4, 6), (4, 0), (0, 0)], [(0, 3), (4, 3)]],
    "9": [[(4, 3), (0, 3), (0, 6), (4, 6), (4, 0), (0, 0)]],
    "-": [[(1, 3), (3, 3)]],
    "+": [[(1, 3), (3, 3)], [(2, 2), (2, 4)]],
    ".": [[(2, 0)]],
    ":": [[(2, 1)], [(2, 4)]],
    "/": [[(0, 0), (4, 6)]],
}


def oriented_clockwise(points):
    """TrueType fills clockwise contours (y up); overlapping ones then unite."""
    area = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1)
               in zip(points, points[1:] + points[:1]))
    return list(reversed(points)) if area > 0 else points


def rounded(points):
    return [(round(x), round(y)) for x, y in points]


def stroke_contours(polyline, half, to_units):
    """Quads along each segment plus a square at every vertex for the joins."""
    pts = [to_units(p) for p in polyline]
    contours = []
    for x, y in pts:
        contours.append([(x - half, y - half), (x - half, y + half),
                         (x + half, y + half), (x + half, y - half)])
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        length = math.hypot(x1 - x0, y1 - y0)
        if length == 0:
            continue
        nx, ny = -(y1 - y0) / length * half, (x1 - x0) / length * half
        contours.append([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                         (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])
    return contours


def ring(cx, cy, radius, steps=40, clockwise=True):
    pts = [(cx + radius * math.sin(2 * math.pi * i / steps),
            cy + radius * math.cos(2 * math.pi * i / steps)) for i in range(steps)]
    return pts if clockwise else list(reversed(pts))


def turned(points, quarter_turns, cx=500, cy=350):
    """Rotates a right-pointing shape to point up (1), left (2) or down (3)."""
    out = []
    for x, y in points:
        dx, dy = x - cx, y - cy
        for _ in range(quarter_turns):
            dx, dy = -dy, dx
        out.append((cx + dx, cy + dy))
    return out


def glyph_from_contours(contours, keep_direction=False):
    pen = TTGlyphPen(None)
    for contour in contours:
        pts = rounded(contour)
        if not keep_direction:
            pts = oriented_clockwise(pts)
        pen.moveTo(pts[0])
        for p in pts[1:]:
            pen.lineTo(p)
        pen.closePath()
    return pen.glyph()


def notdef_glyph(width):
    outer = [(50, 0), (50, CAP_HEIGHT), (width - 50, CAP_HEIGHT), (width - 50, 0)]
    inner = [(100, 50), (width - 100, 50), (width - 100, CAP_HEIGHT - 50), (100, CAP_HEIGHT - 50)]
    return glyph_from_contours([outer, inner], keep_direction=True)


def stroke_face(unit_x, weight, slant_degrees):
    """Capitals, digits and a few signs; lower case maps onto the capitals."""
    half = weight / 2
    unit_y = (CAP_HEIGHT - weight) / 6
    shear = math.tan(math.radians(slant_degrees))
    side = 40
    advance = round(4 * unit_x + weight + 2 * side + CAP_HEIGHT * shear)

    def to_units(p):
        x = side + half + p[0] * unit_x
        y = half + p[1] * unit_y
        return (x + y * shear, y)

    glyphs = {}
    for char, strokes in STROKES.items():
        contours = []
        for polyline in strokes:
            contours += stroke_contours(polyline, half, to_units)
        glyphs[char] = (glyph_from_contours(contours), advance)
    return glyphs, advance


RIGHT_ARROW = [(100, 290), (520, 290), (520, 120), (900, 350),
               (520, 580), (520, 410), (100, 410)]
RIGHT_CHEVRON = [(120, 80), (400, 80), (780, 350), (400, 620), (120, 620), (500, 350)]
RIGHT_TRIANGLE = [(360, 170), (680, 350), (360, 530)]
# The header's preset buttons leave their arrow only a few pixels of width:
# a narrow arrowhead on a narrow advance fits where a wide arrow would be
# cut to an ellipsis.
NARROW_ARROWHEAD = [(20, 150), (220, 350), (20, 550)]
NARROW_ADVANCE = 240


def arrow_face(shape, with_ring, advance=1000):
    """Right (Q), left (R), up (S) and down (T) arrows of one shape."""
    glyphs = {}
    for char, turns in (("Q", 0), ("R", 2), ("S", 1), ("T", 3)):
        contours = [oriented_clockwise(rounded(turned(shape, turns, cx=advance / 2)))]
        if with_ring:
            contours += [ring(500, 350, 420), ring(500, 350, 350, clockwise=False)]
        glyphs[char] = (glyph_from_contours(contours, keep_direction=True), advance)
    return glyphs, advance


def build_font(path, family, style, glyphs, advance, bold=False):
    order = [".notdef", "space"] + ["g%02x" % ord(c) for c in glyphs]
    cmap = {0x20: "space"}
    for c in glyphs:
        cmap[ord(c)] = "g%02x" % ord(c)
        if c.isalpha():
            cmap[ord(c.lower())] = "g%02x" % ord(c)

    outlines = {".notdef": notdef_glyph(advance), "space": TTGlyphPen(None).glyph()}
    metrics = {".notdef": (advance, 0), "space": (advance // 2, 0)}
    for c, (glyph, width) in glyphs.items():
        outlines["g%02x" % ord(c)] = glyph
        metrics["g%02x" % ord(c)] = (width, 0)

    fb = FontBuilder(UNITS_PER_EM, isTTF=True)
    fb.font.recalcTimestamp = False
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(outlines)
    glyf = fb.font["glyf"]
    metrics = {name: (w, getattr(glyf[name], "xMin", 0)) for name, (w, _) in metrics.items()}
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ASCENT, descent=DESCENT)
    ps_name = (family + "-" + style).replace(" ", "")
    fb.setupNameTable({
        "copyright": "Copyright the Ondrel developers. " + LICENCE,
        "familyName": family,
        "styleName": style,
        "uniqueFontIdentifier": ps_name + ";Ondrel",
        "fullName": family + " " + style,
        "version": "Version 1.000",
        "psName": ps_name,
        "description": "Stand-in face drawn for the Ondrel plug-in.",
        "licenseDescription": LICENCE,
    })
    fb.setupOS2(sTypoAscender=ASCENT, sTypoDescender=DESCENT, sTypoLineGap=0,
                usWinAscent=ASCENT, usWinDescent=-DESCENT, sCapHeight=CAP_HEIGHT,
                usWeightClass=700 if bold else 400,
                fsSelection=0x20 if bold else 0x40)
    fb.setupPost()
    fb.setupHead(unitsPerEm=UNITS_PER_EM, created=FIXED_TIMESTAMP,
                 modified=FIXED_TIMESTAMP, macStyle=1 if bold else 0)
    fb.save(str(path))


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else "resources/fonts")
    out.mkdir(parents=True, exist_ok=True)
    faces = [
        ("DistantGalaxyStandIn-Regular.ttf", "Distant Galaxy Stand-in", "Regular",
         stroke_face(unit_x=150, weight=80, slant_degrees=12), False),
        ("NevisStandIn-Bold.ttf", "Nevis Stand-in", "Bold",
         stroke_face(unit_x=95, weight=150, slant_degrees=0), True),
        ("ArrowsStandIn-Regular.ttf", "Arrows Stand-in", "Regular",
         arrow_face(NARROW_ARROWHEAD, with_ring=False, advance=NARROW_ADVANCE), False),
        ("Arrow7StandIn-Regular.ttf", "Arrow 7 Stand-in", "Regular",
         arrow_face(RIGHT_CHEVRON, with_ring=False), False),
        ("ArrowSymbols1StandIn-Regular.ttf", "Arrow Symbols 1 Stand-in", "Regular",
         arrow_face(RIGHT_TRIANGLE, with_ring=True), False),
    ]
    for file_name, family, style, (glyphs, advance), bold in faces:
        build_font(out / file_name, family, style, glyphs, advance, bold)


if __name__ == "__main__":
    main()
