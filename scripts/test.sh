#!/usr/bin/env bash
# Installs whatever is missing, builds everything and runs all tests: the core
# natively (plain, under the sanitizers and under libFuzzer) and the Windows
# program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build-deps.sh build/deps

for preset in native native-sanitize windows; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

ctest --preset native --parallel 2
ctest --preset native-sanitize --parallel 2

# The core under libFuzzer (clang): each fuzzer runs 30 s from the committed seeds.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz --parallel 2

# The Windows tests need a display for their windows and message boxes.
export WINEPREFIX=$PWD/build/windows/wineprefix
status=0
xvfb-run -a -s '-screen 0 1920x1080x24' \
  bash -c 'ctest --preset windows --parallel 2; status=$?; wineserver -k 2>/dev/null; exit $status' ||
  status=$?
exit $status
