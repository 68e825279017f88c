#!/usr/bin/env python3
"""doc_comments.py - Doxygen input filter for the library's headers.

The headers document each declaration with a plain // line above it (or
after it on the same line) and open with a // block about the file. Doxygen
reads only its own comment forms, so this filter rewrites, line for line:
  - the opening // block          -> /// \\file and the block as /// lines
  - a // line above a declaration -> ///
  - "declaration;  // text"       -> "declaration;  ///< text"
  - "// ------ section" rules     -> left as they are (not documentation)
Line numbers stay the same, so Doxygen's warnings point at the real lines.

Usage (from the Doxyfile): INPUT_FILTER = "python3 doc_comments.py"
"""
import re
import sys

RULE = re.compile(r"^\s*//\s*-{4,}")
FULL_LINE = re.compile(r"^(\s*)//(?!/)(.*)$")
TRAILING = re.compile(r"^(.*[;,{}])(\s*)//(?!/)(.*)$")


def filter_lines(lines):
    out = []
    in_file_block = True  # the leading // block describes the file
    for line in lines:
        full = FULL_LINE.match(line)
        if in_file_block and full:
            text = full.group(2)
            out.append("/// \\file " + text.strip() if not out else "///" + text)
            continue
        in_file_block = False
        if RULE.match(line):
            out.append(line)
        elif full:
            out.append(f"{full.group(1)}///{full.group(2)}")
        else:
            trailing = TRAILING.match(line)
            if trailing and '"' not in trailing.group(1):
                out.append(f"{trailing.group(1)}{trailing.group(2)}///<{trailing.group(3)}")
            else:
                out.append(line)
    return out


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        lines = f.read().split("\n")
    sys.stdout.write("\n".join(filter_lines(lines)))


if __name__ == "__main__":
    main()
