"""The copy of the sources that scripts/faults.py plants its faults in: the
checkout itself is never written. The copy holds what git would commit from
the working tree (tracked and new files, as they are now, ignored ones left
out) and is brought level with the checkout file by file, so that files which
did not change keep their times and the build trees beside the copy build
only what changed."""

from __future__ import annotations

import os
import shutil
import subprocess
from pathlib import Path


def source_files(root: Path) -> list[str]:
    """The checkout's files, relative to it."""
    listed = subprocess.run(["git", "-C", str(root), "ls-files", "-z", "-co", "--exclude-standard"],
                            capture_output=True)
    if listed.returncode == 0:
        names = [n for n in listed.stdout.decode("utf-8", "surrogateescape").split("\0") if n]
    else:  # sources without git: everything but build trees and archives
        names = []
        for folder, dirs, files in os.walk(root):
            rel = Path(folder).relative_to(root)
            dirs[:] = [d for d in dirs if d != ".git" and not (rel == Path(".") and (d.startswith("build")
                                                                                       or d == "dist"))]
            names += [str(rel / name) for name in files]
    return sorted(n for n in names if (root / n).is_file() and not (root / n).is_symlink())


def sync(root: Path, copy: Path) -> int:
    """Makes `copy` hold the checkout's files byte for byte, and nothing else;
    the number of files written or removed."""
    wanted = set(source_files(root))
    changed = 0
    for name in sorted(wanted):
        source, target = root / name, copy / name
        data = source.read_bytes()
        if target.is_file() and not target.is_symlink() and target.read_bytes() == data:
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        if target.is_symlink() or target.is_dir():
            shutil.rmtree(target) if target.is_dir() else target.unlink()
        # Written, not copied with its time: a file put back must look newer
        # than the objects its planted version was built into.
        target.write_bytes(data)
        shutil.copymode(source, target)
        changed += 1
    for folder, _, files in os.walk(copy, topdown=False):
        for name in files:
            path = Path(folder) / name
            if str(path.relative_to(copy)) not in wanted:
                path.unlink()
                changed += 1
        if Path(folder) != copy and not any(Path(folder).iterdir()):
            Path(folder).rmdir()
    return changed


class Planted:
    """Context manager: the fault is in the copy's file inside the block, and
    the file is the checkout's again after it, whatever ends the block (a run
    killed without cleaning up is put right by the next sync)."""

    def __init__(self, root: Path, copy: Path, name: str, text: str):
        self.original = (root / name).read_bytes()
        self.target = copy / name
        self.text = text

    def __enter__(self):
        self.target.write_bytes(self.text.encode("utf-8"))
        return self

    def __exit__(self, *exc):
        self.target.write_bytes(self.original)
        return False
