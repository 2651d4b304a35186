#!/usr/bin/env python3
"""Checks Windows executables before they ship or after a build.

    check_exe.py [--release --version X.Y.Z [--forbid TEXT]...] [--xml OUT] EXE...

Always: the executable imports only DLLs that Windows loads from System32 whatever lies beside
the program (the KnownDLLs registry key of Windows 10 and 11), plus common controls, which the
manifest redirects to the side-by-side copy. With --release also: ASLR, high-entropy ASLR and
DEP are on; no time stamp, no debug directory or debug sections, none of the --forbid texts (the
build's paths); the manifest, version resource and icon are there and carry the version; at most
1 MiB. Prints one line per fault and exits non-zero if there is any.
"""
import argparse
import os
import re
import struct
import sys

# HKLM\System\CurrentControlSet\Control\Session Manager\KnownDLLs of 64-bit Windows 10/11
# (the WOW64 entries left out), lower case.
KNOWN_DLLS = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll", "difxapi.dll",
    "gdi32.dll", "gdiplus.dll", "imagehlp.dll", "imm32.dll", "kernel32.dll", "msctf.dll",
    "msvcrt.dll", "normaliz.dll", "nsi.dll", "ole32.dll", "oleaut32.dll", "psapi.dll",
    "rpcrt4.dll", "sechost.dll", "setupapi.dll", "shcore.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "wldap32.dll", "ws2_32.dll",
}
MANIFEST_REDIRECTED = {"comctl32.dll"}
ALLOWED_IMPORTS = KNOWN_DLLS | MANIFEST_REDIRECTED

ICON_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
MAX_SIZE = 1024 * 1024

DYNAMIC_BASE, NX_COMPAT, HIGH_ENTROPY_VA = 0x40, 0x100, 0x20
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


class Pe:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not an executable")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        count, = struct.unpack_from("<H", data, pe + 6)
        self.timestamp, = struct.unpack_from("<I", data, pe + 8)
        optional_size, = struct.unpack_from("<H", data, pe + 20)
        opt = pe + 24
        magic, = struct.unpack_from("<H", data, opt)
        if magic != 0x20B:
            raise ValueError("not a 64-bit executable")
        self.dll_characteristics, = struct.unpack_from("<H", data, opt + 70)
        directories, = struct.unpack_from("<I", data, opt + 108)
        self.directories = [struct.unpack_from("<II", data, opt + 112 + 8 * i)
                            for i in range(directories)]
        self.sections = []
        for i in range(count):
            at = opt + optional_size + 40 * i
            name = data[at:at + 8].rstrip(b"\0").decode("latin-1")
            vsize, vaddr, rsize, raw = struct.unpack_from("<IIII", data, at + 8)
            self.sections.append((name, vaddr, max(vsize, rsize), raw))

    def offset(self, rva):
        for _, vaddr, size, raw in self.sections:
            if vaddr <= rva < vaddr + size:
                return raw + rva - vaddr
        raise ValueError("address 0x%x outside every section" % rva)

    def cstring(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("latin-1")

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def imports(self):
        names = []
        for index, entry_size, name_field in ((1, 20, 12), (13, 32, 4)):  # imports, delay-loaded
            rva, size = self.directory(index)
            if not rva:
                continue
            at = self.offset(rva)
            while True:
                entry = self.data[at:at + entry_size]
                if entry.strip(b"\0") == b"":
                    break
                names.append(self.cstring(struct.unpack_from("<I", entry, name_field)[0]))
                at += entry_size
        return names

    def resources(self):
        """{type: [(name, bytes)]} of the resource tree, first language of each."""
        rva, _ = self.directory(2)
        if not rva:
            return {}
        base = self.offset(rva)

        def entries(at):
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + ids):
                ident, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
                yield ident, target

        found = {}
        for kind, names_at in entries(base):
            for name, langs_at in entries(base + (names_at & 0x7FFFFFFF)):
                for _, leaf in entries(base + (langs_at & 0x7FFFFFFF)):
                    data_rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    at = self.offset(data_rva)
                    found.setdefault(kind, []).append((name, self.data[at:at + size]))
                    break
        return found


def utf16_value(block, key):
    """The value of a StringFileInfo entry of a version resource."""
    marker = (key + "\0").encode("utf-16-le")
    at = block.find(marker)
    if at < 0:
        return None
    at += len(marker)
    at += (-at) % 4  # values start on a 32-bit boundary
    end = at
    while block[end:end + 2] != b"\0\0":
        end += 2
    return block[at:end].decode("utf-16-le")


