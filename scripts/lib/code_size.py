#!/usr/bin/env python3
"""Counts the lines that hold code (not blank, not only a comment) in the
product and in its tests, prints both and their ratio, and exits with 1 when
the tests outgrow 0.4 times the product.

Product: C++ sources, headers and resource scripts outside tests/ and bench/.
Tests: everything under tests/ that is code (C++, CMake, shell, Python); data
such as the fuzz corpus is left out."""
import os
import sys

LIMIT = 0.4
CPP = {".cpp", ".h", ".rc"}
HASH_COMMENTED = {".sh", ".py", ".cmake", ".in"}
SKIPPED_DIRS = {".git", "corpus"}


def code_lines(path):
    hash_comments = os.path.splitext(path)[1] in HASH_COMMENTED or os.path.basename(path) == "CMakeLists.txt"
    count = 0
    in_block = False
    with open(path, encoding="utf-8", errors="replace") as source:
        for line in source:
            text = line.strip()
            if hash_comments:
                count += bool(text) and not text.startswith("#")
                continue
            if in_block:
                if "*/" not in text:
                    continue
                in_block = False
                text = text.split("*/", 1)[1].strip()
            if not text or text.startswith("//"):
                continue
            if text.startswith("/*"):
                in_block = "*/" not in text
                continue
            count += 1
    return count


def is_test_code(name):
    ext = os.path.splitext(name)[1]
    return ext in CPP or ext in HASH_COMMENTED or name == "CMakeLists.txt"


def main(root):
    product = tests = 0
    for folder, dirs, files in os.walk(root):
        rel = os.path.relpath(folder, root)
        top = rel.split(os.sep)[0]
        dirs[:] = [d for d in dirs if d not in SKIPPED_DIRS and not (rel == "." and d.startswith("build"))]
        for name in files:
            path = os.path.join(folder, name)
            if top == "tests":
                tests += code_lines(path) if is_test_code(name) else 0
            elif top != "bench" and os.path.splitext(name)[1] in CPP:
                product += code_lines(path)
    ratio = tests / product if product else 0.0
    print(f"code lines: product {product}, tests {tests}, ratio {ratio:.2f} (at most {LIMIT})")
    return 0 if ratio <= LIMIT else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
