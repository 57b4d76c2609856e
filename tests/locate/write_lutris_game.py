#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes a Lutris game file the way Lutris itself saves one: PyYAML's safe_dump in block style
(which folds long values with blanks onto several lines and writes non-ASCII letters as
"\\xC9"-style escapes).

    write_lutris_game.py FILE PREFIX EXE     (an empty PREFIX or EXE leaves that entry out)
"""
import sys

import yaml


def main():
    path, prefix, exe = sys.argv[1:4]
    game = {"arch": "win64"}
    if prefix:
        game["prefix"] = prefix
    if exe:
        game["exe"] = exe
    config = {
        "game": game,
        "game_slug": "neverwinter-nights",
        "name": "Neverwinter Nights",
        "requires": None,
        "slug": "neverwinter-nights-diamond",
        "system": {},
        "version": "GOG",
        "wine": {"version": "lutris-GE-Proton8-26-x86_64"},
    }
    with open(path, "w", encoding="utf-8") as out:
        out.write(yaml.safe_dump(config, default_flow_style=False))


if __name__ == "__main__":
    main()
