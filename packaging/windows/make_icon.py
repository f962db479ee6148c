"""Draws a program's Windows icon and writes it as an .ico file, with the standard library only.

Usage: /usr/bin/python3 make_icon.py elecaide|sketchcad OUT.ico [PREVIEW.png]

elecaide is a yellow lightning bolt on a blue tile, sketchcad a drafting set square on the dark
tile of its drawing area. Each is drawn at 16, 24, 32 and 48 pixels (stored as 32-bit bitmaps,
which every Windows reads) and at 256 (stored as PNG, for Explorer's large views). The shapes
are laid out on a 16-unit grid, so that their straight edges fall on whole pixels at 16, 32 and
48; edges are anti-aliased by coverage (exact across a row, 4 samples down a pixel). PREVIEW
gets every size enlarged four times, nearest-neighbour, on a light and on a dark band: the way
to look at a changed icon.
"""
import math
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)
PNG_FROM = 256  # sizes from here on are stored as PNG
SUBROWS = 4  # coverage samples down each pixel


def hex_colour(text, alpha=1.0):
    return (int(text[1:3], 16) / 255, int(text[3:5], 16) / 255, int(text[5:7], 16) / 255, alpha)


def vertical_gradient(top, bottom):
    """A paint from colour top at unit 0 to bottom at unit 16."""
    def paint(_x, y):
        t = min(max(y / 16, 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return paint


def solid(colour):
    return lambda _x, _y: colour


def rounded_square(inset, radius):
    """The contour of the tile from inset to 16 - inset with rounded corners, in units."""
    lo, hi = inset, 16 - inset
    corners = ((hi - radius, hi - radius, 0), (lo + radius, hi - radius, 90),
               (lo + radius, lo + radius, 180), (hi - radius, lo + radius, 270))
    points = []
    for cx, cy, start in corners:
        for step in range(13):
            angle = math.radians(start + step * 90 / 12)
            points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


def moved(contour, dx, dy):
    return [(x + dx, y + dy) for x, y in contour]


class Canvas:
    """A square of premultiplied RGBA pixels in floats, painted shape by shape."""

    def __init__(self, size):
        self.size = size
        self.scale = size / 16
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def px(self, pixels):
        """A length given in pixels, as units."""
        return pixels / self.scale

    def fill(self, contours, paint):
        """Fills the contours (lists of points in units) by the even-odd rule."""
        size = self.size
        edges = []
        for contour in contours:
            points = [(x * self.scale, y * self.scale) for x, y in contour]
            for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
                if y0 != y1:
                    edges.append((x0, y0, x1, y1))
        coverage = [0.0] * (size * size)
        for sub in range(size * SUBROWS):
            y = (sub + 0.5) / SUBROWS
            row = sub // SUBROWS * size
            xs = sorted(x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                        for x0, y0, x1, y1 in edges if min(y0, y1) <= y < max(y0, y1))
            for start, end in zip(xs[::2], xs[1::2]):
                start, end = max(start, 0.0), min(end, float(size))
                if start >= end:
                    continue
                first, last = int(start), min(int(end), size - 1)
                if first == last:
                    coverage[row + first] += (end - start) / SUBROWS
                    continue
                coverage[row + first] += (first + 1 - start) / SUBROWS
                for x in range(first + 1, last):
                    coverage[row + x] += 1 / SUBROWS
                coverage[row + last] += (end - last) / SUBROWS
        for i, amount in enumerate(coverage):
            if amount <= 0:
                continue
            r, g, b, a = paint((i % size + 0.5) / self.scale, (i // size + 0.5) / self.scale)
            alpha = a * min(amount, 1.0)
            pixel = self.pixels[i]
            keep = 1 - alpha
            pixel[0] = r * alpha + pixel[0] * keep
            pixel[1] = g * alpha + pixel[1] * keep
            pixel[2] = b * alpha + pixel[2] * keep
            pixel[3] = alpha + pixel[3] * keep

    def rgba(self):
        """Rows from the top, each pixel (r, g, b, a) in 0..255, not premultiplied."""
        rows = []
        for y in range(self.size):
            row = []
            for r, g, b, a in self.pixels[y * self.size:(y + 1) * self.size]:
                if a <= 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append(tuple(round(min(c / a, 1.0) * 255) for c in (r, g, b)) +
                               (round(a * 255),))
            rows.append(row)
        return rows


def tile(canvas, border, top, bottom):
    """The rounded tile both icons stand on, edge to edge up to 48 pixels, with a darker rim
    one pixel wide (wider when large), whole pixels at every size."""
    margin = canvas.px(0 if canvas.size <= 48 else canvas.size // 64)
    rim = canvas.px(max(1, round(canvas.size / 32)))
    canvas.fill([rounded_square(margin, 3)], solid(border))
    canvas.fill([rounded_square(margin + rim, 3 - rim)], vertical_gradient(top, bottom))


def draw_elecaide(canvas):
    tile(canvas, hex_colour("#123a78"), hex_colour("#3f86e0"), hex_colour("#1a4fa3"))
    bolt = [(9.5, 1.5), (13, 1.5), (10, 6.5), (12.5, 6.5), (5, 15), (7, 8.5), (4, 8.5)]
    shadow = canvas.px(max(1, round(canvas.size / 32)))
    canvas.fill([moved(bolt, shadow, shadow)], solid(hex_colour("#0b2550", 0.6)))
    canvas.fill([bolt], vertical_gradient(hex_colour("#fff27a"), hex_colour("#ffb000")))


def draw_sketchcad(canvas):
    tile(canvas, hex_colour("#0d1117"), hex_colour("#3a4656"), hex_colour("#1f2630"))
    # A set square with its right angle at the bottom left and a triangular opening.
    outer = [(2.5, 2.5), (2.5, 13.5), (13.5, 13.5)]
    inner = [(5, 7.75), (5, 11), (8.25, 11)]
    canvas.fill([outer, inner], solid(hex_colour("#35d0ba")))
    # Scale ticks along the bottom edge, every two units, the middle one longer.
    ink = solid(hex_colour("#0f3d37"))
    tick = canvas.px(1) if canvas.size <= 32 else canvas.px(canvas.size / 32)
    for x in (5, 7, 9, 11):
        length = 2 if x == 9 else 1.25
        canvas.fill([[(x, 13.5 - length), (x + tick, 13.5 - length), (x + tick, 13.5),
                      (x, 13.5)]], ink)


def bitmap_entry(rows):
    """An icon image as Windows stores it: BITMAPINFOHEADER, BGRA rows from the bottom, and
    the AND mask (set where the pixel is fully transparent), rows padded to 32 bits."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask_row = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row)
        for x, (_r, _g, _b, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colours + bytes(mask)


def png(rows):
    """RGBA rows as a PNG file (no timestamp: the same drawing gives the same bytes)."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6,
                                                             0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico(images):
    """The .ico file: the directory, then each image (size → rows)."""
    entries = [(size, png(rows) if size >= PNG_FROM else bitmap_entry(rows))
               for size, rows in images]
    offset = 6 + 16 * len(entries)
    directory = struct.pack("<HHH", 0, 1, len(entries))
    data = b""
    for size, blob in entries:
        side = 0 if size >= 256 else size
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(blob),
                                 offset + len(data))
        data += blob
    return directory + data


def preview(images, zoom=4):
    """Every size side by side, enlarged, on a light band above a dark one."""
    gap = 8
    width = sum(size * zoom + gap for size, _ in images) + gap
    band = max(size for size, _ in images) * zoom + 2 * gap
    out = []
    for background in ((240, 240, 240), (45, 45, 48)):
        for y in range(band):
            row = [background] * width
            x0 = gap
            for size, rows in images:
                sy = (y - gap) // zoom
                if 0 <= y - gap and sy < size:
                    for sx in range(size * zoom):
                        r, g, b, a = rows[sy][sx // zoom]
                        row[x0 + sx] = tuple(round(c * a / 255 + k * (255 - a) / 255)
                                             for c, k in zip((r, g, b), background))
                x0 += size * zoom + gap
            out.append([pixel + (255,) for pixel in row])
    return png(out)


DRAWINGS = {"elecaide": draw_elecaide, "sketchcad": draw_sketchcad}


def main(argv):
    if len(argv) not in (3, 4) or argv[1] not in DRAWINGS:
        sys.exit("usage: make_icon.py elecaide|sketchcad OUT.ico [PREVIEW.png]")
    images = []
    for size in SIZES:
        canvas = Canvas(size)
        DRAWINGS[argv[1]](canvas)
        images.append((size, canvas.rgba()))
    with open(argv[2], "wb") as out:
        out.write(ico(images))
    if len(argv) == 4:
        with open(argv[3], "wb") as out:
            out.write(preview([image for image in images if image[0] <= 48]))


if __name__ == "__main__":
    main(sys.argv)
