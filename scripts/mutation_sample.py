#!/usr/bin/env python3
"""Measure how many small changes to a source folder its tests notice.

Picks random small mutations over the folder's .cpp sources (flip a
comparison, change a constant by one, drop a statement, swap two arguments of
a call, negate a sign), applies them one at a time, rebuilds the folder's test
program in a build directory of its own, runs it, and restores the file. The
restore is checked byte for byte against a copy saved before the change, on
every path out (normal end, exception, Ctrl-C, SIGTERM); a copy also waits on
disk so a run killed outright is repaired by the next one.

While it runs, one file of the folder is changed on disk: commit nothing
from that folder meanwhile (no `git commit -a`), or the change goes with it.

Usage: scripts/mutation-sample FOLDER [COUNT] [--seed N] [options]
"""

import argparse
import fcntl
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_BUILD = ROOT / "build" / "mutation"

KINDS = ("comparison", "constant", "statement", "arguments", "sign")


@dataclass
class Mutation:
    path: Path          # file, relative to ROOT
    line: int           # 1-based
    kind: str
    start: int          # byte offsets into the file's text
    end: int
    replacement: str
    original: str

    column: int = 0     # 1-based, of the change's first character

    def describe(self) -> str:
        if self.kind == "statement":
            return f"drop statement `{self.original.strip()}`"
        return f"{self.kind}: `{self.original}` -> `{self.replacement}` (column {self.column})"


class Interrupted(Exception):
    pass


def _raise_interrupted(signum, _frame):
    raise Interrupted(f"signal {signum}")


# ---------------------------------------------------------------- scanning

def code_mask(text: str) -> str:
    """The text with comments, string and character literals and preprocessor
    lines blanked (same length, newlines kept), so operators found in it are
    code."""
    out = list(text)
    i, n = 0, len(text)
    at_line_start = True
    while i < n:
        c = text[i]
        if c == "\n":
            at_line_start = True
            i += 1
            continue
        if at_line_start and c == "#":
            # Preprocessor line (with continuations).
            while i < n and text[i] != "\n":
                if text[i] == "\\" and i + 1 < n and text[i + 1] == "\n":
                    out[i] = " "
                    i += 2
                    continue
                out[i] = " "
                i += 1
            continue
        if not c.isspace():
            at_line_start = False
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                out[i] = " "
                i += 1
            continue
        if text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            for k in range(i, j):
                if text[k] != "\n":
                    out[k] = " "
            i = j
            continue
        m = re.match(r'(?:u8|u|U|L)?R"([^(\s]*)\(', text[i:i + 40])
        if m and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            close = ")" + m.group(1) + '"'
            j = text.find(close, i + m.end())
            j = n if j < 0 else j + len(close)
            for k in range(i, j):
                if text[k] != "\n":
                    out[k] = " "
            i = j
            continue
        if c in "\"'":
            # A digit separator (1'000) is not a character literal.
            if c == "'" and i > 0 and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum():
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            for k in range(i, j):
                out[k] = " "
            i = j
            continue
        i += 1
    return "".join(out)


def line_starts(text: str):
    starts = [0]
    for m in re.finditer("\n", text):
        starts.append(m.end())
    return starts


def line_of(starts, offset: int) -> int:
    lo, hi = 0, len(starts) - 1
    while lo < hi:
        mid = (lo + hi + 1) // 2
        if starts[mid] <= offset:
            lo = mid
        else:
            hi = mid - 1
    return lo + 1


COMPARISON_FLIP = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
NOT_CALLS = {"if", "while", "for", "switch", "return", "sizeof", "alignof", "decltype",
             "static_cast", "reinterpret_cast", "const_cast", "dynamic_cast", "catch",
             "static_assert", "noexcept", "alignas", "defined", "assert", "typeid"}
DECL_START = re.compile(
    r"^\s*(?:(?:const|constexpr|static|inline|thread_local|volatile|extern|mutable|unsigned|signed|"
    r"using|typedef|struct|class|enum|namespace|template|friend|virtual|explicit|auto)\b)")
DECL_SHAPE = re.compile(
    r"^\s*[A-Za-z_][\w:]*(?:<.*>)?(?:\s*[*&]+\s*|\s+)[*&]*[A-Za-z_]\w*\s*(?:=|\{|\(|\[|;|,)")
NOT_DROPPED = re.compile(r"^\s*(?:return|co_return|case|default|public|private|protected)\b")
STATEMENT_KEYWORDS = {"return", "throw", "delete", "goto", "break", "continue", "co_return", "else", "do"}


