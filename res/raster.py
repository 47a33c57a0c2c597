"""A small raster canvas and the Windows bitmap formats the game's data files use.

Shapes are filled by scanline spans so that a whole picture draws in a fraction
of a second in plain Python. A canvas may be drawn at a multiple of its size and
averaged down afterwards, which is how the pictures get smooth edges.
"""
import math
import struct

WHITE = (255, 255, 255)

# Capitals five cells high, narrow where a letter allows: legible when tiny,
# crisp when magnified.
FONT = {
    "A": (".#.", "#.#", "###", "#.#", "#.#"),
    "B": ("##.", "#.#", "##.", "#.#", "##."),
    "C": (".##", "#..", "#..", "#..", ".##"),
    "D": ("##.", "#.#", "#.#", "#.#", "##."),
    "E": ("###", "#..", "##.", "#..", "###"),
    "F": ("###", "#..", "##.", "#..", "#.."),
    "G": (".###", "#...", "#.##", "#..#", ".###"),
    "H": ("#.#", "#.#", "###", "#.#", "#.#"),
    "I": ("###", ".#.", ".#.", ".#.", "###"),
    "J": ("..#", "..#", "..#", "#.#", ".#."),
    "K": ("#..#", "#.#.", "##..", "#.#.", "#..#"),
    "L": ("#..", "#..", "#..", "#..", "###"),
    "M": ("#...#", "##.##", "#.#.#", "#...#", "#...#"),
    "N": ("#..#", "##.#", "#.##", "#..#", "#..#"),
    "O": (".##.", "#..#", "#..#", "#..#", ".##."),
    "P": ("##.", "#.#", "##.", "#..", "#.."),
    "Q": (".##.", "#..#", "#..#", "#.#.", ".#.#"),
    "R": ("##.", "#.#", "##.", "#.#", "#.#"),
    "S": (".##", "#..", ".#.", "..#", "##."),
    "T": ("###", ".#.", ".#.", ".#.", ".#."),
    "U": ("#..#", "#..#", "#..#", "#..#", ".##."),
    "V": ("#.#", "#.#", "#.#", "#.#", ".#."),
    "W": ("#...#", "#...#", "#.#.#", "##.##", "#...#"),
    "X": ("#.#", "#.#", ".#.", "#.#", "#.#"),
    "Y": ("#.#", "#.#", ".#.", ".#.", ".#."),
    "Z": ("###", "..#", ".#.", "#..", "###"),
    "!": ("#", "#", "#", ".", "#"),
    " ": ("..",) * 5,
}


def text_width(text, px):
    """Width in pixels of text drawn with cells of px pixels."""
    return (sum(len(FONT[c][0]) + 1 for c in text.upper()) - 1) * px


def mix(a, b, t):
    """The colour t of the way from a to b."""
    return tuple(round(ca + (cb - ca) * t) for ca, cb in zip(a, b))


