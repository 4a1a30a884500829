#!/usr/bin/env python3
"""Draws the tool's icon, a Wi-Fi sign on a blue tile, as a 16-colour .ico with 16x16, 32x32 and
48x48 images. Usage: make_icon.py OUTPUT.ico"""
import math
import struct
import sys

# The 16 colours of the standard VGA palette, as (blue, green, red, 0).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128), (128, 128, 0),
    (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0),
    (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
TRANSPARENT, DARK_BLUE, BLUE, WHITE = 0, 4, 12, 15


def pixel(x, y, size):
    """Colour index and opacity of the pixel whose centre is (x + 0.5, y + 0.5)."""
    u = (x + 0.5) / size
    v = (y + 0.5) / size
    # A tile with rounded corners.
    r = 0.18
    cx = min(max(u, r), 1 - r)
    cy = min(max(v, r), 1 - r)
    if math.hypot(u - cx, v - cy) > r:
        return TRANSPARENT, False
    if math.hypot(u - cx, v - cy) > r - 1.2 / size:
        return DARK_BLUE, True
    # The sign: a dot and three arcs around a point low in the tile.
    dx, dy = u - 0.5, 0.78 - v
    distance = math.hypot(dx, dy)
    if distance < 0.085:
        return WHITE, True
    angle = math.degrees(math.atan2(dy, dx))
    if 45 <= angle <= 135:
        for radius in (0.25, 0.42, 0.59):
            if abs(distance - radius) < 0.055:
                return WHITE, True
    return BLUE, True


def image(size):
    xor_rows, and_rows = [], []
    for y in reversed(range(size)):  # bottom-up, as BMP rows are stored
        colours = [pixel(x, y, size) for x in range(size)]
        row = bytearray()
        for x in range(0, size, 2):
            row.append((colours[x][0] << 4) | colours[x + 1][0])
        row.extend(b"\0" * (-len(row) % 4))
        xor_rows.append(bytes(row))
        mask = bytearray((size + 31) // 32 * 4)
        for x, (_, opaque) in enumerate(colours):
            if not opaque:
                mask[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(mask))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for b, g, r in PALETTE)
    return header + palette + b"".join(xor_rows) + b"".join(and_rows)


def main(output):
    sizes = (16, 32, 48)
    images = [image(s) for s in sizes]
    offset = 6 + 16 * len(sizes)
    directory = struct.pack("<HHH", 0, 1, len(sizes))
    for size, data in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(output, "wb") as f:
        f.write(directory + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
