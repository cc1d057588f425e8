"""The suite's stages as scripts/faults.py runs them: the plan of
scripts/lib/suite.sh (the one scripts/test.sh runs), each step in a process
group of its own with its output in the log, up to the first stage that fails,
and a failure counted only when it comes back."""

from __future__ import annotations

import os
import re
import signal
import subprocess
import threading
import time
from dataclasses import dataclass, field
from pathlib import Path

# Upper bounds for one step, far above what a healthy step takes; CTest's own
# per-test timeouts catch a hanging test long before these.
STEP_LIMIT_S = {"build-all": 7200, "start": 600, "win-test": 7200, "stop": 120, "alive": 60}


@dataclass
class Stage:
    label: str
    kind: str  # "build", "tests", "fuzz" or "show"
    tree: str  # "native", "fuzz", "win" or "wine" (the win tree, in the Wine session)
    step: list[str]


@dataclass
class Outcome:
    verdict: str  # "yes", "no", "broken", "unclear" or "compiles"
    by: str = "-"
    seconds: float = 0.0
    steps: list[tuple[str, float, bool]] = field(default_factory=list)
    # What caught the fault, by tree: the failing tests, or the fuzz target;
    # checked again on the unchanged sources at the end.
    tests: dict[str, list[str]] = field(default_factory=dict)
    fuzz_target: str = ""


class Runner:
    """Runs the steps of the copy's scripts/lib/suite.sh."""

    def __init__(self, sources: Path, build_dir: Path, log):
        self.sources = sources
        self.suite = sources / "scripts" / "lib" / "suite.sh"
        self.env = dict(os.environ, TWINPATH_BUILD=str(build_dir))
        self.log = log
        self.current: subprocess.Popen | None = None

    def plan(self, fuzz_seconds: int) -> list[Stage]:
        ok, output, _ = self.step("plan", str(fuzz_seconds))
        if not ok:
            raise RuntimeError("the suite's plan could not be read")
        stages = []
        for line in output.splitlines():
            label, kind, tree, step = line.split("\t")
            stages.append(Stage(label, kind, tree, step.split()))
        return stages

    def step(self, name: str, *args: str) -> tuple[bool, str, float]:
        limit = int(args[1]) + 300 if name == "fuzz" else STEP_LIMIT_S.get(name, 3600)
        command = ["bash", str(self.suite), name, *args]
        self.log.write(f"\n$ {' '.join(command)}\n")
        self.log.flush()
        start = time.monotonic()
        lines: list[str] = []
        self.current = subprocess.Popen(command, cwd=self.sources, env=self.env, stdin=subprocess.DEVNULL,
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
                if name != "plan":
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
        return self.step("alive")[0]

    def ensure_session(self) -> None:
        """Starts the Wine session again when it has gone away."""
        if self.session_alive():
            return
        print("  the Wine session had gone away: starting it again", flush=True)
        self.step("stop")
        if not self.step("start")[0]:
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


def run_suite(runner: Runner, plan: list[Stage], outcome: Outcome, skipped_trees: set[str] = frozenset(),
              planted: bool = True) -> Outcome:
    """Runs the plan's stages up to the first that fails and fills `outcome`.
    Stages of `skipped_trees` are left out: the changed file is not built into
    them, so their programs are the ones that passed on the unchanged sources.
    With a fault `planted`, each tree's programs are built alone before its
    first stage (a fault that does not compile is "broken", not caught), a
    tree only when a stage needs it, and a run of Wine tests ends at its first
    failing test."""

    def step(label: str, name: str, *args: str) -> tuple[bool, str]:
        ok, output, seconds = runner.step(name, *args)
        outcome.steps.append((label, seconds, ok))
        return ok, output

    built: set[str] = set()
    for stage in plan:
        if stage.kind == "show" or stage.tree in skipped_trees:
            continue
        tree = "win" if stage.tree == "wine" else stage.tree
        if planted and tree not in built:
            built.add(tree)
            if not step(f"programs ({tree})", "product", tree)[0]:
                outcome.verdict, outcome.by = "broken", f"the programs do not compile ({tree})"
                return outcome
        if stage.kind == "build":
            if not step(stage.label, *stage.step)[0]:
                outcome.verdict, outcome.by = "yes", f"build: {stage.label}"
                return outcome
        elif stage.kind == "fuzz":
            if not step(stage.label, *stage.step)[0]:
                target = stage.step[1]
                if step(f"{stage.label} replay", "fuzz-replay", target)[0]:
                    outcome.verdict, outcome.by = "unclear", f"fuzz:{target}, whose input passed on a second run"
                    return outcome
                outcome.fuzz_target = target
                outcome.verdict, outcome.by = "yes", f"fuzz:{target}"
                return outcome
        elif not run_tests(runner, stage, step, outcome, planted):
            return outcome
    outcome.verdict = "no"
    return outcome


def run_tests(runner: Runner, stage: Stage, step, outcome: Outcome, stop_early: bool) -> bool:
    """One stage of CTest; False when it settled the verdict. A Wine run can
    fail for reasons of its own (a session that went away, a test that failed
    once): a failure counts only when the failing tests fail again on their
    own, and a Wine run is tried twice before giving up."""
    wine = stage.tree == "wine"
    for attempt in (1, 2) if wine else (1,):
        if wine:
            runner.ensure_session()
        extra = ["--stop-on-failure"] if stop_early and wine else []
        ok, output = step(stage.label if attempt == 1 else f"{stage.label} again", *stage.step, *extra)
        if ok:
            return True
        if wine and not runner.session_alive():
            runner.log.write("# the Wine session went away during the run: the run does not count\n")
            continue
        failures = confirmed(step, stage.step[0], failed_tests(output))
        if failures is not None:
            outcome.tests[stage.step[0]] = [name for name, _ in failures]
            outcome.verdict, outcome.by = "yes", describe(stage.label, shown(failures))
            return False
    outcome.verdict, outcome.by = "unclear", f"{stage.label}: failures that did not come back on a second run"
    return False


def confirmed(step, name: str, failures: list[tuple[str, str]]) -> list[tuple[str, str]] | None:
    """The failures that come back when the failing tests run again on their
    own; None when none does (or the run failed without naming a test)."""
    if not failures:
        return None
    ok, output = step("the failing tests again", name, "-R", name_filter([n for n, _ in failures]))
    if ok:
        return None
    return failed_tests(output) or None