def is_declaration(line: str) -> bool:
    if DECL_START.match(line):
        return True
    m = DECL_SHAPE.match(line)
    if m:
        first = re.match(r"\s*([A-Za-z_]\w*)", line).group(1)
        if first not in STATEMENT_KEYWORDS:
            return True
    return False


def split_args(s: str):
    """Top-level comma positions of an argument list (without its parens);
    None when the list is not balanced on its own."""
    depth = 0
    parts, begin = [], 0
    for k, ch in enumerate(s):
        if ch in "([{":
            depth += 1
        elif ch in ")]}":
            depth -= 1
            if depth < 0:
                return None
        elif ch == "," and depth == 0:
            parts.append((begin, k))
            begin = k + 1
    if depth != 0:
        return None
    parts.append((begin, len(s)))
    return parts


def find_mutations(rel: Path, text: str):
    mask = code_mask(text)
    starts = line_starts(text)
    found = []

    def add(kind, start, end, replacement):
        found.append(Mutation(rel, line_of(starts, start), kind, start, end, replacement,
                              text[start:end]))

    # Comparisons: `<` and `>` only when written with spaces on both sides,
    # which keeps template brackets, shifts and arrows out.
    for m in re.finditer(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)", mask):
        op = m.group(1)
        add("comparison", m.start(1), m.end(1), COMPARISON_FLIP[op])

    # Numeric constants, not part of a name.
    for m in re.finditer(r"(?<![\w.])(\d+\.\d*(?:[eE][-+]?\d+)?|\.\d+(?:[eE][-+]?\d+)?|\d+[eE][-+]?\d+|"
                         r"0[xX][0-9a-fA-F]+|\d+)([uUlLfF]*)(?![\w.])", mask):
        lit, suffix = m.group(1), m.group(2)
        line_text = text[starts[line_of(starts, m.start()) - 1]:].split("\n", 1)[0]
        if re.match(r"\s*(?:template|static_assert)\b", line_text):
            continue
        is_float = any(ch in lit for ch in ".eE") and not lit.lower().startswith("0x")
        if is_float:
            mant, expo = lit, ""
            e_at = re.search(r"[eE]", lit)
            if e_at:
                mant, expo = lit[:e_at.start()], lit[e_at.start():]
            digits = [k for k, ch in enumerate(mant) if ch.isdigit()]
            nonzero = [k for k in digits if mant[k] != "0"]
            pos = nonzero[-1] if nonzero else digits[-1]
            d = int(mant[pos])
            step = 1 if d == 0 or (d != 9 and (m.start() % 2 == 0)) else -1
            if d == 1 and step == -1 and len(nonzero) == 1:
                step = 1   # stay away from zero: 1.0 -> 2.0, 0.1 -> 0.2
            new = mant[:pos] + str(d + step) + mant[pos + 1:] + expo
        else:
            value = int(lit, 0) if not (len(lit) > 1 and lit.startswith("0") and lit.isdigit()) else int(lit, 8)
            step = 1 if value == 0 or m.start() % 2 == 0 else -1
            new = hex(value + step) if lit.lower().startswith("0x") else str(value + step)
        add("constant", m.start(1), m.end(1), new)

    # Statements: a whole line ending in ';' that starts a statement and
    # declares nothing.
    code_lines = mask.split("\n")
    prev_end = ""
    for idx, cl in enumerate(code_lines):
        stripped = cl.strip()
        if not stripped:
            continue
        if (stripped.endswith(";") and prev_end in (";", "{", "}", ":")
                and not is_declaration(cl) and not NOT_DROPPED.match(cl)
                and stripped.count("(") == stripped.count(")")
                and stripped.count("{") == stripped.count("}")
                and not stripped.startswith(("}", "{", ")"))):
            s = starts[idx]
            e = s + len(cl)
            found.append(Mutation(rel, idx + 1, "statement", s, e, "", text[s:e]))
        prev_end = stripped[-1]

    # Calls: swap two neighbouring arguments when the call sits on one line.
    for m in re.finditer(r"\b([A-Za-z_]\w*)\s*\(", mask):
        if m.group(1) in NOT_CALLS:
            continue
        open_at = m.end() - 1
        line_end = mask.find("\n", open_at)
        line_end = len(mask) if line_end < 0 else line_end
        depth, close_at = 0, -1
        for k in range(open_at, line_end):
            if mask[k] == "(":
                depth += 1
            elif mask[k] == ")":
                depth -= 1
                if depth == 0:
                    close_at = k
                    break
        if close_at < 0:
            continue
        inner = mask[open_at + 1:close_at]
        parts = split_args(inner)
        if not parts or len(parts) < 2:
            continue
        # A '<' at top level may be a template bracket that splits wrongly.
        if re.search(r"\w<|>\s*\w", inner.replace("->", "")) and "<" in inner and not re.search(r"\s<\s", inner):
            continue
        # A parameter list (`double a, double b`) declares; it is not a call.
        if any(re.fullmatch(r"\s*(?:const\s+)?[A-Za-z_][\w:<>]*[\s*&]+[A-Za-z_]\w*\s*(?:=.*)?", inner[a:b])
               for a, b in parts):
            continue
        base = open_at + 1
        for p in range(len(parts) - 1):
            a0, a1 = parts[p]
            b0, b1 = parts[p + 1]
            a_txt, b_txt = text[base + a0:base + a1], text[base + b0:base + b1]
            if a_txt.strip() == b_txt.strip() or not a_txt.strip() or not b_txt.strip():
                continue
            lead_a = a_txt[: len(a_txt) - len(a_txt.lstrip())]
            lead_b = b_txt[: len(b_txt) - len(b_txt.lstrip())]
            swapped = lead_a + b_txt.strip() + "," + lead_b + a_txt.strip()
            s, e = base + a0, base + b1
            found.append(Mutation(rel, line_of(starts, s), "arguments", s, e, swapped, text[s:e]))

    # Signs: drop a unary minus, or turn a spaced binary + into - and back.
    for m in re.finditer(r"-(?=[\w(.])", mask):
        at = m.start()
        before = mask[:at].rstrip()
        if mask[at - 1:at] == "-" or not (before.endswith(tuple("([,=?:{")) or re.search(r"\breturn$", before)):
            continue
        if before.endswith(("::", "<=", ">=", "==", "!=")) and before.endswith("::"):
            continue
        add("sign", at, at + 1, "")
    for m in re.finditer(r"(?<=\s)([+-])(?=\s)", mask):
        add("sign", m.start(1), m.end(1), "-" if m.group(1) == "+" else "+")

    for m in found:
        m.column = m.start - starts[m.line - 1] + 1
    return found


