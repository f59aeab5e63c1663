#!/usr/bin/env bash
# Regenerates the binary resources in resources/ from their sources:
#   icon.svg + icon-small.svg  -> Movaro.ico
#   the two support addresses  -> support_qr.jpg, support_qr.png
# The outputs are committed, so a build never needs these tools; run this after changing a source.
# Running it twice gives byte-identical files: no time stamps or metadata reach the outputs.
# Needs (Debian): imagemagick librsvg2-bin qrencode
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
res="$root/resources"
# Called by full path: another `convert` earlier in PATH may not be ImageMagick.
convert=/usr/bin/convert

for tool in "$convert" rsvg-convert qrencode; do
  command -v "$tool" >/dev/null || { echo "make-resources: $tool not found (apt-get install imagemagick librsvg2-bin qrencode)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Keeps ImageMagick from embedding anything that varies between runs (time chunks, file dates, comments).
png_clean=(-strip -define 'png:exclude-chunks=date,time,tEXt,zTXt,iTXt,bKGD')

# ---------------------------------------------------------------- icon
# Below 22 px the full drawing turns to mush, so those sizes come from a pixel-grid redrawing.
small_sizes=(16 14 10 8)
large_sizes=(256 128 96 64 48 40 32 24 22)

icon_inputs=()
for s in "${large_sizes[@]}"; do
  rsvg-convert -w "$s" -h "$s" -o "$work/icon-$s.png" "$res/icon.svg"
  icon_inputs+=("$work/icon-$s.png")
done
for s in "${small_sizes[@]}"; do
  rsvg-convert -w "$s" -h "$s" -o "$work/icon-$s.png" "$res/icon-small.svg"
  icon_inputs+=("$work/icon-$s.png")
done

# Every entry must be a 32-bit image with alpha. ImageMagick 6.9 writes that by default; the
# explicit type keeps it if another version picks a depth from the colours. ImageMagick stores
# the 256 px entry PNG-compressed and the others as DIBs.
"$convert" "${icon_inputs[@]}" -type TrueColorAlpha -depth 8 "${png_clean[@]}" "$work/Movaro.ico"

# ---------------------------------------------------------------- QR codes
# Level H with a fixed version 5 (37 modules): both addresses fit, and the error correction
# leaves margin for JPEG ringing. --strict-version fails loudly if an address ever outgrows it.
qr_modules=37

# qr_picture URL MODULE_PX WIDTH HEIGHT COLOUR OUT
# Scales each module to a whole number of pixels (no resampling blur) and pads to the final size
# with white, which also forms the quiet zone; padding instead of stretching keeps modules square.
qr_picture() {
  local url=$1 module=$2 width=$3 height=$4 colour=$5 out=$6
  local side=$((qr_modules * module))
  local quiet_x=$(((width - side) / 2)) quiet_y=$(((height - side) / 2))
  if ((quiet_x < 4 * module || quiet_y < 4 * module)); then
    echo "make-resources: ${width}x${height} leaves less than a 4-module quiet zone for $url" >&2
    exit 1
  fi
  qrencode -l H -v 5 --strict-version -8 -m 0 -s 1 -o "$work/code.png" "$url"
  local got
  got=$("$convert" "$work/code.png" -format '%wx%h' info:)
  if [[ $got != "${qr_modules}x${qr_modules}" ]]; then
    echo "make-resources: expected a ${qr_modules}-module symbol for $url, got $got" >&2
    exit 1
  fi
  "$convert" "$work/code.png" -colorspace sRGB -type TrueColor +level-colors "$colour,#FFFFFF" \
    -sample "${side}x${side}" -background '#FFFFFF' -gravity center -extent "${width}x${height}" \
    "$work/qr.miff"
  case "$out" in
    *.jpg)
      # Baseline (non-progressive) JFIF, three YCbCr components even though the picture is two-tone.
      "$convert" "$work/qr.miff" -strip -type TrueColor -colorspace sRGB -interlace none \
        -sampling-factor 2x2,1x1,1x1 -quality 92 "JPG:$out"
      ;;
    *.png)
      # 8-bit RGB, no alpha and no palette.
      "$convert" "$work/qr.miff" -type TrueColor "${png_clean[@]}" \
        -define png:color-type=2 -define png:bit-depth=8 "PNG24:$out"
      ;;
  esac
}

qr_picture "https://movaro.example/support/wechat" 9 430 437 '#0B4F6C' "$work/support_qr.jpg"
qr_picture "https://movaro.example/support/alipay" 13 637 637 '#1F2F5C' "$work/support_qr.png"

# Replace the committed files only once everything has been generated.
for f in Movaro.ico support_qr.jpg support_qr.png; do
  cp "$work/$f" "$res/$f"
done
echo "make-resources: wrote resources/Movaro.ico, resources/support_qr.jpg, resources/support_qr.png"
