#!/usr/bin/env python3
"""What a program file is made of, from the GNU ld map of its link.

    map_contributors.py MAP [COUNT]

Adds up the bytes that each input (an object file, or an archive member such as
libstdc++.a(cow-string-inst.o)) placed in the loaded sections of the image, and prints the
COUNT (default 20) largest, then the totals per library, then the C++ library's stream and
locale members if any came in (a stub needs none of them). Debug sections are left out: the
shipped file is stripped. Input sections dropped by --gc-sections are listed apart in the map
and are not counted.
"""
import re
import sys
from collections import defaultdict

# Output sections that end up in the stripped file.
LOADED = re.compile(r"^\.(text|data|rdata|eh_frame|pdata|xdata|bss|idata|CRT|tls|rsrc|reloc)\b")
# " .text.name   0x00401000   0x4e0 path" on one line, or the name alone with the rest on the next.
INPUT_FULL = re.compile(r"^ (\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")
INPUT_NAME = re.compile(r"^ (\S+)$")
INPUT_REST = re.compile(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")


def short_name(path):
    """libfoo.a(member.o) or the object's file name, without the folders; the temporary objects
    of link-time optimisation are named by their partition."""
    partition = re.search(r"\.ltrans(\d+)\.ltrans\.o$", path)
    if partition:
        return f"program code, link-time partition {partition.group(1)}"
    match = re.match(r"^(.*/)?([^/(]+)(\((.*)\))?$", path)
    if not match:
        return path
    return match.group(2) + (f"({match.group(4)})" if match.group(4) else "")


# Members of libstdc++ that hold streams, stream buffers or locales.
STREAMS = re.compile(r"^libstdc\+\+\.a\(.*(ios|stream|locale|codecvt|ctype|facet|messages|monetary|numeric|time_members|collate).*\)$")


def library_of(name):
    return name.split("(", 1)[0] if "(" in name else "the program and its start-up objects"


def contributors(lines):
    sizes = defaultdict(int)
    in_map = False
    loaded = False
    pending = None
    for line in lines:
        if line.startswith("Linker script and memory map"):
            in_map = True
            continue
        if not in_map:
            continue
        if line and not line[0].isspace():
            # An output section starts (or a line such as LOAD or OUTPUT).
            loaded = bool(LOADED.match(line))
            pending = None
            continue
        if not loaded:
            continue
        full = INPUT_FULL.match(line)
        if full and not full.group(1).startswith("*"):
            size = int(full.group(3), 16)
            if size and not full.group(4).startswith("0x"):
                sizes[short_name(full.group(4))] += size
            pending = None
            continue
        name = INPUT_NAME.match(line)
        if name and not name.group(1).startswith("*"):
            pending = name.group(1)
            continue
        rest = INPUT_REST.match(line)
        if rest and pending:
            size = int(rest.group(2), 16)
            if size:
                sizes[short_name(rest.group(3))] += size
        pending = None
    return sizes


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    count = int(sys.argv[2]) if len(sys.argv) == 3 else 20
    with open(sys.argv[1], encoding="utf-8", errors="replace") as map_file:
        sizes = contributors(map_file.read().splitlines())
    ranked = sorted(sizes.items(), key=lambda item: -item[1])
    total = sum(sizes.values())
    print(f"  {count} largest contributors (bytes in loaded sections, of {total} in all):")
    for name, size in ranked[:count]:
        print(f"  {size:9d}  {name}")
    libraries = defaultdict(int)
    for name, size in sizes.items():
        libraries[library_of(name)] += size
    print("  by library:")
    for name, size in sorted(libraries.items(), key=lambda item: -item[1]):
        print(f"  {size:9d}  {name}")
    streams = sorted(name for name in sizes if STREAMS.match(name))
    print("  stream and locale members of the C++ library: " + (", ".join(streams) or "none"))


if __name__ == "__main__":
    main()
