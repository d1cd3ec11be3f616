#!/usr/bin/env python3
"""Mutation check: how many small faults in the portable product code do the native tests catch?

Draws a seeded sample of simple mutants of the C++ under src/ that the native tree compiles
(without the Win32 backend, the Win32 main and the headless host), applies each to a scratch
copy of the tree, rebuilds that copy incrementally and runs its tests with CTest. Each mutant is
killed (a test failed or timed out), survived (every test passed) or did not compile. The
user's tree is only ever read.

    scripts/mutation_check.py --seed 1 --size 200 --save-sample sample.json --results out.tsv
    scripts/mutation_check.py --sample sample.json --tree ../older-checkout --results old.tsv

See CONTRIBUTING.md (Tests) for how long it takes and how to read the output.
"""

import argparse
import bisect
import json
import os
import random
import re
import shlex
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import asdict, dataclass
from pathlib import Path

SCRIPT_TREE = Path(__file__).resolve().parent.parent

# The portable product code: C++ under src/ that the native tree compiles, less these.
PRODUCT_ROOT = "src/"
EXCLUDED_PREFIXES = ("src/framework/win32/", "src/app/win32/", "src/framework/headless/")
SOURCE_SUFFIXES = (".cpp", ".cc", ".cxx")
HEADER_SUFFIXES = (".h", ".hpp", ".hh")

# --------------------------------------------------------------------------------------------
# Lexing: just enough C++ to never touch comments, literals or preprocessor lines.

PUNCTUATORS = sorted(
    """<=> <<= >>= ->* ... :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= .* ##
    { } [ ] ( ) ; : ? , . + - * / % ^ & | ~ ! = < > #""".split(),
    key=len,
    reverse=True,
)
STRING_PREFIXES = {"R", "u8", "u", "U", "L", "u8R", "uR", "UR", "LR"}
IDENT_RE = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
NUMBER_RE = re.compile(r"\.?[0-9](?:[eEpP][+-]|'[0-9A-Za-z_]|[0-9A-Za-z_.])*")
DECIMAL_RE = re.compile(r"(0|[1-9][0-9']*)((?:[uU](?:ll|LL|l|L|z|Z)?|(?:ll|LL|l|L|z|Z)[uU]?)?)")


@dataclass
class Token:
    kind: str  # ident, number, string, char, punct, pp
    text: str
    line: int  # 1-based
    col: int  # 1-based
    start: int  # offset in the file
    end: int
    blank_before: bool  # whitespace (or a line start) right before the token
    blank_after: bool


def lex(text):
    tokens = []
    i, n = 0, len(text)
    line_starts = [0] + [m.end() for m in re.finditer("\n", text)]

    def position(offset):
        line = bisect.bisect_right(line_starts, offset)
        return line, offset - line_starts[line - 1] + 1

    def add(kind, start, end):
        line, col = position(start)
        before = start == 0 or text[start - 1] in " \t\r\n"
        after = end >= n or text[end] in " \t\r\n"
        tokens.append(Token(kind, text[start:end], line, col, start, end, before, after))

    at_line_start = True
    while i < n:
        c = text[i]
        if c == "\n":
            at_line_start = True
            i += 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
            continue
        if text.startswith("/*", i):
            j = text.find("*/", i + 2)
            i = n if j < 0 else j + 2
            continue
        if c == "#" and at_line_start:
            j = i
            while True:  # a directive runs on over backslash-continued lines
                k = text.find("\n", j)
                if k < 0:
                    j = n
                    break
                if text[k - 1] == "\\" or text[k - 2 : k] == "\\\r":
                    j = k + 1
                    continue
                j = k
                break
            add("pp", i, j)
            i = j
            continue
        at_line_start = False
        m = IDENT_RE.match(text, i)
        if m:
            j = m.end()
            if j < n and text[j] in "\"'" and m.group() in STRING_PREFIXES:
                i = lex_literal(text, i, j, m.group(), add)
                continue
            add("ident", i, j)
            i = j
            continue
        if c in "\"'":
            i = lex_literal(text, i, i, "", add)
            continue
        m = NUMBER_RE.match(text, i)
        if m:
            add("number", i, m.end())
            i = m.end()
            continue
        for p in PUNCTUATORS:
            if text.startswith(p, i):
                add("punct", i, i + len(p))
                i += len(p)
                break
        else:
            i += 1  # a stray character (a backslash, `@`): nothing to mutate
    return tokens


def lex_literal(text, start, quote_at, prefix, add):
    quote = text[quote_at]
    if quote == '"' and prefix.endswith("R"):
        paren = text.index("(", quote_at)
        closing = ")" + text[quote_at + 1 : paren] + '"'
        end = text.index(closing, paren) + len(closing)
    else:
        j = quote_at + 1
        while j < len(text) and text[j] != quote and text[j] != "\n":
            j += 2 if text[j] == "\\" else 1
        end = j + 1
    add("string" if quote == '"' else "char", start, end)
    return end


