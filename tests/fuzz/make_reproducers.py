#!/usr/bin/env python3
"""Writes the hand-made inputs of the fuzz corpora: one reproducer per fault
the targets once found, plus a plain example each. Inputs of the targets that
read through FuzzedDataProvider are laid out as it reads them: strings from
the front, numbers from the back."""
import os

here = os.path.dirname(os.path.abspath(__file__))


class Provided:
    def __init__(self):
        self.front = b""
        self.back = []  # in the order they are consumed

    def string(self, s):
        self.front += s.replace(b"\\", b"\\\\") + b"\\ "
        return self

    def rest(self, s):
        self.front += s
        return self

    def integral(self, value, width):  # width in bytes, most significant consumed first
        for shift in reversed(range(width)):
            self.back.append((value >> (8 * shift)) & 0xFF)
        return self

    def small(self, value):  # a range of at most 255, or a bool
        return self.integral(value, 1)

    def bytes(self):
        return self.front + bytes(reversed(self.back))


def write(target, name, data):
    folder = os.path.join(here, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# Rich-text reader on any bytes.
write("rich_text_read", "plain", b"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier New;}}{\\colortbl ;\\red200\\green0\\blue0;}"
      b"\\f0\\fs20 plain \\cf1\\b red\\b0\\cf0 \\par next\\par}")
write("rich_text_read", "escaped-face", b"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 A\\{B\\}C\\'3bD\\\\E\\'82;}}\\f0 if x {\\par}}")
write("rich_text_read", "deep-nesting", b"{\\rtf1 " + b"{" * 4000 + b"x")
write("rich_text_read", "huge-size", b"{\\rtf1 \\fs300000000 a\\fs-7 b\\fs99999999999999999999 c}")
write("rich_text_read", "colour-levels", b"{\\rtf1{\\colortbl ;\\red300\\green-1\\blue7;}\\cf1 a\\cf9 b}")

# Round trip: in domain, three faces, then (char, face, colour, effects, height) per character.
def round_trip(faces, chars, in_domain=True):
    p = Provided().small(1 if in_domain else 0)
    for face in faces:
        p.string(face)
    for c, face, height in chars:
        p.small(c).small(face).integral(0x00C80000, 4).small(1)
        p.integral(height, 2)
    return p.bytes()

write("rich_text_round_trip", "odd-faces", round_trip([b"A{B}C;D", b"A\\B", b"\x82;"],
      [(ord("x"), 0, 20), (ord("{"), 1, 20), (13, 2, 24)]))
write("rich_text_round_trip", "empty-face-first", round_trip([b"", b"Arial", b""],
      [(ord("a"), 0, 20), (ord("b"), 1, 20)]))

# Reference files: each a string, then whether to repeat it and how often.
def reference(files):
    p = Provided()
    for text, repeats in files:
        p.string(text).small(1 if repeats else 0)
        if repeats:
            p.small(repeats)
    return p.bytes()

write("reference", "plain", reference([(b"*tit Game\r\n*grp Methods\r\n*met Log(text)\r\n*des Writes.\r\n*inc a.txt\r\n", 0),
                                      (b"*tit Actor\r\n*atr Name\r\n*mt2 Say(x)\r\n", 0),
                                      (b"*atr A\r\n*inc sub/b.txt\r\n", 0)]))
write("reference", "include-bomb", reference([(b"*inc b.txt\r\n", 16), (b"", 0), (b"", 0),
                                             (b"*atr M\r\n" * 250, 16)]))
write("reference", "deep-includes", reference([(b"*inc a.txt\r\n", 0), (b"", 0), (b"*inc b.txt\r\n*atr A\r\n", 0),
                                              (b"*inc A.TXT\r\n", 0)]))

# Settings: a number, a value to write and read back, then the file.
def settings(number, value, ini):
    return Provided().string(number).string(value).rest(ini).bytes()

write("settings", "quoted-font", settings(b"300", b'"Arial"',
      b'[General]\r\nEditorFontName=""Arial""\r\nEditorFontSize= 12 \r\n'))
write("settings", "blank-edges", settings(b"-1", b" Arial ", b"[General]\r\nEditorFontName=\" A{B}C;D \"\r\n"))

# Whole files.
write("line_reader", "breaks", b"x\ry\nz\r\n\r\nlast\r\n\x00mid\x00")
write("open_save", "breaks", b"x\ry\nz\r\n\r\nlast\r\n")
write("open_save", "script", b"if (x) while(y) Game.Log(\"a // b\") // tail \"q\"\r\n{ \\par } \\'82 \x82\r\n\"one\" two \"three\r\n")
write("line_lists", "blocks", Provided().string(b"Wait(ms)\r\nSay \r\n\r\n").rest(
      b"ignored\r\n#Loop#Repeats\r\nfor\r\n#Empty\r\n##\r\n").bytes())
write("line_scan", "words", Provided().small(2).string(b"Game").string(b"Log").small(1).string(b"while")
      .small(0).small(0).small(0).small(1).string(b"while (x) Game.Log(\"a // b\") // c").rest(b"while while").bytes())
write("format_runs", "steps", bytes(range(0, 200, 3)))
