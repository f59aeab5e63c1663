#!/usr/bin/env bash
# Cross-builds libjpeg-turbo and libpng as static i686 Windows libraries from
# Debian's source packages, into <cache-dir>/i686-w64-mingw32 (include/, lib/).
#
# Usage: scripts/build-deps.sh <cache-dir>
#
# Consumers configure with the project's toolchain file and
#   -DCMAKE_FIND_ROOT_PATH=<cache-dir>/i686-w64-mingw32
# then find_package(PNG) / find_package(JPEG) and link PNG::PNG JPEG::JPEG.
#
# A stamp in the prefix records every input; when nothing changed the script
# exits at once, without touching apt or the network.
set -euo pipefail
set -E

readonly triple=i686-w64-mingw32
# The mirror can lack libpng1.6's newest security upload (a 404) while apt's
# index still offers it; the release's own version is always there.
readonly sources=(libjpeg-turbo libpng1.6/bookworm)
# Their versions go into the stamp: a compiler or zlib upgrade must rebuild.
readonly tool_packages=(gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  mingw-w64-i686-dev libz-mingw-w64-dev cmake ninja-build)

me=build-deps
die() { echo "$me: error: $*" >&2; exit 1; }
trap 'echo "$me: error: line $LINENO: \"$BASH_COMMAND\" failed (exit $?)" >&2' ERR