# --------------------------------------------------------------------------------------------
# Mutants: each replaces `original` at (line, column) of one line by `replacement`.

RELATIONAL_FLIPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
LOGICAL_FLIPS = {"&&": "||", "||": "&&"}
COMPARISONS = set(RELATIONAL_FLIPS) | set(LOGICAL_FLIPS)
CONTROL_WORDS = {"if", "for", "while", "switch", "catch", "return", "sizeof", "alignof",
                 "decltype", "noexcept", "requires", "static_assert", "typeid"}
FUNCTION_QUALIFIERS = {"const", "noexcept", "override", "final", "mutable", "constexpr",
                       "consteval", "volatile", "&", "&&"}
NOT_A_CALLEE = {"return", "throw", "delete", "new", "co_return", "co_yield", "co_await", "goto",
                "if", "else", "for", "while", "do", "switch", "case", "default", "break",
                "continue", "sizeof", "static_assert", "assert", "using", "typedef", "template",
                "typename", "namespace", "operator", "this", "auto", "const", "static"}
STATEMENT_BOUNDARIES = {";", "{", "}"}


@dataclass
class Mutant:
    file: str
    line: int
    column: int
    original: str
    replacement: str
    kind: str  # relational, logical, constant, return-bool, delete-call
    line_text: str

    def where(self):
        return f"{self.file}:{self.line}"

    def change(self):
        if self.kind == "delete-call":
            return f"'{self.original}' deleted"
        return f"'{self.original}' -> '{self.replacement}'"


def matching(tokens, i):
    """Index of the bracket that closes (or opens) tokens[i], or None."""
    pairs = {"(": ")", "[": "]", "{": "}", ")": "(", "]": "[", "}": "{"}
    here = tokens[i].text
    there = pairs[here]
    step = 1 if here in "([{" else -1
    depth = 0
    j = i
    while 0 <= j < len(tokens):
        t = tokens[j]
        if t.kind == "punct" and t.text == here:
            depth += 1
        elif t.kind == "punct" and t.text == there:
            depth -= 1
            if depth == 0:
                return j
        j += step
    return None


def is_punct(token, *texts):
    return token.kind == "punct" and token.text in texts


def brace_kind(tokens, i):
    """What the brace tokens[i] opens: 'bool-fn' (a body returning bool), 'fn' or 'other'."""
    k = i - 1
    trailing = []
    while k >= 0 and not is_punct(tokens[k], ")"):
        t = tokens[k]
        if is_punct(t, "->"):
            trailing = [x.text for x in tokens[k + 1 : i]]
        elif not (t.kind == "ident" or is_punct(t, "::", "<", ">", "*", "&", "&&", ",")):
            return "other"
        k -= 1
    while k >= 0:  # step back over noexcept(...) to the parameter list
        opening = matching(tokens, k)
        if opening is None or opening == 0:
            return "other"
        if tokens[opening - 1].text == "noexcept":
            k = opening - 2
            while k >= 0 and tokens[k].text in FUNCTION_QUALIFIERS:
                k -= 1
            if k < 0 or not is_punct(tokens[k], ")"):
                return "other"
            continue
        break
    if k < 0:
        return "other"
    between = [t.text for t in tokens[k + 1 : i]]
    if "->" in between:
        between = between[: between.index("->")]
    if any(word not in FUNCTION_QUALIFIERS for word in between):
        return "other"
    if trailing:
        return "bool-fn" if trailing == ["bool"] else "fn"
    name = opening - 1
    t = tokens[name]
    if t.kind == "ident" and t.text in CONTROL_WORDS:
        return "other"
    if t.text == "bool" and name > 0 and tokens[name - 1].text == "operator":
        return "bool-fn"
    if t.kind == "punct" and name > 0 and tokens[name - 1].text == "operator":
        name -= 1
    elif t.kind != "ident":
        return "fn"  # a lambda without a declared return type, or the like
    while name >= 2 and is_punct(tokens[name - 1], "::"):
        name -= 2
    if name > 0 and is_punct(tokens[name - 1], "~"):
        name -= 1
    return "bool-fn" if name > 0 and tokens[name - 1].text == "bool" else "fn"


def statement_end(tokens, i):
    """Index of the `;` that ends the statement starting at tokens[i] (at bracket depth 0)."""
    depth = 0
    for j in range(i, len(tokens)):
        t = tokens[j]
        if is_punct(t, "(", "[", "{"):
            depth += 1
        elif is_punct(t, ")", "]", "}"):
            depth -= 1
            if depth < 0:
                return None
        elif is_punct(t, ";") and depth == 0:
            return j
    return None


def is_comparison(expr):
    if expr and is_punct(expr[0], "!"):
        return True
    depth = 0
    found = False
    for t in expr:
        if is_punct(t, "(", "[", "{"):
            depth += 1
        elif is_punct(t, ")", "]", "}"):
            depth -= 1
        elif depth == 0 and is_punct(t, "?"):
            return False
        elif depth == 0 and t.kind == "punct" and t.text in COMPARISONS and binary(t):
            found = True
    return found


