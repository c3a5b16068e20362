#!/usr/bin/env python3
"""Writes a libFuzzer dictionary of the scrapers' markers: every string literal
of the publisher declarations, "..."_sjis ones in their Shift-JIS bytes.

Usage: scripts/gen_fuzz_dict.py OUTPUT
"""

import pathlib
import re
import sys

LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"(_sjis)?')
ESCAPES = {"n": "\n", "r": "\r", "t": "\t", '"': '"', "\\": "\\", "0": "\0"}


def unescape(body):
    return re.sub(r"\\(.)", lambda m: ESCAPES.get(m.group(1), m.group(1)), body)


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    words = set()
    for source in sorted((root / "src" / "publishers").glob("*.[ch]*")):
        for body, sjis in LITERAL.findall(source.read_text(encoding="utf-8")):
            text = unescape(body)
            data = text.encode("cp932") if sjis else text.encode("utf-8", "surrogateescape")
            if 2 <= len(data) <= 64 and not text.startswith("#include"):
                words.add(data)
    lines = ['"' + "".join(f"\\x{b:02X}" for b in word) + '"' for word in sorted(words)]
    pathlib.Path(sys.argv[1]).write_text("\n".join(lines) + "\n", encoding="ascii")


if __name__ == "__main__":
    main()
