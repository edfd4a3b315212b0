#!/usr/bin/env python3
"""I/O throughput of the VM: a file copied through two streams (bench/io/copy.asm)
and a loopback echo of 64-byte messages between two fibers (bench/io/echo.asm).

Each program runs at a small and a large size, ROUNDS times each; throughput comes
from the difference of the median wall times, so start-up and shutdown cancel out.
The copy is checked byte for byte and set beside dd with the same 64 KiB blocks.

Usage: bench/io.py [--build DIR] [--rounds N]
"""
import argparse
import filecmp
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MIB = 1 << 20


def wall(cmd, cwd, expect):
    start = time.perf_counter()
    proc = subprocess.run(cmd, cwd=cwd, capture_output=True, text=True)
    seconds = time.perf_counter() - start
    if proc.returncode != 0 or (expect and expect not in proc.stdout):
        raise RuntimeError(f"{' '.join(cmd)}: status {proc.returncode}, output {proc.stdout!r} {proc.stderr!r}")
    return seconds


def median_wall(cmd, cwd, rounds, expect=None):
    return statistics.median(wall(cmd, cwd, expect) for _ in range(rounds))


def assemble(build, source, work, name, count=None):
    text = open(os.path.join(ROOT, "bench", "io", source)).read()
    if count is not None:
        text = text.replace("COUNT", str(count))
    asm, tvk = os.path.join(work, name + ".asm"), os.path.join(work, name + ".tvk")
    open(asm, "w").write(text)
    subprocess.run([os.path.join(build, "tools", "tvkasm"), "-o", tvk, asm], check=True)
    return tvk


def copy_rates(tarvik, build, work, rounds):
    package = assemble(build, "copy.asm", work, "copy")
    times = {}
    for size in (16 * MIB, 256 * MIB):
        with open(os.path.join(work, "src.bin"), "wb") as f:
            f.write(os.urandom(size))
        times[size] = (
            median_wall([tarvik, "--exec", package], work, rounds, f"copied {size}"),
            median_wall(["dd", "if=src.bin", "of=dst.bin", "bs=64K", "status=none"], work, rounds),
        )
        if not filecmp.cmp(os.path.join(work, "src.bin"), os.path.join(work, "dst.bin"), shallow=False):
            raise RuntimeError("the copy differs from its source")
    span = (256 - 16) * MIB
    return [span / MIB / (times[256 * MIB][i] - times[16 * MIB][i]) for i in range(2)]


def echo_rate(tarvik, build, work, rounds):
    small, large = 2000, 50000
    t = {n: median_wall([tarvik, "--exec", assemble(build, "echo.asm", work, f"echo{n}", n)], work, rounds,
                        f"round trips {n}") for n in (small, large)}
    return (large - small) / (t[large] - t[small])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()
    tarvik = os.path.join(args.build, "src", "driver", "tarvik")
    with tempfile.TemporaryDirectory() as work:
        ours, dd = copy_rates(tarvik, args.build, work, args.rounds)
        print(f"file copy, 64 KiB pieces:  tarvik {ours:8.0f} MiB/s   dd {dd:8.0f} MiB/s   ratio {ours / dd:5.2f}")
        rate = echo_rate(tarvik, args.build, work, args.rounds)
        print(f"loopback echo, 64 bytes:   {rate:8.0f} round trips/s ({rate * 128 / MIB:.1f} MiB/s both ways)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