def binary(token):
    return token.blank_before and token.blank_after


def is_call_statement(tokens, s, end):
    """tokens[s:end] is `callee(args)` with a callee like `a::b`, `x.f(..).g`, `p->q`."""
    j = s
    if is_punct(tokens[j], "::"):
        j += 1
    if tokens[j].kind != "ident" or tokens[j].text in NOT_A_CALLEE:
        return False
    j += 1
    called = False
    while j < end:
        t = tokens[j]
        if is_punct(t, "::", ".", "->") and j + 1 < end and tokens[j + 1].kind == "ident":
            j += 2
        elif is_punct(t, "(", "["):
            close = matching(tokens, j)
            if close is None or close >= end:
                return False
            called = t.text == "(" and close == end - 1
            j = close + 1
        else:
            return False
    return called


WINDOWS_ONLY_RE = re.compile(r"#\s*(ifdef\s+_WIN32|if\s+defined\s*\(?\s*_WIN32\s*\)?(\s*&&.*)?)\s*")


def track_conditional(conditionals, directive):
    words = directive[1:].split()
    word = words[0] if words else ""
    if word in ("if", "ifdef", "ifndef"):
        if WINDOWS_ONLY_RE.fullmatch(directive):
            conditionals.append(False)
        elif words[1:] == ["_WIN32"] and word == "ifndef":
            conditionals.append(True)
        else:
            conditionals.append(None)
    elif word == "elif" and conditionals:
        conditionals[-1] = None
    elif word == "else" and conditionals and conditionals[-1] is not None:
        conditionals[-1] = not conditionals[-1]
    elif word == "endif" and conditionals:
        conditionals.pop()


def mutants_of(path, text):
    tokens = lex(text)
    lines = text.split("\n")
    found = []

    def add(token_or_pos, original, replacement, kind):
        line, column = token_or_pos
        found.append(Mutant(path, line, column, original, replacement, kind,
                            lines[line - 1].rstrip("\r")))

    stack = []  # per open brace: 'bool-fn', 'fn' or 'other'
    static_assert_until = -1
    conditionals = []  # per open #if: True/False when known to be on/off natively, else None
    for i, t in enumerate(tokens):
        if t.kind == "pp":
            track_conditional(conditionals, t.text)
            continue
        if False in conditionals:
            continue  # Windows-only code: the native tests cannot see it
        if t.kind == "ident" and t.text == "static_assert":
            # Compile-time checks: a mutant there only stops the build.
            if i + 1 < len(tokens) and is_punct(tokens[i + 1], "("):
                static_assert_until = matching(tokens, i + 1) or i
        if is_punct(t, "{"):
            stack.append(brace_kind(tokens, i))
        elif is_punct(t, "}") and stack:
            stack.pop()
        if i <= static_assert_until:
            continue
        if t.kind == "punct" and t.text in RELATIONAL_FLIPS and binary(t):
            add((t.line, t.col), t.text, RELATIONAL_FLIPS[t.text], "relational")
        elif t.kind == "punct" and t.text in LOGICAL_FLIPS and binary(t):
            add((t.line, t.col), t.text, LOGICAL_FLIPS[t.text], "logical")
        elif t.kind == "number":
            m = DECIMAL_RE.fullmatch(t.text)
            if m:
                value = int(m.group(1).replace("'", "")) + 1
                add((t.line, t.col), t.text, f"{value}{m.group(2)}", "constant")
        if t.kind == "ident" and t.text == "return":
            end = statement_end(tokens, i + 1)
            if end is None or tokens[end].line != t.line or end == i + 1:
                continue
            expr = tokens[i + 1 : end]
            function = next((kind for kind in reversed(stack) if kind != "other"), None)
            if len(expr) == 1 and expr[0].text in ("true", "false"):
                flipped = "false" if expr[0].text == "true" else "true"
                add((expr[0].line, expr[0].col), expr[0].text, flipped, "return-bool")
            elif function == "bool-fn" or is_comparison(expr):
                original = text[expr[0].start : expr[-1].end]
                add((expr[0].line, expr[0].col), original, f"!({original})", "return-bool")
        first_on_line = i == 0 or tokens[i - 1].line != t.line
        in_function = any(kind != "other" for kind in stack)
        if first_on_line and t.kind in ("ident", "punct") and in_function:
            previous = tokens[i - 1] if i > 0 else None
            # A statement of its own: after another, a block's start or end, a directive, or a
            # label (`case X:`) that ends its line.
            boundary = (
                previous is None
                or previous.kind == "pp"
                or is_punct(previous, *STATEMENT_BOUNDARIES)
                or (is_punct(previous, ":") and previous.line < t.line)
            )
            end = statement_end(tokens, i)
            if (boundary and end is not None and tokens[end].line == t.line
                    and (end + 1 == len(tokens) or tokens[end + 1].line != t.line)
                    and is_call_statement(tokens, i, end)):
                add((t.line, t.col), text[t.start : tokens[end].end], "", "delete-call")
    return sorted(found, key=lambda m: (m.line, m.column))