def sample(mutations, count: int, rng: random.Random):
    """Kinds in turn (so a folder full of constants still gets statements and
    swaps), a random candidate of each."""
    by_kind = {k: [m for m in mutations if m.kind == k] for k in KINDS}
    chosen = []
    while len(chosen) < count and any(by_kind.values()):
        kinds = [k for k in KINDS if by_kind[k]]
        kind = rng.choice(kinds)
        pool = by_kind[kind]
        chosen.append(pool.pop(rng.randrange(len(pool))))
    return chosen


# ---------------------------------------------------------------- running

def run(cmd, timeout=None, cwd=None, env=None, quiet=True):
    """Runs a command in its own process group; on timeout the whole group
    is killed. Returns (returncode or None on timeout, output)."""
    proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out.decode(errors="replace")
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        out, _ = proc.communicate()
        return None, out.decode(errors="replace")
    except BaseException:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        proc.wait()
        raise


def test_targets(folder_rel: str):
    cml = ROOT / "tests" / folder_rel.removeprefix("src/") / "CMakeLists.txt"
    if not cml.is_file():
        return []
    return re.findall(r"zuro_test\(\s*([\w]+)", cml.read_text())


def configure(build: Path, jobs: int):
    if (build / "CMakeCache.txt").is_file():
        return
    cmd = ["cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja",
           "-DCMAKE_BUILD_TYPE=Release",
           # bounds-checked containers: a mutated index past a vector's size fails the tests
           "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -D_GLIBCXX_ASSERTIONS",
           "-DZURO_SANITIZE=OFF", "-DZURO_BUILD_TESTS=ON",
           # one file changes at a time: each recompiles alone, not its batch
           "-DZURO_UNITY_BUILD=OFF"]
    if shutil.which("ccache"):
        cmd += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    code, out = run(cmd)
    if code != 0:
        sys.exit("mutation-sample: configuring the build failed:\n" + out)


