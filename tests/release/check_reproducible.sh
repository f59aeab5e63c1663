#!/usr/bin/env bash
# Builds Movaro.exe again from a copy of the source tree in another folder
# and fails unless it is byte for byte the reference build.
#   check_reproducible.sh SOURCE_DIR REFERENCE_EXE DEPENDENCY_PREFIX WORK_DIR
set -euo pipefail
source_dir=$1
reference=$2
dependencies=$3
work=$4

rm -rf "$work"
copy="$work/another-checkout"
mkdir -p "$copy"
(cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
  xargs -0 cp --parents -t "$copy")

cmake -S "$copy" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$copy/cmake/i686-w64-mingw32.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_FIND_ROOT_PATH="$dependencies" \
  -DMOVARO_BUILD_TESTS=OFF >/dev/null
cmake --build "$work/build" --target Movaro >/dev/null

rebuilt="$work/build/app/Movaro.exe"
sha256sum "$reference" "$rebuilt"
cmp "$reference" "$rebuilt" || { echo "FAIL: the two builds differ" >&2; exit 1; }
rm -rf "$work"
echo "identical builds from two folders"
