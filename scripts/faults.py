#!/usr/bin/env python3
"""Plants known faults in the program, one at a time, and checks that the
test suite catches each of them.

The faults are planted in a copy of the sources (build-faults/sources by
default, brought level with the checkout's working tree at every start), never
in the checkout itself; the build trees beside the copy are made once and then
built incrementally. For every fault of the table (scripts/lib/fault_table.py
describes it) the script
  1. replaces, in one file of the copy, an exact text (which must occur exactly
     once) with another,
  2. runs the suite's stages, the same that scripts/test.sh runs
     (scripts/lib/suite.sh plan), up to the first that fails: a test build, a
     run of tests (a Wine run stops at its first failing test), a fuzz target;
     before the first stage of each tree it builds the programs alone there
     (the core and tpath's library natively and with clang, twinpath.exe and
     tpath.exe with MinGW), and a planted script must still parse: when that
     fails the fault is "broken" (the table must be fixed),
  3. puts the copy's file back.
A tree that no stage before the catching one needs is not built at all;
--compile-only builds the programs in every tree and runs nothing.
A failing test, fuzz target or test build counts as "caught", but only when
it comes back: the failing tests are run again on their own (a fuzz target
on the input it kept), with the fault still in place. Failures that do not
come back make the fault "unclear" (a Wine run is tried twice first; one
whose session went away does not count). Stages that the fault cannot change
are left out: when ninja's records show that the changed file is not built
into the native or the fuzz tree, those programs are the very ones that
passed on the unchanged sources. A file built into no tree (a script, a
document) reaches the Windows tree's tests, among them the release archive's.

Before the faults, the whole suite runs once on the unchanged sources and
must pass; after them, every test and fuzz target that caught a fault runs
once more on the unchanged sources, and a catch by one that fails there too
is marked in the report.

The display, the Wine prefix, the wineserver and the keeper process are
started once for the whole run (scripts/lib/suite.sh start) and stopped at
the end.

Usage:
    scripts/faults.py [--table FILE] [--only ID[,ID...]] [--fuzz-seconds N]
                      [--report FILE] [--log FILE] [--build-dir DIR]
                      [--no-baseline] [--compile-only]
"""

from __future__ import annotations

import argparse
import shutil
import signal
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
# Its own modules, read without leaving compiled copies in the checkout.
sys.dont_write_bytecode = True
sys.path.insert(0, str(ROOT / "scripts" / "lib"))

from fault_suite import Outcome, Runner, name_filter, failed_tests, run_suite, tree_files  # noqa: E402
from fault_table import Fault, TableError, check_fault, parse_error, read_table  # noqa: E402
from scratch_copy import Planted, sync  # noqa: E402


class Interrupted(Exception):
    pass


def recheck(runner: Runner, results: list[tuple[Fault, Outcome]], fuzz_seconds: int) -> list[str]:
    """Runs the tests and fuzz targets that caught faults once more, on the
    unchanged sources: one that fails there too may have caught nothing. Marks
    the faults concerned and returns what failed."""
    tests: dict[str, set[str]] = {}
    for _, outcome in results:
        for step, names in outcome.tests.items():
            tests.setdefault(step, set()).update(names)
    targets = sorted({o.fuzz_target for _, o in results if o.fuzz_target})
    if not (tests or targets):
        return []
    failing: set[str] = set()
    if not runner.step("build-all", *(["fuzz"] if targets else []))[0]:
        return ["the unchanged sources did not build for the second look"]
    for step, names in sorted(tests.items()):
        if step == "win-test":
            runner.ensure_session()
        ok, output, _ = runner.step(step, "-R", name_filter(sorted(names)))
        failing |= {f"{step}:{name}" for name, _ in failed_tests(output)}
        if not ok and not failed_tests(output):
            failing.add(f"{step}: the run itself")
    for target in targets:
        if not runner.step("fuzz", target, str(fuzz_seconds))[0]:
            failing.add(f"fuzz:{target}")
    for _, outcome in results:
        mine = {f"{step}:{name}" for step, names in outcome.tests.items() for name in names}
        mine |= {f"fuzz:{outcome.fuzz_target}"} if outcome.fuzz_target else set()
        if mine & failing:
            outcome.by += " (but failed without the fault too)"
    return sorted(failing)


