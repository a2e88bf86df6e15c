#!/usr/bin/env python3
"""Packs the program's three icon images into app/icons/program.ico for the Windows executable.

Each image is stored the classic way, as a bitmap with its palette and an AND mask, at its own colour
depth: 32 x 32 in 2 colours (1 bit a pixel), 32 x 32 and 16 x 16 in 16 colours (4 bits). The PNGs from
scripts/make_icons.sh are palette images already, so their pixels are copied, not requantised.
Python's standard library only; run it after make_icons.sh and commit the result.
"""
import pathlib
import struct
import sys
import zlib

ICONS = pathlib.Path(__file__).resolve().parent.parent / "app" / "icons"
IMAGES = [("program_32_2colours.png", 1), ("program_32_16colours.png", 4), ("program_16_16colours.png", 4)]


def read_palette_png(path):
    """Returns (width, height, palette of (r, g, b), rows of palette indices) of a palette PNG."""
    data = path.read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path}: not a PNG")
    pos, idat, palette = 8, b"", []
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos : pos + 8])
        body = data[pos + 8 : pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if colour_type != 3 or depth not in (1, 2, 4, 8) or interlace:
                sys.exit(f"{path}: expected a non-interlaced palette PNG")
        elif kind == b"PLTE":
            palette = [tuple(body[i : i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"IDAT":
            idat += body
    raw = zlib.decompress(idat)
    stride = (width * depth + 7) // 8
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1 : start + 1 + stride])
        for i in range(stride):  # undo the row filter; below 8 bits a pixel, the byte to the left is 1 back
            left = line[i - 1] if i else 0
            up, up_left = previous[i], previous[i - 1] if i else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                guess = left + up - up_left
                near = min((abs(guess - left), 0, left), (abs(guess - up), 1, up), (abs(guess - up_left), 2, up_left))
                line[i] = (line[i] + near[2]) & 0xFF
        previous = line
        mask = (1 << depth) - 1
        rows.append([(line[x * depth // 8] >> (8 - depth - (x * depth) % 8)) & mask for x in range(width)])
    return width, height, palette, rows


def pack_rows(rows, bits):
    """Bitmap rows, bottom row first, each padded to a whole number of 32-bit words."""
    out = bytearray()
    for row in reversed(rows):
        packed = bytearray()
        for x in range(0, len(row), 8 // bits):
            byte = 0
            for value in row[x : x + 8 // bits]:
                byte = (byte << bits) | value
            packed.append(byte << (8 - bits * len(row[x : x + 8 // bits])) & 0xFF)
        out += packed + bytes(-len(packed) % 4)
    return bytes(out)


def icon_image(path, bits):
    width, height, palette, rows = read_palette_png(path)
    if len(palette) > 1 << bits:
        sys.exit(f"{path}: {len(palette)} colours do not fit in {bits} bits a pixel")
    palette += [(0, 0, 0)] * ((1 << bits) - len(palette))
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    xor = pack_rows(rows, bits)
    opaque = pack_rows([[0] * width for _ in range(height)], 1)  # the images fill their square
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, bits, 0, len(xor) + len(opaque), 0, 0, 0, 0)
    return width, height, bits, header + colours + xor + opaque


def main():
    images = [icon_image(ICONS / name, bits) for name, bits in IMAGES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for width, height, bits, data in images:
        out += struct.pack("<BBBBHHII", width, height, 1 << bits, 0, 1, bits, len(data), offset)
        offset += len(data)
    for *_, data in images:
        out += data
    (ICONS / "program.ico").write_bytes(out)


if __name__ == "__main__":
    main()
