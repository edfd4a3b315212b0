#!/usr/bin/env python3
"""Golden-test runner: assembles tests/golden/<area>/<case>.asm with tvkasm, runs
tarvik on the package and compares stdout, stderr and the exit status with the
expectations written in the case's header (docs/assembly.md, section 9). Every
package must also survive a tvkdis -> tvkasm round trip byte for byte, and a case
run the usual way (--exec, without --mem of its own) runs a second time with --mem:
that run must end with the same status and report no leak.

  run_golden.py --tarvik T --tvkasm A --tvkdis D [--bless] [--keep] CASE_OR_DIR...

--bless rewrites the expect lines of each case from the actual output; it is a
deliberate step whose result gets reviewed like any other change.
"""
import argparse
import difflib
import os
import pty
import re
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import tty
from pathlib import Path

GOLDEN_DIR = Path(__file__).resolve().parent
REPO_DIR = GOLDEN_DIR.parent.parent
RUN_TIMEOUT_S = 10
TOOL_TIMEOUT_S = 60

REPEATABLE = {"stdin", "expect-stdout", "expect-stderr", "expect-stdout-re", "expect-stderr-re",
              "expect-file", "env", "env-unset", "setup-file", "setup-dir", "patch-output"}
SINGLE = {"run", "args", "cmd", "asm", "expect-exit", "expect-stdout-noeol",
          "expect-stderr-noeol", "stdin-package", "stdin-bytes", "embed", "tty", "signal"}
BLESSED_KEYS = {"expect-stdout", "expect-stderr", "expect-stdout-re", "expect-stderr-re", "expect-exit",
                "expect-stdout-noeol", "expect-stderr-noeol"}
KEY_LINE = re.compile(r"^; ([a-z][a-z0-9-]*):(.*)$")  # other comment lines are free text


class CaseError(Exception):
    """A case file that the runner cannot use, or a tool that failed on it."""


class RoundTripError(Exception):
    """tvkdis followed by tvkasm did not reproduce the package."""


def text(data):
    return data.decode("utf-8", errors="surrogateescape")


def parse_header(lines):
    """Returns (keys, header_length): keys maps each key to its list of values."""
    keys = {}
    count = 0
    for line in lines:
        if not line.startswith(";"):
            break
        count += 1
        match = KEY_LINE.match(line.rstrip("\n"))
        if not match:
            continue
        key, value = match.group(1), match.group(2)
        value = value[1:] if value.startswith(" ") else value
        if key not in REPEATABLE and key not in SINGLE:
            raise CaseError(f"unknown header key '{key}:'")  # most likely a typo
        if key in SINGLE and key in keys:
            raise CaseError(f"header key '{key}:' given twice")
        if key.endswith("-re"):  # a line matched as a regular expression, kept in line order
            key, value = key[:-3], re.compile(value)
        keys.setdefault(key, []).append(value)
    return keys, count


def unescape(value):
    """Decodes \\t \\r \\n \\\\ and \\xHH in setup-file contents."""
    simple = {"t": "\t", "r": "\r", "n": "\n", "\\": "\\"}
    out, i = [], 0
    while i < len(value):
        ch = value[i]
        if ch == "\\" and i + 1 < len(value):
            nxt = value[i + 1]
            if nxt in simple:
                out.append(simple[nxt])
                i += 2
                continue
            if nxt == "x" and re.fullmatch(r"[0-9a-fA-F]{2}", value[i + 2:i + 4]):
                out.append(chr(int(value[i + 2:i + 4], 16)))
                i += 4
                continue
        out.append(ch)
        i += 1
    return "".join(out)


