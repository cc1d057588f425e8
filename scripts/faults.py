#!/usr/bin/env python3
"""Plants known faults in the program, one at a time, and checks that the
test suite catches each of them.

For every fault of the table the script
  1. replaces, in one source file, an exact text (which must occur exactly
     once) with another,
  2. builds the program alone in every tree: when that fails the fault is
     "broken" (the table must be fixed: every fault must compile),
  3. runs the suite, stopping at the first step that fails: the native build
     with the unit tests, the unit tests (ASan and UBSan), the fuzz build and
     each fuzz target for --fuzz-seconds, the Windows build with its tests,
     the Windows tests under Wine,
  4. puts the file back byte for byte, also on Ctrl+C, SIGTERM or an error.
A failing test, fuzz target or test build counts as "caught", but only when
it comes back: the failing tests are run again on their own (a fuzz target
on the input it kept), with the fault still in place. Failures that do not
come back make the fault "unclear" (a Wine run is tried twice first; one
whose session went away does not count). Steps that the fault cannot change
are left out: when ninja's records show that the changed file is not built
into the native or the fuzz tree, those programs are the very ones that
passed on the unchanged sources.

Before the faults, the whole suite runs once on the unchanged sources and
must pass; after them, every test and fuzz target that caught a fault runs
once more on the unchanged sources, and a catch by one that fails there too
is marked in the report.

The display, the Wine prefix, the wineserver and the keeper process are
started once for the whole run (scripts/lib/suite.sh start) and stopped at
the end. The builds live in a folder of their own (build-faults/ by
default), so build/ is never touched.

The fault table is tab-separated, UTF-8, one fault per line:
    id <TAB> description <TAB> file <TAB> old <TAB> new
The first line is that header; empty lines and lines that start with "#" are
skipped. `file` is relative to the repository. In `old` and `new` three escapes
stand for what a table cell cannot hold:
    \\t  a TAB        \\n  a line feed        \\\\  one backslash
Any other backslash is an error, so C++ text such as L'\\\\' is written
L'\\\\\\\\' in the table.

Usage:
    scripts/faults.py [--table FILE] [--only ID[,ID...]] [--fuzz-seconds N]
                      [--report FILE] [--log FILE] [--build-dir DIR]
                      [--no-baseline] [--compile-only]
"""

from __future__ import annotations

import argparse
import base64
import json
import os
import re
import signal
import subprocess
import sys
import threading
import time
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SUITE = ROOT / "scripts" / "lib" / "suite.sh"
# The fuzz targets are those scripts/test.sh runs.
FUZZ_TARGETS = tuple(
    re.search(r"TWINPATH_FUZZ_TARGETS=\(([^)]*)\)", (ROOT / "scripts" / "lib" / "setup.sh").read_text()).group(1).split()
)
COLUMNS = ("id", "description", "file", "old", "new")

# Upper bounds for one step, far above what a healthy step takes; CTest's own
# per-test timeouts catch a hanging test long before these.
STEP_LIMIT_S = {
    "build-all": 7200,
    "start": 600,
    "product": 3600,
    "native-build": 3600,
    "native-test": 1800,
    "fuzz-build": 3600,
    "win-build": 3600,
    "win-test": 7200,
    "stop": 120,
}


class TableError(Exception):
    pass


class Interrupted(Exception):
    pass


@dataclass
class Fault:
    id: str
    description: str
    file: str
    old: str
    new: str
    line: int


@dataclass
class Outcome:
    verdict: str  # "yes", "no" or "broken"
    by: str = "-"
    seconds: float = 0.0
    steps: list[tuple[str, float, bool]] = field(default_factory=list)
    # What caught the fault: the failing tests of the native or the Wine run,
    # or the fuzz target; checked again on the unchanged sources at the end.
    native_tests: list[str] = field(default_factory=list)
    wine_tests: list[str] = field(default_factory=list)
    fuzz_target: str = ""


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


def check_fault(fault: Fault) -> str | None:
    """Why the fault cannot be applied, or None."""
    target = ROOT / fault.file
    if Path(fault.file).parts[:1] == ("tests",):
        return f"{fault.id}: {fault.file} is test code; faults go into the program"
    if not target.is_file():
        return f"{fault.id}: no file {fault.file}"
    count = target.read_bytes().decode("utf-8").count(fault.old)
    if count != 1:
        return f"{fault.id}: the old text occurs {count} times in {fault.file}, not once"
    return None


