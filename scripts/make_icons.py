#!/usr/bin/env python3
"""Draws the program's two icons and writes them as .ico files.

main.ico   (MAINICON): 32 x 32 and 16 x 16, 32-bit colour, PNG-compressed: a blue tile with a
           white "Z"; also 20 and 24 (small icons at 125 and 150 %; 32 serves 200 %).
xicon1.ico (XICON1):   16 x 16, 16 colours: a globe, the picture of URL entries; also 20, 24
           and 32 (small icons up to 200 %).
appicon.ico (APPICON):  main.ico's pictures again, and 40, 48 and 64: the file's picture in the
           shell, whose views take the larger sizes.
lookbtn_*.ico (LOOKBTN_ADD, _EDIT, _DEL, _OK): 32 x 32, 32-bit colour, PNG-compressed: the list
editors' button pictures: a green plus, a pencil over a sheet, a red cross, a green tick; also 40,
48 and 64 for the buttons at 125, 150 and 200 %.

Every size is drawn for itself (no picture is a stretched copy of another), so each screen
scaling finds its own. PNG-compressed icon images (Windows Vista and later) take a sixth of the
plain ones' bytes (the globe keeps its 16 colours).
"""
import math
import struct
import sys
import zlib
from pathlib import Path


def inside_z(x, y, n):
    """True when pixel centre (x, y) of an n x n tile lies on the letter Z."""
    m = n * 0.22          # margin
    t = n * 0.16          # stroke
    u, v = x + 0.5, y + 0.5
    if not (m <= u <= n - m and m <= v <= n - m):
        return False
    if v <= m + t or v >= n - m - t:
        return True
    # diagonal from top-right to bottom-left
    x0, y0, x1, y1 = n - m - t * 0.5, m + t, m + t * 0.5, n - m - t
    xc = x0 + (v - y0) / (y1 - y0) * (x1 - x0)
    return abs(u - xc) <= t * 0.8


def tile_pixels(n):
    """BGRA rows, top to bottom."""
    r = n * 0.2
    rows = []
    for y in range(n):
        row = []
        for x in range(n):
            u, v = x + 0.5, y + 0.5
            cx = min(max(u, r), n - r)
            cy = min(max(v, r), n - r)
            if math.hypot(u - cx, v - cy) > r:
                row.append((0, 0, 0, 0))
            elif inside_z(x, y, n):
                row.append((255, 255, 255, 255))
            else:
                shade = int(200 - 90 * v / n)
                row.append((shade, int(shade * 0.45), 16, 255))  # blue, darker below
        rows.append(row)
    return rows


VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def globe_index(x, y, n=16):
    """Palette index of the n x n globe, or None for transparent (drawn in 16 x 16 units)."""
    k = 16 / n
    u, v = (x + 0.5) * k - 8, (y + 0.5) * k - 8
    d = math.hypot(u, v)
    if d > 7.5:
        return None
    if d > 6.6:
        return 4  # dark blue rim
    if abs(v) < 0.6 or abs(u) < 0.6 or abs(abs(v) - 3.6) < 0.5 or abs(math.hypot(u * 2, v) - 6.4) < 0.6:
        return 15  # white grid
    return 12 if (u + v) < 2 else 6


