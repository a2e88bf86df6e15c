#!/usr/bin/env python3
"""Packs the program's icon images into app/icons/program.ico for the Windows executable.

The three classic images are stored as bitmaps with their palette and an AND mask, at their own
colour depth: 32 x 32 in 2 colours (1 bit a pixel), 32 x 32 and 16 x 16 in 16 colours (4 bits). The
PNGs from scripts/make_icons.sh are palette images already, so their pixels are copied, not
requantised. For high pixel densities, 48 x 48 follows as a 32-bit bitmap with alpha, which every
Windows since XP reads, and 256 x 256 as a PNG with alpha, the form Windows reads at that size;
both are rendered from program.svg by make_icons.sh.
Python's standard library only; run it after make_icons.sh and commit the result.
"""
import pathlib
import struct
import sys
import zlib

ICONS = pathlib.Path(__file__).resolve().parent.parent / "app" / "icons"
# (file, bits a pixel, stored as): "palette" and "bgra" are bitmaps, "png" the file itself.
IMAGES = [
    ("program_32_2colours.png", 1, "palette"),
    ("program_32_16colours.png", 4, "palette"),
    ("program_16_16colours.png", 4, "palette"),
    ("program_48.png", 32, "bgra"),
    ("program_256.png", 32, "png"),
]
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}  # samples a pixel, by PNG colour type


def unfilter(raw, height, stride, bytes_per_pixel):
    """The image's rows of bytes with PNG's row filters undone."""
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1 : start + 1 + stride])
        for i in range(stride):
            left = line[i - bytes_per_pixel] if i >= bytes_per_pixel else 0
            up, up_left = previous[i], previous[i - bytes_per_pixel] if i >= bytes_per_pixel else 0
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
        rows.append(line)
        previous = line
    return rows


def read_png(path):
    """Returns (width, height, colour type, palette of (r, g, b), rows of pixels) of a non-interlaced
    PNG: a pixel is a palette index for a palette image (1 to 8 bits), else an (r, g, b, a) tuple
    (8-bit truecolour, with or without alpha)."""
    data = path.read_bytes()
    if data[:8] != PNG_SIGNATURE:
        sys.exit(f"{path}: not a PNG")
    pos, idat, palette = 8, b"", []
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos : pos + 8])
        body = data[pos + 8 : pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
            palette_ok = colour_type == 3 and depth in (1, 2, 4, 8)
            if interlace or not (palette_ok or (colour_type in (2, 6) and depth == 8)):
                sys.exit(f"{path}: expected a non-interlaced palette PNG or an 8-bit RGB(A) one")
        elif kind == b"PLTE":
            palette = [tuple(body[i : i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"IDAT":
            idat += body
    bits = depth * CHANNELS[colour_type]
    stride = (width * bits + 7) // 8
    lines = unfilter(zlib.decompress(idat), height, stride, max(1, bits // 8))
    if colour_type == 3:
        mask = (1 << depth) - 1
        rows = [[(line[x * depth // 8] >> (8 - depth - (x * depth) % 8)) & mask for x in range(width)] for line in lines]
    else:
        step = CHANNELS[colour_type]
        rows = [[tuple(line[x * step : x * step + 3]) + ((line[x * step + 3],) if step == 4 else (255,))
                 for x in range(width)] for line in lines]
    return width, height, colour_type, palette, rows


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


def bitmap_header(width, height, bits, size):
    # The height counts the colour bitmap and the AND mask below it.
    return struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, bits, 0, size, 0, 0, 0, 0)


def palette_image(path, bits):
    width, height, colour_type, palette, rows = read_png(path)
    if colour_type != 3 or len(palette) > 1 << bits:
        sys.exit(f"{path}: expected a palette of at most {1 << bits} colours")
    palette += [(0, 0, 0)] * ((1 << bits) - len(palette))
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    xor = pack_rows(rows, bits)
    opaque = pack_rows([[0] * width for _ in range(height)], 1)  # the classic images fill their square
    return width, height, bitmap_header(width, height, bits, len(xor) + len(opaque)) + colours + xor + opaque


def bgra_image(path):
    width, height, colour_type, _, rows = read_png(path)
    if colour_type == 3:
        sys.exit(f"{path}: expected a truecolour PNG")
    colours = b"".join(struct.pack("<BBBB", b, g, r, a) for row in reversed(rows) for r, g, b, a in row)
    # Readers that ignore alpha take transparency from the AND mask: set where the pixel is clear.
    mask = pack_rows([[1 if a == 0 else 0 for *_, a in row] for row in rows], 1)
    return width, height, bitmap_header(width, height, 32, len(colours) + len(mask)) + colours + mask


def png_chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def rgba_png(path):
    """The image as an 8-bit RGBA PNG, the colour type Windows expects of a PNG icon image."""
    width, height, colour_type, _, rows = read_png(path)
    if colour_type == 3:
        sys.exit(f"{path}: expected a truecolour PNG")
    raw = b"".join(b"\0" + bytes(sample for pixel in row for sample in pixel) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    data = PNG_SIGNATURE + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", zlib.compress(raw, 9))
    return width, height, data + png_chunk(b"IEND", b"")


def icon_image(name, bits, form):
    path = ICONS / name
    if form == "palette":
        return palette_image(path, bits)
    return bgra_image(path) if form == "bgra" else rgba_png(path)


def main():
    images = [(bits, *icon_image(name, bits, form)) for name, bits, form in IMAGES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for bits, width, height, data in images:
        # A directory entry says 0 for 256 pixels, and 0 colours for more than 256 of them.
        colours = 1 << bits if bits < 8 else 0
        out += struct.pack("<BBBBHHII", width % 256, height % 256, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    for *_, data in images:
        out += data
    (ICONS / "program.ico").write_bytes(out)


if __name__ == "__main__":
    main()
