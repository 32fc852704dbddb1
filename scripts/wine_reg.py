#!/usr/bin/env python3
"""Reads a Wine prefix's registry file (user.reg or system.reg) without Wine.

    wine_reg.py FILE KEY            prints every value of KEY, NAME=VALUE a line
                                    (the default value as @); exits 1 if KEY is absent
    wine_reg.py FILE KEY NAME       prints one value (@ for the default); exits 1 if absent
    wine_reg.py --keys FILE PREFIX  prints every key whose path starts with PREFIX

Keys are written as in regedit, without the hive: Software\\Classes\\.script.
Strings come back unescaped, DWORDs as decimal numbers. Run `wineserver -w`
first: Wine writes the file some seconds after a change.
"""
import sys


def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            nxt = text[i + 1]
            out.append({"n": "\n", "r": "\r", "t": "\t", "0": "\0"}.get(nxt, nxt))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def quoted_end(line, start):
    """The index of the quote that closes the string opening at start."""
    i = start + 1
    while line[i] != '"':
        i += 2 if line[i] == "\\" else 1
    return i


def read(path):
    keys = {}
    current = None
    with open(path, encoding="utf-8", errors="replace") as registry:
        for line in registry:
            line = line.rstrip("\n")
            if line.startswith("["):
                name = line[1:line.rindex("]")]
                current = keys.setdefault(unescape(name).lower(), {})
                continue
            if current is None or not line or line[0] not in '@"':
                continue
            if line[0] == "@":
                name, rest = "@", line[2:]
            else:
                end = quoted_end(line, 0)
                name, rest = unescape(line[1:end]), line[end + 2:]
            if rest.startswith('"'):
                value = unescape(rest[1:quoted_end(rest, 0)])
            elif rest.startswith("str(2):\""):
                value = unescape(rest[8:quoted_end(rest, 7)])
            elif rest.startswith("dword:"):
                value = str(int(rest[6:], 16))
            else:
                value = rest
            current[name.lower()] = (name, value)
    return keys


def main(argv):
    if len(argv) == 4 and argv[1] == "--keys":
        prefix = argv[3].lower()
        for key in sorted(read(argv[2])):
            if key.startswith(prefix):
                print(key)
        return 0
    if len(argv) not in (3, 4):
        print(__doc__, file=sys.stderr)
        return 2
    values = read(argv[1]).get(argv[2].lower())
    if values is None:
        return 1
    if len(argv) == 4:
        found = values.get(argv[3].lower())
        if found is None:
            return 1
        print(found[1])
        return 0
    for name, value in sorted(values.values()):
        print(f"{name}={value}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
