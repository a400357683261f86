#!/usr/bin/env python3
"""Checks a built stub.exe as a file, without running it: usage check_stub_file.py STUB x86|x64

- "MZ" at 0, the PE header at 256 (where the stub recognises a program file) and zero
  PackageEnd words at 248 and 252, so that a package appended by stubpack is found;
- the machine and optional-header kind of the build (PE32 for x86, PE32+ for x64);
- the GUI subsystem (a setup never opens a console);
- exactly the imports of IMPORTS, all from libraries that Windows never looks for beside the
  program, where a setup started from a downloads folder could meet a planted copy (everything
  else is linked in statically or loaded from the system folder at run time);
- a manifest naming the build's processor for itself and for the common controls, which a
  mismatch would silently drop to version 5.
"""
import re
import struct
import sys

BUILDS = {'x86': (0x014C, 0x10B, 'x86'), 'x64': (0x8664, 0x20B, 'amd64')}
# The libraries that the stub imports, exactly: "known DLLs", which Windows always maps from the
# system folder, and comctl32, which the manifest binds to the system's side-by-side copy. Any
# other library is looked for in the program's folder first: the stub loads those at run time by
# their full path in the system folder (VERSION, WININET, WINMM, RICHED32, ...).
IMPORTS = {'advapi32.dll', 'comctl32.dll', 'gdi32.dll', 'kernel32.dll', 'msvcrt.dll',
           'shell32.dll', 'user32.dll'}
# The KnownDLLs of the session manager that a program like the stub might use.
KNOWN_DLLS = {'advapi32.dll', 'comdlg32.dll', 'gdi32.dll', 'imm32.dll', 'kernel32.dll',
              'msvcrt.dll', 'ole32.dll', 'oleaut32.dll', 'psapi.dll', 'rpcrt4.dll',
              'shell32.dll', 'shlwapi.dll', 'user32.dll', 'ws2_32.dll'}


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


def import_faults(imports):
    faults = []
    for dll in sorted(imports - IMPORTS):
        if dll in KNOWN_DLLS:
            faults.append(f'imports {dll}, a known DLL that is not on the list of its imports')
        else:
            faults.append(f'imports {dll}, which is no known DLL: Windows would look for it '
                          'beside the program first')
    for dll in sorted(IMPORTS - imports):
        faults.append(f'no longer imports {dll}: take it off the list of its imports')
    return faults


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
    faults += import_faults(set(imported_dlls(data, pe, magic == 0x20B)))
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
