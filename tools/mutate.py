#!/usr/bin/env python3
"""Mutation check: does the test suite notice when a rule of the design breaks?

Applies each source change of MUTATIONS in turn, rebuilds the test programs that
guard it, runs those tests and reports the change as caught (a test failed) or
survived (every test passed). The source is restored after each change, also on
Ctrl-C, SIGTERM or an error. Run by hand from a configured build tree, not in CI:

    python3 tools/mutate.py                 # every change
    python3 tools/mutate.py --list          # names only
    python3 tools/mutate.py lockout-sum ... # the named changes only

A change is found by its text wherever it lives in the source tree, so files may
move. Its text must occur exactly once in the tree; otherwise it is reported as
"not found" or "ambiguous" and counts as a failure of this check.
"""

import argparse
import fcntl
import json
import os
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOURCE_SUFFIXES = {".cpp", ".h"}
SKIP_DIRS = {".git", "build"}


@dataclass
class Mutation:
    name: str
    original: str
    mutated: str
    tests: str  # ctest -R regular expression
    gtest_filter: str = ""  # narrows a test program that ctest runs as one test


MUTATIONS = [
    # The design's tables.
    Mutation("prototype31-types", "{23, 80, {2, 1, 2, 2, 1, 2}}", "{23, 80, {2, 1, 2, 1, 2, 2}}",
             r"^ZOTTrial\.|^ZOTBlock\."),
    Mutation("prototype30-condition", "{22, 80, {2, 1, 2, 1, 2, 2}}", "{23, 80, {2, 1, 2, 1, 2, 2}}",
             r"^ZOTTrial\.|^ZOTBlock\."),
    Mutation("combi-entry29", "21, 22, 23, 24, 25, 26}", "21, 22, 23, 24, 25, 27}", r"^ZOTBlock\."),
    Mutation("plan1-order", "plan({15, 16, 17, 33, 34, 35})", "plan({15, 16, 17, 33, 35, 34})", r"^ZOTBlock\."),
    Mutation("whole-cycle", "return slot % 6;", "return slot % 5;", r"^ZOTBlock\."),
    # The draws.
    Mutation("random-prototype-mod35", "return nextRandom() % PROTOTYPE_COUNT;", "return nextRandom() % 35;",
             r"^ZOTBlock\."),
    Mutation("depth-draw-skipped",
             "depthIndex = nextRandom() % static_cast<int>(config.depths.size() + 1);",
             "depthIndex = config.depths.empty() ? 0 : nextRandom() % static_cast<int>(config.depths.size() + 1);",
             r"^ZOTTrial\."),
    # Timeline and space bar.
    Mutation("fixation-truncated", "const std::int64_t fixationFrames = std::lroundf(config_->refreshRate);",
             "const std::int64_t fixationFrames = static_cast<std::int64_t>(config_->refreshRate);", r"^Timeline\."),
    Mutation("masks-truncated", "const std::int64_t maskFrames = std::lroundf(config_->refreshRate * 0.5f);",
             "const std::int64_t maskFrames = static_cast<std::int64_t>(config_->refreshRate * 0.5f);", r"^Timeline\."),
    Mutation("lockout-sum", "if (elapsedMs(lastTrialStart_, clock_->milliseconds()) < SPACE_LOCK_MS)",
             "if (clock_->milliseconds() < lastTrialStart_ + SPACE_LOCK_MS)", r"^SpaceBar\."),
    # Scores and result files.
    Mutation("correct-rate-100cr",
             "return static_cast<float>(correctCount_) / static_cast<float>(reportedCount_) * 100.0f;",
             "return 100.0f * static_cast<float>(correctCount_) / static_cast<float>(reportedCount_);",
             r"^Feedback\."),
    Mutation("count-line-32bit", "std::int64_t{config_->trialsPerBlock} * config_->blocksPerRun",
             "config_->trialsPerBlock * config_->blocksPerRun", r"^PartialMode\.|^ResultFiles\."),
    # Session start.
    Mutation("prompt-after-read",
             "        output << *prompt << std::endl;\n"
             "        // Read into a fresh word so that a failed read leaves the \"0\" in place.\n"
             "        std::string word;\n"
             "        if (input >> word)\n"
             "            *answer = word;\n",
             "        // Read into a fresh word so that a failed read leaves the \"0\" in place.\n"
             "        std::string word;\n"
             "        if (input >> word)\n"
             "            *answer = word;\n"
             "        output << *prompt << std::endl;\n",
             r"^Dialogue\."),
    # The TVA model, its fit and zotfit.
    Mutation("fit-sides-swapped", "weight[p] = (leftPlaces & place) ? params.wLeft : 1.0 - params.wLeft;",
             "weight[p] = (leftPlaces & place) ? 1.0 - params.wLeft : params.wLeft;", r"^TvaModel\."),
    Mutation("fit-alpha-ignored", "            weight[p] *= params.alpha;\n", "", r"^TvaModel\."),
    Mutation("fit-capacity-sign", "(count(m) % 2 ? inside : -inside)", "(count(m) % 2 ? -inside : inside)",
             r"^TvaModel\."),
    Mutation("fit-k-above-size", "terms.unlimited[m] * atLeast[size + 1]", "terms.unlimited[m] * atLeast[size]",
             r"^TvaModel\."),
    Mutation("fit-t0-unbounded", "problem.t0Max = std::max(bound - 0.01, 0.01);", "problem.t0Max = bound + 30.0;",
             r"^TvaFit\."),
    Mutation("fit-groups-ignore-distractors",
             "++grouped[{trial.display.targets, trial.display.distractors, trial.exposureMs}][trial.reported];",
             "++grouped[{trial.display.targets, 0u, trial.exposureMs}][trial.reported];", r"^TvaFit\."),
    Mutation("score-repeat-counts", "if (place == std::string::npos || (scored.reported & (1u << place)))",
             "if (place == std::string::npos)", r"^ScoredTrial\."),
    Mutation("dat-cr-kept", "        if (!content.empty() && content.back() == '\\r')\n            content.remove_suffix(1);\n",
             "", r"^DatFile\."),
    Mutation("dat-session-number", "session.number = static_cast<int>(sessions.size()) + 1;",
             "session.number = static_cast<int>(sessions.size());", r"^DatFile\.|^FitCommand\."),
    Mutation("timing-two-extra", "match.trials.size() != records + 1", "match.trials.size() > records + 2",
             r"^TimingData\."),
    Mutation("achieved-not-used", "achieved.trials[i].exposureMs = timing.trials[i].stimulusMs;",
             "achieved.trials[i].exposureMs = session.trials[i].exposureMs;", r"^TimingData\."),
    Mutation("json-alpha-always", "jsonNumber(p.alpha, fit.alphaFitted)", "jsonNumber(p.alpha)", r"^FitCommand\."),
    Mutation("report-se-of-n", "(squares - sum * sum / n) / (n - 1)", "(squares - sum * sum / n) / n",
             r"^FitReport\."),
    Mutation("report-flag-unmarked", "        if (failed)\n            chart.dot(", "        if (false)\n            chart.dot(",
             r"^FitReport\."),
    # Presentation.
    Mutation("tint-reset-eye0-only",
             "    glUniform3f(colorLocation_, 1, 1, 1);\n    glBindSampler(0, 0);",
             "    if (eye == 0)\n        glUniform3f(colorLocation_, 1, 1, 1);\n    glBindSampler(0, 0);",
             r"^headset_renderer$", "Scenes/HeadsetSceneTest.*"),
    Mutation("distractor-without-debug", "if (trial->positionType[i] == DISTRACTOR && config->consoleDebugInfo)",
             "if (trial->positionType[i] == DISTRACTOR)", r"^monitor_renderer_1920x1080$", "MonitorTest.Letters*"),
    Mutation("refresh-zero-kept", "if (config->refreshRate <= 0.0f) {", "if (config->refreshRate < 0.0f) {",
             r"^monitor_renderer_1920x1080$", "MonitorTest.RefreshRate*"),
    Mutation("refresh-fallback-60",
             "reports no refresh rate; using 90 Hz\" << std::endl;\n                    config->refreshRate = 90.0f;",
             "reports no refresh rate; using 90 Hz\" << std::endl;\n                    config->refreshRate = 60.0f;",
             r"^monitor_renderer_1920x1080$", "MonitorTest.RefreshRate*"),
    Mutation("keys-on-repeat", "if (!self || action != GLFW_PRESS)", "if (!self || action == GLFW_RELEASE)",
             r"^monitor_renderer_1920x1080$", "MonitorTest.Keys*"),
    Mutation("f3-sets-only", "self->config_->showFPS = !self->config_->showFPS;", "self->config_->showFPS = true;",
             r"^monitor_renderer_1920x1080$", "MonitorTest.Keys*"),
    Mutation("fps-sample-at-1000", "if (now - lastSampleTicks_ > 1000) {", "if (now - lastSampleTicks_ >= 1000) {",
             r"^monitor_renderer_1920x1080$", "MonitorTest.FrameRate*"),
    Mutation("fps-counts-sample-frame", "        frameCounter_ = 0;\n        lastSampleTicks_",
             "        frameCounter_ = 1;\n        lastSampleTicks_", r"^monitor_renderer_1920x1080$",
             "MonitorTest.FrameRate*"),
    Mutation("monitor-top-page-size", "(W - 684) / 2, (H - 491) / 2, 684, 491,", "(W - 684) / 2, (H - 404) / 2, 684, 404,",
             r"^monitor_renderer_1920x1080$", "MonitorTest.Instruction*"),
    Mutation("headset-bottom-page-depth", "(-342, -202, 12 * zDepth, 684, 404,", "(-342, -202, 8 * zDepth, 684, 404,",
             r"^headset_renderer$", "HeadsetTest.Instruction*"),
]


