#!/usr/bin/env python3
"""Draws the program's icon and writes platform/win32/twinpath.ico.

The motif: a folder holding two bars, a long one above a short one, as the
window shows a path's long form above its short form. The build uses the
committed .ico; run this only after changing the drawing.
"""
import pathlib
import struct
import zlib

OUTLINE = (32, 26, 20)
TAB = (214, 148, 22)
FOLDER = (255, 204, 72)
LONG_BAR = (24, 64, 160)
SHORT_BAR = (196, 40, 44)

# Shapes painted in order, in sixteenths of the side: left, top, right,
# bottom, corner radius, fill, whether outlined. The edges fall on whole
# pixels at 16 px, so the smallest size stays sharp.
SHAPES = [
    (1, 2, 7, 5, 0.75, TAB, True),
    (1, 4, 15, 14, 0.75, FOLDER, True),
    (3, 6, 13, 8, 1, LONG_BAR, False),
    (3, 10, 9, 12, 1, SHORT_BAR, False),
]

# The 32 px picture in 16 colours: index 0 stands under the transparent pixels.
PALETTE = [(0, 0, 0), OUTLINE, TAB, FOLDER, LONG_BAR, SHORT_BAR] + [(0, 0, 0)] * 10


def inside(x, y, left, top, right, bottom, radius):
    if not (left <= x < right and top <= y < bottom):
        return False
    nearest_x = min(max(x, left + radius), right - radius)
    nearest_y = min(max(y, top + radius), bottom - radius)
    return (x - nearest_x) ** 2 + (y - nearest_y) ** 2 <= radius**2


def colour_at(x, y, scale, outline):
    """The colour of the top shape at (x, y) in pixels, or None."""
    found = None
    for left, top, right, bottom, radius, fill, outlined in SHAPES:
        box = (left * scale, top * scale, right * scale, bottom * scale)
        r = radius * scale
        if not inside(x, y, *box, r):
            continue
        found = fill
        if outlined:
            inner = (box[0] + outline, box[1] + outline, box[2] - outline, box[3] - outline)
            if not inside(x, y, *inner, max(r - outline, 0)):
                found = OUTLINE
    return found


def render(size, samples):
    """Rows of (r, g, b, a), each pixel the average of samples x samples points."""
    scale = size / 16
    outline = max(1, round(size / 32))
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = [colour_at(px + (sx + 0.5) / samples, py + (sy + 0.5) / samples, scale, outline)
                    for sy in range(samples) for sx in range(samples)]
            hits = [c for c in hits if c]
            if not hits:
                row.append((0, 0, 0, 0))
                continue
            mean = [round(sum(c[i] for c in hits) / len(hits)) for i in range(3)]
            row.append((*mean, round(255 * len(hits) / samples**2)))
        rows.append(row)
    return rows


def bitmap(rows, palette=None):
    """A BMP image for an .ico: header, colours, then bottom-up pixel rows and the AND mask."""
    size = len(rows)
    bits = 4 if palette else 32
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, 0, 0, 0, len(palette or []), 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette or [])
    pixels, mask = b"", b""
    for row in reversed(rows):
        if palette:
            indices = [palette.index(p[:3]) if p[3] else 0 for p in row]
            line = bytes(indices[i] << 4 | indices[i + 1] for i in range(0, size, 2))
        else:
            line = b"".join(bytes((b, g, r, a)) for r, g, b, a in row)
        pixels += line + b"\0" * (-len(line) % 4)
        bits_line = int("".join("0" if p[3] else "1" for p in row), 2).to_bytes(size // 8, "big")
        mask += bits_line + b"\0" * (-len(bits_line) % 4)
    return header + colours + pixels + mask


def png(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)
    size = len(rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    # (side, bits per pixel, colours, image data)
    images = [
        (16, 32, 0, bitmap(render(16, 1))),
        (32, 4, 16, bitmap(render(32, 1), PALETTE)),
        (48, 32, 0, bitmap(render(48, 4))),
        (256, 32, 0, png(render(256, 4))),
    ]
    offset = 6 + 16 * len(images)
    directory, data = struct.pack("<HHH", 0, 1, len(images)), b""
    for side, bits, colours, image in images:
        directory += struct.pack("<BBBBHHII", side % 256, side % 256, colours, 0, 1, bits, len(image), offset)
        offset += len(image)
        data += image
    target = pathlib.Path(__file__).resolve().parent.parent / "twinpath.ico"
    target.write_bytes(directory + data)
    print(f"wrote {target}")


if __name__ == "__main__":
    main()
