#!/usr/bin/env python3
"""Writes a text file of the Windows package in the form the user's programs
read: the repository keeps it as UTF-8 with LF line ends, which diffs well;
the package needs CR LF line ends and either code page 932 (the plug-in's
dictionaries) or UTF-8 with a byte order mark (the guide, which Notepad would
otherwise take for the ANSI code page).

Usage: shipped_text.py cp932|utf-8-sig SOURCE OUTPUT

A character the target encoding lacks stops the build instead of becoming a
question mark in a file the plug-in would then match against nothing.
"""

import pathlib
import sys

ENCODINGS = ("cp932", "utf-8-sig")


def main(argv):
    if len(argv) != 4 or argv[1] not in ENCODINGS:
        print("usage: shipped_text.py cp932|utf-8-sig SOURCE OUTPUT", file=sys.stderr)
        return 2
    encoding, source, output = argv[1], pathlib.Path(argv[2]), pathlib.Path(argv[3])
    text = source.read_bytes().decode("utf-8-sig")  # a stray BOM in the source is dropped
    lines = text.replace("\r\n", "\n").replace("\r", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()  # the final line end, not an empty last line
    try:
        data = "".join(line + "\r\n" for line in lines).encode(encoding)
    except UnicodeEncodeError as error:
        line = text.count("\n", 0, error.start) + 1
        print(f"{source}:{line}: {text[error.start]!r} has no {encoding} form", file=sys.stderr)
        return 1
    output.parent.mkdir(parents=True, exist_ok=True)
    output.write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
