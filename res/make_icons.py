#!/usr/bin/env python3
"""Draw the Vorlane icons: res/Vorlane.ico and the About box's res/About.ico.

The artwork (a blue shield with a white check mark in front of a sheet of
paper) is described with simple vector shapes and rendered separately for
every size, anti-aliased by supersampling. Only the standard library is used
and the output is byte-for-byte deterministic.

Rerun from the repository root with:  python3 res/make_icons.py

Every image is a classic DIB (never PNG) so the icon loads on Windows XP SP3
and later. The About icon is the same artwork at 48 x 48 only.
"""
import math
import os
import struct

SS = 4  # supersamples per pixel along each axis

# Colours (R, G, B)
PAGE_FILL = (255, 255, 255)
PAGE_EDGE = (120, 130, 148)
PAGE_FOLD = (222, 228, 238)
PAGE_TEXT = (178, 188, 204)
SHIELD_TOP = (74, 150, 245)
SHIELD_BOTTOM = (22, 78, 190)
SHIELD_EDGE = (12, 44, 116)
CHECK = (255, 255, 255)


def cubic(p0, p1, p2, p3, steps=16):
    """Points of a cubic Bezier curve, excluding the first one."""
    pts = []
    for i in range(1, steps + 1):
        t = i / steps
        u = 1 - t
        pts.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return pts


def seg_dist(px, py, ax, ay, bx, by):
    """Distance from point P to segment AB."""
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def inside(px, py, poly):
    """Even-odd point-in-polygon test."""
    res = False
    n = len(poly)
    for i in range(n):
        ax, ay = poly[i]
        bx, by = poly[i - 1]
        if (ay > py) != (by > py) and px < ax + (py - ay) * (bx - ax) / (by - ay):
            res = not res
    return res


def edge_dist(px, py, poly):
    return min(seg_dist(px, py, *poly[i - 1], *poly[i]) for i in range(len(poly)))


class Artwork:
    """The vector description of the icon, laid out for one pixel size."""

    def __init__(self, s):
        snap = lambda v: round(v * s)  # keep straight edges on pixel lines
        self.s = s
        # Sheet of paper behind the shield's top-left corner.
        self.page = (snap(0.06), snap(0.02), snap(0.60), snap(0.72))
        self.page_w = 1.0 if s < 48 else s / 40
        self.fold = snap(0.14) if s >= 24 else 0
        self.lines = s >= 32  # ruled "text" lines, only where there is room
        self.pitch, self.line_w = round(s / 9), (1 if s < 64 else 2)
        # Shield: flat top, straight sides, curved flanks meeting at a point.
        x0, y0, x1, y1 = snap(0.26), snap(0.18), snap(0.96), s - snap(0.02)
        cx, ym, h = (x0 + x1) / 2, y0 + 0.42 * (y1 - y0), y1 - y0
        r = 0.06 * s  # top corner radius
        poly = [(x0, y0 + r)] + cubic((x0, y0 + r), (x0, y0 + r * 0.45), (x0 + r * 0.45, y0), (x0 + r, y0), 4)
        poly += [(x1 - r, y0)] + cubic((x1 - r, y0), (x1 - r * 0.45, y0), (x1, y0 + r * 0.45), (x1, y0 + r), 4)
        poly += [(x1, ym)] + cubic((x1, ym), (x1, y0 + 0.78 * h), (cx + 0.18 * (x1 - x0), y1 - 0.08 * h), (cx, y1))
        poly += cubic((cx, y1), (cx - 0.18 * (x1 - x0), y1 - 0.08 * h), (x0, y0 + 0.78 * h), (x0, ym))
        self.shield = poly
        self.shield_box = (x0, y0, x1, y1)
        self.shield_w = max(1.0, s / 22)
        # Check mark: a thick polyline with round caps and joins.
        w = x1 - x0
        self.check = [(x0 + 0.22 * w, y0 + 0.47 * h), (x0 + 0.43 * w, y0 + 0.67 * h),
                      (x0 + 0.78 * w, y0 + 0.25 * h)]
        self.check_w = max(2.3, 0.11 * s)

    def colour(self, x, y):
        """Colour of the topmost shape at point (x, y), or None if empty."""
        x0, y0, x1, y1 = self.shield_box
        if x0 <= x <= x1 and y0 <= y <= y1 and inside(x, y, self.shield):
            c = self.check
            if min(seg_dist(x, y, *c[i], *c[i + 1]) for i in range(len(c) - 1)) <= self.check_w / 2:
                return CHECK
            if edge_dist(x, y, self.shield) < self.shield_w:
                return SHIELD_EDGE
            t = (y - y0) / (y1 - y0)
            return tuple(round(a + (b - a) * t) for a, b in zip(SHIELD_TOP, SHIELD_BOTTOM))
        px0, py0, px1, py1 = self.page
        f, w = self.fold, self.page_w
        diag = (x - (px1 - f)) - (y - py0)  # > 0 beyond the folded corner
        if not (px0 <= x <= px1 and py0 <= y <= py1) or diag > 0:
            return None
        if x < px0 + w or x > px1 - w or y < py0 + w or y > py1 - w or diag > -w * 1.41:
            return PAGE_EDGE
        if f and x >= px1 - f and y <= py0 + f:  # the turned-down flap
            return PAGE_EDGE if x < px1 - f + w or y > py0 + f - w else PAGE_FOLD
        if self.lines:
            top, pitch, thick, margin = py0 + f + self.pitch, self.pitch, self.line_w, 2 * w + 1
            if top <= y < py1 - margin and (y - top) % pitch < thick and px0 + margin <= x < px1 - margin:
                return PAGE_TEXT
        return PAGE_FILL


