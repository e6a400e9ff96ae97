"""Tiny vector-to-pixel kit for the program's artwork (standard library only).

Shapes are predicates over a design coordinate space; a Canvas samples them
on a sub-pixel grid, so every picture can be drawn once in design units and
rendered at any size.  Writers produce .ico (32-bit with AND mask, or 4-bit
paletted), 24-bit .bmp with a magenta key colour, and .png for previews.
"""

import math
import struct
import zlib

MAGENTA = (255, 0, 255)


# --------------------------------------------------------------------------
# Shapes

class Shape:
    def __init__(self, inside, bbox):
        self.inside = inside  # (x, y) -> bool, design units
        self.bbox = bbox      # (x0, y0, x1, y1), design units

    def __or__(self, other):
        a, b = self.bbox, other.bbox
        return Shape(lambda x, y: self.inside(x, y) or other.inside(x, y),
                     (min(a[0], b[0]), min(a[1], b[1]),
                      max(a[2], b[2]), max(a[3], b[3])))

    def __and__(self, other):
        a, b = self.bbox, other.bbox
        return Shape(lambda x, y: self.inside(x, y) and other.inside(x, y),
                     (max(a[0], b[0]), max(a[1], b[1]),
                      min(a[2], b[2]), min(a[3], b[3])))

    def __sub__(self, other):
        return Shape(lambda x, y: self.inside(x, y) and not other.inside(x, y),
                     self.bbox)

    def moved(self, dx, dy):
        x0, y0, x1, y1 = self.bbox
        return Shape(lambda x, y: self.inside(x - dx, y - dy),
                     (x0 + dx, y0 + dy, x1 + dx, y1 + dy))

    def rotated(self, degrees, cx, cy):
        a = math.radians(degrees)
        ca, sa = math.cos(a), math.sin(a)

        def inside(x, y):
            # Inverse rotation of the sample point.
            rx, ry = x - cx, y - cy
            return self.inside(cx + rx * ca + ry * sa, cy - rx * sa + ry * ca)

        x0, y0, x1, y1 = self.bbox
        pts = [(x0, y0), (x1, y0), (x0, y1), (x1, y1)]
        rp = [(cx + (px - cx) * ca - (py - cy) * sa,
               cy + (px - cx) * sa + (py - cy) * ca) for px, py in pts]
        return Shape(inside, (min(p[0] for p in rp), min(p[1] for p in rp),
                              max(p[0] for p in rp), max(p[1] for p in rp)))


def rect(x0, y0, x1, y1):
    return Shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1, (x0, y0, x1, y1))


def rrect(x0, y0, x1, y1, r):
    r = max(0.0, min(r, (x1 - x0) / 2, (y1 - y0) / 2))

    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return Shape(inside, (x0, y0, x1, y1))


def ellipse(cx, cy, rx, ry=None):
    ry = rx if ry is None else ry
    return Shape(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1,
                 (cx - rx, cy - ry, cx + rx, cy + ry))


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def ring(cx, cy, r_out, r_in):
    return Shape(lambda x, y: r_in ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out ** 2,
                 (cx - r_out, cy - r_out, cx + r_out, cy + r_out))


def arc(cx, cy, r_out, r_in, start_deg, end_deg):
    """Ring segment; angles clockwise from 12 o'clock (screen y points down)."""
    span = (end_deg - start_deg) % 360

    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not (r_in ** 2 <= d2 <= r_out ** 2):
            return False
        ang = math.degrees(math.atan2(x - cx, -(y - cy))) % 360
        return (ang - start_deg) % 360 <= span
    return Shape(inside, (cx - r_out, cy - r_out, cx + r_out, cy + r_out))


def polygon(points):
    pts = list(points)
    n = len(pts)

    def inside(x, y):
        c = False
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y):
                if x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    c = not c
            j = i
        return c
    return Shape(inside, (min(p[0] for p in pts), min(p[1] for p in pts),
                          max(p[0] for p in pts), max(p[1] for p in pts)))


def line(x0, y0, x1, y1, w):
    """Thick segment with round caps."""
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy or 1e-9
    h = w / 2.0

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ll))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= h * h
    return Shape(inside, (min(x0, x1) - h, min(y0, y1) - h,
                          max(x0, x1) + h, max(y0, y1) + h))


