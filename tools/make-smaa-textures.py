#!/usr/bin/env python3
"""Writes the two lookup tables the SMAA blending-weight pass reads.

    make-smaa-textures.py [output folder]     (default: runtime/textures)

Both tables are computed here from the geometric definitions of morphological
anti-aliasing: an edge line is followed to its two ends, the edges crossing it
there tell how the silhouette bends, a straight line is drawn through the
midpoints the bends give, and each pixel along the edge is blended by the area
that line cuts out of it. Only the standard library is used; the PNG files are
written with zlib and struct, so the same Python writes the same bytes.

AreaTexDX9.png: 128 x 192, grey plus alpha, 8 bits each (read as .r and .a).

  Frame of an edge line (every edge is turned into it): the edge runs along
  +x at height 0; the pixel P that owns it lies below (y < 0), the neighbour
  across it above. P is the (dL)th pixel from the left end and the (dR)th from
  the right end, so the line is n = dL + dR + 1 pixels long and P covers
  x in [dL, dL + 1]. The crossing edge at each end is coded
      0 none, 1 on P's side (down), 2 on the far side (up), 3 both,
  and gives the silhouette's height at that end: -1/2 for 1, +1/2 for 2, 0 for
  0 and 3 (no bend to follow). With one end bent (an L) the silhouette runs
  straight from that end's height to height 0 at the other end; with both
  bent (a Z or a U) it runs to height 0 at the middle of the line and on to
  the other end's height.
  .r: the area of P under height 0 that the silhouette gives to the far side:
      how much of the neighbour's colour P takes.
  .a: the area of the neighbour above height 0 that the silhouette gives to
      P's side: how much of P's colour the neighbour takes.

  Rows 0..127, orthogonal lines: texel (eL * 32 + dL, eR * 32 + dR), the
  distances 0..31.

  Rows 128..191, diagonal lines. A diagonal run is a chain of n pixels at
  (k, k), k = 0..n-1, each with an edge on its left and on its top (its
  colour on the lower right, the other colour on the upper left); P is the
  pixel k = d1, with d2 = n - 1 - d1 pixels after it. The run's boundary is a
  staircase from (0, 0) to (n, n) starting with a vertical edge and ending
  with a horizontal one; the silhouette is the straight line through the
  midpoints of its outermost edges, which is y = x + 1/2 unless the boundary
  goes on beyond an end against the staircase's rhythm. The code of the start
  end says how the boundary goes on from (0, 0) (1 left along y = 0, 2 down
  along x = 0, 0 neither, 3 both), that of the far end how it goes on from
  (n, n) (1 right along y = n, 2 up along x = n). Going on down at the start
  moves the line's start to (0, -1/2), going on right at the end moves its end
  to (n + 1/2, n); every other case keeps the staircase's own midpoints.
  Texel (kind * 64 + e1 * 16 + d1, 128 + e2 * 16 + d2), the distances 0..15,
  kind 0 for P's top edge and 1 for P's left edge:
  .r: half the area of P above-left of the line (P takes as much from the
      pixel above as from the pixel on its left),
  .a: the area of the neighbour across that edge below-right of the line;
      half of it when that neighbour also borders the next corner of the run
      (the pixel above one corner is the left neighbour of the next), so that
      the two corners together give it its area once.

SearchTex.png: 10 x 5, grey, 8 bits (read as .r).

  The search along an edge line reads two pixels of the edge picture at once
  with one bilinear fetch that weights the nearer pixel 3/4 and the farther
  1/4; each channel then reads 0, 1/4, 3/4 or 1, so its code 4 x value =
  3 x near + far tells both pixels apart. The search stops at the first pair
  that is not wholly on the line (main channel code below 4) or that holds a
  crossing edge on P's side (cross channel code above 0); the table tells how
  many pixels of that pair still belong to the line, stored as 85 per pixel
  (0, 85, 170: the value times 3 is the count). Texel (style * 5 + main code,
  cross code). Each pixel of the edge picture stores the edge on its left
  (red) and on its top (green):
  style 0, searching towards the side a pixel stores (left, up): the near
  pixel's crossing edge lies between the two pixels and the far pixel's
  beyond them;
  style 1, searching away from it (right, down): the near pixel's crossing
  edge lies before the pair and the far pixel's between the two.
"""

