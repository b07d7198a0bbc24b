#!/usr/bin/env python3
"""The SMAA lookup tables: the committed files are what the generator writes,
and texels read from them hold the areas worked out by hand below.

    smaa_textures_test.py <source tree>
"""

import importlib.util
import os
import struct
import sys
import tempfile
import unittest
import zlib

SOURCE = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
SCRIPT = os.path.join(SOURCE, "tools", "make-smaa-textures.py")
TEXTURES = os.path.join(SOURCE, "runtime", "textures")


def read_png(path):
    """(width, height, channels, rows) of an unfiltered 8-bit grey or grey-alpha PNG."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, _ = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    assert depth == 8
    channels = {0: 1, 4: 2}[colour]
    raw = zlib.decompress(idat)
    stride = 1 + width * channels
    rows = []
    for y in range(height):
        line = raw[y * stride:(y + 1) * stride]
        assert line[0] == 0
        rows.append([tuple(line[1 + x * channels:1 + (x + 1) * channels]) for x in range(width)])
    return width, height, channels, rows


def byte(area):
    return int(round(area * 255))


class SmaaTexturesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.area = read_png(os.path.join(TEXTURES, "AreaTexDX9.png"))
        cls.search = read_png(os.path.join(TEXTURES, "SearchTex.png"))

    def test_committed_tables_are_what_the_generator_writes(self):
        spec = importlib.util.spec_from_file_location("make_smaa_textures", SCRIPT)
        module = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(module)
        with tempfile.TemporaryDirectory() as folder:
            module.write_tables(folder)
            for name in ("AreaTexDX9.png", "SearchTex.png"):
                with open(os.path.join(folder, name), "rb") as made, open(os.path.join(TEXTURES, name), "rb") as kept:
                    self.assertEqual(made.read(), kept.read(), name)

    def test_sizes_and_channels(self):
        self.assertEqual(self.area[:3], (128, 192, 2))
        self.assertEqual(self.search[:3], (10, 5, 1))

    def test_orthogonal_areas(self):
        # (dL, dR, crossing left, crossing right) -> (.r, .a); texel (eL*32+dL, eR*32+dR).
        cases = [
            # No crossing edge: nothing to follow, nothing blended.
            ((5, 7, 0, 0), (0, 0)),
            # Crossings on both sides at both ends (3) count as none.
            ((2, 2, 3, 3), (0, 0)),
            # Z of one pixel: the line runs from (0, -1/2) to (1, 1/2), crossing
            # height 0 at x = 1/2; each side gets a triangle 1/2 x 1/2 / 2 = 1/8.
            ((0, 0, 1, 2), (1 / 8, 1 / 8)),
            # U of one pixel, both ends down: (0, -1/2) to (1/2, 0) to (1, -1/2):
            # two triangles of 1/8 under height 0, nothing above.
            ((0, 0, 1, 1), (1 / 4, 0)),
            # L of two pixels bent down at the left: y = -1/2 + x/4 over [0, 2];
            # the first pixel gets the integral of 1/2 - x/4 over [0, 1] = 3/8 ...
            ((0, 1, 1, 0), (3 / 8, 0)),
            # ... the second the integral over [1, 2] = 1/2 - 3/8 = 1/8.
            ((1, 0, 1, 0), (1 / 8, 0)),
            # L of four pixels bent up at the right: y = x/8 over [0, 4]; the
            # third pixel gets the integral over [2, 3] = (9 - 4) / 16 = 5/16 above.
            ((2, 1, 0, 2), (0, 5 / 16)),
        ]
        rows = self.area[3]
        for (d_left, d_right, e_left, e_right), (r, a) in cases:
            texel = rows[e_right * 32 + d_right][e_left * 32 + d_left]
            self.assertEqual(texel, (byte(r), byte(a)), (d_left, d_right, e_left, e_right))

    def test_diagonal_areas(self):
        # (kind, d1, d2, start, end) -> (.r, .a); texel (kind*64+e1*16+d1, 128+e2*16+d2).
        cases = [
            # A plain staircase: the line y = x + 1/2 cuts the triangle (k, k+1/2),
            # (k, k+1), (k+1/2, k+1) of area 1/8 out of P, half per edge, and as
            # much out of the pixel above (kind 0) and on the left (kind 1); a
            # pixel that is above one corner and left of the next gets half
            # from each.
            ((0, 1, 1, 0, 0), (1 / 16, 1 / 16)),
            ((1, 1, 1, 0, 0), (1 / 16, 1 / 16)),
            # The first corner's left neighbour borders no other corner.
            ((1, 0, 2, 0, 0), (1 / 16, 1 / 8)),
            # Going on left at the start or up at the end keeps the staircase's rhythm.
            ((0, 2, 3, 1, 2), (1 / 16, 1 / 16)),
            # One pixel going on down at the start: the line from (0, -1/2) to
            # (1/2, 1) is x = (y + 1/2) / 3; left of it P holds the trapezoid
            # (1/6 + 1/2) / 2 = 1/3, half per edge; the pixel above holds
            # 1 - integral of (y + 1/2) / 3 over [1, 2] = 1 - 2/3 = 1/3 right of it
            # (a run of one corner shares no neighbour).
            ((0, 0, 0, 2, 0), (1 / 6, 1 / 3)),
        ]
        rows = self.area[3]
        for (kind, d1, d2, e_start, e_end), (r, a) in cases:
            texel = rows[128 + e_end * 16 + d2][kind * 64 + e_start * 16 + d1]
            self.assertEqual(texel, (byte(r), byte(a)), (kind, d1, d2, e_start, e_end))

    def test_search_counts(self):
        # (style, main code, cross code) -> pixels of the last pair on the line,
        # each code being 3 x near pixel + far pixel; stored as 85 per pixel.
        cases = [
            ((0, 4, 0), 2),  # both on the line, no crossing: the search went on
            ((0, 4, 1), 2),  # towards the stored side the far crossing lies beyond the pair
            ((0, 4, 3), 1),  # ... the near one between the two pixels
            ((1, 4, 3), 0),  # away from it the near crossing lies before the pair
            ((1, 4, 1), 1),  # ... the far one between the two
            ((0, 3, 0), 1),  # the line ends after the near pixel
            ((1, 1, 0), 0),  # the near pixel is off the line
        ]
        rows = self.search[3]
        for (style, main, cross), count in cases:
            self.assertEqual(rows[cross][style * 5 + main], (count * 85,), (style, main, cross))


if __name__ == "__main__":
    unittest.main()