def polyline(points, w):
    s = None
    for a, b in zip(points, points[1:]):
        seg = line(a[0], a[1], b[0], b[1], w)
        s = seg if s is None else s | seg
    return s


def star(cx, cy, r_out, r_in, n=5, rot=0.0):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 180.0 / n)
        pts.append((cx + r * math.sin(a), cy - r * math.cos(a)))
    return polygon(pts)


# --------------------------------------------------------------------------
# Canvas

def _rgb(c):
    if isinstance(c, int):
        return ((c >> 16) & 255, (c >> 8) & 255, c & 255)
    return tuple(c[:3])


def shade(c, f):
    """f < 1 darkens, f > 1 lightens towards white."""
    r, g, b = _rgb(c)
    if f <= 1:
        return (int(r * f), int(g * f), int(b * f))
    t = f - 1
    return (int(r + (255 - r) * t), int(g + (255 - g) * t), int(b + (255 - b) * t))


class Canvas:
    """Premultiplied RGBA pixels; shapes are given in design units."""

    def __init__(self, size, design=32, ss=4, height=None):
        self.w = size
        self.h = size if height is None else height
        self.scale = size / float(design)
        self.ss = ss
        self.ox = 0.0
        self.oy = 0.0
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(self.w * self.h)]
        self._offs = [(i + 0.5) / ss for i in range(ss)]

    def offset(self, dx, dy):
        self.ox, self.oy = dx, dy

    def fill(self, shape, color, alpha=1.0):
        r, g, b = _rgb(color)
        s = self.scale
        x0, y0, x1, y1 = shape.bbox
        px0 = max(0, int(math.floor((x0 + self.ox) * s)))
        py0 = max(0, int(math.floor((y0 + self.oy) * s)))
        px1 = min(self.w, int(math.ceil((x1 + self.ox) * s)) + 1)
        py1 = min(self.h, int(math.ceil((y1 + self.oy) * s)) + 1)
        n = float(self.ss * self.ss)
        inside = shape.inside
        offs = self._offs
        for py in range(py0, py1):
            ys = [(py + o) / s - self.oy for o in offs]
            for px in range(px0, px1):
                hits = 0
                for o in offs:
                    xd = (px + o) / s - self.ox
                    for yd in ys:
                        if inside(xd, yd):
                            hits += 1
                if not hits:
                    continue
                a = alpha * hits / n
                p = self.px[py * self.w + px]
                k = 1 - a
                p[0] = r * a + p[0] * k
                p[1] = g * a + p[1] * k
                p[2] = b * a + p[2] * k
                p[3] = a + p[3] * k

    def outlined(self, shape, inner, fill_color, edge_color):
        """Fill `shape` with the edge colour and its `inner` part with the fill."""
        self.fill(shape, edge_color)
        self.fill(inner, fill_color)

    def rgba(self, x, y):
        """Straight (non-premultiplied) colour and alpha 0..255."""
        p = self.px[y * self.w + x]
        a = p[3]
        if a <= 1e-6:
            return (0, 0, 0, 0)
        return (min(255, int(round(p[0] / a))), min(255, int(round(p[1] / a))),
                min(255, int(round(p[2] / a))), min(255, int(round(a * 255))))

    def over(self, x, y, bg):
        """Colour of pixel (x, y) composited over an opaque background."""
        p = self.px[y * self.w + x]
        k = 1 - p[3]
        return (int(round(p[0] + bg[0] * k)), int(round(p[1] + bg[1] * k)),
                int(round(p[2] + bg[2] * k)))


# --------------------------------------------------------------------------
# Writers

