#!/usr/bin/env python3
"""Mutation testing of the support library (make mutation; README: Mutation testing).

Copies the git-tracked files into a scratch directory (the working tree is
never changed), builds the test programs there once (warnings as errors,
unoptimised, Ninja and lld: a rebuild takes seconds) and checks that the
suite passes. Then, for each of a seeded random sample of mutants of
support/**/*.cpp and the internal headers (not the glyph tables; code only):
an operator < <= > >= == != && || + - * / flipped (written with a space on
each side, so never a template bracket, pointer or sign), return 0 / 1 or
true / false swapped, a numeric constant changed (n + 1, else twice it, 0
to 1), or a gl...(...); call on a line of its own deleted, it changes the
file, rebuilds and runs ctest --stop-on-failure, quick tests first: killed,
hung (past three times the usual suite time, a kill too), survived or
stillborn (no build). The file is always put back; Ctrl-C or SIGTERM ends
the run with the score so far. The installation and packaging tests are
left out: they reinstall the library each time and check how it installs
and links, calling only what the other tests check in detail.

Usage: scripts/mutate.py [-n MUTANTS] [--seed SEED] [-j JOBS] [--only N,...] [PATH...]
  MUTANTS, SEED and JOBS may come from the environment too (40, random, 2);
  PATHs limit the sample to the sources under them (support/image, ...);
  --only tries just those numbers of the sample, say the survivors of an
  earlier run with the same seed once a test has been added for them.
Prints each mutant's verdict as it goes, each survivor as
`file:line: change | the line`, and last:
  mutation: K killed / L live mutants (score P%), S stillborn
Depends on: Python 3, git, CMake, Ninja, lld and what make test needs.
"""
import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Not the library's code: the glyph tables (pixel art), and the fuzz target,
# which only clang builds and the suite does not run in the copy.
GLYPH_TABLES = re.compile(r"support/text/(glyphs_\w+\.cpp|glyph_art\.h|glyphs_capitals\.h"
                          r"|\w+_fuzzer\.cpp)$")
LEFT_OUT_TESTS = "^(installed_library|consumer_.*|debian_packages|packaged_consumer_.*)$"
CONFIGURE = ["-G", "Ninja", "-DCMAKE_BUILD_TYPE=None", "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld",
             "-DVESTRANE_WARNINGS_AS_ERRORS=ON", "-DVESTRANE_SHARED=ON",
             "-DVESTRANE_MAN_PAGES=OFF"]

# ---------------------------------------------------------------------------
# The mutants
# ---------------------------------------------------------------------------

FLIPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
         "&&": "||", "||": "&&", "+": "-", "-": "+", "*": "/", "/": "*"}
OPERATOR = re.compile(r"(?<=\s)(<=|>=|==|!=|&&|\|\||[<>+\-*/])(?=\s)")
RETURN = re.compile(r"\breturn (0|1|true|false);")
SWAPS = {"0": "1", "1": "0", "true": "false", "false": "true"}
NUMBER = re.compile(r"(?<![\w.])(0[xX][0-9a-fA-F]+|(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)"
                    r"([fFuUlL]*)(?![\w.])")
GL_CALL = re.compile(r"(?m)^[ \t]*(gl(?:ut|u)?[A-Z]\w*\([^;\n]*\);)[ \t]*$")
NOT_CODE = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)
PREPROCESSOR = re.compile(r"(?m)^[ \t]*#(?:[^\n]*\\\n)*[^\n]*")


def blank(match):
    return re.sub(r"[^\n]", " ", match.group())


def changed_number(literal):
    if literal.lower().startswith("0x"):
        return hex(int(literal, 16) + 1)
    if literal.isdigit():
        return str(int(literal) + 1)
    value = float(literal)
    return repr(value * 2 if value != 0 else 1.0)


def mutants_of(path, text):
    """(path, start, end, replacement, description) for each mutant of text."""
    code = PREPROCESSOR.sub(blank, NOT_CODE.sub(blank, text))  # same offsets
    found = [(m.start(), m.end(), FLIPS[m[0]], f"{m[0]} -> {FLIPS[m[0]]}")
             for m in OPERATOR.finditer(code)]
    returns = list(RETURN.finditer(code))
    found += [(m.start(1), m.end(1), SWAPS[m[1]], f"return {m[1]} -> return {SWAPS[m[1]]}")
              for m in returns]
    swapped = {m.start(1) for m in returns}
    for m in NUMBER.finditer(code):
        if m.start() not in swapped:
            new = changed_number(m[1]) + m[2]
            found.append((m.start(), m.end(), new, f"{m[0]} -> {new}"))
    found += [(m.start(1), m.end(1), "{}", f"{m[1].split('(')[0]}(...) deleted")
              for m in GL_CALL.finditer(code)]
    return [(path,) + mutant for mutant in found]


def library_sources(tree, prefixes):
    """(path, text) of the sources to mutate; public headers only declare."""
    sources = []
    for folder, _, files in os.walk(os.path.join(tree, "support")):
        for name in files:
            path = os.path.relpath(os.path.join(folder, name), tree)
            if not path.endswith((".cpp", ".h")) or GLYPH_TABLES.search(path):
                continue
            with open(os.path.join(tree, path), encoding="utf-8") as source:
                text = source.read()
            public = path.endswith(".h") and 'extern "C"' in text
            if not public and (not prefixes or path.startswith(prefixes)):
                sources.append((path, text))
    return sorted(sources)

# ---------------------------------------------------------------------------
# Building and testing
# ---------------------------------------------------------------------------


def run(command, cwd=None, timeout=None):
    """Runs command quietly in a process group of its own: its exit status,
    or None past timeout. The group is stopped when left early (timeout,
    Ctrl-C), the test programs' X servers with it."""
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return None
    finally:
        if process.returncode is None:
            os.killpg(process.pid, signal.SIGTERM)
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()


