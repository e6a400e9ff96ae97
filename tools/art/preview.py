#!/usr/bin/env python3
"""Reads generated .ico and .bmp files back and lays them out in one PNG.

Used to look at the artwork: python3 tools/art/preview.py OUT.png FILE...
Each image is enlarged (nearest neighbour) over a checkerboard, so masked
and magenta pixels show as transparent.
"""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pixelkit import MAGENTA, write_png  # noqa: E402


def _rows(data, off, w, h, bpp, palette):
    stride = ((w * bpp + 31) // 32) * 4
    out = []
    for y in range(h):
        row = data[off + (h - 1 - y) * stride:off + (h - y) * stride]
        px = []
        for x in range(w):
            if bpp == 32:
                b, g, r, a = row[x * 4:x * 4 + 4]
                px.append((r, g, b, a))
            elif bpp == 24:
                b, g, r = row[x * 3:x * 3 + 3]
                px.append((r, g, b, 0 if (r, g, b) == MAGENTA else 255))
            elif bpp == 4:
                i = (row[x >> 1] >> (4 if x % 2 == 0 else 0)) & 15
                px.append(palette[i] + (255,))
            elif bpp == 1:
                bit = (row[x >> 3] >> (7 - (x & 7))) & 1
                px.append(bit)
        out.append(px)
    return out


def read_ico(path):
    data = open(path, 'rb').read()
    _, typ, n = struct.unpack_from('<HHH', data, 0)
    assert typ == 1, path
    images = []
    for i in range(n):
        w, h, ncol, _, planes, bpp, size, off = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        w, h = w or 256, h or 256
        hsize, bw, bh2, _, bbpp = struct.unpack_from('<IiiHH', data, off)
        assert (bw, bh2, bbpp) == (w, 2 * h, bpp), path
        p = off + hsize
        palette = []
        if bpp <= 8:
            for k in range(1 << bpp):
                b, g, r, _ = data[p + 4 * k:p + 4 * k + 4]
                palette.append((r, g, b))
            p += 4 << bpp
        xor = _rows(data, p, w, h, bpp, palette)
        p += ((w * bpp + 31) // 32) * 4 * h
        mask = _rows(data, p, w, h, 1, None)
        px = []
        for y in range(h):
            row = []
            for x in range(w):
                r, g, b, a = xor[y][x]
                if bpp != 32:
                    a = 0 if mask[y][x] else 255
                row.append((r, g, b, a))
            px.append(row)
        images.append(px)
    return images


def read_bmp(path):
    data = open(path, 'rb').read()
    assert data[:2] == b'BM', path
    off, = struct.unpack_from('<I', data, 10)
    _, w, h, _, bpp = struct.unpack_from('<IiiHH', data, 14)
    assert bpp == 24, path
    return [_rows(data, off, w, h, 24, None)]


def main():
    out, files = sys.argv[1], sys.argv[2:]
    images = []
    for f in files:
        images += read_ico(f) if f.lower().endswith('.ico') else read_bmp(f)
    zoom = 4
    cell = max(max(len(i), len(i[0])) for i in images) * zoom + 8
    cols = min(8, len(images))
    rows = (len(images) + cols - 1) // cols
    W, H = cols * cell, rows * cell
    canvas = [[(((x // 8) + (y // 8)) % 2 and (200, 200, 200)) or (245, 245, 245)
               for x in range(W)] for y in range(H)]
    for n, img in enumerate(images):
        ox, oy = (n % cols) * cell + 4, (n // cols) * cell + 4
        for y, row in enumerate(img):
            for x, (r, g, b, a) in enumerate(row):
                if a == 0:
                    continue
                for dy in range(zoom):
                    for dx in range(zoom):
                        bg = canvas[oy + y * zoom + dy][ox + x * zoom + dx]
                        k = a / 255.0
                        canvas[oy + y * zoom + dy][ox + x * zoom + dx] = tuple(
                            int(c * k + bc * (1 - k)) for c, bc in zip((r, g, b), bg))
    write_png(out, W, H, canvas)


if __name__ == '__main__':
    main()