def _and_mask_rows(w, h, transparent):
    stride = ((w + 31) // 32) * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if transparent(x, y):
                row[x >> 3] |= 0x80 >> (x & 7)
        out += row
    return bytes(out)


def ico32_image(canvas):
    """One icon image: 32-bit BGRA plus an AND mask for masked drawing."""
    w, h = canvas.w, canvas.h
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = canvas.rgba(x, y)
            if a < 128:
                # Masked out: black under the mask keeps plain masked
                # drawing clean, and alpha drawing agrees with the mask.
                r = g = b = a = 0
            xor += bytes((b, g, r, a))
    mask = _and_mask_rows(w, h, lambda x, y: canvas.rgba(x, y)[3] < 128)
    hdr = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0,
                      len(xor) + len(mask), 0, 0, 0, 0)
    return (w, h, 0, 32, hdr + bytes(xor) + mask)


# The 16 standard colours of a 4-bit display, in the usual palette order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def nearest_index(rgb, palette=VGA16):
    best, bi = None, 0
    for i, c in enumerate(palette):
        d = sum((a - b) ** 2 for a, b in zip(rgb, c))
        if best is None or d < best:
            best, bi = d, i
    return bi


def ico4_image(canvas, palette=VGA16):
    """One 16-colour icon image; pixels under half coverage are masked out."""
    w, h = canvas.w, canvas.h
    pal = b''.join(bytes((c[2], c[1], c[0], 0)) for c in palette)
    stride = ((w * 4 + 31) // 32) * 4
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            r, g, b, a = canvas.rgba(x, y)
            idx = nearest_index((r, g, b), palette) if a >= 128 else 0
            row[x >> 1] |= idx << (4 if x % 2 == 0 else 0)
        xor += row
    mask = _and_mask_rows(w, h, lambda x, y: canvas.rgba(x, y)[3] < 128)
    hdr = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 4, 0,
                      len(xor) + len(mask), 0, 0, 16, 0)
    return (w, h, 16, 4, hdr + pal + bytes(xor) + mask)


def write_ico(path, images):
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    blobs = []
    for w, h, ncol, bpp, data in images:
        out += struct.pack('<BBBBHHII', w % 256, h % 256, ncol, 0, 1, bpp,
                           len(data), offset)
        offset += len(data)
        blobs.append(data)
    for b in blobs:
        out += b
    with open(path, 'wb') as f:
        f.write(bytes(out))


def bmp24_bytes(canvas, key=MAGENTA):
    """24-bit bitmap; pixels under half coverage become the key colour.

    Edges are not blended with the key colour, so no magenta fringe shows
    when the key is made transparent.
    """
    w, h = canvas.w, canvas.h
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b, a = canvas.rgba(x, y)
            if a < 128:
                r, g, b = key
            elif (r, g, b) == tuple(key):
                g = 1  # never leave an opaque pixel in the key colour
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        data += row
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data),
                       2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 54)
    return head + info + bytes(data)


def write_bmp24(path, canvas, key=MAGENTA):
    with open(path, 'wb') as f:
        f.write(bmp24_bytes(canvas, key))


def write_png(path, w, h, rgb_rows):
    """rgb_rows: list of h rows, each a list of w (r, g, b) tuples."""
    raw = bytearray()
    for row in rgb_rows:
        raw.append(0)
        for r, g, b in row:
            raw += bytes((r, g, b))

    def chunk(tag, body):
        c = struct.pack('>I', len(body)) + tag + body
        return c + struct.pack('>I', zlib.crc32(tag + body) & 0xFFFFFFFF)
    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(bytes(raw), 9))
    png += chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def erode(shape, d):
    """The part of `shape` at least `d` units inside its edge."""
    k = d * 0.7071
    offs = ((d, 0), (-d, 0), (0, d), (0, -d), (k, k), (-k, k), (k, -k), (-k, -k))
    inner = shape.inside

    def inside(x, y):
        if not inner(x, y):
            return False
        for ox, oy in offs:
            if not inner(x + ox, y + oy):
                return False
        return True
    return Shape(inside, shape.bbox)


def flipped_v(shape, design=32):
    """Mirror top to bottom inside a square design space."""
    x0, y0, x1, y1 = shape.bbox
    return Shape(lambda x, y: shape.inside(x, design - y),
                 (x0, design - y1, x1, design - y0))


def flipped_h(shape, design=32):
    x0, y0, x1, y1 = shape.bbox
    return Shape(lambda x, y: shape.inside(design - x, y),
                 (design - x1, y0, design - x0, y1))