# --------------------------------------------------------------------------------------------
# Which files: what the native tree compiles, from its compile_commands.json, and the headers
# those files include.

INCLUDE_RE = re.compile(r'^[ \t]*#[ \t]*include[ \t]*"([^"]+)"', re.M)


def read_text(path):
    return path.read_text(encoding="utf-8", errors="surrogateescape")


def write_text(path, text):
    path.write_text(text, encoding="utf-8", errors="surrogateescape")


def include_dirs(entry):
    args = entry.get("arguments") or shlex.split(entry["command"])
    dirs = []
    for k, arg in enumerate(args):
        if arg in ("-I", "-iquote") and k + 1 < len(args):
            dirs.append(args[k + 1])
        elif arg.startswith("-I"):
            dirs.append(arg[2:])
    return [Path(entry["directory"], d) for d in dirs]


def product_files(copy, build):
    entries = json.loads(read_text(build / "compile_commands.json"))
    root = copy.resolve()
    queue = [(Path(e["directory"], e["file"]).resolve(), include_dirs(e)) for e in entries]
    seen = set()
    while queue:
        path, dirs = queue.pop()
        if path in seen:
            continue
        seen.add(path)
        for name in INCLUDE_RE.findall(read_text(path)):
            for base in [path.parent, *dirs]:
                candidate = (base / name).resolve()
                if candidate.is_file():
                    queue.append((candidate, dirs))
                    break
    chosen = []
    for path in seen:
        if root not in path.parents:
            continue
        rel = path.relative_to(root).as_posix()
        if (rel.startswith(PRODUCT_ROOT) and not rel.startswith(EXCLUDED_PREFIXES)
                and rel.endswith(SOURCE_SUFFIXES + HEADER_SUFFIXES)):
            chosen.append(rel)
    return sorted(chosen)


def all_candidates(copy, files):
    found = []
    for rel in files:
        found.extend(mutants_of(rel, read_text(copy / rel)))
    return found


# --------------------------------------------------------------------------------------------
# Finding a mutant again (in the tree it was drawn from, or in a later or earlier one).


@dataclass
class Placed:
    file: str
    line: int
    original_text: str
    mutated_text: str


def place(copy, mutant, files):
    """The mutated file for `mutant` in the copy, or None when its file or line is gone."""
    rel = mutant.file
    if not (copy / rel).is_file():
        # A file that moved to another folder under the same name is still the same file.
        same_name = [f for f in files if Path(f).name == Path(rel).name]
        rel = same_name[0] if len(same_name) == 1 else None
    placed = place_in(copy, rel, mutant, mutant.line) if rel else None
    if placed is None:
        # A line that moved into another file (renamed or merged) is still the same code, when
        # it is the only such line of the product.
        wanted = mutant.line_text.strip()
        holders = [f for f in files if f != rel
                   and sum(line.strip() == wanted for line in read_text(copy / f).split("\n")) == 1]
        if len(holders) == 1:
            placed = place_in(copy, holders[0], mutant, None)
    return placed


def place_in(copy, rel, mutant, near):
    """`mutant` applied to its line in `rel`, the one nearest line `near` if it occurs more than
    once; None when the line or its operator is not there."""
    text = read_text(copy / rel)
    lines = text.split("\n")
    wanted = mutant.line_text
    matches = [(k, 0) for k, line in enumerate(lines) if line.rstrip("\r") == wanted]
    if not matches:  # the same line, indented differently
        indent = len(wanted) - len(wanted.lstrip())
        matches = [(k, len(line) - len(line.lstrip()) - indent)
                   for k, line in enumerate(lines) if line.strip() == wanted.strip()]
    if not matches:
        return None
    k, shift = min(matches, key=lambda m: (abs(m[0] + 1 - (near or 0)), m[0]))
    start = mutant.column - 1 + shift
    line = lines[k]
    if line[start : start + len(mutant.original)] != mutant.original:
        return None
    lines[k] = line[:start] + mutant.replacement + line[start + len(mutant.original) :]
    return Placed(rel, k + 1, text, "\n".join(lines))


# --------------------------------------------------------------------------------------------
# The scratch copy, its build and its tests.

NICE = ["nice", "-n", "10"] if shutil.which("nice") else []
# Cheap to rebuild: the tests spend their time starting processes, not computing. No warnings:
# a mutant that only draws one (`a && b || c`, an unused variable) is still a program to test.
BUILD_FLAGS = "-O0 -g0 -w -DNDEBUG"