def fresh_trees(build_dir: Path, sources: Path) -> None:
    """Removes build trees made from other sources (the checkout, by an older
    version of this script): CMake refuses to reuse them."""
    for name in ("native", "win", "fuzz"):
        cache = build_dir / name / "CMakeCache.txt"
        if cache.is_file() and f"CMAKE_HOME_DIRECTORY:INTERNAL={sources}\n" not in cache.read_text(errors="replace"):
            shutil.rmtree(build_dir / name)


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
    parser.add_argument("--build-dir", type=Path, default=ROOT / "build-faults",
                        help="the copy of the sources and its build trees")
    parser.add_argument("--no-baseline", action="store_true",
                        help="skip the run on the unchanged sources (its passing is then not checked)")
    parser.add_argument("--compile-only", action="store_true",
                        help="only check that every fault applies and the programs still compile")
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
    problems = [p for p in (check_fault(f, ROOT) for f in faults) if p]
    if problems:
        print("faults: the table does not fit the sources:\n  " + "\n  ".join(problems), file=sys.stderr)
        return 2

    build_dir = args.build_dir.resolve()
    sources = build_dir / "sources"
    log_path = args.log or (args.report.with_suffix(".log") if args.report else build_dir / "faults.log")
    log_path.parent.mkdir(parents=True, exist_ok=True)
    print(f"copy of the sources in {sources}: {sync(ROOT, sources)} files written or removed", flush=True)
    fresh_trees(build_dir, sources)

    def on_term(signum, frame):
        raise Interrupted(f"signal {signum}")

    # Ctrl+C must reach the script even when it was started with SIGINT
    # ignored (as a background job of a script, say).
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, on_term)
    signal.signal(signal.SIGHUP, on_term)

    fuzz = ["fuzz"] if args.fuzz_seconds > 0 else []
    started = time.monotonic()
    results: list[tuple[Fault, Outcome]] = []
    baseline: Outcome | None = None
    session = False
    rechecked: list[str] | None = None
    with open(log_path, "w", encoding="utf-8") as log:
        runner = Runner(sources, build_dir, log)
        log.write(f"# faults.py: {len(faults)} faults from {args.table}, planted in {sources}, "
                  f"fuzz {args.fuzz_seconds} s per target\n")
        try:
            print(f"full build in {build_dir} ...", flush=True)
            ok, _, seconds = runner.step("build-all", *fuzz)
            if not ok:
                print(f"the unchanged sources do not build ({minutes(seconds)}); see {log_path}", flush=True)
                return 1
            print(f"  built ({minutes(seconds)})", flush=True)
            plan = runner.plan(args.fuzz_seconds)
            tree_sources = {tree: tree_files(build_dir / tree) for tree in ("native", "fuzz")}

            if not args.compile_only:
                session = True
                if not runner.step("start")[0]:
                    print(f"the Wine session did not start; see {log_path}", flush=True)
                    return 1
                if not args.no_baseline:
                    print("suite on the unchanged sources ...", flush=True)
                    baseline = run_suite(runner, plan, Outcome("?"), planted=False)
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
                original = (ROOT / fault.file).read_bytes().decode("utf-8")
                with Planted(ROOT, sources, fault.file, fault.planted(original)):
                    unparsed = parse_error(fault, sources / fault.file)
                    if unparsed:
                        outcome.verdict, outcome.by = "broken", unparsed
                    elif args.compile_only:
                        ok, _, seconds = runner.step("product", "native", "win", *fuzz)
                        outcome.steps.append(("programs", seconds, ok))
                        outcome.verdict = "compiles" if ok else "broken"
                        outcome.by = "-" if ok else "the programs do not compile"
                    else:
                        changed = str((sources / fault.file).resolve())
                        skipped = {tree for tree, files in tree_sources.items() if changed not in files}
                        run_suite(runner, plan, outcome, skipped)
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
            print(f"\ninterrupted ({str(stop) or 'Ctrl+C'}); the checkout was not touched", flush=True)
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
