#!/usr/bin/env python3
"""Checks a built stub.exe as a file, without running it: usage check_stub_file.py STUB x86|x64

- "MZ" at 0, the PE header at 256 (where the stub recognises a program file) and zero
  PackageEnd words at 248 and 252, so that a package appended by stubpack is found;
- the machine and optional-header kind of the build (PE32 for x86, PE32+ for x64);
- the GUI subsystem (a setup never opens a console);
- imports from Windows' own DLLs only (everything else is linked in statically);
- a manifest naming the build's processor for itself and for the common controls, which a
  mismatch would silently drop to version 5.
"""
import re
import struct
import sys

BUILDS = {'x86': (0x014C, 0x10B, 'x86'), 'x64': (0x8664, 0x20B, 'amd64')}
SYSTEM_DLLS = {'advapi32.dll', 'comctl32.dll', 'gdi32.dll', 'kernel32.dll', 'msvcrt.dll',
               'user32.dll', 'version.dll', 'wininet.dll', 'winmm.dll', 'shell32.dll',
               'ole32.dll', 'shlwapi.dll', 'psapi.dll', 'comdlg32.dll'}


def section_of(data, pe, rva):
    """File offset of an RVA, from the section table."""
    count = struct.unpack_from('<H', data, pe + 6)[0]
    table = pe + 24 + struct.unpack_from('<H', data, pe + 20)[0]
    for i in range(count):
        vsize, vaddr, rsize, raw = struct.unpack_from('<IIII', data, table + 40 * i + 8)
        if vaddr <= rva < vaddr + max(vsize, rsize):
            return raw + rva - vaddr
    raise ValueError(f'RVA {rva:#x} lies in no section')


def imported_dlls(data, pe, pe32plus):
    directories = pe + 24 + (112 if pe32plus else 96)
    rva = struct.unpack_from('<I', data, directories + 8)[0]  # entry 1: imports
    at, names = section_of(data, pe, rva), []
    while True:
        name_rva = struct.unpack_from('<I', data, at + 12)[0]
        if name_rva == 0:
            return names
        start = section_of(data, pe, name_rva)
        names.append(data[start:data.index(b'\0', start)].decode('ascii').lower())
        at += 20


def check(path, build):
    machine, magic, arch = BUILDS[build]
    data = open(path, 'rb').read()
    faults = []
    if data[:2] != b'MZ':
        faults.append('no "MZ" at 0')
    pe = struct.unpack_from('<I', data, 0x3C)[0]
    if pe != 256 or data[256:260] != b'PE\0\0':
        return faults + [f'PE header at {pe}, not at 256']
    if any(data[248:256]):
        faults.append('PackageEnd words at 248-255 are not zero')
    if struct.unpack_from('<H', data, pe + 4)[0] != machine:
        faults.append(f'machine {struct.unpack_from("<H", data, pe + 4)[0]:#06x}, not {machine:#06x}')
    optional = pe + 24
    if struct.unpack_from('<H', data, optional)[0] != magic:
        return faults + [f'optional header magic is not {magic:#x}']
    if struct.unpack_from('<H', data, optional + 68)[0] != 2:
        faults.append('subsystem is not GUI (2)')
    for dll in imported_dlls(data, pe, magic == 0x20B):
        if dll not in SYSTEM_DLLS:
            faults.append(f'imports {dll}, which is not part of Windows')
    archs = re.findall(rb'processorArchitecture="([^"]*)"', data)
    if len(archs) != 2 or any(a.decode() != arch for a in archs):
        faults.append(f'manifest processors {archs}, not two times "{arch}"')
    return faults


def main():
    if len(sys.argv) != 3 or sys.argv[2] not in BUILDS:
        sys.exit('usage: check_stub_file.py STUB x86|x64')
    faults = check(sys.argv[1], sys.argv[2])
    for fault in faults:
        print(f'{sys.argv[1]}: {fault}')
    if not faults:
        print(f'{sys.argv[1]}: {sys.argv[2]} stub, {len(open(sys.argv[1], "rb").read())} bytes, ok')
    sys.exit(1 if faults else 0)


if __name__ == '__main__':
    main()