class Scratch:
    def __init__(self, tree, folder, jobs):
        self.tree = tree.resolve()
        self.folder = folder.resolve()
        self.copy = self.folder / "tree"
        self.build = self.folder / "native"
        self.logs = self.folder / "logs"
        self.jobs = jobs
        own_build = self.tree / "build"
        if self.folder == self.tree or (self.tree in self.folder.parents
                                        and own_build not in self.folder.parents
                                        and self.folder != own_build):
            raise SystemExit(f"the scratch folder {self.folder} must lie outside the tree "
                             f"(or under its build/ folder)")

    def working_files(self):
        """The tree's files as they stand: tracked and new ones, never ignored ones (build/)."""
        if (self.tree / ".git").exists():
            listing = subprocess.run(
                ["git", "-C", str(self.tree), "ls-files", "-z", "--cached", "--others",
                 "--exclude-standard"], check=True, capture_output=True).stdout
            names = listing.decode("utf-8", "surrogateescape").split("\0")
        else:
            names = []
            for d, subdirs, files in os.walk(self.tree):
                if Path(d) == self.tree:
                    subdirs[:] = [s for s in subdirs if s not in (".git", "build", "out")]
                names += [Path(d, f).relative_to(self.tree).as_posix() for f in files]
        return sorted(n for n in names if n and (self.tree / n).is_file())

    def refresh(self):
        """Makes the copy equal to the tree, rewriting only files that differ (so a build
        left from an earlier run stays incremental)."""
        names = self.working_files()
        wanted = set(names)
        for name in names:
            source, target = self.tree / name, self.copy / name
            data = source.read_bytes()
            if not target.is_file() or target.read_bytes() != data:
                target.parent.mkdir(parents=True, exist_ok=True)
                target.write_bytes(data)
                shutil.copymode(source, target)
        for d, _, files in os.walk(self.copy):
            for f in files:
                path = Path(d, f)
                if path.relative_to(self.copy).as_posix() not in wanted:
                    path.unlink()
        return len(names)

    def write(self, rel, text):
        path = (self.copy / rel).resolve()
        if self.copy not in path.parents:
            raise RuntimeError(f"refusing to write {path}: not in the scratch copy")
        write_text(path, text)

    def run(self, command, log_name, timeout=None):
        self.logs.mkdir(parents=True, exist_ok=True)
        log_path = self.logs / log_name
        with open(log_path, "w") as log:
            try:
                done = subprocess.run(NICE + command, stdout=log, stderr=subprocess.STDOUT,
                                      timeout=timeout)
                status = done.returncode
            except subprocess.TimeoutExpired:
                status = None
        return status, read_text(log_path)

    def configure(self):
        query = self.build / ".cmake/api/v1/query/codemodel-v2"
        query.parent.mkdir(parents=True, exist_ok=True)
        query.touch()
        command = ["cmake", "-S", str(self.copy), "-B", str(self.build),
                   "-DCMAKE_BUILD_TYPE=Release", f"-DCMAKE_CXX_FLAGS_RELEASE={BUILD_FLAGS}"]
        if shutil.which("ninja") and not (self.build / "CMakeCache.txt").exists():
            command += ["-G", "Ninja"]
        if shutil.which("ccache"):
            command += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache",
                        "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
        if shutil.which("ld.lld"):  # every mutant relinks every test program
            command += ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"]
        status, output = self.run(command, "configure.log")
        if status != 0:
            sys.stdout.write(output)
            raise SystemExit("configuring the scratch copy failed")

    def test_targets(self):
        """Every program the native tree builds but the benchmarks (from CMake's file API); the
        report generator beside them is one the tests use."""
        reply = self.build / ".cmake/api/v1/reply"
        index = json.loads(read_text(max(reply.glob("index-*.json"))))
        model = json.loads(read_text(reply / index["reply"]["codemodel-v2"]["jsonFile"]))
        targets = []
        for entry in model["configurations"][0]["targets"]:
            target = json.loads(read_text(reply / entry["jsonFile"]))
            source = target["paths"]["source"]
            benchmark = (source + "/").startswith("bench/") and target["name"].endswith("_bench")
            if target["type"] == "EXECUTABLE" and not benchmark:
                targets.append(target["name"])
        return sorted(targets)

    def compile(self, targets):
        command = ["cmake", "--build", str(self.build), "-j", str(self.jobs), "--target",
                   *targets]
        status, output = self.run(command, "build.log", timeout=3600)
        if status == 0:
            return True, ""
        errors = [line for line in output.splitlines() if "error:" in line]
        return False, errors[0].strip() if errors else "(build timed out)"

    def run_tests(self, timeout, unmutated=None, first=""):
        """Runs CTest; given the `unmutated` run, it stops at the first failure and runs the
        test named `first`, then the quick tests first, so that most mutants die early."""
        command = ["ctest", "--test-dir", str(self.build), "-j", str(self.jobs),
                   "--timeout", str(timeout)]
        if unmutated is not None:
            command.append("--stop-on-failure")
            # CTest starts the costliest tests first: make the quick ones costliest, each group
            # in the tests' own order, so that the same failure is named from run to run.
            ranked = sorted(unmutated.times, key=lambda name: (
                name != first, unmutated.times[name] > QUICK_TEST_SECONDS,
                unmutated.numbers[name]))
            costs = self.build / "Testing/Temporary/CTestCostData.txt"
            costs.parent.mkdir(parents=True, exist_ok=True)
            with open(costs, "w") as out:
                for rank, name in enumerate(ranked):
                    if len(name.split()) == 1:  # CTest reads a name up to its first blank
                        out.write(f"{name} 1 {len(ranked) - rank}\n")
                out.write("---\n")
        status, output = self.run(command, "ctest.log")
        return parse_ctest(output, status)