import os
import struct
import sys
import zlib

ORTHO_DISTANCES = 32
DIAG_DISTANCES = 16
PATTERNS = 4
AREA_WIDTH = PATTERNS * ORTHO_DISTANCES  # 128
ORTHO_ROWS = PATTERNS * ORTHO_DISTANCES  # 128
DIAG_ROWS = PATTERNS * DIAG_DISTANCES  # 64
AREA_HEIGHT = ORTHO_ROWS + DIAG_ROWS  # 192
SEARCH_CODES = 5
SEARCH_WIDTH = 2 * SEARCH_CODES
SEARCH_HEIGHT = SEARCH_CODES
SEARCH_UNIT = 85

# ---- orthogonal lines ---------------------------------------------------------

END_HEIGHT = {0: 0.0, 1: -0.5, 2: 0.5, 3: 0.0}


def silhouette(d_left, d_right, e_left, e_right):
    """The silhouette over an orthogonal edge line as (x, height) corners."""
    n = d_left + d_right + 1
    h_left, h_right = END_HEIGHT[e_left], END_HEIGHT[e_right]
    if h_left != 0.0 and h_right != 0.0:
        return [(0.0, h_left), (n / 2.0, 0.0), (float(n), h_right)]
    return [(0.0, h_left), (float(n), h_right)]


def positive_part(x0, y0, x1, y1):
    """The integral of max(0, y) over a straight piece from (x0, y0) to (x1, y1)."""
    if x1 <= x0:
        return 0.0
    if y0 >= 0 and y1 >= 0:
        return (y0 + y1) / 2.0 * (x1 - x0)
    if y0 <= 0 and y1 <= 0:
        return 0.0
    crossing = x0 + (x1 - x0) * y0 / (y0 - y1)
    if y0 > 0:
        return y0 * (crossing - x0) / 2.0
    return y1 * (x1 - crossing) / 2.0


def height_at(corners, x):
    for (xa, ya), (xb, yb) in zip(corners, corners[1:]):
        if xa <= x <= xb:
            return ya + (yb - ya) * (x - xa) / (xb - xa)
    raise ValueError("outside the line")


def area_over(corners, left, right, sign):
    """The integral of max(0, sign * height) over [left, right]."""
    cuts = sorted({left, right} | {x for x, _ in corners if left < x < right})
    total = 0.0
    for a, b in zip(cuts, cuts[1:]):
        total += positive_part(a, sign * height_at(corners, a), b, sign * height_at(corners, b))
    return total


def ortho_areas(d_left, d_right, e_left, e_right):
    """(.r, .a) of an orthogonal texel: P's area given away, the neighbour's."""
    corners = silhouette(d_left, d_right, e_left, e_right)
    return (area_over(corners, d_left, d_left + 1, -1.0), area_over(corners, d_left, d_left + 1, 1.0))


# ---- diagonal runs ------------------------------------------------------------


def diagonal_line(d1, d2, e_start, e_end):
    """Two points of the silhouette of a diagonal run, left to right."""
    n = d1 + d2 + 1
    start = (0.0, -0.5) if e_start == 2 else (0.0, 0.5)
    end = (n + 0.5, float(n)) if e_end == 1 else (n - 0.5, float(n))
    return start, end


def clip_above(polygon, a, b, keep_above):
    """The part of a convex polygon above (or below) the line through a and b."""

    def side(p):
        return (b[0] - a[0]) * (p[1] - a[1]) - (b[1] - a[1]) * (p[0] - a[0])

    out = []
    for i, p in enumerate(polygon):
        q = polygon[(i + 1) % len(polygon)]
        sp, sq = side(p), side(q)
        if not keep_above:
            sp, sq = -sp, -sq
        if sp >= 0:
            out.append(p)
        if (sp >= 0) != (sq >= 0):
            t = sp / (sp - sq)
            out.append((p[0] + (q[0] - p[0]) * t, p[1] + (q[1] - p[1]) * t))
    return out


def polygon_area(polygon):
    twice = 0.0
    for i, p in enumerate(polygon):
        q = polygon[(i + 1) % len(polygon)]
        twice += p[0] * q[1] - q[0] * p[1]
    return abs(twice) / 2.0