class Journal:
    """Keeps the original bytes of the file under change on disk, so that a run
    killed without a chance to clean up is put right by the next one."""

    def __init__(self, path: Path):
        self.path = path

    def record(self, target: Path, original: bytes) -> None:
        self.path.parent.mkdir(parents=True, exist_ok=True)
        payload = {"file": str(target), "original": base64.b64encode(original).decode("ascii")}
        temporary = self.path.with_suffix(".tmp")
        temporary.write_text(json.dumps(payload))
        os.replace(temporary, self.path)

    def clear(self) -> None:
        self.path.unlink(missing_ok=True)

    def recover(self) -> None:
        if not self.path.exists():
            return
        payload = json.loads(self.path.read_text())
        target = Path(payload["file"])
        original = base64.b64decode(payload["original"])
        if target.read_bytes() != original:
            target.write_bytes(original)
            print(f"restored {target} left changed by an interrupted run", flush=True)
        self.clear()


class PlantedFault:
    """Context manager: the fault is in the file inside the block, and the
    file's original bytes are back after it, whatever ends the block."""

    def __init__(self, fault: Fault, journal: Journal):
        self.fault = fault
        self.journal = journal
        self.target = ROOT / fault.file
        self.original = b""

    def __enter__(self):
        self.original = self.target.read_bytes()
        text = self.original.decode("utf-8")
        count = text.count(self.fault.old)
        if count != 1:
            raise TableError(f"{self.fault.id}: the old text occurs {count} times in {self.fault.file}, not once")
        self.journal.record(self.target, self.original)
        self.target.write_bytes(text.replace(self.fault.old, self.fault.new, 1).encode("utf-8"))
        return self

    def __exit__(self, *exc):
        # Only the content comes back: the new modification time makes the
        # next build compile the file again, from its original text. A second
        # Ctrl+C must not cut the restore short.
        previous = signal.signal(signal.SIGINT, signal.SIG_IGN)
        try:
            self.target.write_bytes(self.original)
            if self.target.read_bytes() != self.original:
                raise RuntimeError(f"could not restore {self.target}")
            self.journal.clear()
        finally:
            signal.signal(signal.SIGINT, previous)
        return False


class Runner:
    """Runs the steps of scripts/lib/suite.sh, each in a process group of its
    own, with its output in the log."""

    def __init__(self, build_dir: Path, log):
        self.env = dict(os.environ, TWINPATH_BUILD=str(build_dir))
        self.log = log
        self.current: subprocess.Popen | None = None

    def step(self, name: str, *args: str) -> tuple[bool, str, float]:
        limit = STEP_LIMIT_S.get(name, 3600)
        if name == "fuzz":
            limit = int(args[1]) + 300
        command = ["bash", str(SUITE), name, *args]
        self.log.write(f"\n$ {' '.join(command)}\n")
        self.log.flush()
        start = time.monotonic()
        lines: list[str] = []
        self.current = subprocess.Popen(command, cwd=ROOT, env=self.env, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                        start_new_session=True, text=True, errors="replace")
        # A step that outlives its limit, silent or not, has its whole process
        # group ended; so has one left behind by Ctrl+C or an error.
        deadline_passed = threading.Event()

        def at_deadline():
            deadline_passed.set()
            self.kill_current()

        watchdog = threading.Timer(limit, at_deadline)
        watchdog.daemon = True
        watchdog.start()
        try:
            assert self.current.stdout is not None
            for line in self.current.stdout:
                lines.append(line)
                self.log.write(line)
            code = self.current.wait()
        except BaseException:
            self.kill_current()
            raise
        finally:
            watchdog.cancel()
            self.current = None
        timed_out = deadline_passed.is_set()
        seconds = time.monotonic() - start
        if timed_out:
            lines.append(f"step {name} stopped after {limit} s\n")
        self.log.write(f"# step {name} {' '.join(args)}: exit {code}{' (timed out)' if timed_out else ''}, "
                       f"{seconds:.1f} s\n")
        self.log.flush()
        return code == 0 and not timed_out, "".join(lines), seconds

    def session_alive(self) -> bool:
        ok, _, _ = self.step("alive")
        return ok

    def ensure_session(self) -> None:
        """Starts the Wine session again when it has gone away."""
        if self.session_alive():
            return
        print("  the Wine session had gone away: starting it again", flush=True)
        self.step("stop")
        ok, _, _ = self.step("start")
        if not ok:
            raise RuntimeError("the Wine session could not be started again")

    def kill_current(self) -> None:
        process = self.current
        if not process:
            return
        for sig, grace in ((signal.SIGTERM, 10), (signal.SIGKILL, 10)):
            try:
                os.killpg(process.pid, sig)
            except ProcessLookupError:
                return
            try:
                process.wait(timeout=grace)
                return
            except subprocess.TimeoutExpired:
                continue