def source_files():
    for directory, subdirs, files in os.walk(ROOT):
        subdirs[:] = [d for d in subdirs if d not in SKIP_DIRS and not d.startswith("build")]
        for name in files:
            path = Path(directory) / name
            if path.suffix in SOURCE_SUFFIXES:
                yield path


def locate(text):
    """The one file holding text exactly once, or an error message."""
    hits = []
    for path in source_files():
        count = path.read_text(errors="replace").count(text)
        if count:
            hits.append((path, count))
    if not hits:
        return None, "not found"
    if len(hits) > 1 or hits[0][1] > 1:
        return None, "ambiguous: " + ", ".join(f"{p.relative_to(ROOT)} ({n}x)" for p, n in hits)
    return hits[0][0], None


class Restorer:
    """Keeps the original text of every file it changes and puts it back."""

    def __init__(self):
        self.saved = {}

    def apply(self, path, original, mutated):
        text = path.read_text()
        self.saved.setdefault(path, text)
        path.write_text(text.replace(original, mutated, 1))

    def restore(self):
        for path, text in self.saved.items():
            # New content with a new time stamp, so that the next build compiles
            # the original again.
            path.write_text(text)
        self.saved.clear()


def on_signal(signum, _frame):
    raise KeyboardInterrupt(f"signal {signum}")