class Case:
    def __init__(self, path, tools, tmp):
        self.path = path
        self.tools = tools
        self.tmp = Path(tmp)
        self.lines = path.read_text(encoding="utf-8", errors="surrogateescape").splitlines(keepends=True)
        self.keys, self.header_length = parse_header(self.lines)
        self.package = self.tmp / (path.stem + ".tvk")
        self.places = {"{tmp}": str(self.tmp), "{pkg}": str(self.package), "{keys}": str(GOLDEN_DIR / "keys")}

    def one(self, key, default=None):
        return self.keys.get(key, [default])[0]

    def expand(self, value):
        for name, replacement in self.places.items():
            value = value.replace(name, replacement)
        return value

    def words(self, key):
        return [self.expand(w) for w in shlex.split(self.one(key, ""))]

    def tool(self, argv, what):
        result = subprocess.run(argv, cwd=REPO_DIR, capture_output=True, timeout=TOOL_TIMEOUT_S)
        if result.returncode != 0:
            raise CaseError(f"{what} failed ({result.returncode}): {' '.join(argv)}\n{text(result.stderr)}")

    def assemble(self):
        asm_options = self.words("asm")
        self.tool([self.tools.tvkasm, *asm_options, "-o", str(self.package), str(self.path)], "tvkasm")
        self.check_round_trip()
        run_file = self.package
        if self.one("embed") == "yes":
            run_file = self.tmp / "embedded"
            self.tool([self.tools.tvkasm, *asm_options, "--embed", self.tools.tarvik, "-o", str(run_file),
                       str(self.path)], "tvkasm --embed")
        for patch in self.keys.get("patch-output", []):
            offset, hex_bytes = patch.split(None, 1)
            data = bytearray(run_file.read_bytes())
            at = int(offset, 0)
            at = at + len(data) if at < 0 else at
            new = bytes.fromhex(hex_bytes)
            if at < 0 or at + len(new) > len(data):
                raise CaseError(f"patch-output {patch} lies outside the file")
            data[at:at + len(new)] = new
            run_file.write_bytes(bytes(data))
        return run_file

    def check_round_trip(self):
        source = self.tmp / "roundtrip.asm"
        again = self.tmp / "roundtrip.tvk"
        self.tool([self.tools.tvkdis, "-o", str(source), str(self.package)], "tvkdis")
        self.tool([self.tools.tvkasm, "-o", str(again), str(source)], "tvkasm of the disassembly")
        original, rebuilt = self.package.read_bytes(), again.read_bytes()
        if original != rebuilt:
            at = next((i for i, (a, b) in enumerate(zip(original, rebuilt)) if a != b), min(len(original), len(rebuilt)))
            raise RoundTripError(f"tvkdis -> tvkasm changed the package: {len(original)} -> {len(rebuilt)} bytes, "
                                 f"first difference at offset {at}")
        source.unlink()
        again.unlink()

    def setup(self):
        (self.tmp / "home").mkdir()
        for value in self.keys.get("setup-dir", []):
            (self.tmp / self.expand(value)).mkdir(parents=True, exist_ok=True)
        for value in self.keys.get("setup-file", []):
            name, _, content = value.partition(" ")
            target = self.tmp / self.expand(name)
            target.parent.mkdir(parents=True, exist_ok=True)
            with open(target, "ab") as f:
                f.write((unescape(self.expand(content)) + "\n").encode("utf-8", errors="surrogateescape"))

    def environment(self):
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": str(self.tmp / "home")}
        # Every run also checks that the VM leaves no descriptor or thread behind.
        env["TARVIK_EXIT_AUDIT"] = "1"
        env.update({k: v for k, v in os.environ.items() if k.split("_")[0] in ("ASAN", "UBSAN", "LSAN")})
        for value in self.keys.get("env", []):
            name, _, content = value.partition("=")
            env[name] = self.expand(content)
        for name in self.keys.get("env-unset", []):
            env.pop(name.strip(), None)
        return env

    def command(self, run_file):
        embedded = self.one("embed") == "yes"
        program = str(run_file) if embedded else self.tools.tarvik
        if "cmd" in self.keys:
            if "run" in self.keys or "args" in self.keys:
                raise CaseError("cmd: replaces run: and args:, do not combine them")
            return [program, *self.words("cmd")]
        if embedded:
            if "run" in self.keys or "stdin-package" in self.keys:
                raise CaseError("an embedded package takes only args: (or cmd:)")
            return [program, *self.words("args")]
        source = "-" if self.one("stdin-package") == "yes" else str(run_file)
        return [program, *self.words("run"), "--exec", source, *self.words("args")]

    def stdin(self, run_file):
        if self.one("stdin-package") == "yes":
            return run_file.read_bytes()
        if "stdin-bytes" in self.keys:
            parts = self.one("stdin-bytes").split()
            fill = int(parts[1], 0) if len(parts) > 1 else 0
            return bytes([fill]) * int(parts[0], 0)
        return "".join(line + "\n" for line in self.keys.get("stdin", [])).encode()

    def expected(self, stream, got):
        """The expected text; a pattern line stands for the actual line it matches."""
        got_lines = got.split("\n")
        out = []
        for i, want in enumerate(self.keys.get(f"expect-{stream}", [])):
            if isinstance(want, re.Pattern):
                matched = i < len(got_lines) and want.fullmatch(got_lines[i])
                want = got_lines[i] if matched else f"/{want.pattern}/"
            out.append(want + "\n")
        return "".join(out) + self.one(f"expect-{stream}-noeol", "")

    def file_problems(self):
        wanted = {}
        for value in self.keys.get("expect-file", []):
            name, _, content = value.partition(" ")
            wanted[name] = wanted.get(name, "") + unescape(content) + "\n"
        problems = []
        for name, want in wanted.items():
            target = self.tmp / self.expand(name)
            got = text(target.read_bytes()).replace(str(self.tmp), "{tmp}") if target.is_file() else "(missing)\n"
            if got != want:
                diff = difflib.unified_diff(want.splitlines(keepends=True), got.splitlines(keepends=True),
                                            f"expected {name}", f"actual {name}")
                problems.append("".join(diff))
        return problems

    def run(self):
        self.setup()
        run_file = self.assemble()
        self.run_file = run_file
        argv = self.command(run_file)
        terminals = self.one("tty", "").split()
        if any(t not in ("stdout", "stderr") for t in terminals):
            raise CaseError("tty: names stdout and/or stderr")
        send = self.signal_to_send()
        if send and terminals:
            raise CaseError("signal: SIGNAME LINE (not with tty:)")
        try:
            stdout, stderr, status = run_process(argv, self.tmp, self.environment(), self.stdin(run_file), terminals,
                                                 send)
        except subprocess.TimeoutExpired:
            return None, f"tarvik did not finish within {RUN_TIMEOUT_S} s: {shlex.join(argv)}"
        normalise = lambda data: text(data).replace(str(self.tmp), "{tmp}").replace("\x1b", "{esc}")
        return (normalise(stdout), normalise(stderr), status), None

    def signal_to_send(self):
        """(signal number, trigger line) from the signal: header, or None."""
        signal_name, _, trigger = self.one("signal", "").partition(" ")
        if not signal_name:
            return None
        if not signal_name.startswith("SIG") or not hasattr(signal, signal_name) or not trigger:
            raise CaseError("signal: SIGNAME LINE (not with tty:)")
        return (getattr(signal, signal_name), trigger)

    def leak_problems(self, run_file, status):
        """Runs the case again with --mem; a leak report or another status is a problem."""
        argv = self.command(run_file)
        if "cmd" in self.keys or self.one("embed") == "yes" or "--mem" in argv or "tty" in self.keys:
            return []
        argv.insert(1, "--mem")
        try:
            stdout, stderr, mem_status = run_process(argv, self.tmp, self.environment(), self.stdin(run_file), [],
                                                     self.signal_to_send())
        except subprocess.TimeoutExpired:
            return [f"the --mem run did not finish within {RUN_TIMEOUT_S} s\n"]
        leaks = [line for line in text(stdout + stderr).splitlines() if line.startswith("Leak:") or "leaked" in line]
        if mem_status != status or leaks:
            return [f"with --mem: exit status {describe_exit(mem_status)} (expected {describe_exit(status)})\n"
                    + "".join(line + "\n" for line in leaks[:10])]
        return []


