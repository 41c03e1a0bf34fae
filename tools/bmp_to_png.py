#!/usr/bin/env python3
"""Turns the screenshot helper's BMP (32-bit, top-down, uncompressed) into an
opaque RGB PNG, with nothing but the standard library.

    bmp_to_png.py in.bmp out.png
"""
import struct
import sys
import zlib


def read_bmp(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        sys.exit(f"{path}: not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 32 or compression != 0:
        sys.exit(f"{path}: want 32-bit uncompressed, got {bits}-bit, compression {compression}")
    rows = []
    for y in range(abs(height)):
        row = data[offset + y * width * 4: offset + (y + 1) * width * 4]
        # BGRA pixels; the alpha byte of a screen copy means nothing.
        rows.append(bytes(b for i in range(0, len(row), 4) for b in (row[i + 2], row[i + 1], row[i])))
    if height > 0:  # bottom-up
        rows.reverse()
    return width, abs(height), rows


def png_chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def write_png(path, width, height, rows):
    raw = b"".join(b"\x00" + row for row in rows)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(png_chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(png_chunk(b"IEND", b""))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    write_png(sys.argv[2], *read_bmp(sys.argv[1]))