# "  3/821 Test  #12: Name .......   Passed    0.02 sec" (names may hold blanks and dots).
CTEST_RESULT_RE = re.compile(
    r"^\s*\d+/\d+\s+Test\s+#(\d+):\s(.+)\s\.+\s*(\S.*?)\s+([0-9.]+)\s+sec\s*$")
QUICK_TEST_SECONDS = 2.0
LISTING_FAILED_RE = re.compile(r"Error running test executable\.\s+Path: '([^']*)'\s+Result: (.*)")
# GoogleTest appends a value-parameterised test's parameter, sometimes as raw bytes.
PARAMETER_RE = re.compile(r"\s+# GetParam\(\) = .*")


@dataclass
class TestRun:
    passed: bool
    first_failure: str  # the first failing test's name, "" when all passed
    timed_out: bool
    times: dict  # seconds by test name
    numbers: dict  # CTest's number by test name


def parse_ctest(output, status):
    times, numbers = {}, {}
    first_failure, timed_out = "", False
    for line in output.splitlines():
        m = CTEST_RESULT_RE.match(line)
        if not m:
            continue
        number, name, result, seconds = m.groups()
        times[name], numbers[name] = float(seconds), int(number)
        if result != "Passed" and not first_failure:
            first_failure = PARAMETER_RE.sub("", name)
            timed_out = "Timeout" in result
    if status != 0 and not first_failure:
        # No test reported: a test program could not even list its tests.
        listing = LISTING_FAILED_RE.search(output)
        if listing:
            program, result = Path(listing.group(1)).name, listing.group(2).strip()
            first_failure = f"({program} could not list its tests: {result})"
        else:
            first_failure = f"(ctest failed with exit status {status})"
    return TestRun(status == 0 and not first_failure, first_failure, timed_out, times, numbers)


# --------------------------------------------------------------------------------------------
# One mutant after another.

KILLED = ("killed", "timed out")


@dataclass
class Outcome:
    mutant: Mutant
    status: str  # killed, timed out, survived, did not compile, gone
    detail: str  # the first failing test, or the first compiler error
    placed_at: str  # file:line where it was applied in this tree
    build_seconds: float
    test_seconds: float


def evaluate(scratch, targets, mutant, files, timeout, unmutated, first=""):
    placed = place(scratch.copy, mutant, files)
    if placed is None:
        return Outcome(mutant, "gone", "", "", 0.0, 0.0)
    where = f"{placed.file}:{placed.line}"
    try:
        scratch.write(placed.file, placed.mutated_text)
        started = time.monotonic()
        compiled, error = scratch.compile(targets)
        built = time.monotonic()
        if not compiled:
            return Outcome(mutant, "did not compile", error, where, built - started, 0.0)
        run = scratch.run_tests(timeout, unmutated, first)
        tested = time.monotonic() - built
        if run.passed:
            return Outcome(mutant, "survived", "", where, built - started, tested)
        status = "timed out" if run.timed_out else "killed"
        return Outcome(mutant, status, run.first_failure, where, built - started, tested)
    finally:
        scratch.write(placed.file, placed.original_text)


def describe(index, outcome):
    m = outcome.mutant
    where = outcome.placed_at or m.where()
    text = f"[{index:3}] {outcome.status:15} {where:44} {m.kind:11} {m.change()}"
    if outcome.status in KILLED:
        text += f"  by {outcome.detail}"
    elif outcome.status == "did not compile":
        text += f"  ({outcome.detail[:120]})"
    if outcome.status != "gone":
        text += f"  [{outcome.build_seconds:.0f} s build, {outcome.test_seconds:.0f} s tests]"
    return text


def summarise(outcomes, elapsed):
    count = {status: 0 for status in ("killed", "timed out", "survived", "did not compile",
                                      "gone")}
    for outcome in outcomes:
        count[outcome.status] += 1
    killed = count["killed"] + count["timed out"]
    compiled = killed + count["survived"]
    share = f"{100 * killed / compiled:.0f} %" if compiled else "-"
    print()
    print(f"{compiled} mutants compiled: {killed} killed ({count['timed out']} by a time-out), "
          f"{count['survived']} survived; {share} killed.")
    print(f"{count['did not compile']} did not compile; {count['gone']} gone.")
    spent = sum(o.build_seconds + o.test_seconds for o in outcomes if o.status != "gone")
    if compiled:
        print(f"{elapsed / 60:.1f} min in all; {spent / compiled:.0f} s per mutant that "
              f"compiled (the others' builds included).")
    survivors = [o for o in outcomes if o.status == "survived"]
    if survivors:
        print("Survivors:")
        for o in survivors:
            print(f"  {o.placed_at:44} {o.mutant.kind:11} {o.mutant.change()}")
            print(f"      {o.mutant.line_text.strip()}")