def ctest_command(build, regex):
    command = ["ctest", "--test-dir", str(build), "-R", regex, "-j2", "--timeout", "600", "--output-on-failure"]
    if not os.environ.get("DISPLAY") and shutil.which("xvfb-run"):
        command = ["xvfb-run", "-a", "-s", "-screen 0 1920x1080x24"] + command
    return command


def targets_of(build, regex):
    """The build targets whose programs the matching tests run (by file name)."""
    listing = subprocess.run(["ctest", "--test-dir", str(build), "-R", regex, "--show-only=json-v1"],
                             check=True, capture_output=True, text=True)
    targets = set()
    for test in json.loads(listing.stdout).get("tests", []):
        for argument in test.get("command", []):
            path = Path(argument)
            if path.is_absolute() and path.is_file() and os.access(path, os.X_OK) and build in path.parents:
                targets.add(path.name)
    return sorted(targets)


def run(command, log, env=None):
    """Runs command, appending its output to log; returns (exit code, output)."""
    done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, env=env, text=True,
                          errors="replace")
    with open(log, "a") as out:
        out.write("\n$ " + " ".join(command) + "\n" + done.stdout)
    return done.returncode, done.stdout


def run_tests(build, regex, log, env=None, attempts=3):
    """('pass' | 'fail' | 'error', the failed checks). 'fail': a check failed;
    'error': no check failed, yet the tests did (a display that could not be
    opened, a crash before any check). Only an error, which tells nothing either
    way, is tried again."""
    for _ in range(attempts):
        code, output = run(ctest_command(build, regex), log, env)
        if code == 0:
            return "pass", []
        failed = sorted({line[len("[  FAILED  ] "):].split(" (")[0].split(", where")[0]
                         for line in output.splitlines() if line.startswith("[  FAILED  ] ") and "." in line})
        if failed:
            return "fail", failed
    return "error", []


