#!/usr/bin/env python3
"""Writes the release archive of a MinGW build tree's programs and prints its
SHA-256 in the form sha256sum writes ("<hash>  <name>").

    release_archive.py TREE SOURCES OUT_DIR
        OUT_DIR/twinpath-<version>-win-x64.zip, the version taken from the
        tree's generated version header, LICENSE and README.md from SOURCES
    release_archive.py --compare A.zip B.zip
        exits with 1 and names the entries that differ unless A and B are
        the same bytes

The archive's bytes depend on nothing but the files it holds: every entry has
the same time, no Unix attributes and no extra fields, and the entries come in
name order. README.txt is the README's user part (everything above its marker
comment) as plain text with CR LF line ends, for Notepad."""
import hashlib
import os
import re
import sys
import textwrap
import zipfile

ENTRY_TIME = (1980, 1, 1, 0, 0, 0)  # the earliest a zip entry can hold
USER_PART_END = "<!-- Everything above is the user part"
WIDTH = 100


def plain(text):
    """The text of a Markdown line without its inline marks."""
    text = re.sub(r"\[([^]]*)\]\(([^)]*)\)", r"\1 (\2)", text)
    text = text.replace("**", "").replace("`", "")
    return text.replace("\\|", "|")


def table_cells(line):
    return [cell.strip() for cell in re.split(r"(?<!\\)\|", line.strip())[1:-1]]


def readme_text(markdown):
    """The user part of the README as plain text: headings underlined, code
    indented, each table row as its first cell with the others indented below."""
    if USER_PART_END not in markdown:
        sys.exit("README.md: the comment that ends the user part is missing")
    lines = []
    in_code = False
    table_row = 0
    for line in markdown.split(USER_PART_END, 1)[0].rstrip().splitlines():
        if line.startswith("```"):
            in_code = not in_code
            continue
        if in_code:
            lines.append("    " + line if line else "")
            continue
        if line.startswith("|"):
            table_row += 1
            if table_row > 2:  # past the header and its rule
                first, *rest = (plain(cell) for cell in table_cells(line))
                lines.append(first)
                lines += textwrap.wrap(" ".join(rest), WIDTH, initial_indent="    ", subsequent_indent="    ")
            continue
        table_row = 0
        if line.startswith("!["):
            continue
        heading = re.match(r"(#+) (.*)", line)
        if heading:
            title = plain(heading.group(2))
            lines += [title, ("=" if len(heading.group(1)) == 1 else "-") * len(title)]
            continue
        lines.append(plain(line))
    text = "\r\n".join(re.sub(r"\n{3,}", "\n\n", "\n".join(lines)).split("\n")) + "\r\n"
    # Notepad of older Windows reads UTF-8 without a mark as the ANSI code page.
    return text.encode("utf-8-sig" if not text.isascii() else "ascii")


def version_of(tree):
    with open(os.path.join(tree, "win32", "version.h"), encoding="utf-8") as header:
        return re.search(r'TWINPATH_VERSION_TEXT "([^"]+)"', header.read()).group(1)


def read(path):
    with open(path, "rb") as file:
        return file.read()


def write_archive(tree, sources, out_dir):
    name = f"twinpath-{version_of(tree)}-win-x64.zip"
    files = {
        "twinpath.exe": read(os.path.join(tree, "win32", "twinpath.exe")),
        "tpath.exe": read(os.path.join(tree, "cli", "tpath.exe")),
        "LICENSE": read(os.path.join(sources, "LICENSE")).replace(b"\r\n", b"\n").replace(b"\n", b"\r\n"),
        "README.txt": readme_text(read(os.path.join(sources, "README.md")).decode("utf-8")),
    }
    files["SHA256SUMS"] = "".join(
        f"{hashlib.sha256(data).hexdigest()}  {entry}\r\n" for entry, data in sorted(files.items())
    ).encode("ascii")
    os.makedirs(out_dir, exist_ok=True)
    path = os.path.join(out_dir, name)
    with zipfile.ZipFile(path, "w") as archive:
        for entry, data in sorted(files.items()):
            info = zipfile.ZipInfo(entry, ENTRY_TIME)
            # On MS-DOS terms, as Windows writes zips: the archive attribute
            # alone, no Unix mode (zipfile would put one in place of none).
            info.create_system = 0
            info.external_attr = 0x20
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)
    print(f"{hashlib.sha256(read(path)).hexdigest()}  {name}")


def compare(first, second):
    if read(first) == read(second):
        return 0
    with zipfile.ZipFile(first) as a, zipfile.ZipFile(second) as b:
        entries = {info.filename: info.CRC for info in a.infolist()}
        others = {info.filename: info.CRC for info in b.infolist()}
    differing = sorted(name for name in entries.keys() | others.keys() if entries.get(name) != others.get(name))
    print(f"{first} and {second} differ; entries: {', '.join(differing) or 'none, only the archive'}", file=sys.stderr)
    return 1


def main(args):
    if len(args) == 3 and args[0] == "--compare":
        return compare(args[1], args[2])
    if len(args) == 3:
        write_archive(*args)
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