class Guard:
    """Owns the one file that is changed at a time."""

    def __init__(self, backup_dir: Path):
        self.backup_dir = backup_dir
        self.path = None
        self.saved = None

    def backup_of(self, rel: Path) -> Path:
        return self.backup_dir / rel

    def apply(self, mutation: Mutation):
        absolute = ROOT / mutation.path
        data = absolute.read_bytes()
        backup = self.backup_of(mutation.path)
        backup.parent.mkdir(parents=True, exist_ok=True)
        backup.write_bytes(data)
        self.path, self.saved = mutation.path, data
        text = data.decode()
        changed = text[:mutation.start] + mutation.replacement + text[mutation.end:]
        absolute.write_bytes(changed.encode())

    def restore(self):
        if self.path is None:
            return
        absolute = ROOT / self.path
        absolute.write_bytes(self.saved)
        if absolute.read_bytes() != self.saved:
            raise SystemExit(f"mutation-sample: RESTORE FAILED for {self.path}; "
                             f"the original is at {self.backup_of(self.path)}")
        self.backup_of(self.path).unlink(missing_ok=True)
        self.path, self.saved = None, None


def recover_leftovers(backup_dir: Path):
    """A run killed outright leaves its saved copy behind: put it back."""
    if not backup_dir.is_dir():
        return
    for backup in sorted(p for p in backup_dir.rglob("*") if p.is_file()):
        rel = backup.relative_to(backup_dir)
        target = ROOT / rel
        data = backup.read_bytes()
        target.write_bytes(data)
        if target.read_bytes() != data:
            sys.exit(f"mutation-sample: could not restore {rel} from {backup}")
        print(f"mutation-sample: restored {rel} left changed by an interrupted run")
        backup.unlink()


