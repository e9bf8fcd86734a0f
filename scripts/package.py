#!/usr/bin/env python3
"""The release zip: writes it the same way every time and checks what it holds.

package.py make ZIP EXE README   writes ZIP with zarv.exe (EXE) and README.txt (README, UTF-8),
                                 both dated SOURCE_DATE_EPOCH (UTC); README.txt gets a byte-order
                                 mark and CRLF line ends, so Notepad on any Windows shows it
package.py version EXE           prints the FileVersion text of EXE's version resource
package.py check ZIP VERSION     checks that ZIP, named zarv-VERSION-win32.zip or -win64.zip,
                                 holds exactly zarv.exe and README.txt, README.txt as above, and
                                 that zarv.exe is a program of that processor (i386 or x86-64, in
                                 its PE header and its manifest) carrying VERSION in its version
                                 resource and manifest; exits 1 naming each fault
"""
import io
import os
import re
import struct
import sys
import time
import zipfile

EXE_NAME = "zarv.exe"
README_NAME = "README.txt"
BOM = b"\xef\xbb\xbf"
RT_VERSION = 16
RT_MANIFEST = 24
# The zip's name ending: (the PE header's machine, the manifest's processorArchitecture).
ARCHITECTURES = {"win32": (0x14C, "x86"), "win64": (0x8664, "amd64")}


# ---- Writing ------------------------------------------------------------------------------------


def windows_text(utf8):
    """UTF-8 text with one byte-order mark and CRLF line ends, whatever it came with."""
    text = utf8.decode("utf-8")
    text = text.lstrip("\ufeff").replace("\r\n", "\n").replace("\r", "\n")
    if not text.endswith("\n"):
        text += "\n"
    return BOM + text.replace("\n", "\r\n").encode("utf-8")


def zip_time():
    """SOURCE_DATE_EPOCH as a zip date (UTC); 1980-01-01, the earliest a zip holds, without it."""
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "315532800"))
    return time.gmtime(max(epoch, 315532800))[:6]


def make(zip_path, exe_path, readme_path):
    with open(exe_path, "rb") as f:
        exe = f.read()
    with open(readme_path, "rb") as f:
        readme = windows_text(f.read())
    stamp = zip_time()
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as z:
        for name, data in ((EXE_NAME, exe), (README_NAME, readme)):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # MS-DOS: no Unix permissions that depend on the umask
            info.external_attr = 0
            z.writestr(info, data, compresslevel=9)
    os.makedirs(os.path.dirname(os.path.abspath(zip_path)), exist_ok=True)
    with open(zip_path, "wb") as f:
        f.write(buffer.getvalue())


# ---- Reading an executable's resources ----------------------------------------------------------


class PeError(Exception):
    pass


