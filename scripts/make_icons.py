#!/usr/bin/env python3
"""Draws the program's two icons and writes them as .ico files.

main.ico   (MAINICON): 32 x 32 and 16 x 16, 32-bit colour: a blue tile with a white "Z".
xicon1.ico (XICON1):   16 x 16, 16 colours: a globe, the picture of URL entries.
"""
import math
import struct
import sys
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


def dib_32(n):
    rows = tile_pixels(n)
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_row = ((n + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        out = bytearray(mask_row)
        for x, px in enumerate(row):
            if px[3] == 0:
                out[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(out)
    return header + xor + mask, 32


VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def globe_index(x, y):
    """Palette index of the 16 x 16 globe, or None for transparent."""
    u, v = x + 0.5 - 8, y + 0.5 - 8
    d = math.hypot(u, v)
    if d > 7.5:
        return None
    if d > 6.6:
        return 4  # dark blue rim
    if abs(v) < 0.6 or abs(u) < 0.6 or abs(abs(v) - 3.6) < 0.5 or abs(math.hypot(u * 2, v) - 6.4) < 0.6:
        return 15  # white grid
    return 12 if (u + v) < 2 else 6


def dib_4():
    n = 16
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in VGA)
    xor = b""
    mask = b""
    for y in reversed(range(n)):
        idx = [globe_index(x, y) for x in range(n)]
        xor += bytes(((idx[x] or 0) << 4) | (idx[x + 1] or 0) for x in range(0, n, 2))
        out = bytearray(4)
        for x in range(n):
            if idx[x] is None:
                out[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(out)
    return header + palette + xor + mask, 4


def write_ico(path, images):
    """images: list of (size, colour count byte, bit count, dib bytes)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bits, dib in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(dib), offset)
        offset += len(dib)
    out += b"".join(dib for *_, dib in images)
    Path(path).write_bytes(out)


def main(folder):
    big, _ = dib_32(32)
    small, _ = dib_32(16)
    write_ico(Path(folder) / "main.ico", [(32, 0, 32, big), (16, 0, 32, small)])
    globe, _ = dib_4()
    write_ico(Path(folder) / "xicon1.ico", [(16, 16, 4, globe)])


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resident/res")