def render(s):
    """Render the artwork at s x s; rows top-down of (r, g, b, a) tuples."""
    art = Artwork(s)
    n = SS * SS
    rows = []
    for py in range(s):
        row = []
        for px in range(s):
            acc = [0, 0, 0]
            hits = 0
            for j in range(SS):
                for i in range(SS):
                    c = art.colour(px + (i + 0.5) / SS, py + (j + 0.5) / SS)
                    if c is not None:
                        hits += 1
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
            if hits:
                row.append(tuple(round(v / hits) for v in acc) + (round(255 * hits / n),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def median_cut(colours, limit):
    """Reduce a {colour: count} histogram to at most `limit` colours."""
    boxes = [sorted(colours.items())]
    while len(boxes) < limit:
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break
        box = max(splittable, key=lambda b: (sum(c for _, c in b), -boxes.index(b)))
        ranges = [max(k[ch] for k, _ in box) - min(k[ch] for k, _ in box) for ch in range(3)]
        ch = ranges.index(max(ranges))
        box.sort(key=lambda kc: (kc[0][ch], kc[0]))
        half, acc, cut = sum(c for _, c in box) / 2, 0, 1
        for cut in range(1, len(box)):
            acc += box[cut - 1][1]
            if acc >= half:
                break
        i = boxes.index(box)
        boxes[i:i + 1] = [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(c for _, c in box)
        palette.append(tuple(round(sum(k[ch] * c for k, c in box) / total) for ch in range(3)))
    return palette


def and_mask(rows, s, transparent):
    """1-bit AND mask rows, bottom-up, each padded to 4 bytes."""
    stride = (s + 31) // 32 * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, px in enumerate(row):
            if transparent(px):
                line[x >> 3] |= 0x80 >> (x & 7)
        out += line
    return bytes(out)


def dib(rows, s, bpp):
    """A classic icon image: BITMAPINFOHEADER, [palette], XOR bits, AND mask."""
    if bpp == 32:
        xor = b"".join(bytes((b, g, r, a)) if a else bytes(4)
                       for row in reversed(rows) for r, g, b, a in row)
        mask = and_mask(rows, s, lambda p: p[3] == 0)
        palette = b""
    elif bpp == 8:
        solid = lambda p: p[3] >= 128
        hist = {}
        for row in rows:
            for p in row:
                if solid(p):
                    hist[p[:3]] = hist.get(p[:3], 0) + 1
        # Entry 0 stays black: the XOR colour for transparent pixels.
        pal = [(0, 0, 0)] + median_cut(hist, 255)
        lookup = {}
        for c in sorted(hist):
            lookup[c] = min(range(1, len(pal)), key=lambda i: (sum((u - v) ** 2 for u, v in zip(c, pal[i])), i))
        stride = (s + 3) // 4 * 4
        xor = b"".join(bytes(lookup[p[:3]] if solid(p) else 0 for p in row).ljust(stride, b"\0")
                       for row in reversed(rows))
        mask = and_mask(rows, s, lambda p: not solid(p))
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in pal).ljust(256 * 4, b"\0")
    else:
        raise ValueError("unsupported bit depth: %d" % bpp)
    header = struct.pack("<IiiHHIIiiII", 40, s, 2 * s, 1, bpp, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + palette + xor + mask


def write_ico(path, images):
    """Write an .ico holding one DIB image per (size, bits per pixel) pair."""
    cache = {}
    blobs = []
    for size, bpp in images:
        if size not in cache:
            cache[size] = render(size)
        blobs.append(dib(cache[size], size, bpp))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (size, bpp), blob in zip(images, blobs):
        dim = size if size < 256 else 0
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_ico(os.path.join(here, "Vorlane.ico"),
              [(32, 8), (24, 8), (16, 8), (72, 32), (48, 32), (32, 32), (24, 32), (16, 32)])
    write_ico(os.path.join(here, "About.ico"), [(48, 8), (48, 32)])
