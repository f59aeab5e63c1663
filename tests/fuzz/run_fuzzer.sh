#!/usr/bin/env bash
# Runs one fuzzer for a bounded time, starting from the committed seeds. The
# corpus it grows and any crashing input stay in the build tree.
# Usage: run_fuzzer.sh FUZZER SEED_DIR WORK_DIR SECONDS
set -euo pipefail
fuzzer=$1 seeds=$2 work=$3 seconds=$4

rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
cp "$seeds"/* "$work/corpus/"
# Paths longer than 512 bytes add no new branch, only quadratic time.
exec "$fuzzer" -max_total_time="$seconds" -max_len=512 -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$work/corpus"