def tree_version(tree):
    head = subprocess.run(["git", "-C", str(tree), "rev-parse", "HEAD"], capture_output=True,
                          text=True)
    if head.returncode != 0:
        return ""
    dirty = subprocess.run(["git", "-C", str(tree), "status", "--porcelain"],
                           capture_output=True, text=True).stdout.strip()
    return head.stdout.strip() + (" with uncommitted changes" if dirty else "")


def save_sample(path, header, mutants):
    data = dict(header, mutants=[asdict(m) for m in mutants])
    write_text(Path(path), json.dumps(data, indent=1) + "\n")


def load_sample(path):
    data = json.loads(read_text(Path(path)))
    return [Mutant(**entry) for entry in data["mutants"]]


RESULT_FIELDS = ["status", "file", "line", "placed_at", "kind", "original", "replacement",
                 "detail", "build_seconds", "test_seconds", "line_text"]


def save_results(path, header, outcomes):
    rows = []
    for o in outcomes:
        row = asdict(o.mutant)
        row.update(status=o.status, placed_at=o.placed_at, detail=o.detail,
                   build_seconds=round(o.build_seconds, 1),
                   test_seconds=round(o.test_seconds, 1))
        rows.append({field: row[field] for field in RESULT_FIELDS})
    if str(path).endswith(".json"):
        write_text(Path(path), json.dumps(dict(header, results=rows), indent=1) + "\n")
        return
    lines = ["\t".join(RESULT_FIELDS)]
    for row in rows:
        cells = (str(row[f]).replace("\t", " ").replace("\n", " ") for f in RESULT_FIELDS)
        lines.append("\t".join(cells))
    write_text(Path(path), "\n".join(lines) + "\n")


def mutant_key(file, kind, original, replacement, line_text):
    return (Path(file).name, kind, original, replacement, line_text.strip())


def load_killers(path):
    """The test that killed each mutant in an earlier run's results (TSV or JSON)."""
    text = read_text(Path(path))
    if str(path).endswith(".json"):
        rows = json.loads(text)["results"]
    else:
        lines = text.rstrip("\n").split("\n")
        rows = [dict(zip(lines[0].split("\t"), line.split("\t"))) for line in lines[1:]]
    return {mutant_key(r["file"], r["kind"], r["original"], r["replacement"], r["line_text"]):
            r["detail"] for r in rows if r["status"] in KILLED}


def main():
    parser = argparse.ArgumentParser(
        description="Mutation check of the portable product code against the native tests.")
    parser.add_argument("--seed", type=int, default=1, help="seed of the draw (default 1)")
    parser.add_argument("--size", type=int, default=20,
                        help="how many mutants that compile to evaluate (default 20)")
    parser.add_argument("--sample", metavar="FILE",
                        help="replay the mutants saved in FILE instead of drawing")
    parser.add_argument("--save-sample", metavar="FILE", help="save the drawn mutants to FILE")
    parser.add_argument("--results", metavar="FILE",
                        help="write each mutant's outcome to FILE (JSON if it ends in .json, "
                             "else tab-separated)")
    parser.add_argument("--tree", metavar="DIR", help="the checkout to test (default: this one)")
    parser.add_argument("--scratch", metavar="DIR",
                        help="where the copy and its build live (default TREE/build/mutation)")
    parser.add_argument("--killers", metavar="FILE", action="append", default=[],
                        help="an earlier run's results: the test that killed a mutant there "
                             "runs first here (only the order changes, not the outcome); "
                             "may be given more than once")
    parser.add_argument("--jobs", type=int, default=2, help="build and test jobs (default 2)")
    parser.add_argument("--timeout", type=int,
                        help="seconds one test may take (default: three times the slowest "
                             "test of the unmutated run, at least 60)")
    parser.add_argument("--list", action="store_true",
                        help="only list the first SIZE mutants of the draw, build nothing")
    parser.add_argument("--self-test", action="store_true",
                        help="check the mutation operators on snippets and exit")
    args = parser.parse_args()
    if args.self_test:
        return self_test()

    started = time.monotonic()
    tree = Path(args.tree).resolve() if args.tree else SCRIPT_TREE
    scratch = Scratch(tree, Path(args.scratch) if args.scratch else tree / "build" / "mutation",
                      args.jobs)
    print(f"Copying {tree} to {scratch.copy} ...", flush=True)
    scratch.refresh()
    scratch.configure()
    files = product_files(scratch.copy, scratch.build)
    header = {"tree": str(tree), "version": tree_version(tree)}
    if args.sample:
        drawn = load_sample(args.sample)
        wanted = None
        header.update(replayed=str(args.sample))
        print(f"Replaying {len(drawn)} mutants from {args.sample}.")
    else:
        candidates = all_candidates(scratch.copy, files)
        kinds = {}
        for c in candidates:
            kinds[c.kind] = kinds.get(c.kind, 0) + 1
        print(f"{len(candidates)} candidate mutants in {len(files)} files: "
              + ", ".join(f"{n} {kind}" for kind, n in sorted(kinds.items())))
        drawn = list(candidates)
        random.Random(args.seed).shuffle(drawn)
        wanted = args.size
        header.update(seed=args.seed, size=args.size)
        if args.list:
            for index, m in enumerate(drawn[: args.size], 1):
                print(f"[{index:3}] {m.where():44} {m.kind:11} {m.change()}")
            return 0

    targets = scratch.test_targets()
    print(f"Building {', '.join(targets)} (a first build takes long; its output is in "
          f"{scratch.logs / 'build.log'}) ...", flush=True)
    compiled, error = scratch.compile(targets)
    if not compiled:
        raise SystemExit(f"the unmutated copy does not build: {error} (see {scratch.logs})")
    baseline = scratch.run_tests(timeout=3600)
    if not baseline.passed:
        raise SystemExit(f"the unmutated copy fails {baseline.first_failure}: a mutation check "
                         f"needs passing tests (see {scratch.logs / 'ctest.log'})")
    timeout = args.timeout or max(60, round(3 * max(baseline.times.values(), default=0)))
    print(f"{len(baseline.times)} tests pass unmutated in "
          f"{time.monotonic() - started:.0f} s from the start; each test may take {timeout} s.",
          flush=True)

    killers = {}
    for path in args.killers:
        killers.update(load_killers(path))
    outcomes = []
    compiled_count = 0
    try:
        for mutant in drawn:
            if wanted is not None and compiled_count >= wanted:
                break
            first = killers.get(mutant_key(mutant.file, mutant.kind, mutant.original,
                                           mutant.replacement, mutant.line_text), "")
            outcome = evaluate(scratch, targets, mutant, files, timeout, baseline, first)
            outcomes.append(outcome)
            if outcome.status not in ("did not compile", "gone"):
                compiled_count += 1
            print(describe(len(outcomes), outcome), flush=True)
            if args.save_sample:
                save_sample(args.save_sample, header, [o.mutant for o in outcomes])
            if args.results:
                save_results(args.results, header, outcomes)
    except KeyboardInterrupt:
        print("\nInterrupted; the scratch copy is restored.")
    summarise(outcomes, time.monotonic() - started)
    return 0


