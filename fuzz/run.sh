#!/usr/bin/env bash
# Runs every fuzz target for SECONDS on its corpus; fails on the first finding.
#
#   fuzz/run.sh BUILD_DIR SECONDS
#
# Seeds: every golden case assembled with the build's tvkasm (not for the code
# target), plus the committed regression inputs (fuzz/regression/<target>/, findings
# that were fixed). New inputs found
# along the way stay in BUILD_DIR/fuzz/corpus/<target> for the next run; findings
# land in BUILD_DIR/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=${2:-60}
work=$build/fuzz
mkdir -p "$work/seeds" "$work/findings"

# Golden cases that do not assemble on purpose simply contribute no seed.
find tests/golden -name '*.asm' | while read -r case; do
  name=$(echo "${case#tests/golden/}" | tr / _)
  out="$work/seeds/${name%.asm}.tvk"
  [ "$out" -nt "$case" ] || "$build/tools/tvkasm" -o "$out" "$case" 2>/dev/null || true
done

# The dictionary: magic values, then each opcode with zeroed operands.
dict=$work/tarvik.dict
cp fuzz/magic.dict "$dict"
sed -nE 's/^OPCODE\(0x(..), OP_([A-Z0-9_]+), ([0-9]+),.*/\1 \2 \3/p' src/engine/opcodes.def |
  while read -r code name length; do
    entry="\\x$code"
    for ((i = 1; i < length; i++)); do entry+="\\x00"; done
    echo "op_${name,,}=\"$entry\"" >> "$dict"
  done

status=0
for target in load run code; do
  corpus=$work/corpus/$target
  mkdir -p "$corpus"
  seeds=$work/seeds
  [ "$target" != code ] || seeds=  # its inputs are bare code: packages make poor seeds
  regression=fuzz/regression/$target
  [ -d "$regression" ] || regression=
  echo "== fuzz_$target: $seconds s"
  # stdout and stderr of the VM are closed (-close_fd_mask=3); sanitizer reports and
  # libFuzzer's own lines still arrive. Standard input is empty: no script waits on it.
  # A script may allocate just under 2 GiB at once; only more counts as a finding.
  if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -malloc_limit_mb=2200 \
       -max_len=65536 -close_fd_mask=3 -print_final_stats=1 -dict="$dict" \
       -artifact_prefix="$work/findings/${target}-" \
       "$corpus" $seeds $regression < /dev/null 2> "$work/$target.log"; then
    status=1
    tail -60 "$work/$target.log"
    echo "fuzz_$target: FINDING (inputs in $work/findings/)"
  fi
  grep -E "^#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::peak_rss" "$work/$target.log" || true
done
exit $status
