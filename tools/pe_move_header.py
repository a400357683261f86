#!/usr/bin/env python3
"""Moves the PE header of a linked program to file offset 256.

The stub keeps two words (PackageEnd) at offsets 248 and 252 of its DOS stub area and recognises
a program file by "PE" at offset 256. The GNU linker puts the PE header at 0x80, where those
words would land inside the optional header, so the headers are moved after linking and the
DOS stub area from 64 to 255 is cleared. There is room: the headers are padded to SizeOfHeaders.
"""
import struct
import sys

TARGET = 256


def move(path):
    data = bytearray(open(path, 'rb').read())
    if data[:2] != b'MZ':
        sys.exit(f'{path}: not a program file')
    old = struct.unpack_from('<I', data, 0x3C)[0]
    if data[old:old + 4] != b'PE\0\0':
        sys.exit(f'{path}: no PE header at {old}')
    sections = struct.unpack_from('<H', data, old + 6)[0]
    optional_size = struct.unpack_from('<H', data, old + 20)[0]
    length = 4 + 20 + optional_size + 40 * sections
    size_of_headers = struct.unpack_from('<I', data, old + 24 + 60)[0]
    table = old + 24 + optional_size
    raw_starts = [struct.unpack_from('<I', data, table + 40 * i + 20)[0] for i in range(sections)]
    limit = min([size_of_headers] + [r for r in raw_starts if r])
    if old == TARGET:
        return
    if TARGET + length > limit:
        sys.exit(f'{path}: no room to move {length} header bytes to {TARGET} (limit {limit})')
    if any(data[old + length:TARGET + length]):
        sys.exit(f'{path}: unexpected data after the section table')
    headers = bytes(data[old:old + length])
    data[0x40:limit] = bytes(limit - 0x40)
    data[TARGET:TARGET + length] = headers
    struct.pack_into('<I', data, 0x3C, TARGET)
    open(path, 'wb').write(data)


if __name__ == '__main__':
    for p in sys.argv[1:]:
        move(p)