def release_faults(pe, data, version, forbidden):
    faults = []
    flags = pe.dll_characteristics
    for bit, what in ((DYNAMIC_BASE, "ASLR (dynamic base)"), (HIGH_ENTROPY_VA, "high-entropy ASLR"),
                      (NX_COMPAT, "DEP (NX compatible)")):
        if not flags & bit:
            faults.append("lacks " + what)
    if pe.timestamp:
        faults.append("carries a time stamp (0x%08x)" % pe.timestamp)
    if pe.directory(6)[1]:
        faults.append("has a debug directory")
    debug = [name for name, *_ in pe.sections if name.startswith((".debug", "/", ".stab"))]
    if debug:
        faults.append("has debug sections " + ", ".join(debug))
    for text in forbidden:
        if text and (text.encode() in data or text.encode("utf-16-le") in data):
            faults.append("contains the build's path or name %r" % text)
    if len(data) > MAX_SIZE:
        faults.append("is %d bytes, over %d" % (len(data), MAX_SIZE))

    resources = pe.resources()
    manifests = resources.get(RT_MANIFEST, [])
    if not manifests:
        faults.append("has no manifest")
    else:
        manifest = manifests[0][1].decode("utf-8", "replace")
        identity = re.search(r"<assemblyIdentity[^>]*?\sversion=\"([^\"]*)\"", manifest)
        if not identity or identity.group(1) != version + ".0":
            faults.append("manifest version is %s, not %s.0" %
                          (identity.group(1) if identity else "missing", version))
    versions = resources.get(RT_VERSION, [])
    if not versions:
        faults.append("has no version resource")
    else:
        block = versions[0][1]
        for key, expected in (("ProductName", "Vantry"), ("ProductVersion", version),
                              ("FileVersion", version)):
            value = utf16_value(block, key)
            if value != expected:
                faults.append("version resource %s is %r, not %r" % (key, value, expected))
        if not utf16_value(block, "FileDescription"):
            faults.append("version resource has no FileDescription")
        fixed = block.find(struct.pack("<I", 0xFEEF04BD))
        if fixed >= 0:
            ms, ls = struct.unpack_from("<II", block, fixed + 8)
            numbers = "%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16)
            if numbers != version:
                faults.append("fixed file version is %s, not %s" % (numbers, version))
        else:
            faults.append("version resource has no fixed file information")
    groups = resources.get(RT_GROUP_ICON, [])
    if not groups:
        faults.append("has no icon")
    else:
        group = groups[0][1]
        count, = struct.unpack_from("<H", group, 4)
        sizes = sorted(group[6 + 14 * i] or 256 for i in range(count))
        if sizes != ICON_SIZES:
            faults.append("icon sizes are %s, not %s" % (sizes, ICON_SIZES))
    return faults


def check(path, args):
    with open(path, "rb") as f:
        data = f.read()
    try:
        pe = Pe(data)
        faults = ["imports %s, which Windows may load from beside the program" % name
                  for name in pe.imports() if name.lower() not in ALLOWED_IMPORTS]
        if args.release:
            faults += release_faults(pe, data, args.version, args.forbid)
    except (ValueError, struct.error, IndexError) as error:
        faults = ["cannot be read: %s" % error]
    return faults


def write_xml(out, results):
    failures = sum(1 for _, faults in results if faults)
    esc = lambda s: (s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
                     .replace('"', "&quot;"))
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<testsuites tests="%d" failures="%d" disabled="0" errors="0" name="AllTests">'
             % (len(results), failures),
             '  <testsuite name="Executables" tests="%d" failures="%d" disabled="0" errors="0">'
             % (len(results), failures)]
    for path, faults in results:
        name = os.path.basename(path)
        if not faults:
            lines.append('    <testcase name="%s" status="run" classname="Executables" />' % name)
        else:
            text = esc("\n".join(faults))
            lines.append('    <testcase name="%s" status="run" classname="Executables">' % name)
            lines.append('      <failure message="%s">%s</failure>' % (esc(faults[0]), text))
            lines.append("    </testcase>")
    lines += ["  </testsuite>", "</testsuites>"]
    with open(out, "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("exe", nargs="+")
    parser.add_argument("--release", action="store_true")
    parser.add_argument("--version")
    parser.add_argument("--forbid", action="append", default=[], help="a text the file must not hold")
    parser.add_argument("--xml")
    args = parser.parse_args()
    if args.release and not args.version:
        parser.error("--release needs --version")
    results = [(path, check(path, args)) for path in args.exe]
    for path, faults in results:
        for fault in faults:
            print("%s: %s" % (path, fault))
    if args.xml:
        write_xml(args.xml, results)
    return 1 if any(faults for _, faults in results) else 0


if __name__ == "__main__":
    sys.exit(main())