class Canvas:
    """Pixels of colour tuples (or None for transparent) addressed in picture units.

    With scale > 1 every unit covers scale x scale device pixels; downsampled()
    turns that back into a picture of the nominal size.
    """

    def __init__(self, width, height, background, scale=1):
        self.width = width
        self.height = height
        self.scale = scale
        self.device_width = width * scale
        self.device_height = height * scale
        self.pixels = [background] * (self.device_width * self.device_height)

    def _device_range(self, low, high, limit):
        # Device pixels whose centres fall inside [low, high).
        start = max(0, math.ceil(low * self.scale - 0.5))
        stop = min(limit, math.ceil(high * self.scale - 0.5))
        return start, stop

    def _rows(self, top, bottom):
        first, last = self._device_range(top, bottom, self.device_height)
        for row in range(first, last):
            yield row, (row + 0.5) / self.scale

    def _span(self, row, left, right, colour):
        start, stop = self._device_range(left, right, self.device_width)
        if start < stop:
            base = row * self.device_width
            self.pixels[base + start:base + stop] = [colour] * (stop - start)

    def fill_rect(self, left, top, right, bottom, colour):
        for row, _ in self._rows(top, bottom):
            self._span(row, left, right, colour)

    def gradient_rect(self, left, top, right, bottom, top_colour, bottom_colour):
        height = bottom - top
        for row, y in self._rows(top, bottom):
            self._span(row, left, right, mix(top_colour, bottom_colour, (y - top) / height))

    def ellipse(self, cx, cy, rx, ry, colour):
        for row, y in self._rows(cy - ry, cy + ry):
            half = rx * math.sqrt(max(0.0, 1.0 - ((y - cy) / ry) ** 2))
            self._span(row, cx - half, cx + half, colour)

    def disc(self, cx, cy, radius, colour):
        self.ellipse(cx, cy, radius, radius, colour)

    def rounded_rect(self, left, top, right, bottom, radius, colour):
        self.fill_rect(left + radius, top, right - radius, bottom, colour)
        self.fill_rect(left, top + radius, right, bottom - radius, colour)
        for cx in (left + radius, right - radius):
            for cy in (top + radius, bottom - radius):
                self.disc(cx, cy, radius, colour)

    def polygon(self, points, colour):
        """Fills a simple (possibly concave) polygon given by its corners."""
        edges = list(zip(points, points[1:] + points[:1]))
        top = min(y for _, y in points)
        bottom = max(y for _, y in points)
        for row, y in self._rows(top, bottom):
            crossings = sorted(
                x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                for (x0, y0), (x1, y1) in edges
                if (y0 <= y < y1) or (y1 <= y < y0))
            for left, right in zip(crossings[::2], crossings[1::2]):
                self._span(row, left, right, colour)

    def line(self, x0, y0, x1, y1, width, colour):
        """A stroke with round ends, so joined strokes read as one limb."""
        length = math.hypot(x1 - x0, y1 - y0)
        half = width / 2
        if length > 0:
            nx, ny = (y0 - y1) / length * half, (x1 - x0) / length * half
            self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                          (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], colour)
        self.disc(x0, y0, half, colour)
        self.disc(x1, y1, half, colour)

    def polyline(self, points, width, colour):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            self.line(x0, y0, x1, y1, width, colour)

    def text(self, left, top, text, colour, px):
        x = left
        for char in text.upper():
            glyph = FONT[char]
            for gy, bits in enumerate(glyph):
                for gx, bit in enumerate(bits):
                    if bit == "#":
                        self.fill_rect(x + gx * px, top + gy * px,
                                       x + (gx + 1) * px, top + (gy + 1) * px, colour)
            x += (len(glyph[0]) + 1) * px

    def downsampled(self):
        """The picture at its nominal size, each pixel the mean of its device
        pixels; a pixel mostly covered by transparency stays transparent."""
        result = Canvas(self.width, self.height, None)
        s = self.scale
        for y in range(self.height):
            block_rows = [self.pixels[(y * s + dy) * self.device_width:
                                      (y * s + dy + 1) * self.device_width]
                          for dy in range(s)]
            for x in range(self.width):
                block = [c for r in block_rows for c in r[x * s:(x + 1) * s] if c is not None]
                if 2 * len(block) > s * s:
                    result.pixels[y * self.width + x] = tuple(
                        round(sum(channel) / len(block)) for channel in zip(*block))
        return result

    def rows(self):
        """Top-down rows of the device pixels."""
        w = self.device_width
        return [self.pixels[y * w:(y + 1) * w] for y in range(self.device_height)]


def quantise(rows, palette):
    """Palette indices of each pixel, by nearest colour. Transparent pixels get
    index 0, which icons pair with a set mask bit."""
    nearest = {None: 0}

    def index_of(colour):
        if colour not in nearest:
            nearest[colour] = min(
                range(len(palette)),
                key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))
        return nearest[colour]

    return [[index_of(colour) for colour in row] for row in rows]


def bitmap_info_header(width, height, bits, image_size, colours_used=0):
    """A BITMAPINFOHEADER for an uncompressed bottom-up DIB."""
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size,
                       2835, 2835, colours_used, 0)


def palette_bytes(palette):
    """RGBQUADs, stored blue first."""
    return b"".join(bytes((b, g, r, 0)) for r, g, b in palette)


def _pack_row(row, bits):
    if bits == 24:
        data = bytes(channel for r, g, b in row for channel in (b, g, r))
    elif bits == 8:
        data = bytes(row)
    else:
        per_byte = 8 // bits
        padded = list(row) + [0] * (-len(row) % per_byte)
        data = bytes(
            sum(value << (8 - bits * (k + 1)) for k, value in enumerate(padded[i:i + per_byte]))
            for i in range(0, len(padded), per_byte))
    return data + b"\0" * (-len(data) % 4)


def dib_pixels(rows, bits):
    """Pixel data of a DIB: rows bottom-up, each padded to four bytes."""
    return b"".join(_pack_row(row, bits) for row in reversed(rows))


def bmp_file(canvas):
    """A 24-bit .bmp file of the canvas."""
    pixels = dib_pixels(canvas.rows(), 24)
    header = bitmap_info_header(canvas.device_width, canvas.device_height, 24, len(pixels))
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + pixels


def icon_file(images, palette):
    """An .ico file of 4-bit images sharing one 16-colour palette.

    Each image is a list of top-down rows of colours (None for transparent).
    """
    entries, bodies = [], []
    offset = 6 + 16 * len(images)
    for rows in images:
        size = len(rows)
        xor = dib_pixels(quantise(rows, palette), 4)
        and_mask = dib_pixels([[int(c is None) for c in row] for row in rows], 1)
        body = (bitmap_info_header(size, 2 * size, 4, len(xor) + len(and_mask), len(palette))
                + palette_bytes(palette) + xor + and_mask)
        entries.append(struct.pack("<BBBBHHII", size, size, len(palette), 0, 1, 4,
                                   len(body), offset))
        bodies.append(body)
        offset += len(body)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(bodies)
