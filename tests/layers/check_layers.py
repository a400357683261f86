#!/usr/bin/env python3
"""Checks that the includes between the subsystems under src/ point down the layers.

A unit may include its own subsystem and any subsystem on a lower layer, never one on its own
layer or above: the system helpers at the bottom, the start-up and setup flow on top.
"""
import pathlib
import re
import sys

LAYERS = [
    {"sys"},
    {"lang", "ui"},
    {"pack", "net"},
    {"paths"},
    {"agent"},
    {"stub"},
]
LEVEL = {name: level for level, names in enumerate(LAYERS) for name in names}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/', re.MULTILINE)


def faults(src):
    for path in sorted(src.glob("*/*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        subsystem = path.parent.name
        if subsystem not in LEVEL:
            yield f"{path}: folder {subsystem} has no layer"
            continue
        for target in INCLUDE.findall(path.read_text(errors="replace")):
            if target == subsystem:
                continue
            if target not in LEVEL or LEVEL[target] >= LEVEL[subsystem]:
                yield f"{path}: {subsystem} must not include {target}/"


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    found = list(faults(src))
    for line in found:
        print(line)
    if not found:
        print(f"includes point down the layers in {src}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
