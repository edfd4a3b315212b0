#!/usr/bin/env bash
# Assembles each benchmark program and reports its user time (best of 3 runs).
# Usage: bench/run_programs.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for source in "$root"/bench/programs/*.asm; do
    name="$(basename "$source" .asm)"
    "$build/tools/tvkasm" -o "$work/$name.tvk" "$source"
    best=""
    for _ in 1 2 3; do
        t="$( { /usr/bin/time -f '%U' "$build/src/driver/tarvik" --exec "$work/$name.tvk" >/dev/null; } 2>&1 | tail -1)"
        if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best="$t"; fi
    done
    printf '%-10s %6ss\n' "$name" "$best"
done
