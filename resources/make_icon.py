#!/usr/bin/env python3
"""Draws the panel icon, gridwell.ico: a vertex on a grid under a crosshair with
arrowheads, the picture of precise placement. Two images of 16 colours each,
32 by 32 and 16 by 16, stored as 4-bit bitmaps with a transparency mask."""
import pathlib
import struct

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREY, SILVER, WHITE = 0, 8, 7, 15
RED, BLUE, NAVY, TEAL = 9, 12, 4, 6


def draw(size):
    """Pixels, row 0 at the top, as palette indices; None is transparent."""
    px = [[None] * size for _ in range(size)]
    last = size - 1
    # Sheet: white with a dark frame.
    for y in range(1, last):
        for x in range(1, last):
            px[y][x] = WHITE
    for i in range(1, last):
        px[1][i] = px[last - 1][i] = px[i][1] = px[i][last - 1] = DARK_GREY
    # Grid lines.
    step = 6 if size == 32 else 4
    for g in range(1 + step, last - 1, step):
        for i in range(2, last - 1):
            px[g][i] = SILVER
            px[i][g] = SILVER
    # Crosshair through the centre, with a gap around the vertex.
    c = size // 2
    gap = 3 if size == 32 else 2
    for i in range(3, size - 3):
        if abs(i - c) > gap:
            px[c][i] = RED
            px[i][c] = RED
    # Arrowheads at the four ends.
    head = 4 if size == 32 else 2
    for k in range(head):
        for d in range(-k, k + 1):
            px[2 + k][c + d] = RED          # up
            px[size - 3 - k][c + d] = RED   # down
            px[c + d][2 + k] = RED          # left
            px[c + d][size - 3 - k] = RED   # right
    # The vertex: a filled square with a dark rim.
    r = 2 if size == 32 else 1
    for y in range(c - r, c + r + 1):
        for x in range(c - r, c + r + 1):
            rim = abs(y - c) == r or abs(x - c) == r
            px[y][x] = NAVY if rim else BLUE
    return px


def image(size):
    px = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour_rows, mask_rows = [], []
    for row in reversed(px):  # bottom-up
        nibbles = [0 if p is None else p for p in row]
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        colour_rows.append(data + b"\0" * (-len(data) % 4))
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p is None else 0)
        mask = bits.to_bytes(size // 8, "big")
        mask_rows.append(mask + b"\0" * (-len(mask) % 4))
    return header + palette + b"".join(colour_rows) + b"".join(mask_rows)


def main():
    images = [image(32), image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    path = pathlib.Path(__file__).resolve().parent / "gridwell.ico"
    path.write_bytes(out)


if __name__ == "__main__":
    main()
