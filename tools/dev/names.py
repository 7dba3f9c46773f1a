#!/usr/bin/env python3
"""Lists the names in the code that break the naming scheme of CONTRIBUTING.md.

Types and files without a class prefix (no CMainFrame, no TCObject), members without type
tags (m_text, not m_strText), no globals with tags, ids as enum class values rather than
unscoped ID_ constants. Prints each leftover as FILE:LINE: NAME and exits 1 when there is any.

Usage: tools/dev/names.py
"""
import os
import re
import subprocess
import sys

# Hungarian tags and control-kind prefixes: a member says what it is for, not what type it has.
TAGS = ("str|sz|n|b|p|pp|arr|vec|map|h|dw|w|l|f|d|i|u|ul|by|c|ch|lp|fn|pfn|"
        "edit|cb|btn|ctl|ctrl|wnd|spin|chk|lst|lb|st|rb")
RULES = [
    ("class prefix", re.compile(r"\b(?:class|struct)\s+((?:C|TC)[A-Z]\w*)")),
    ("type tag", re.compile(rf"\b((?:m|g|s)_(?:{TAGS})[A-Z]\w*)")),
    ("unscoped id", re.compile(r"\b((?:ID|IDC|IDM|IDD)_[A-Z0-9_]+)\b")),
]
FILE_PREFIX = re.compile(r"^(?:C|TC)[A-Z]")


def main():
    root = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
    files = subprocess.run(["git", "ls-files", "src", "tools", "tests", "bench", "fuzz"],
                           cwd=root, capture_output=True, text=True, check=True).stdout.split()
    found = 0
    for path in files:
        name = os.path.basename(path)
        if not name.endswith((".cpp", ".h", ".h.in")):
            continue
        if FILE_PREFIX.match(name):
            print(f"{path}: file name {name}")
            found += 1
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                for what, rule in RULES:
                    for match in rule.finditer(line):
                        print(f"{path}:{number}: {what} {match.group(1)}")
                        found += 1
    print(f"{found} names to change", file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