def run_process(argv, cwd, env, stdin_bytes, terminals, send=None):
    """Runs argv; the streams named in terminals write to a pseudo-terminal of their own.
    send = (signal number, line): the signal goes to the process once its standard
    output has produced that line."""
    if send:
        return run_signalled(argv, cwd, env, stdin_bytes, send)
    ptys = {name: pty.openpty() for name in terminals}
    for _, follower in ptys.values():
        tty.setraw(follower)  # no output processing: the bytes arrive exactly as written
    target = lambda name: ptys[name][1] if name in ptys else subprocess.PIPE
    proc = subprocess.Popen(argv, cwd=cwd, env=env, stdin=subprocess.PIPE, stdout=target("stdout"),
                            stderr=target("stderr"))
    captured = {}

    def drain(name, leader):
        chunks = []
        while True:
            try:
                chunk = os.read(leader, 65536)
            except OSError:  # EIO once the last writer has closed the terminal
                chunk = b""
            if not chunk:
                break
            chunks.append(chunk)
        captured[name] = b"".join(chunks)
        os.close(leader)

    threads = []
    for name, (leader, follower) in ptys.items():
        os.close(follower)
        threads.append(threading.Thread(target=drain, args=(name, leader), daemon=True))
        threads[-1].start()
    try:
        stdout, stderr = proc.communicate(stdin_bytes, timeout=RUN_TIMEOUT_S)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.communicate()
        raise
    for thread in threads:
        thread.join(RUN_TIMEOUT_S)
    return captured.get("stdout", stdout), captured.get("stderr", stderr), proc.returncode


