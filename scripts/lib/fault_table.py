"""The fault table of scripts/faults.py: tab-separated, UTF-8, one fault per line,
    id <TAB> description <TAB> file <TAB> old <TAB> new
after a header line of those names; empty lines and lines that start with "#"
are skipped. `file` is relative to the repository and may be any file but the
tests' own (a source, a script, a document a test reads). In `old` and `new`
three escapes stand for what a table cell cannot hold:
    \\t  a TAB        \\n  a line feed        \\\\  one backslash
Any other backslash is an error, so C++ text such as L'\\\\' is written
L'\\\\\\\\' in the table."""

from __future__ import annotations

import re
import subprocess
from dataclasses import dataclass
from pathlib import Path

COLUMNS = ("id", "description", "file", "old", "new")


class TableError(Exception):
    pass


@dataclass
class Fault:
    id: str
    description: str
    file: str
    old: str
    new: str
    line: int

    def planted(self, text: str) -> str:
        """The file's text with the fault in it."""
        count = text.count(self.old)
        if count != 1:
            raise TableError(f"{self.id}: the old text occurs {count} times in {self.file}, not once")
        return text.replace(self.old, self.new, 1)


def unescape(text: str, where: str) -> str:
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        if i + 1 >= len(text) or text[i + 1] not in "tn\\":
            raise TableError(f"{where}: lone backslash at position {i} (write \\\\ for one backslash)")
        out.append({"t": "\t", "n": "\n", "\\": "\\"}[text[i + 1]])
        i += 2
    return "".join(out)


def read_table(path: Path) -> list[Fault]:
    faults: list[Fault] = []
    seen: set[str] = set()
    header_seen = False
    for number, raw in enumerate(path.read_text(encoding="utf-8").split("\n"), start=1):
        line = raw.rstrip("\r")
        if not line.strip() or line.startswith("#"):
            continue
        cells = line.split("\t")
        if not header_seen:
            if tuple(cells) != COLUMNS:
                raise TableError(f"{path}:{number}: the header must be {' <TAB> '.join(COLUMNS)}")
            header_seen = True
            continue
        if len(cells) != len(COLUMNS):
            raise TableError(f"{path}:{number}: {len(cells)} cells instead of {len(COLUMNS)}")
        fault_id, description, file, old, new = cells
        if not re.fullmatch(r"[a-z0-9][a-z0-9-]*", fault_id):
            raise TableError(f"{path}:{number}: id {fault_id!r} is not a lower-case slug")
        if fault_id in seen:
            raise TableError(f"{path}:{number}: id {fault_id} appears twice")
        seen.add(fault_id)
        where = f"{path}:{number} ({fault_id})"
        fault = Fault(fault_id, description.strip(), file, unescape(old, where), unescape(new, where), number)
        if not fault.old:
            raise TableError(f"{where}: empty old text")
        if fault.old == fault.new:
            raise TableError(f"{where}: old and new text are the same")
        faults.append(fault)
    if not header_seen:
        raise TableError(f"{path}: no header line")
    return faults


def check_fault(fault: Fault, root: Path) -> str | None:
    """Why the fault cannot be planted in the sources at `root`, or None."""
    target = root / fault.file
    if Path(fault.file).parts[:1] == ("tests",):
        return f"{fault.id}: {fault.file} is test code; faults go into the program and its scripts"
    if not target.is_file():
        return f"{fault.id}: no file {fault.file}"
    try:
        fault.planted(target.read_bytes().decode("utf-8"))
    except TableError as error:
        return str(error)
    return None


def parse_error(fault: Fault, path: Path) -> str | None:
    """Why a planted script no longer parses, or None: such a fault would be
    caught by any run of the script, which proves nothing about the tests."""
    if path.suffix == ".py":
        try:
            compile(path.read_text(encoding="utf-8"), str(path), "exec")
        except SyntaxError as error:
            return f"{fault.id}: {error}"
    if path.suffix == ".sh":
        checked = subprocess.run(["bash", "-n", str(path)], capture_output=True, text=True)
        if checked.returncode != 0:
            return f"{fault.id}: {checked.stderr.strip()}"
    return None