FAILED_LINE = re.compile(r"^\s*\d+\s+-\s+(\S.*?)\s+\(([^()]*)\)\s*$")


def failed_tests(output: str) -> list[tuple[str, str]]:
    """The tests CTest lists under "The following tests FAILED", each with the
    kind of failure ("Failed", "Timeout", "SEGFAULT", ...)."""
    found = []
    marker = output.rfind("The following tests FAILED:")
    if marker < 0:
        return found
    for line in output[marker:].splitlines()[1:]:
        match = FAILED_LINE.match(line)
        if not match:
            if line.strip():
                break
            continue
        found.append((match.group(1), match.group(2)))
    return found


def shown(failures: list[tuple[str, str]]) -> list[str]:
    return [name if kind == "Failed" else f"{name} ({kind})" for name, kind in failures]


def name_filter(names: list[str]) -> str:
    return "^(" + "|".join(re.escape(n) for n in names) + ")$"


def tree_files(tree: Path) -> set[str]:
    """Every source and header that the objects of a built tree were compiled
    from, as ninja recorded them."""
    result = subprocess.run(["ninja", "-C", str(tree), "-t", "deps"], capture_output=True, text=True,
                            errors="replace")
    if result.returncode != 0:
        return set()
    return {line.strip() for line in result.stdout.splitlines() if line.startswith("    ")}


def describe(stage: str, names: list[str], limit: int = 3) -> str:
    if not names:
        return stage
    text = ", ".join(names[:limit])
    if len(names) > limit:
        text += f" (+{len(names) - limit} more)"
    return f"{stage}: {text}"


def run_suite(runner: Runner, fuzz_seconds: int, outcome: Outcome, native: bool = True,
              fuzzed: bool = True) -> Outcome:
    """Runs the suite's steps up to the first that fails; fills `outcome`.
    native/fuzzed False: the changed file is not built into that tree, whose
    programs are then the ones that passed on the unchanged sources, and its
    steps are left out."""

    def step(label: str, name: str, *args: str) -> tuple[bool, str]:
        ok, output, seconds = runner.step(name, *args)
        outcome.steps.append((label, seconds, ok))
        return ok, output

    if native:
        ok, output = step("native build", "native-build")
        if not ok:
            outcome.verdict, outcome.by = "yes", "build: native tests"
            return outcome
        ok, output = step("native tests", "native-test")
        if not ok:
            failures = confirmed(step, "native-test", failed_tests(output))
            if failures is None:
                outcome.verdict, outcome.by = "unclear", "native: failures that did not come back on a second run"
                return outcome
            outcome.native_tests = [name for name, _ in failures]
            outcome.verdict, outcome.by = "yes", describe("native", shown(failures))
            return outcome
    if fuzz_seconds > 0 and fuzzed:
        ok, output = step("fuzz build", "fuzz-build")
        if not ok:
            outcome.verdict, outcome.by = "yes", "build: fuzz targets"
            return outcome
        for target in FUZZ_TARGETS:
            ok, output = step(f"fuzz {target}", "fuzz", target, str(fuzz_seconds))
            if not ok:
                again, _ = step(f"fuzz {target} replay", "fuzz-replay", target)
                if again:
                    outcome.verdict, outcome.by = "unclear", f"fuzz:{target}, whose input passed on a second run"
                    return outcome
                outcome.fuzz_target = target
                outcome.verdict, outcome.by = "yes", f"fuzz:{target}"
                return outcome
    ok, output = step("Windows build", "win-build")
    if not ok:
        outcome.verdict, outcome.by = "yes", "build: Windows tests"
        return outcome
    # A Wine run can fail for reasons of its own (a session that went away, a
    # test that failed once): a failure counts only when the failing tests
    # fail again on their own, and the run is tried twice before giving up.
    for attempt in (1, 2):
        runner.ensure_session()
        ok, output = step("Wine tests" if attempt == 1 else "Wine tests again", "win-test", "--stop-on-failure")
        if ok:
            outcome.verdict = "no"
            return outcome
        if not runner.session_alive():
            runner.log.write("# the Wine session went away during the run: the run does not count\n")
            continue
        failures = confirmed(step, "win-test", failed_tests(output))
        if failures is not None:
            outcome.wine_tests = [name for name, _ in failures]
            outcome.verdict, outcome.by = "yes", describe("wine", shown(failures))
            return outcome
    outcome.verdict, outcome.by = "unclear", "wine: failures that did not come back on a second run"
    return outcome


