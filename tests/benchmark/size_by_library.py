#!/usr/bin/env python3
"""Bytes of a program file by library and output section, from a GNU ld map.

    size_by_library.py MAP

The map of a PE link lists every input section kept in the image with its
size and the object (or archive member) it came from; sections dropped by
--gc-sections are listed apart, before the memory map, and so are not counted.
Sizes are before alignment, so the output sections' own totals are printed
too; the difference is padding. "code+data" is every loaded section but
.rsrc and .bss (which takes no room in the file).
"""
import re
import sys
from collections import defaultdict

# Output sections that are not loaded, or never filled.
SKIPPED = re.compile(r"^(/DISCARD/|\.z?debug|\.stab)")
COLUMNS = [".text", ".rdata", ".data", ".bss", ".eh_frame", ".idata", ".rsrc"]
# Small writable sections go with .data.
AS_DATA = {".CRT", ".tls"}

OUTPUT = re.compile(r"^(\S+)(?:\s+0x([0-9a-f]+)\s+0x([0-9a-f]+))?\s*$")
INPUT = re.compile(r"^ (\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")
LONE_NAME = re.compile(r"^ (\S+)\s*$")
CONTINUED = re.compile(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")
LINKER_DATA = re.compile(r"^\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(LONG|SHORT|BYTE|QUAD)\b")

WINDOWS_IMPORTS = re.compile(
    r"lib(kernel32|user32|gdi32|comctl32|comdlg32|ole32|oleaut32|advapi32|shell32|"
    r"winspool|uuid|psapi|shlwapi|version)\.a\(")


def library(path, section):
    if path == "dll stuff":
        return "made by the linker"
    if "libjpeg" in path:
        return "libjpeg"
    if "libpng" in path:
        return "libpng"
    if "libz.a(" in path:
        return "zlib"
    if "libstdc++" in path:
        return "libstdc++"
    if WINDOWS_IMPORTS.search(path) or (
            "libmsvcrt" in path and section.startswith(".idata")):
        return "Windows DLL imports"
    if re.search(r"(libgcc|libgcc_eh|libmingw32|libmingwex|libmoldname|libmsvcrt|"
                 r"libssp|libssp_nonshared|libpthread|libwinpthread)\.a\(|"
                 r"crt2\.o$|crtbegin\.o$|crtend\.o$", path):
        return "libgcc / mingw crt"
    if path.endswith(".res"):
        return "resources"
    if "libmovaro_" in path or path.endswith(".obj"):
        return "our code"
    return "other: " + path


def column(output_section):
    return ".data" if output_section in AS_DATA else output_section


def main(path):
    sizes = defaultdict(lambda: defaultdict(int))
    totals = {}
    current = None
    pending = None  # an input section whose address and size are on the next line
    in_memory_map = False
    with open(path, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            line = line.rstrip("\n")
            if not in_memory_map:
                in_memory_map = line.startswith("Linker script and memory map")
                continue
            if line and not line[0].isspace():
                match = OUTPUT.match(line)
                current = match.group(1) if match else None
                if match and match.group(3):
                    totals[column(current)] = totals.get(column(current), 0) + int(
                        match.group(3), 16)
                pending = None
                continue
            if current is None or SKIPPED.match(current):
                continue
            if pending is not None:
                match = CONTINUED.match(line)
                if match:
                    sizes[library(match.group(3), pending)][column(current)] += int(
                        match.group(2), 16)
                pending = None
                continue
            match = INPUT.match(line)
            if match:
                if match.group(1) != "*fill*":
                    sizes[library(match.group(4), match.group(1))][column(current)] += int(
                        match.group(3), 16)
                continue
            match = LINKER_DATA.match(line)
            if match:
                sizes["made by the linker"][column(current)] += int(match.group(1), 16)
                continue
            match = LONE_NAME.match(line)
            if match and match.group(1).startswith("."):
                pending = match.group(1)

    columns = [c for c in COLUMNS if totals.get(c)] + sorted(
        c for c in totals if c not in COLUMNS and totals[c] and not SKIPPED.match(c))
    kb = lambda n: f"{n / 1024:.1f}"
    width = max(len(name) for name in sizes) + 2
    print(f"{'KB':<{width}}" + "".join(f"{c:>10}" for c in columns) + f"{'all':>10}" +
          f"{'code+data':>12}")
    def row(name, values):
        loaded = sum(v for c, v in values.items() if c not in (".bss", ".rsrc"))
        print(f"{name:<{width}}" + "".join(f"{kb(values.get(c, 0)):>10}" for c in columns) +
              f"{kb(sum(values.values())):>10}{kb(loaded):>12}")
    for name, values in sorted(sizes.items(), key=lambda item: -sum(item[1].values())):
        row(name, values)
    summed = defaultdict(int)
    for values in sizes.values():
        for c, v in values.items():
            summed[c] += v
    row("sum of the above", summed)
    row("output sections", {c: totals[c] for c in columns})


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
