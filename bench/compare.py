#!/usr/bin/env python3
"""Runs each program of bench/programs beside its reference twin and prints a table.

Per program: one warm-up round, then PAIRS rounds in which the VM and the two
reference interpreters run back to back (the order alternates from round to round).
Only ratios taken within one round are compared: this machine drifts in speed for
minutes at a time, so absolute seconds from different runs mean little.

Usage: bench/compare.py [--build DIR] [--pairs N] [--lua DIR] [NAME...]
"""
import argparse
import math
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def run(cmd):
    """Runs cmd; returns (wall seconds, peak RSS in KiB, stdout). The peak comes from
    /usr/bin/time: a child forked from this interpreter would report at least the
    interpreter's own resident size."""
    with tempfile.NamedTemporaryFile() as peak:
        start = time.perf_counter()
        proc = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", peak.name] + cmd, capture_output=True)
        wall = time.perf_counter() - start
        if proc.returncode != 0:
            raise RuntimeError(f"{' '.join(cmd)} exited with {proc.returncode}: {proc.stderr.decode(errors='replace')}")
        return wall, int(open(peak.name).read().split()[-1]), proc.stdout.decode(errors="replace")


def same_checksums(ours, theirs):
    """True when the checksum lines agree. Where the reference prints a value with d
    decimals, ours may be that value rounded to d decimals, or the integer
    round(value * 10**d) (the form a program prints without a float formatter)."""
    a, b = ours.split(), theirs.split()
    if len(a) != len(b):
        return False
    for x, y in zip(a, b):
        if x == y:
            continue
        if "." not in y:
            return False
        decimals = len(y.split(".")[1])
        try:
            if "." in x or "e" in x:
                if round(float(x), decimals) != float(y):
                    return False
            elif int(x) != round(float(y) * 10**decimals):
                return False
        except ValueError:
            return False
    return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--pairs", type=int, default=5)
    parser.add_argument("--lua", default=os.path.join(ROOT, "..", "shared", "bench", "lua"))
    parser.add_argument("names", nargs="*")
    args = parser.parse_args()

    tarvik = os.path.join(args.build, "src", "driver", "tarvik")
    tvkasm = os.path.join(args.build, "tools", "tvkasm")
    programs = sorted(f[:-4] for f in os.listdir(os.path.join(ROOT, "bench", "programs")) if f.endswith(".asm"))
    names = args.names or [p for p in programs if os.path.exists(os.path.join(args.lua, p + ".lua"))]

    rows, failed = [], False
    with tempfile.TemporaryDirectory() as work:
        for name in names:
            package = os.path.join(work, name + ".tvk")
            subprocess.run([tvkasm, "-o", package, os.path.join(ROOT, "bench", "programs", name + ".asm")], check=True)
            script = os.path.join(args.lua, name + ".lua")
            commands = [[tarvik, "--exec", package], ["lua5.4", script], ["luajit", "-joff", script]]
            outputs = [run(c)[2].strip() for c in commands]  # warm-up
            if not all(same_checksums(outputs[0], o) for o in outputs[1:]):
                print(f"{name}: checksums differ: {outputs}", file=sys.stderr)
                failed = True
                continue
            times, rss = [[], [], []], [0, 0, 0]
            for round_ in range(args.pairs):
                order = range(3) if round_ % 2 == 0 else reversed(range(3))
                for i in order:
                    wall, peak, _ = run(commands[i])
                    times[i].append(wall)
                    rss[i] = max(rss[i], peak)
            lua_ratio = statistics.median(t / l for t, l in zip(times[0], times[1]))
            jit_ratio = statistics.median(t / l for t, l in zip(times[0], times[2]))
            rows.append((name, [statistics.median(t) for t in times], lua_ratio, jit_ratio, rss))
            print(f"  {name}: done", file=sys.stderr, flush=True)

    print(f"{'program':<11} {'tarvik s':>9} {'lua5.4 s':>9} {'luajit s':>9} {'/lua5.4':>8} {'/luajit':>8}"
          f" {'RSS MiB tarvik':>15} {'lua5.4':>7} {'luajit':>7}")
    for name, medians, lua_ratio, jit_ratio, rss in rows:
        mib = [r / 1024 for r in rss]
        print(f"{name:<11} {medians[0]:9.3f} {medians[1]:9.3f} {medians[2]:9.3f} {lua_ratio:8.2f} {jit_ratio:8.2f}"
              f" {mib[0]:15.1f} {mib[1]:7.1f} {mib[2]:7.1f}")
    if rows:
        geo = lambda xs: math.exp(sum(math.log(x) for x in xs) / len(xs))
        print(f"{'geomean':<11} {'':>29} {geo([r[2] for r in rows]):8.2f} {geo([r[3] for r in rows]):8.2f}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
