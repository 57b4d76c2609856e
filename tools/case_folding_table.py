#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes src/locate/case_folding_table.inc: Unicode's simple case folding (the C and S lines of
CaseFolding.txt, which Debian's unicode-data package installs) as runs of code points that fold
by the same distance, every `stride`th one.

    tools/case_folding_table.py [/usr/share/unicode/CaseFolding.txt] > src/locate/case_folding_table.inc
"""
import sys


def mappings(path):
    version = ""
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            if line.startswith("# CaseFolding-"):
                version = line[2:].strip()
            fields = [field.strip() for field in line.split("#")[0].split(";")]
            if len(fields) >= 3 and fields[1] in ("C", "S"):
                yield version, int(fields[0], 16), int(fields[2], 16)


def runs(pairs):
    """Groups (code, folded) pairs into (first, last, delta, stride) runs."""
    out = []
    for code, folded in pairs:
        delta = folded - code
        if out:
            first, last, run_delta, stride = out[-1]
            if run_delta == delta and (stride == 0 or code - last == stride):
                out[-1] = (first, code, delta, code - last)
                continue
        out.append((code, code, delta, 0))
    return [(first, last, delta, stride or 1) for first, last, delta, stride in out]


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/unicode/CaseFolding.txt"
    found = list(mappings(path))
    version = found[0][0] if found else ""
    table = runs(sorted((code, folded) for _, code, folded in found))
    print("// SPDX-License-Identifier: MIT")
    print(f"// Made by tools/case_folding_table.py from {version}: simple case folding as runs")
    print("// {first, last, distance, stride}; do not edit.")
    for first, last, delta, stride in table:
        print(f"{{0x{first:04X}, 0x{last:04X}, {delta}, {stride}}},")


if __name__ == "__main__":
    main()
