#!/usr/bin/env python3
"""Draws the program icon, a blue journal under a magnifying glass, and
writes res/Norvane.ico: 32 x 32 and 16 x 16 in 16 colours, 48 x 48 in 256.

Each pixel is the shape found at its centre, so one drawing serves every
size. Usage: make-icon.py [OUT]"""

import math
import struct
import sys

# The 16 colours of the standard Windows palette, as (r, g, b).
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, GREY, YELLOW, BLUE, CYAN, WHITE = 0, 4, 7, 8, 11, 12, 14, 15

LENS_X, LENS_Y, LENS_R, RING = 0.60, 0.56, 0.25, 0.075


def colour_at(x, y, size):
    """Palette index at (x, y) in units of the icon's side, or None."""
    d = math.hypot(x - LENS_X, y - LENS_Y)
    # The handle: a thick bar from the ring down to the bottom-right corner.
    hx, hy = x - LENS_X, y - LENS_Y
    along = (hx + hy) / math.sqrt(2)
    across = abs(hx - hy) / math.sqrt(2)
    if LENS_R < along < 0.57 and across < 0.07 + 0.5 / size:
        return BLACK
    if LENS_R - RING <= d <= LENS_R:
        return BLACK
    in_book = 0.08 <= x <= 0.66 and 0.05 <= y <= 0.86
    in_pages = 0.66 < x <= 0.76 and 0.09 <= y <= 0.90
    if d < LENS_R - RING:
        # Through the lens the journal shows bright, its lines enlarged.
        if in_book or in_pages:
            return WHITE if int((y - LENS_Y) * size / 3) % 2 else CYAN
        return CYAN
    if in_book:
        if 0.08 <= x <= 0.16:
            return NAVY  # the spine
        if 0.22 <= x <= 0.58 and 0.14 <= y <= 0.22:
            return YELLOW  # the title label
        return BLUE
    if in_pages:
        return WHITE if int(y * size) % 2 else SILVER
    return None


def draw(size):
    """Rows of palette indexes, top row first; None is transparent."""
    return [[colour_at((col + 0.5) / size, (row + 0.5) / size, size) for col in range(size)]
            for row in range(size)]


def row_bytes(bits, pixels):
    """Pads a packed row to a multiple of four bytes."""
    raw = bytearray()
    if bits == 8:
        raw.extend(pixels)
    elif bits == 4:
        for i in range(0, len(pixels), 2):
            raw.append(pixels[i] << 4 | (pixels[i + 1] if i + 1 < len(pixels) else 0))
    else:  # 1 bit, most significant first
        for i in range(0, len(pixels), 8):
            byte = 0
            for j, p in enumerate(pixels[i:i + 8]):
                byte |= p << (7 - j)
            raw.append(byte)
    raw.extend(b"\0" * (-len(raw) % 4))
    return bytes(raw)


def image(size, bits):
    """One icon image: header, palette, colour rows and mask rows, bottom up."""
    picture = draw(size)
    colours = 1 << bits
    palette = VGA16 + [(0, 0, 0)] * (colours - len(VGA16))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, colours, 0)
    body = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    body += b"".join(row_bytes(bits, [p or 0 for p in row]) for row in reversed(picture))
    body += b"".join(row_bytes(1, [1 if p is None else 0 for p in row]) for row in reversed(picture))
    return header + body


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "res/Norvane.ico"
    formats = [(32, 4), (16, 4), (48, 8)]
    images = [image(size, bits) for size, bits in formats]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bits), img in zip(formats, images):
        colours = 16 if bits == 4 else 0
        data += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(img), offset)
        offset += len(img)
    data += b"".join(images)
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