def confirmed(step, name: str, failures: list[tuple[str, str]]) -> list[tuple[str, str]] | None:
    """The failures that come back when the failing tests run again on their
    own; None when none does (or the run failed without naming a test)."""
    if not failures:
        return None
    ok, output = step("the failing tests again", name, "-R", name_filter([n for n, _ in failures]))
    if ok:
        return None
    again = failed_tests(output)
    return again or None


def recheck(runner: Runner, results: list[tuple[Fault, Outcome]], fuzz_seconds: int) -> list[str]:
    """Runs the tests and fuzz targets that caught faults once more, on the
    unchanged sources: one that fails there too may have caught nothing. Marks
    the faults concerned and returns what failed."""
    native = sorted({t for _, o in results for t in o.native_tests})
    wine = sorted({t for _, o in results for t in o.wine_tests})
    targets = sorted({o.fuzz_target for _, o in results if o.fuzz_target})
    if not (native or wine or targets):
        return []
    failing: set[str] = set()
    ok, _, _ = runner.step("build-all", *(["fuzz"] if targets else []))
    if not ok:
        return ["the unchanged sources did not build for the second look"]
    if native:
        ok, output, _ = runner.step("native-test", "-R", name_filter(native))
        failing |= {f"native:{name}" for name, _ in failed_tests(output)}
        if not ok and not failed_tests(output):
            failing.add("native: the run itself")
    if wine:
        runner.ensure_session()
        ok, output, _ = runner.step("win-test", "-R", name_filter(wine))
        failing |= {f"wine:{name}" for name, _ in failed_tests(output)}
        if not ok and not failed_tests(output):
            failing.add("wine: the run itself")
    for target in targets:
        ok, _, _ = runner.step("fuzz", target, str(fuzz_seconds))
        if not ok:
            failing.add(f"fuzz:{target}")
    for _, outcome in results:
        mine = ({f"native:{t}" for t in outcome.native_tests} | {f"wine:{t}" for t in outcome.wine_tests}
                | ({f"fuzz:{outcome.fuzz_target}"} if outcome.fuzz_target else set()))
        if mine & failing:
            outcome.by += " (but failed without the fault too)"
    return sorted(failing)


def minutes(seconds: float) -> str:
    seconds = int(round(seconds))
    return f"{seconds // 60}m{seconds % 60:02d}s"


def cell(text: str) -> str:
    return text.replace("|", "\\|").replace("\n", " ")


