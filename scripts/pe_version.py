#!/usr/bin/env python3
"""Prints what a Windows program says about itself, one NAME=VALUE a line:
Machine, Subsystem, LargeAddressAware, IconGroups, Manifest (on one line), FixedFileVersion,
then every string of the version resource (FileVersion, ProductName, ...).
Reads the file itself, so it needs neither Wine nor any resource tool.

    python3 scripts/pe_version.py qvrvse.exe
"""
import struct
import sys

RT_GROUP_ICON = 14
RT_VERSION = 16
RT_MANIFEST = 24
MACHINES = {0x14C: "i386", 0x8664: "x86-64"}
SUBSYSTEMS = {2: "gui", 3: "console"}


class Pe:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not an MZ executable")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        self.machine, sections, _, _, _, optional_size, self.characteristics = struct.unpack_from(
            "<HHIIIHH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            virtual_size, rva, raw_size, raw_offset = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((rva, max(virtual_size, raw_size), raw_offset))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address 0x%x is in no section" % rva)

    def first_entry(self, directory, wanted_id=None):
        """The first entry of a resource directory (or the one with wanted_id):
        (is_subdirectory, offset from the resource section's start)."""
        base = self.offset(self.resource_rva)
        named, numbered = struct.unpack_from("<HH", self.data, base + directory + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
            if wanted_id is None or (not name & 0x80000000 and name == wanted_id):
                return bool(target & 0x80000000), target & 0x7FFFFFFF
        return None

    def resource(self, kind):
        """The first resource of a type, as bytes; None without one."""
        if not self.resource_rva:
            return None
        found = self.first_entry(0, kind)
        while found and found[0]:
            found = self.first_entry(found[1])
        if not found:
            return None
        rva, size = struct.unpack_from("<II", self.data, self.offset(self.resource_rva) + found[1])
        start = self.offset(rva)
        return self.data[start:start + size]


def align(n):
    return (n + 3) & ~3


def blocks(data, start, end):
    """The version resource's nested blocks: (key, value bytes, is_text,
    children start, block end) for each block between start and end."""
    while start + 6 <= end:
        length, value_length, is_text = struct.unpack_from("<HHH", data, start)
        if length == 0:
            break
        key_end = start + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[start + 6:key_end].decode("utf-16-le")
        value_start = align(key_end + 2)
        value_bytes = value_length * 2 if is_text else value_length
        children = align(value_start + value_bytes)
        yield key, data[value_start:value_start + value_bytes], is_text, children, start + length
        start = align(start + length)


def version_values(data):
    values = {}
    for key, value, _, children, end in blocks(data, 0, len(data)):
        if key != "VS_VERSION_INFO":
            continue
        signature, _, ms, ls = struct.unpack_from("<IIII", value, 0)
        if signature == 0xFEEF04BD:
            values["FixedFileVersion"] = "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
        for info, _, _, info_children, info_end in blocks(data, children, end):
            if info != "StringFileInfo":
                continue
            for _, _, _, table_children, table_end in blocks(data, info_children, info_end):
                for name, text, is_text, _, _ in blocks(data, table_children, table_end):
                    if is_text:
                        values[name] = text.decode("utf-16-le").rstrip("\0")
    return values


def main():
    with open(sys.argv[1], "rb") as f:
        pe = Pe(f.read())
    print("Machine=%s" % MACHINES.get(pe.machine, hex(pe.machine)))
    print("Subsystem=%s" % SUBSYSTEMS.get(pe.subsystem, pe.subsystem))
    print("LargeAddressAware=%s" % ("yes" if pe.characteristics & 0x20 else "no"))
    print("IconGroups=%s" % ("yes" if pe.resource(RT_GROUP_ICON) else "no"))
    manifest = pe.resource(RT_MANIFEST)
    print("Manifest=%s" % (" ".join(manifest.decode("utf-8", "replace").split()) if manifest else ""))
    resource = pe.resource(RT_VERSION)
    if resource is None:
        sys.exit("%s: no version resource" % sys.argv[1])
    for name, value in version_values(resource).items():
        print("%s=%s" % (name, value))

if __name__ == "__main__":
    main()
