#!/usr/bin/env python3
"""Turns the 24-bit .bmp pictures that boxdriver takes into .png files, with nothing but the
standard library (zlib), so that any viewer shows them.

    bmp_to_png.py IN.bmp OUT.png
"""
import struct
import sys
import zlib


def read_bmp(path):
    """Width, height and the rows top first as RGB bytes; only uncompressed 24-bit files."""
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        raise ValueError(f"{path} is no .bmp file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0:
        raise ValueError(f"{path} is not an uncompressed 24-bit picture")
    stride = (width * 3 + 3) & ~3
    bottom_up = height > 0
    height = abs(height)
    rows = []
    for y in range(height):
        start = offset + (height - 1 - y if bottom_up else y) * stride
        bgr = data[start:start + width * 3]
        rgb = bytearray(len(bgr))
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        rows.append(bytes(rgb))
    return width, height, rows


def chunk(kind, body):
    return (struct.pack(">I", len(body)) + kind + body +
            struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))


def png_bytes(width, height, rows):
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB
    pixels = b"".join(b"\x00" + row for row in rows)  # filter type 0 on every row
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b""))


def main(argv):
    if len(argv) != 3:
        sys.exit("usage: bmp_to_png.py IN.bmp OUT.png")
    try:
        picture = png_bytes(*read_bmp(argv[1]))
    except (OSError, ValueError, struct.error) as error:
        sys.exit(f"bmp_to_png: {error}")
    with open(argv[2], "wb") as out:
        out.write(picture)


if __name__ == "__main__":
    main(sys.argv)
