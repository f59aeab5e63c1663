#!/usr/bin/env bash
# Builds Movaro.exe and the benchmark programs, prints the size of Movaro.exe
# by section, then, under Wine and Xvfb, its start-up time and peak working set
# against a minimal window program built the same way (tests/benchmark/).
#   scripts/benchmark.sh [--map] [PAIRS]
# PAIRS: measured Movaro/minimal pairs after one warm-up pair (default 15).
# --map: also links Movaro.exe with a linker map in build/bench-map and prints
#        its bytes by library.
# Exit code 0 when everything ran, whether or not the figures meet the targets.
set -euo pipefail
cd "$(dirname "$0")/.."

map=0
pairs=15
for argument in "$@"; do
  case $argument in
    --map) map=1 ;;
    '' | *[!0-9]* | 0*) echo "usage: $0 [--map] [PAIRS]" >&2; exit 2 ;;
    *) pairs=$argument ;;
  esac
done

readonly code_data_target_kb=300

scripts/setup.sh
scripts/build-deps.sh build/deps
cmake --preset windows >/dev/null
cmake --build --preset windows --target Movaro movaro_minimal_window movaro_startup_benchmark

exe=build/windows/app/Movaro.exe
minimal=build/windows/tests/benchmark/movaro_minimal_window.exe
driver=build/windows/tests/benchmark/movaro_startup_benchmark.exe
prefix=$PWD/build/windows/wineprefix

kb() { awk -v n="$1" 'BEGIN { printf "%.1f", n / 1024 }'; }

echo
echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) CPUs," \
  "$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(wine --version)"

# Sizes from the section headers. Code and data are the sections loaded from
# the file (CONTENTS and LOAD): .bss takes no room in it, debug sections are
# never loaded.
echo
echo "Movaro.exe: $(stat -c %s "$exe") bytes in the file ($(kb "$(stat -c %s "$exe")") KB)"
code_data=0
resources=0
while read -r name size flags; do
  bytes=$((16#$size))
  printf '  %-10s %8d bytes  %s\n' "$name" "$bytes" "$flags"
  if [ "$name" = .rsrc ]; then
    resources=$((resources + bytes))
  elif [ "$flags" = loaded ]; then
    code_data=$((code_data + bytes))
  fi
done < <(i686-w64-mingw32-objdump -h "$exe" | awk '
  $1 ~ /^[0-9]+$/ { name = $2; size = $3; next }
  name != "" {
    print name, size, (/CONTENTS/ && /LOAD/) ? "loaded" : "not-in-file-or-not-loaded"
    name = ""
  }')
if [ "$code_data" -le $((code_data_target_kb * 1024)) ]; then verdict=met; else verdict="NOT MET"; fi
echo "  code and data (all but .rsrc): $code_data bytes = $(kb $code_data) KB" \
  "  target <= $code_data_target_kb KB   $verdict"
echo "  resources (.rsrc):             $resources bytes = $(kb $resources) KB"

if [ $map -eq 1 ]; then
  echo
  echo "Bytes by library, from the linker map of the same sources (build/bench-map):"
  cmake --preset windows -B build/bench-map -DMOVARO_BUILD_TESTS=OFF \
    -DCMAKE_EXE_LINKER_FLAGS=-Wl,-Map=movaro.map >/dev/null
  cmake --build build/bench-map --target Movaro >/dev/null
  python3 tests/benchmark/size_by_library.py build/bench-map/movaro.map
fi

# Windows sees the build tree through drive Z.
windows_path() {
  local path
  path=$(realpath "$1")
  echo "Z:${path//\//\\}"
}

echo
echo "Start-up under Wine and Xvfb (about 3 s per run: without a window manager," \
  "Wine waits up to 2 s for each closed window to be withdrawn)"
export WINEPREFIX=$prefix
# shellcheck disable=SC2016 # the inner script expands its own arguments
xvfb-run -a -s '-screen 0 1920x1080x24' bash -c '
  status=0
  scripts/wine-exec "$WINEPREFIX" "$1" "$2" "$3" "$4" || status=$?
  wineserver -k 2>/dev/null || true
  exit $status' bash "$driver" "$(windows_path "$exe")" "$(windows_path "$minimal")" "$pairs"