def main():
    parser = argparse.ArgumentParser(
        prog="mutation-sample",
        description="Apply random small mutations to a source folder one at a time and "
                    "report which ones its tests do not notice.")
    parser.add_argument("folder", help="source folder, e.g. src/geometry")
    parser.add_argument("count", nargs="?", type=int, default=20, help="mutations to try (20)")
    parser.add_argument("--seed", type=int, help="seed of the sample (printed when not given)")
    parser.add_argument("--build-dir", default=str(DEFAULT_BUILD), help="build directory (build/mutation)")
    parser.add_argument("--jobs", "-j", type=int, default=3, help="build jobs (3)")
    parser.add_argument("--timeout", type=float,
                        help="seconds a test run may take before it counts as a hang "
                             "(default: 4x the unmutated run + 30)")
    parser.add_argument("--headers", action="store_true", help="mutate the folder's headers too")
    parser.add_argument("--equivalent", type=int, action="append", default=[],
                        help="a sample number judged unable to alter behaviour: left out of the "
                             "kill rate (repeatable)")
    parser.add_argument("--list", action="store_true", help="print the sample and stop")
    parser.add_argument("--only", type=int, action="append",
                        help="run only the sample's mutation with this number (repeatable)")
    args = parser.parse_args()

    folder = Path(args.folder.rstrip("/"))
    if folder.is_absolute():
        folder = folder.relative_to(ROOT)
    folder_rel = folder.as_posix()
    if not folder_rel.startswith("src/") or not (ROOT / folder).is_dir():
        sys.exit(f"mutation-sample: {args.folder} is not a folder under src/")
    if args.count < 1:
        sys.exit("mutation-sample: COUNT must be at least 1")

    build = Path(args.build_dir).resolve()
    backup_dir = build / "mutation-backup"
    # One run per build directory: a second one would rebuild under the
    # first one's change, or take its saved copy for a leftover. Without
    # the lock only a listing goes on (and says its sources may be changed).
    build.mkdir(parents=True, exist_ok=True)
    lock = open(build / "mutation-sample.lock", "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except OSError:
        if not args.list:
            sys.exit(f"mutation-sample: another run is using {build}")
        print(f"mutation-sample: another run is using {build}; one file may be changed just now")
    else:
        recover_leftovers(backup_dir)

    targets = test_targets(folder_rel)
    if not targets:
        sys.exit(f"mutation-sample: no test program for {folder_rel} "
                 f"(expected zuro_test(...) in tests/{folder_rel.removeprefix('src/')}/CMakeLists.txt)")

    seed = args.seed if args.seed is not None else random.SystemRandom().randrange(1, 10**6)
    patterns = ["*.cpp"] + (["*.h"] if args.headers else [])
    files = sorted({p for pat in patterns for p in (ROOT / folder).glob(pat)})
    candidates = []
    for f in files:
        candidates += find_mutations(f.relative_to(ROOT), f.read_text())
    chosen = sample(candidates, args.count, random.Random(seed))
    print(f"mutation-sample: {folder_rel}, seed {seed}, {len(chosen)} of {len(candidates)} "
          f"candidate mutations in {len(files)} files; tests: {', '.join(targets)}")
    numbered = list(enumerate(chosen, 1))
    if args.only:
        numbered = [(i, m) for i, m in numbered if i in args.only]
    if args.list:
        for i, m in numbered:
            print(f"  [{i}] {m.path}:{m.line} {m.describe()}")
        return 0


    code, out = run(["git", "-C", str(ROOT), "status", "--porcelain", "--", folder_rel])
    if code != 0 or out.strip():
        sys.exit(f"mutation-sample: {folder_rel} has changes; commit or stash them first:\n{out}")

    configure(build, args.jobs)
    test_dir = build / "tests" / folder_rel.removeprefix("src/")
    binaries = [test_dir / t for t in targets]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")

    def build_tests(timeout=None):
        return run(["cmake", "--build", str(build), "-j", str(args.jobs), "--target", *targets],
                   timeout=timeout)

    def run_tests(timeout):
        began = time.monotonic()
        for b in binaries:
            left = None if timeout is None else max(1.0, timeout - (time.monotonic() - began))
            code, out = run([str(b), "--gtest_fail_fast", "--gtest_brief=1"], timeout=left,
                            cwd=str(test_dir), env=env)
            if code is None:
                return "hang", out
            if code != 0:
                return "fail", out
        return "pass", ""

    guard = Guard(backup_dir)
    # SIGINT too: a run started in the background has it ignored otherwise.
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, _raise_interrupted)

    results = []
    try:
        code, out = build_tests()
        if code != 0:
            sys.exit("mutation-sample: the unmutated tests do not build:\n" + out[-4000:])
        began = time.monotonic()
        verdict, out = run_tests(None)
        baseline = time.monotonic() - began
        if verdict != "pass":
            sys.exit("mutation-sample: the unmutated tests do not pass:\n" + out[-4000:])
        timeout = args.timeout or 4 * baseline + 30
        print(f"mutation-sample: unmutated tests pass in {baseline:.1f} s; hang limit {timeout:.0f} s")

        for i, m in numbered:
            guard.apply(m)
            try:
                code, _ = build_tests(timeout=900)
                if code != 0:
                    outcome = "not compiled"
                else:
                    verdict, _ = run_tests(timeout)
                    outcome = {"pass": "SURVIVED", "fail": "killed", "hang": "killed (hang)"}[verdict]
            finally:
                guard.restore()
            results.append((i, m, outcome))
            print(f"  [{i}] {m.path}:{m.line} {m.describe()}: {outcome}", flush=True)
    except (KeyboardInterrupt, Interrupted) as e:
        print(f"mutation-sample: stopped ({e or 'Ctrl-C'}); the sources are restored", flush=True)
    finally:
        guard.restore()
        code, out = run(["git", "-C", str(ROOT), "status", "--porcelain", "--", folder_rel])
        if out.strip():
            print(f"mutation-sample: WARNING: {folder_rel} differs from its commit:\n{out}", file=sys.stderr)

    compiled = [r for r in results if r[2] != "not compiled"]
    killed = [r for r in compiled if r[2].startswith("killed")]
    equivalent = [r for r in compiled if r[2] == "SURVIVED" and r[0] in args.equivalent]
    survivors = [r for r in compiled if r[2] == "SURVIVED" and r[0] not in args.equivalent]
    print(f"\nSurvivors ({len(survivors)}):")
    for i, m, _ in survivors:
        print(f"  [{i}] {m.path}:{m.line} {m.describe()}")
    if equivalent:
        print(f"Judged unable to alter behaviour ({len(equivalent)}):")
        for i, m, _ in equivalent:
            print(f"  [{i}] {m.path}:{m.line} {m.describe()}")
    counted = len(compiled) - len(equivalent)
    rate = f"{100 * len(killed) / counted:.0f} %" if counted else "n/a"
    print(f"\n{folder_rel} seed {seed}: sampled {len(results)}, not compiled "
          f"{len(results) - len(compiled)}, compiled {len(compiled)}, killed {len(killed)}, "
          f"equivalent {len(equivalent)}, survived {len(survivors)}; "
          f"kill rate {rate} (killed / compiled that can alter behaviour)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