def run_signalled(argv, cwd, env, stdin_bytes, send):
    number, trigger = send
    proc = subprocess.Popen(argv, cwd=cwd, env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE)
    captured = {}

    def drain_stderr():
        captured["stderr"] = proc.stderr.read()

    def watch_stdout():
        lines, sent = [], False
        for line in iter(proc.stdout.readline, b""):
            lines.append(line)
            if not sent and text(line).rstrip("\n") == trigger:
                proc.send_signal(number)
                sent = True
        captured["stdout"] = b"".join(lines)

    threads = [threading.Thread(target=fn, daemon=True) for fn in (drain_stderr, watch_stdout)]
    for thread in threads:
        thread.start()
    try:
        proc.stdin.write(stdin_bytes or b"")
        proc.stdin.close()
    except BrokenPipeError:
        pass
    try:
        proc.wait(timeout=RUN_TIMEOUT_S)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
        raise
    for thread in threads:
        thread.join(RUN_TIMEOUT_S)
    return captured.get("stdout", b""), captured.get("stderr", b""), proc.returncode


def describe_exit(status):
    return f"killed by signal {-status}" if status < 0 else str(status)


def compare(case, actual):
    stdout, stderr, status = actual
    problems = []
    for stream, got in (("stdout", stdout), ("stderr", stderr)):
        want = case.expected(stream, got)
        if want != got:
            diff = difflib.unified_diff(want.splitlines(keepends=True), got.splitlines(keepends=True),
                                        f"expected {stream}", f"actual {stream}")
            problems.append("".join(l if l.endswith("\n") else l + "\\ (no line feed)\n" for l in diff))
    want_exit = int(case.one("expect-exit", "0"))
    if want_exit != status:
        problems.append(f"exit status: expected {want_exit}, actual {describe_exit(status)}\n")
    return problems + case.file_problems()


def bless(case, actual):
    stdout, stderr, status = actual
    new = []
    for stream, got in (("stdout", stdout), ("stderr", stderr)):
        pieces = got.split("\n")
        old = case.keys.get(f"expect-{stream}", [])
        for i, piece in enumerate(pieces[:-1]):
            if i < len(old) and isinstance(old[i], re.Pattern) and old[i].fullmatch(piece):
                new.append(f"; expect-{stream}-re: {old[i].pattern}\n")
            else:
                new.append(f"; expect-{stream}: {piece}\n" if piece else f"; expect-{stream}:\n")
        if pieces[-1]:
            new.append(f"; expect-{stream}-noeol: {pieces[-1]}\n")
    new.append(f"; expect-exit: {status}\n")
    header = case.lines[:case.header_length]
    kept, insert_at = [], None
    for line in header:
        match = KEY_LINE.match(line.rstrip("\n"))
        if match and match.group(1) in BLESSED_KEYS:
            insert_at = len(kept) if insert_at is None else insert_at
            continue
        kept.append(line)
    insert_at = len(kept) if insert_at is None else insert_at
    lines = kept[:insert_at] + new + kept[insert_at:] + case.lines[case.header_length:]
    case.path.write_text("".join(lines), encoding="utf-8", errors="surrogateescape")


def run_case(path, tools, options):
    tmp = tempfile.mkdtemp(prefix="tarvik-golden-")
    try:
        case = Case(path, tools, tmp)
        actual, failure = case.run()
        if failure:
            return [failure + "\n"]
        if options.bless:
            bless(case, actual)
            return []
        return compare(case, actual) + case.leak_problems(case.run_file, actual[2])
    except (CaseError, RoundTripError, subprocess.TimeoutExpired, ValueError) as e:
        return [f"{type(e).__name__}: {e}\n"]
    finally:
        if options.keep:
            print(f"kept {tmp}")
        else:
            shutil.rmtree(tmp, ignore_errors=True)


def collect(targets):
    paths = []
    for target in targets or [str(GOLDEN_DIR)]:
        p = Path(target).resolve()
        paths += sorted(p.rglob("*.asm")) if p.is_dir() else [p]
    return paths


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tarvik", required=True)
    parser.add_argument("--tvkasm", required=True)
    parser.add_argument("--tvkdis", required=True)
    parser.add_argument("--bless", action="store_true", help="rewrite the expect lines from the actual output")
    parser.add_argument("--keep", action="store_true", help="keep each case's temporary directory")
    parser.add_argument("cases", nargs="*", help="case files or directories (default: all golden cases)")
    options = parser.parse_args()
    tools = argparse.Namespace(**{k: str(Path(getattr(options, k)).resolve()) for k in ("tarvik", "tvkasm", "tvkdis")})
    failed = 0
    for path in collect(options.cases):
        name = path.relative_to(GOLDEN_DIR).with_suffix("") if path.is_relative_to(GOLDEN_DIR) else path
        problems = run_case(path, tools, options)
        print(f"{'FAIL' if problems else ('BLESSED' if options.bless else 'ok')}  {name}")
        for problem in problems:
            sys.stdout.write(problem)
        failed += bool(problems)
    if failed:
        print(f"{failed} golden case(s) failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