def resources(exe):
    """{(type, name, language): bytes} of the PE image's resource section."""
    if exe[:2] != b"MZ":
        raise PeError("not an executable (no MZ header)")
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    if exe[pe:pe + 4] != b"PE\0\0":
        raise PeError("not a PE image")
    sections, optional_size = struct.unpack_from("<H12xH", exe, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", exe, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva, rsrc_size = struct.unpack_from("<II", exe, directories + 2 * 8)
    if not rsrc_rva:
        return {}

    def file_offset(rva):
        table = optional + optional_size
        for i in range(sections):
            vsize, vaddr, raw_size, raw_ptr = struct.unpack_from("<IIII", exe, table + 40 * i + 8)
            if vaddr <= rva < vaddr + max(vsize, raw_size):
                return raw_ptr + rva - vaddr
        raise PeError("resource address %#x lies in no section" % rva)

    base = file_offset(rsrc_rva)
    found = {}

    def walk(offset, path):
        named, numbered = struct.unpack_from("<12xHH", exe, base + offset)
        for i in range(named + numbered):
            ident, target = struct.unpack_from("<II", exe, base + offset + 16 + 8 * i)
            if ident & 0x80000000:  # a name: its length, then UTF-16 characters
                at = base + (ident & 0x7FFFFFFF)
                count = struct.unpack_from("<H", exe, at)[0]
                ident = exe[at + 2:at + 2 + 2 * count].decode("utf-16-le")
            key = path + (ident,)
            if target & 0x80000000:
                walk(target & 0x7FFFFFFF, key)
            else:
                rva, size = struct.unpack_from("<II", exe, base + target)
                start = file_offset(rva)
                found[key] = exe[start:start + size]

    walk(0, ())
    return found


def version_info(block):
    """(fixed file version, fixed product version, {string name: text}) of a VS_VERSIONINFO."""

    def node(offset):
        length, value_length, kind = struct.unpack_from("<HHH", block, offset)
        end = offset + length
        pos = offset + 6
        key_end = pos
        while block[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = block[pos:key_end].decode("utf-16-le")
        pos = (key_end + 2 + 3) & ~3
        size = value_length * 2 if kind == 1 else value_length
        value = block[pos:pos + size]
        pos = (pos + size + 3) & ~3
        children = []
        while pos < end:
            child, child_end = node(pos)
            children.append(child)
            pos = (child_end + 3) & ~3
        return (key, value, children), end

    (key, fixed, children), _ = node(0)
    if key != "VS_VERSION_INFO" or len(fixed) < 52:
        raise PeError("the version resource has no fixed part")
    signature, _, fms, fls, pms, pls = struct.unpack_from("<6I", fixed)
    if signature != 0xFEEF04BD:
        raise PeError("the version resource's fixed part has a wrong signature")

    def quad(ms, ls):
        return "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)

    strings = {}
    for name, _, tables in children:
        if name != "StringFileInfo":
            continue
        for _, _, entries in tables:
            for entry, text, _ in entries:
                strings[entry] = text.decode("utf-16-le").rstrip("\0")
    return quad(fms, fls), quad(pms, pls), strings


def exe_version(exe):
    blocks = [data for (kind, _, _), data in resources(exe).items() if kind == RT_VERSION]
    if len(blocks) != 1:
        raise PeError("%d version resources instead of one" % len(blocks))
    return version_info(blocks[0])


def machine(exe):
    """The PE header's machine: 0x14C for i386, 0x8664 for x86-64."""
    if exe[:2] != b"MZ":
        raise PeError("not an executable (no MZ header)")
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    if exe[pe:pe + 4] != b"PE\0\0":
        raise PeError("not a PE image")
    return struct.unpack_from("<H", exe, pe + 4)[0]


def manifest_identity(exe, attribute):
    """An attribute of the program's own assembly identity in its manifest."""
    blocks = [data for (kind, _, _), data in resources(exe).items() if kind == RT_MANIFEST]
    if len(blocks) != 1:
        raise PeError("%d manifests instead of one" % len(blocks))
    own = re.search(rb'<assemblyIdentity[^>]*name="ZARV[^"]*"[^>]*>', blocks[0])
    match = own and re.search(rb'\s' + attribute.encode() + rb'="([^"]*)"', own.group(0))
    if not match:
        raise PeError("the manifest names no %s of its own" % attribute)
    return match.group(1).decode("ascii")


def manifest_version(exe):
    return manifest_identity(exe, "version")


# ---- Checking -----------------------------------------------------------------------------------


def check(zip_path, version):
    faults = []
    name = os.path.basename(zip_path)
    arch = next((a for a in ARCHITECTURES if name == "zarv-%s-%s.zip" % (version, a)), None)
    if not arch:
        faults.append("the zip is named %s, not zarv-%s-win32.zip or -win64.zip" % (name, version))
    with zipfile.ZipFile(zip_path) as z:
        names = z.namelist()
        if names != [EXE_NAME, README_NAME]:
            faults.append("the zip holds %s, not exactly %s and %s" % (names, EXE_NAME, README_NAME))
        if z.testzip() is not None:
            faults.append("the zip is damaged: %s" % z.testzip())
        exe = z.read(EXE_NAME) if EXE_NAME in names else b""
        readme = z.read(README_NAME) if README_NAME in names else b""
    if readme:
        if not readme.startswith(BOM):
            faults.append("README.txt has no byte-order mark")
        if re.search(rb"(?<!\r)\n|\r(?!\n)", readme):
            faults.append("README.txt has line ends other than CRLF")
        try:
            readme.decode("utf-8")
        except UnicodeDecodeError as e:
            faults.append("README.txt is not UTF-8: %s" % e)
    if exe:
        quad = version + ".0"
        try:
            file_fixed, product_fixed, strings = exe_version(exe)
            for what, got in (("fixed file version", file_fixed),
                              ("fixed product version", product_fixed)):
                if got != quad:
                    faults.append("zarv.exe's %s is %s, not %s" % (what, got, quad))
            for what in ("FileVersion", "ProductVersion"):
                if strings.get(what) != version:
                    faults.append("zarv.exe's %s is %r, not %r" % (what, strings.get(what), version))
            if manifest_version(exe) != quad:
                faults.append("zarv.exe's manifest has version %s, not %s" %
                              (manifest_version(exe), quad))
            if arch:
                want_machine, want_manifest = ARCHITECTURES[arch]
                if machine(exe) != want_machine:
                    faults.append("zarv.exe is a program for machine %#x, not %#x (%s)" %
                                  (machine(exe), want_machine, arch))
                got = manifest_identity(exe, "processorArchitecture")
                if got != want_manifest:
                    faults.append("zarv.exe's manifest names processor %s, not %s" %
                                  (got, want_manifest))
        except (PeError, struct.error) as e:
            faults.append("zarv.exe: %s" % e)
    for fault in faults:
        print("package check: " + fault, file=sys.stderr)
    if not faults:
        print("package check: %s holds zarv.exe %s (%s) and README.txt" % (zip_path, version, arch))
    return 1 if faults else 0


def main(argv):
    if len(argv) == 5 and argv[1] == "make":
        make(argv[2], argv[3], argv[4])
        return 0
    if len(argv) == 3 and argv[1] == "version":
        with open(argv[2], "rb") as f:
            print(exe_version(f.read())[2].get("FileVersion", ""))
        return 0
    if len(argv) == 4 and argv[1] == "check":
        return check(argv[2], argv[3])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