def write_report(path: Path, table: Path, results: list[tuple[Fault, Outcome]], baseline: Outcome | None,
                 fuzz_seconds: int, total: float, rechecked: list[str] | None) -> None:
    lines = ["| id | fault | caught | by |", "|---|---|---|---|"]
    for fault, outcome in results:
        lines.append(f"| {fault.id} | {cell(fault.description)} | {outcome.verdict} | {cell(outcome.by)} |")
    caught = sum(1 for _, o in results if o.verdict == "yes")
    survived = [f.id for f, o in results if o.verdict == "no"]
    broken = [f.id for f, o in results if o.verdict == "broken"]
    try:
        table_name = table.resolve().relative_to(ROOT)
    except ValueError:
        table_name = table
    lines += [
        "",
        f"Faults from `{table_name}`, run with `scripts/faults.py --fuzz-seconds {fuzz_seconds}`: "
        f"{caught} of {len(results)} caught.",
    ]
    if survived:
        lines.append(f"Survived: {', '.join(survived)}.")
    if broken:
        lines.append(f"Broken (the program did not compile): {', '.join(broken)}.")
    unclear = [f.id for f, o in results if o.verdict == "unclear"]
    if unclear:
        lines.append(f"Unclear (tests failed once but not again on their own): {', '.join(unclear)}.")
    lines.append("A failure counts only when the failing tests fail again when run on their own "
                 "(a fuzz target: on the input it kept).")
    if rechecked is not None:
        lines.append("Every test and fuzz target that caught a fault was run again on the unchanged sources: "
                     + (f"these failed there too: {', '.join(rechecked)}." if rechecked else "all passed."))
    lines += ["", "Steps a fault cannot change (its file is not built into that tree) are left out.",
              "", "| id | time | steps |", "|---|---|---|"]
    if baseline:
        lines.append(f"| (unchanged sources) | {minutes(baseline.seconds)} | "
                     + ", ".join(f"{label} {minutes(s)}" for label, s, _ in baseline.steps) + " |")
    for fault, outcome in results:
        lines.append(f"| {fault.id} | {minutes(outcome.seconds)} | "
                     + ", ".join(f"{label} {minutes(s)}" for label, s, _ in outcome.steps) + " |")
    lines += ["", f"Total time: {minutes(total)}."]
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text("\n".join(lines) + "\n", encoding="utf-8")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--table", type=Path, default=ROOT / "scripts" / "faults" / "table.tsv")
    parser.add_argument("--only", help="comma-separated ids: run these faults alone")
    parser.add_argument("--fuzz-seconds", type=int, default=10, help="per fuzz target; 0 skips fuzzing")
    parser.add_argument("--report", type=Path, help="write the Markdown results table here")
    parser.add_argument("--log", type=Path, help="the raw output of every step (default: next to the "
                                                 "report, or build-faults/faults.log)")
    parser.add_argument("--build-dir", type=Path, default=ROOT / "build-faults")
    parser.add_argument("--no-baseline", action="store_true",
                        help="skip the run on the unchanged sources (its passing is then not checked)")
    parser.add_argument("--compile-only", action="store_true",
                        help="only check that every fault applies and the program still compiles")
    args = parser.parse_args()
    if args.fuzz_seconds < 0:
        parser.error("--fuzz-seconds must be 0 or more")

    try:
        faults = read_table(args.table)
    except (TableError, OSError, UnicodeDecodeError) as error:
        print(f"faults: {error}", file=sys.stderr)
        return 2
    if args.only:
        wanted = [i.strip() for i in args.only.split(",") if i.strip()]
        unknown = [i for i in wanted if i not in {f.id for f in faults}]
        if unknown:
            print(f"faults: no such fault: {', '.join(unknown)}", file=sys.stderr)
            return 2
        faults = [f for f in faults if f.id in wanted]

    build_dir = args.build_dir.resolve()
    journal = Journal(build_dir / "fault-in-place.json")
    journal.recover()
    problems = [p for p in (check_fault(f) for f in faults) if p]
    if problems:
        print("faults: the table does not fit the sources:\n  " + "\n  ".join(problems), file=sys.stderr)
        return 2

    log_path = args.log or (args.report.with_suffix(".log") if args.report else build_dir / "faults.log")
    log_path.parent.mkdir(parents=True, exist_ok=True)
    build_dir.mkdir(parents=True, exist_ok=True)

    def on_term(signum, frame):
        raise Interrupted(f"signal {signum}")

    # Ctrl+C must reach the script even when it was started with SIGINT
    # ignored (as a background job of a script, say).
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, on_term)
    signal.signal(signal.SIGHUP, on_term)

    fuzz = "fuzz" if args.fuzz_seconds > 0 else ""
    started = time.monotonic()
    results: list[tuple[Fault, Outcome]] = []
    baseline: Outcome | None = None
    session = False
    rechecked: list[str] | None = None
    with open(log_path, "w", encoding="utf-8") as log:
        runner = Runner(build_dir, log)
        log.write(f"# faults.py: {len(faults)} faults from {args.table}, builds in {build_dir}, "
                  f"fuzz {args.fuzz_seconds} s per target\n")
        try:
            print(f"full build in {build_dir} ...", flush=True)
            ok, _, seconds = runner.step("build-all", *([fuzz] if fuzz else []))
            if not ok:
                print(f"the unchanged sources do not build ({minutes(seconds)}); see {log_path}", flush=True)
                return 1
            print(f"  built ({minutes(seconds)})", flush=True)
            native_files = tree_files(build_dir / "native")
            fuzz_files = tree_files(build_dir / "fuzz") if fuzz else set()

            if not args.compile_only:
                ok, _, _ = runner.step("start")
                session = True
                if not ok:
                    print(f"the Wine session did not start; see {log_path}", flush=True)
                    return 1
                if not args.no_baseline:
                    print("suite on the unchanged sources ...", flush=True)
                    baseline = run_suite(runner, args.fuzz_seconds, Outcome("?"))
                    baseline.seconds = sum(s for _, s, _ in baseline.steps)
                    if baseline.verdict != "no":
                        print(f"  FAILED without any fault ({baseline.by}); see {log_path}", flush=True)
                        return 1
                    print(f"  passed ({minutes(baseline.seconds)})", flush=True)

            for number, fault in enumerate(faults, start=1):
                print(f"[{number}/{len(faults)}] {fault.id}: {fault.description}", flush=True)
                log.write(f"\n######## fault {fault.id} ({fault.file}, table line {fault.line})\n")
                fault_start = time.monotonic()
                outcome = Outcome("?")
                with PlantedFault(fault, journal):
                    ok, output, seconds = runner.step("product", *([fuzz] if fuzz else []))
                    outcome.steps.append(("program build", seconds, ok))
                    if not ok:
                        outcome.verdict, outcome.by = "broken", "the program does not compile"
                    elif args.compile_only:
                        outcome.verdict, outcome.by = "compiles", "-"
                    else:
                        changed = str((ROOT / fault.file).resolve())
                        run_suite(runner, args.fuzz_seconds, outcome, native=changed in native_files,
                                  fuzzed=changed in fuzz_files)
                outcome.seconds = time.monotonic() - fault_start
                results.append((fault, outcome))
                label = {"yes": "caught", "no": "SURVIVED", "broken": "BROKEN", "unclear": "UNCLEAR"}.get(
                    outcome.verdict, outcome.verdict)
                by = f" by {outcome.by}" if outcome.verdict == "yes" else ""
                print(f"  {label}{by} ({minutes(outcome.seconds)})", flush=True)
                log.write(f"######## {fault.id}: {label}{by} ({outcome.seconds:.1f} s)\n")
                log.flush()

            if not args.compile_only:
                print("second look at the catching tests on the unchanged sources ...", flush=True)
                log.write("\n######## second look on the unchanged sources\n")
                rechecked = recheck(runner, results, args.fuzz_seconds)
                print("  " + (f"failed there too: {', '.join(rechecked)}" if rechecked else "all passed"),
                      flush=True)
        except (KeyboardInterrupt, Interrupted) as stop:
            print(f"\ninterrupted ({str(stop) or 'Ctrl+C'}); the sources are as they were", flush=True)
            return 130
        finally:
            if session:
                runner.step("stop")
            total = time.monotonic() - started
            log.write(f"\n# total {total:.1f} s\n")
            if args.report and results and not args.compile_only:
                write_report(args.report, args.table, results, baseline, args.fuzz_seconds, total, rechecked)

    total = time.monotonic() - started
    broken = [f.id for f, o in results if o.verdict == "broken"]
    survived = [f.id for f, o in results if o.verdict == "no"]
    caught = sum(1 for _, o in results if o.verdict == "yes")
    if args.compile_only:
        print(f"{len(results) - len(broken)} of {len(results)} faults compile", flush=True)
    else:
        print(f"{caught} of {len(results)} caught in {minutes(total)}", flush=True)
        if survived:
            print(f"survived: {', '.join(survived)}", flush=True)
        unclear = [f.id for f, o in results if o.verdict == "unclear"]
        if unclear:
            print(f"unclear (failures that did not come back): {', '.join(unclear)}", flush=True)
    if broken:
        print(f"broken (fix these entries): {', '.join(broken)}", flush=True)
    if args.report and not args.compile_only:
        print(f"report: {args.report}", flush=True)
    print(f"log: {log_path}", flush=True)
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main())
