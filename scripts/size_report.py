#!/usr/bin/env python3
"""size_report.py [BUILD_DIR] [-n N]: what takes the room in zarv.exe.

Reads the linker map that the windows preset writes beside the executable (zarv.map) and prints
the executable's sections, then the N largest contributors by library and object file and by
symbol (function or data item, demangled). Sizes are those of the linked input sections, so
they add up to the sections' contents before file alignment.

  scripts/size_report.py                   # build/windows
  scripts/size_report.py build/windows -n 40
"""
import argparse
import collections
import os
import re
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Output sections that end up in the executable; the rest of the map is debugging information.
IMAGE_SECTIONS = {".text", ".data", ".rdata", ".eh_frame", ".bss", ".idata", ".CRT", ".tls",
                  ".rsrc", ".reloc", ".pdata", ".xdata", ".edata"}
INPUT_RE = re.compile(r"^ (\S+)?\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")
SYMBOL_RE = re.compile(r"^\s+0x([0-9a-f]+)\s+(\S.*)$")
OUTPUT_RE = re.compile(r"^(\.\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)")


def short_file(path):
    """A library member as lib(member), a toolchain path without its folders."""
    m = re.match(r"^(.*?)([^/]+\.a)\((.*)\)$", path)
    if m:
        return "%s(%s)" % (m.group(2), m.group(3))
    if path.startswith("/"):
        return os.path.basename(path)
    return path


def parse_map(path):
    """Yields (output section, input section name, size, file, [(address, symbol)], address)."""
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = f.read().split("\n")
    try:
        start = lines.index("Linker script and memory map")
    except ValueError:
        sys.exit("size_report: %s is not a GNU ld map" % path)
    output = None
    current = None
    pending_name = None
    for line in lines[start + 1:]:
        m = OUTPUT_RE.match(line)
        if m:
            output = m.group(1)
            current = None
            continue
        if line.startswith(".") or line.startswith("/DISCARD/"):
            output = line.split()[0]
            current = None
            continue
        if output not in IMAGE_SECTIONS:
            continue
        m = INPUT_RE.match(line)
        if m and (m.group(1) or pending_name):
            if current:
                yield current
            name = m.group(1) or pending_name
            pending_name = None
            current = (output, name, int(m.group(3), 16), m.group(4), [], int(m.group(2), 16))
            continue
        if re.match(r"^ \S+$", line) and not line.strip().startswith("*"):
            # A long input-section name: address, size and file follow on the next line.
            if current:
                yield current
                current = None
            pending_name = line.strip()
            continue
        m = SYMBOL_RE.match(line)
        if m and current and not m.group(2).startswith("."):
            current[4].append((int(m.group(1), 16), m.group(2)))
    if current:
        yield current


def demangle(names):
    tool = shutil.which("i686-w64-mingw32-c++filt") or shutil.which("c++filt")
    if not tool or not names:
        return {n: n for n in names}
    out = subprocess.run([tool, "-n"], input="\n".join(names), capture_output=True, text=True).stdout
    return dict(zip(names, out.split("\n")))


def symbol_sizes(sections):
    """Size per symbol: one symbol per section (function sections) takes the section; several
    share it by address; a section without symbols is named after its own section name."""
    sizes = collections.Counter()
    files = {}
    for output, name, size, file, symbols, address in sections:
        if size == 0:
            continue
        if output == ".eh_frame":
            sizes["(unwind tables)"] += size
            files["(unwind tables)"] = "all files"
            continue
        if not symbols:
            suffix = name.split("$", 1)[1] if "$" in name else ""
            key = suffix if suffix.startswith("_Z") else "%s [%s]" % (name, short_file(file))
            sizes[key] += size
            files[key] = short_file(file)
            continue
        symbols = sorted(symbols)
        ends = [a for a, _ in symbols[1:]] + [address + size]
        first = symbols[0][0]
        for (a, sym), end in zip(symbols, ends):
            part = end - a + (a - address if a == first else 0)
            sizes[sym] += part
            files[sym] = short_file(file)
    return sizes, files


def exe_sections(exe):
    tool = shutil.which("i686-w64-mingw32-objdump")
    if not tool or not os.path.exists(exe):
        return []
    out = subprocess.run([tool, "-h", exe], capture_output=True, text=True).stdout
    rows = []
    for line in out.splitlines():
        parts = line.split()
        if len(parts) >= 7 and parts[0].isdigit():
            rows.append((parts[1], int(parts[2], 16)))
    return rows


def table(title, counter, total, n, extra=None):
    print("\n%s (largest %d of %d)" % (title, min(n, len(counter)), len(counter)))
    for key, size in counter.most_common(n):
        where = "  %s" % extra[key] if extra and key in extra else ""
        print("%9d  %5.1f%%  %s%s" % (size, 100.0 * size / total if total else 0, key, where))


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("build_dir", nargs="?", default=os.path.join(ROOT, "build", "windows"))
    p.add_argument("-n", type=int, default=25, help="rows per table (default 25)")
    args = p.parse_args()
    exe = os.path.join(args.build_dir, "zarv.exe")
    mapfile = os.path.join(args.build_dir, "zarv.map")
    if not os.path.exists(mapfile):
        sys.exit("size_report: no %s; build the windows preset first" % mapfile)

    sections = list(parse_map(mapfile))
    print("zarv.exe: %d bytes (%.1f KB)" % (os.path.getsize(exe), os.path.getsize(exe) / 1024.0)
          if os.path.exists(exe) else "zarv.exe: not built")
    for name, size in exe_sections(exe):
        print("  %-10s %8d" % (name, size))

    total = sum(s[2] for s in sections if s[0] != ".bss")
    by_lib = collections.Counter()
    by_obj = collections.Counter()
    for output, name, size, file, symbols, address in sections:
        if output == ".bss":
            continue
        short = short_file(file)
        lib = short.split("(")[0] if "(" in short else "(objects)"
        by_lib[lib] += size
        by_obj[short] += size
    print("\nlinked contents without .bss: %d bytes" % total)
    table("By library", by_lib, total, args.n)
    table("By object file", by_obj, total, args.n)

    sizes, files = symbol_sizes([s for s in sections if s[0] != ".bss"])
    names = demangle(list(sizes))
    readable = collections.Counter({names.get(k, k): v for k, v in sizes.items()})
    where = {names.get(k, k): f for k, f in files.items()}
    table("By symbol", readable, total, args.n, where)


if __name__ == "__main__":
    main()