if [ $# -ne 1 ] || [ -z "$1" ] || [ "$1" = -h ] || [ "$1" = --help ]; then
  echo "usage: $0 <cache-dir>" >&2
  exit 2
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
self=$here/$(basename "${BASH_SOURCE[0]}")
toolchain=$(cd "$here/.." && pwd)/cmake/$triple.cmake
png_options=$(cd "$here/.." && pwd)/cmake/deps/libpng-decode-only.dfa
[ -f "$toolchain" ] || die "toolchain file not found: $toolchain"

for tool in apt-get apt-config dpkg-source dpkg-query cmake ninja sha256sum flock \
            "$triple-gcc-posix"; do
  command -v "$tool" >/dev/null || die "'$tool' is missing; run scripts/setup.sh first"
done

mkdir -p "$1"
cache=$(cd "$1" && pwd)
prefix=$cache/$triple
stamp=$prefix/.build-deps-stamp
srcdir=$cache/src
logdir=$cache/log
work=$cache/work

# A configure step and a manual run may race on the same cache.
exec 9>"$cache/.lock"
flock 9

# Everything the result depends on except the source versions. The prefix path
# is included because the installed .pc files name it.
inputs() {
  echo "script $(sha256sum <"$self" | cut -d' ' -f1)"
  echo "toolchain $(sha256sum <"$toolchain" | cut -d' ' -f1)"
  echo "png-options $(sha256sum <"$png_options" | cut -d' ' -f1)"
  echo "prefix $prefix"
  echo "request ${sources[*]}"
  dpkg-query -W -f 'tool ${Package} ${Version}\n' "${tool_packages[@]}" 2>/dev/null || true
}

# Cheap evidence that apt's source index is unchanged, so that a warm run can
# skip apt-get, which spends over a second re-reading the index.
index_fingerprint() {
  local lists=/var/lib/apt/lists/ etc=/etc/apt/
  eval "$(apt-config shell lists Dir::State::lists/d etc Dir::Etc/d)"
  {
    stat -c '%n %s %Y' "$lists"*_Sources* 2>/dev/null || true
    stat -c '%n %s %Y' "$etc"sources.list "$etc"sources.list.d/* \
      "$etc"preferences "$etc"preferences.d/* 2>/dev/null || true
  } | sha256sum | cut -d' ' -f1
}

has_libraries() {
  [ -f "$1/include/png.h" ] && [ -f "$1/include/jpeglib.h" ] &&
    [ -f "$1/lib/libpng16.a" ] && [ -f "$1/lib/libjpeg.a" ]
}
prefix_complete() { [ -f "$stamp" ] && has_libraries "$prefix"; }

stamp_versions() { grep '^source ' "$stamp" | cut -d' ' -f2 | sed 's/\.dsc$//' | paste -sd' '; }

up_to_date() { echo "$me: $prefix is up to date ($(stamp_versions))"; exit 0; }

my_inputs=$(inputs)
fingerprint=$(index_fingerprint)
if prefix_complete; then
  old_inputs=$(grep -v '^\(source\|index\) ' "$stamp" || true)
  if [ "$old_inputs" = "$my_inputs" ] && grep -qx "index $fingerprint" "$stamp"; then
    up_to_date
  fi
fi

# Resolving the versions reads only the local index; no network.
mkdir -p "$logdir"
if ! uris=$(cd "$cache" && apt-get source --print-uris "${sources[@]}" 2>"$logdir/resolve.log"); then
  if prefix_complete && [ "$(grep -v '^\(source\|index\) ' "$stamp")" = "$my_inputs" ]; then
    echo "$me: warning: cannot resolve source versions (see $logdir/resolve.log); keeping $prefix" >&2
    exit 0
  fi
  cat "$logdir/resolve.log" >&2
  die "apt-get cannot resolve ${sources[*]}; are deb-src entries enabled (scripts/setup.sh)?"
fi
# Lines look like: 'URL' FILE SIZE SHA256:HASH
files=$(printf '%s\n' "$uris" | awk -v q="'" 'substr($0, 1, 1) == q { sub(/^SHA256:/, "", $4); print $2, $4 }')
dscs=$(printf '%s\n' "$files" | awk '$1 ~ /\.dsc$/ { print $1 }')
[ "$(printf '%s\n' "$dscs" | grep -c .)" -eq ${#sources[@]} ] ||
  die "unexpected answer from apt-get source --print-uris:"$'\n'"$uris"
source_lines=$(printf '%s\n' "$files" | awk '$1 ~ /\.dsc$/ { print "source", $1, $2 }')
new_stamp=$(printf '%s\n%s\nindex %s\n' "$my_inputs" "$source_lines" "$fingerprint")

if prefix_complete && [ "$(grep -v '^index ' "$stamp")" = "$(grep -v '^index ' <<<"$new_stamp")" ]; then
  # The index changed (apt-get update) but not our packages.
  printf '%s\n' "$new_stamp" >"$stamp"
  up_to_date
fi

# Runs a step with its output in a log, which is shown only when it fails.
run() {
  local name=$1
  shift
  if ! "$@" >"$logdir/$name.log" 2>&1; then
    echo "$me: error: step '$name' failed:$(printf ' %q' "$@")" >&2
    echo "---- last lines of $logdir/$name.log ----" >&2
    tail -n 60 "$logdir/$name.log" >&2
    echo "----" >&2
    exit 1
  fi
}

sources_present() {
  local name hash
  while read -r name hash; do
    [ -f "$srcdir/$name" ] && [ "$(sha256sum <"$srcdir/$name" | cut -d' ' -f1)" = "$hash" ] || return 1
  done <<<"$files"
}

SECONDS=0
mkdir -p "$srcdir"
if ! sources_present; then
  # shellcheck disable=SC2016 # expanded by the inner shell
  run download bash -c 'cd "$1" && shift && apt-get source --download-only "$@"' _ "$srcdir" "${sources[@]}"
  sources_present || die "downloaded sources do not match apt's index; see $logdir/download.log"
fi
# Older versions would pile up in the cache otherwise.
keep=$(printf '%s\n' "$files" | cut -d' ' -f1)
for f in "$srcdir"/*; do
  grep -qxF "$(basename "$f")" <<<"$keep" || rm -rf "$f"
done

# Host build flags (CFLAGS, ...) must not leak into Windows objects, and no
# debug info keeps build paths out of the libraries.
unset CFLAGS CXXFLAGS CPPFLAGS LDFLAGS
rm -rf "$work"
mkdir -p "$work"
stage=$work/stage

build() {
  local name=$1 dsc=$2
  shift 2
  run "$name-unpack" dpkg-source -x "$srcdir/$dsc" "$work/$name"
  # The install directories are typed: untyped, CMake would make them absolute
  # against the caller's directory.
  run "$name-configure" cmake -S "$work/$name" -B "$work/$name-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_C_FLAGS_MINSIZEREL="-Os -DNDEBUG" \
    -DCMAKE_C_FLAGS="-ffunction-sections -fdata-sections" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_INSTALL_LIBDIR:PATH=lib \
    -DCMAKE_INSTALL_INCLUDEDIR:PATH=include \
    "$@"
  run "$name-build" cmake --build "$work/$name-build"
  run "$name-install" env DESTDIR="$stage" cmake --install "$work/$name-build"
}

dsc_of() { printf '%s\n' "$dscs" | grep "^$1_"; }

# NO_GETENV: the program reads no environment variables, so the memory
# manager must not look for JPEGMEM (which also links in sscanf).
build libjpeg-turbo "$(dsc_of libjpeg-turbo)" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
  -DCMAKE_C_FLAGS_MINSIZEREL="-Os -DNDEBUG -DNO_GETENV"
build libpng "$(dsc_of libpng1.6)" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_USE_STATIC_LIBS=ON -DDFA_XTRA="$png_options"

# An install rule that misses the prefix would otherwise go unnoticed until a
# consumer fails to find the library.
has_libraries "$stage$prefix" || die "install left the prefix incomplete; see $logdir/*-install.log"
# Windows tools, scripts and manuals are of no use to the build.
rm -rf "${stage:?}$prefix/bin" "${stage:?}$prefix/share"
printf '%s\n' "$new_stamp" >"$stage$prefix/.build-deps-stamp"

# Swapped in whole, so a failed build never leaves a half-updated prefix.
rm -rf "$prefix.old"
if [ -e "$prefix" ]; then mv "$prefix" "$prefix.old"; fi
mv "$stage$prefix" "$prefix"
rm -rf "$prefix.old" "$work"

echo "$me: built $(stamp_versions) into $prefix in ${SECONDS}s"