def suite_targets(build):
    """The programs of the tests kept (a test program has its test's name;
    a test run by a script, such as the archive's symbols, needs the
    library)."""
    listing = subprocess.run(["ctest", "-N", "-E", LEFT_OUT_TESTS], cwd=build,
                             capture_output=True, text=True, check=True).stdout
    known = subprocess.run(["cmake", "--build", build, "--target", "help"],
                           capture_output=True, text=True, check=True).stdout
    targets = set(re.findall(r"^(\S+):", known, re.M))
    tests = re.findall(r"Test +#\d+: (\S+)", listing)
    return [test for test in tests if test in targets] + ["vestrane_support"]


def run_suite(build, jobs, timeout=None):
    """0 when every test passed. Without the costs of earlier runs, ctest
    keeps the order of definition instead of starting the slowest first."""
    costs = os.path.join(build, "Testing", "Temporary", "CTestCostData.txt")
    if os.path.exists(costs):
        os.remove(costs)
    return run(["ctest", "--stop-on-failure", "-j", str(jobs), "-E", LEFT_OUT_TESTS],
               build, timeout)


def try_mutant(file, text, start, end, new, rebuild, test):
    """killed, survived, stillborn or hung (a kill); the file is put back."""
    try:
        with open(file, "w", encoding="utf-8") as source:
            source.write(text[:start] + new + text[end:])
        if rebuild() != 0:
            return "stillborn"
        status = test()
        return "survived" if status == 0 else "killed" if status is not None else "hung"
    finally:
        with open(file, "w", encoding="utf-8") as source:
            source.write(text)

# ---------------------------------------------------------------------------
# The run
# ---------------------------------------------------------------------------


def main():
    options = argparse.ArgumentParser(description="Mutation testing of the support library.")
    options.add_argument("-n", "--mutants", type=int, default=int(os.environ.get("MUTANTS", 40)))
    options.add_argument("--seed", type=int, default=os.environ.get("SEED") or None)
    options.add_argument("-j", "--jobs", type=int, default=int(os.environ.get("JOBS", 2)))
    options.add_argument("--only", type=lambda text: {int(n) for n in text.split(",")},
                         help="try only these numbers of the sample (1, 2, ...)")
    options.add_argument("paths", nargs="*", help="limit the sample to the sources under these")
    args = options.parse_args()
    seed = args.seed if args.seed is not None else random.randrange(1000000)
    signal.signal(signal.SIGTERM, signal.default_int_handler)  # stopped as by Ctrl-C

    scratch = tempfile.mkdtemp(prefix="vestrane-mutation-")
    tree, build = os.path.join(scratch, "tree"), os.path.join(scratch, "build")
    try:
        files = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, capture_output=True,
                               text=True, check=True).stdout.split("\0")
        for name in files:
            if name and os.path.isfile(os.path.join(ROOT, name)):
                os.makedirs(os.path.dirname(os.path.join(tree, name)), exist_ok=True)
                shutil.copy2(os.path.join(ROOT, name), os.path.join(tree, name))
        mutants = [mutant for path, text in library_sources(tree, tuple(args.paths))
                   for mutant in mutants_of(path, text)]
        sample = sorted(random.Random(seed).sample(mutants, min(args.mutants, len(mutants))))
        print(f"{len(sample)} of {len(mutants)} mutants, seed {seed}", flush=True)

        if run(["cmake", "-S", tree, "-B", build] + CONFIGURE) != 0:
            sys.exit("mutation: cmake could not configure the copy")
        targets = suite_targets(build)
        rebuild = ["cmake", "--build", build, "-j", str(args.jobs), "--target"] + targets
        if not targets or run(rebuild) != 0:
            sys.exit("mutation: the copy does not build")
        started = time.monotonic()
        if run_suite(build, args.jobs) != 0:
            sys.exit("mutation: the suite fails without any mutant")
        suite_time = time.monotonic() - started
        print(f"the suite passes unchanged in {suite_time:.0f} s", flush=True)

        verdicts, survivors = [], []
        started = time.monotonic()
        try:
            for number, (path, start, end, new, what) in enumerate(sample, 1):
                if args.only and number not in args.only:
                    continue
                with open(os.path.join(tree, path), encoding="utf-8") as source:
                    text = source.read()
                line = text.count("\n", 0, start) + 1
                source_line = text.splitlines()[line - 1]
                column = start - text.rfind("\n", 0, start)
                if source_line.count(text[start:end]) > 1:  # say which one
                    what += f" (column {column})"
                where = f"{path}:{line}: {what}"
                began = time.monotonic()
                verdict = try_mutant(os.path.join(tree, path), text, start, end, new,
                                     lambda: run(rebuild),
                                     lambda: run_suite(build, args.jobs, 3 * suite_time + 60))
                verdicts.append(verdict)
                if verdict == "survived":
                    survivors.append(f"{where} | {source_line.strip()}")
                print(f"[{number}/{len(sample)}] {verdict:9} {where} "
                      f"({time.monotonic() - began:.0f} s)", flush=True)
        except KeyboardInterrupt:
            print("interrupted: the mutants tried so far", flush=True)
        if verdicts:
            print(f"{(time.monotonic() - started) / len(verdicts):.0f} s per mutant")
        for survivor in survivors:
            print(survivor)
        killed = verdicts.count("killed") + verdicts.count("hung")
        live = killed + len(survivors)
        score = round(100 * killed / live) if live else 0
        print(f"mutation: {killed} killed / {live} live mutants (score {score}%), "
              f"{verdicts.count('stillborn')} stillborn")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    try:
        main()
    except KeyboardInterrupt:
        sys.exit(130)