# --------------------------------------------------------------------------------------------

SELF_TEST_SOURCE = """\
#include <array>
// a < b && c in a comment
bool Less(int a, int b) {
    const char* s = "x < y && z";
    std::array<int, 4> values{};
    if (a < b && values.size() >= 4u) {
        Note(a, '<');
        return true;
    }
    obj->Touch();
    int c = Compute(a);
    return a == b;
}
int Twice(int x) {
    return x << 1'0;
}
static_assert(sizeof(int) >= 4);
#ifdef _WIN32
bool Windows() { return 1 < 2; }
#else
bool Posix() { return true; }
#endif
"""

SELF_TEST_EXPECTED = [
    (5, "constant", "4", "5"),
    (6, "relational", "<", "<="),
    (6, "logical", "&&", "||"),
    (6, "relational", ">=", ">"),
    (6, "constant", "4u", "5u"),
    (7, "delete-call", "Note(a, '<');", ""),
    (8, "return-bool", "true", "false"),
    (10, "delete-call", "obj->Touch();", ""),
    (12, "return-bool", "a == b", "!(a == b)"),
    (12, "relational", "==", "!="),
    (15, "constant", "1'0", "11"),
    (21, "return-bool", "true", "false"),
]


def self_test():
    found = [(m.line, m.kind, m.original, m.replacement)
             for m in mutants_of("x.cpp", SELF_TEST_SOURCE)]
    problems = []
    if found != SELF_TEST_EXPECTED:
        problems.append(f"mutants of the snippet: {found}")
    # Replaying on a refactored file: the line moved down and was indented further.
    mutant = next(m for m in mutants_of("x.cpp", SELF_TEST_SOURCE) if m.kind == "logical")
    refactored = "// moved\n" + SELF_TEST_SOURCE.replace("    if (a < b", "        if (a < b")
    folder = Path(os.environ.get("TMPDIR", "/tmp")) / f"mutation-self-test-{os.getpid()}"
    folder.mkdir()
    try:
        write_text(folder / "x.cpp", refactored)
        placed = place(folder, mutant, ["x.cpp"])
        if placed is None or placed.line != 7 or "if (a < b || values" not in placed.mutated_text:
            problems.append(f"replay on a refactored file: {placed}")
        mutant.line_text = "gone();"
        if place(folder, mutant, ["x.cpp"]) is not None:
            problems.append("a mutant whose line is gone was placed")
    finally:
        shutil.rmtree(folder)
    for problem in problems:
        print(f"self-test failed: {problem}")
    print("self-test " + ("failed" if problems else "passed"))
    return 1 if problems else 0


def interrupted(signum, frame):
    raise KeyboardInterrupt


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, interrupted)  # like Ctrl-C: the scratch file is restored
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit("interrupted")
