#!/usr/bin/env python3
"""Writes data/Numora.smo (82-byte records, Windows-1252 text) from data/smorfia/smorfia.txt."""
import pathlib
import sys

here = pathlib.Path(__file__).resolve().parent.parent / "data"
source = here / "smorfia" / "smorfia.txt"
target = here / "Numora.smo"
out = bytearray()
for lineno, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
    if not line.strip() or line.startswith("#"):
        continue
    number, text = line.split("\t", 1)
    n = int(number)
    raw = text.encode("cp1252")
    if not 1 <= n <= 90 or not raw or len(raw) > 80 or text != text.lower():
        sys.exit(f"{source}:{lineno}: bad entry")
    out += bytes([len(raw)]) + raw.ljust(80, b"\0") + bytes([n])
target.write_bytes(bytes(out))
print(f"{target}: {len(out) // 82} entries")