def square(x, y):
    return [(x, y), (x + 1.0, y), (x + 1.0, y + 1.0), (x, y + 1.0)]


def diagonal_areas(kind, d1, d2, e_start, e_end):
    """(.r, .a) of a diagonal texel; kind 0 is P's top edge, 1 its left edge."""
    a, b = diagonal_line(d1, d2, e_start, e_end)
    k = float(d1)
    taken = polygon_area(clip_above(square(k, k), a, b, True)) / 2.0
    neighbour = square(k, k + 1.0) if kind == 0 else square(k - 1.0, k)
    given = polygon_area(clip_above(neighbour, a, b, False))
    shared = d2 > 0 if kind == 0 else d1 > 0
    return taken, given / 2.0 if shared else given


# ---- the tables ---------------------------------------------------------------


def to_byte(area):
    return max(0, min(255, int(round(area * 255.0))))


def area_table():
    """Rows of (grey, alpha) pairs, first row first."""
    rows = [[(0, 0)] * AREA_WIDTH for _ in range(AREA_HEIGHT)]
    for e_left in range(PATTERNS):
        for e_right in range(PATTERNS):
            for d_left in range(ORTHO_DISTANCES):
                for d_right in range(ORTHO_DISTANCES):
                    r, a = ortho_areas(d_left, d_right, e_left, e_right)
                    rows[e_right * ORTHO_DISTANCES + d_right][e_left * ORTHO_DISTANCES + d_left] = (to_byte(r), to_byte(a))
    for kind in range(2):
        for e_start in range(PATTERNS):
            for e_end in range(PATTERNS):
                for d1 in range(DIAG_DISTANCES):
                    for d2 in range(DIAG_DISTANCES):
                        r, a = diagonal_areas(kind, d1, d2, e_start, e_end)
                        x = kind * PATTERNS * DIAG_DISTANCES + e_start * DIAG_DISTANCES + d1
                        y = ORTHO_ROWS + e_end * DIAG_DISTANCES + d2
                        rows[y][x] = (to_byte(r), to_byte(a))
    return rows


def pixels_left_on_line(style, main_code, cross_code):
    """How many pixels of the last fetched pair belong to the edge line."""
    main_near, main_far = main_code >= 3, main_code % 3 == 1
    cross_near, cross_far = cross_code >= 3, cross_code % 3 == 1
    if style == 0:
        if not main_near:
            return 0
        return 1 if cross_near or not main_far else 2
    if not main_near or cross_near:
        return 0
    return 1 if cross_far or not main_far else 2


def search_table():
    """Rows of grey values, first row first; codes of 2 cannot occur and hold 0."""
    rows = [[0] * SEARCH_WIDTH for _ in range(SEARCH_HEIGHT)]
    valid = (0, 1, 3, 4)
    for style in range(2):
        for main_code in valid:
            for cross_code in valid:
                count = pixels_left_on_line(style, main_code, cross_code)
                rows[cross_code][style * SEARCH_CODES + main_code] = count * SEARCH_UNIT
    return rows


# ---- PNG ----------------------------------------------------------------------


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_bytes(width, height, colour_type, rows):
    """An 8-bit PNG: colour type 0 (grey) rows of ints, 4 (grey + alpha) rows of pairs."""
    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter
        for value in row:
            raw.extend(value if isinstance(value, tuple) else (value,))
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            png_chunk(b"IEND", b""))


def write_tables(folder):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "AreaTexDX9.png"), "wb") as f:
        f.write(png_bytes(AREA_WIDTH, AREA_HEIGHT, 4, area_table()))
    with open(os.path.join(folder, "SearchTex.png"), "wb") as f:
        f.write(png_bytes(SEARCH_WIDTH, SEARCH_HEIGHT, 0, search_table()))


def main(argv):
    if len(argv) > 2:
        sys.stderr.write("usage: make-smaa-textures.py [output folder]\n")
        return 2
    here = os.path.dirname(os.path.abspath(__file__))
    folder = argv[1] if len(argv) == 2 else os.path.join(here, "..", "runtime", "textures")
    try:
        write_tables(folder)
    except OSError as error:
        sys.stderr.write("make-smaa-textures.py: cannot write %s: %s\n" % (folder, error))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