def dib_4(n=16):
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in VGA)
    xor = b""
    mask = b""
    for y in reversed(range(n)):
        idx = [globe_index(x, y, n) for x in range(n)]
        row = bytes(((idx[x] or 0) << 4) | (idx[x + 1] or 0) for x in range(0, n, 2))
        xor += row + bytes(-len(row) % 4)  # rows end on 4-byte boundaries
        out = bytearray(((n + 31) // 32) * 4)
        for x in range(n):
            if idx[x] is None:
                out[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(out)
    return header + palette + xor + mask, 4


def seg_dist(u, v, a, b):
    """Distance of point (u, v) from the segment a-b."""
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((u - ax) * dx + (v - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(u - ax - t * dx, v - ay - t * dy)


def shade(rgb, v, n):
    """rgb a little lighter at the top and darker at the bottom."""
    f = 1.15 - 0.3 * v / n
    return tuple(min(255, int(c * f)) for c in rgb)


def rect_dist(u, v, left, top, right, bottom):
    """0 inside the rectangle, else the distance from it."""
    dx = max(left - u, 0.0, u - right)
    dy = max(top - v, 0.0, v - bottom)
    return math.hypot(dx, dy)


def stroke_picture(shapes, n=32):
    """shapes: list of (distance function, half width, rgb) in 32 x 32 units, later ones on top,
    drawn n x n. A dark outline of one unit surrounds every shape; edges are smoothed by 4 x 4
    sampling."""
    k = 32 / n
    rows = []
    for y in range(n):
        row = []
        for x in range(n):
            acc = [0.0, 0.0, 0.0]
            alpha = 0
            for sy in range(4):
                for sx in range(4):
                    u, v = (x + (sx + 0.5) / 4) * k, (y + (sy + 0.5) / 4) * k
                    colour = None
                    for dist, half, rgb in shapes:
                        d = dist(u, v)
                        if d <= half:
                            colour = shade(rgb, v, 32)
                        elif d <= half + 1.2:
                            colour = tuple(c // 3 for c in rgb)
                    if colour:
                        acc = [acc[0] + colour[2], acc[1] + colour[1], acc[2] + colour[0]]
                        alpha += 1
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(c / alpha) for c in acc) + (alpha * 255 // 16,))
        rows.append(row)
    return rows


def segments(*segs):
    return lambda u, v: min(seg_dist(u, v, a, b) for a, b in segs)


def box(left, top, right, bottom):
    return lambda u, v: rect_dist(u, v, left, top, right, bottom)


GREEN = (40, 170, 60)
RED = (215, 40, 40)
BLUE = (50, 100, 200)
YELLOW = (240, 190, 40)
PAPER = (245, 245, 245)
GREY = (120, 120, 120)

BUTTON_PICTURES = {
    "lookbtn_add.ico": [(segments(((16, 5), (16, 27)), ((5, 16), (27, 16))), 3.2, GREEN)],
    "lookbtn_edit.ico": [
        (box(6, 4, 21, 27), 0.0, PAPER),
        (segments(((9, 9), (18, 9)), ((9, 13), (18, 13)), ((9, 17), (15, 17))), 0.5, GREY),
        (segments(((13, 25), (25, 9))), 2.4, YELLOW),
        (segments(((25, 9), (27, 6.3))), 2.4, RED),
        (segments(((11.5, 27.5), (12.7, 25.5))), 1.0, GREY),
    ],
    "lookbtn_del.ico": [(segments(((7, 7), (25, 25)), ((25, 7), (7, 25))), 3.0, RED)],
    "lookbtn_ok.ico": [(segments(((5, 17), (12, 25)), ((12, 25), (27, 7))), 3.0, GREEN)],
}


def png_image(rows):
    """A PNG (8-bit RGBA) of BGRA rows, as an icon image."""
    n = len(rows)
    raw = b"".join(b"\0" + bytes(c for b, g, r, a in row for c in (r, g, b, a)) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_ico(path, images):
    """images: list of (size, colour count byte, bit count, dib bytes)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bits, dib in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(dib), offset)
        offset += len(dib)
    out += b"".join(dib for *_, dib in images)
    Path(path).write_bytes(out)


# Sizes beyond 100 %: small icons 20, 24, 32 (125, 150, 200 %); large ones and the buttons'
# pictures 40, 48, 64.
MORE_SMALL = (20, 24)
MORE_LARGE = (40, 48, 64)


def main(folder):
    write_ico(Path(folder) / "main.ico",
              [(n, 0, 32, png_image(tile_pixels(n))) for n in (32, 16) + MORE_SMALL])
    globe, _ = dib_4()
    write_ico(Path(folder) / "xicon1.ico", [(16, 16, 4, globe)]
              + [(n, 16, 4, dib_4(n)[0]) for n in MORE_SMALL + (32,)])
    write_ico(Path(folder) / "appicon.ico",
              [(n, 0, 32, png_image(tile_pixels(n))) for n in (32, 16) + MORE_SMALL + MORE_LARGE])
    for name, strokes in BUTTON_PICTURES.items():
        write_ico(Path(folder) / name, [(n, 0, 32, png_image(stroke_picture(strokes, n)))
                                        for n in (32,) + MORE_LARGE])


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resident/res")