def check(mutation, build, log, restorer):
    """'caught', 'survived' or a reason the change could not be tried."""
    path, problem = locate(mutation.original)
    if problem:
        return problem, None, []
    targets = targets_of(build, mutation.tests)
    if not targets:
        return "no tests match " + mutation.tests, path, []
    restorer.apply(path, mutation.original, mutation.mutated)
    try:
        if run(["cmake", "--build", str(build), "-j2", "--target"] + targets, log)[0] != 0:
            return "build failed", path, []
        env = dict(os.environ)
        if mutation.gtest_filter:
            env["GTEST_FILTER"] = mutation.gtest_filter
        verdict, failed = run_tests(build, mutation.tests, log, env)
        return {"pass": "survived", "fail": "caught", "error": "test error"}[verdict], path, failed
    finally:
        restorer.restore()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("names", nargs="*", help="only these changes")
    parser.add_argument("--build", default=str(ROOT / "build"), help="configured build tree (default: build)")
    parser.add_argument("--list", action="store_true", help="list the changes and exit")
    parser.add_argument("--log", default=None, help="build and test output (default: BUILD/mutate.log)")
    args = parser.parse_args()

    chosen = [m for m in MUTATIONS if not args.names or m.name in args.names]
    unknown = set(args.names) - {m.name for m in MUTATIONS}
    if unknown:
        sys.exit("unknown change: " + ", ".join(sorted(unknown)))
    if args.list:
        for m in MUTATIONS:
            print(f"{m.name:28} {m.tests} {m.gtest_filter}")
        return 0

    build = Path(args.build).resolve()
    if not (build / "CMakeCache.txt").is_file():
        sys.exit(f"{build} is not a configured build tree; run scripts/build.sh first")
    # Two runs at once would change the same source and build the same tree.
    lock = open(build / "mutate.lock", "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        sys.exit("another mutation check is running on " + str(build))
    log = Path(args.log) if args.log else build / "mutate.log"
    log.write_text("")
    for signum in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(signum, on_signal)

    restorer = Restorer()
    results = []
    started = time.monotonic()
    try:
        # Every guarding test must pass unchanged, or a failure would prove nothing.
        regexes = sorted({m.tests for m in chosen})
        targets = sorted({t for r in regexes for t in targets_of(build, r)})
        print("baseline: building " + " ".join(targets), flush=True)
        if run(["cmake", "--build", str(build), "-j2", "--target"] + targets, log)[0] != 0:
            sys.exit(f"baseline build failed; see {log}")
        for regex in regexes:
            if run_tests(build, regex, log)[0] != "pass":
                sys.exit(f"baseline tests {regex} fail without any change; see {log}")
        for m in chosen:
            t0 = time.monotonic()
            verdict, path, failed = check(m, build, log, restorer)
            seconds = time.monotonic() - t0
            where = path.relative_to(ROOT) if path else "-"
            results.append((m.name, verdict, seconds, where))
            print(f"{m.name:28} {verdict:10} {seconds:6.0f} s  {where}", flush=True)
            for name in failed:
                print(f"{'':28} failed: {name}", flush=True)
    except KeyboardInterrupt as stop:
        print(f"interrupted ({stop}); source restored", file=sys.stderr)
        return 130
    finally:
        restorer.restore()

    # Leave the programs built from the original source.
    run(["cmake", "--build", str(build), "-j2", "--target"] + targets, log)
    total = time.monotonic() - started
    caught = sum(1 for r in results if r[1] == "caught")
    print(f"\n{caught} of {len(results)} changes caught in {total:.0f} s (log: {log})")
    return 0 if caught == len(results) else 1


if __name__ == "__main__":
    sys.exit(main())
