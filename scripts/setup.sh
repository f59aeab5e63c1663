#!/usr/bin/env bash
# Installs every Debian package that building and testing Movaro needs.
# Idempotent: a machine that already has everything is left untouched.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev googletest
  g++-mingw-w64-i686 libz-mingw-w64-dev
  wine wine32:i386 xvfb xdotool x11-utils imagemagick
  fonts-wqy-microhei locales dpkg-dev clang-format
  librsvg2-bin qrencode zbar-tools icoutils xauth libjpeg62-turbo-dev libpng-dev
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Source indexes let the build fetch libjpeg-turbo and libpng as Debian source packages.
sources=/etc/apt/sources.list.d/debian.sources
need_update=0
if [ -f "$sources" ] && grep -q '^Types: deb$' "$sources"; then
  as_root sed -i 's/^Types: deb$/Types: deb deb-src/' "$sources"
  need_update=1
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ]; then
  as_root apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine reads the ANSI code page from the locale: zh_CN.UTF-8 gives code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  as_root locale-gen
fi
