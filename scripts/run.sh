#!/usr/bin/env bash
# Installs whatever is missing, builds Movaro.exe and runs it under Wine: in a
# window on your display when there is one; otherwise under Xvfb, where it
# saves a screenshot, presses "一键修改" with the preset directory, prints the
# status line and the settings file, and closes the window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build-deps.sh build/deps
cmake --preset windows >/dev/null
cmake --build --preset windows --target Movaro movaro_remote

exe=build/windows/app/Movaro.exe
prefix=$PWD/build/windows/wineprefix
echo "Movaro.exe: $exe ($(stat -c %s "$exe") bytes)"

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-exec "$prefix" "$exe"
fi

mkdir -p build/screenshots
export WINEPREFIX=$prefix
xvfb-run -a -s '-screen 0 1920x1080x24' bash -s "$prefix" "$exe" <<'DEMO'
set -euo pipefail
prefix=$1
exe=$2
settings="$prefix/drive_c/users/Public/Documents/Tencent/QQ/UserDataInfo.ini"
scripts/wine-exec "$prefix" build/windows/app/Movaro.exe >/dev/null &
status=$(scripts/wine-exec "$prefix" build/windows/tests/tools/movaro_remote.exe status | iconv -f GBK -t UTF-8)
echo "status line at start: $status"
window=$(xdotool search --sync --name 'Movaro Brenlow' | head -1)
sleep 0.5
import -window root -crop 388x245+766+417 build/screenshots/page-tim-qq.png
# The "支持" tab, then back to "TIM/QQ".
xdotool mousemove --window "$window" 88 11 click 1
sleep 0.5
import -window root -crop 388x245+766+417 build/screenshots/page-support.png
xdotool mousemove --window "$window" 30 11 click 1
sleep 0.3
# "选择目录" opens the Save As dialog centred over the window; Esc cancels it.
xdotool mousemove --window "$window" 336 136 click 1
sleep 3
import -window root -crop 520x300+700+405 build/screenshots/choose-directory.png
scripts/wine-exec "$prefix" build/windows/tests/tools/movaro_remote.exe key 27
sleep 2.5
# Without a window manager the X window is the client area: the button sits
# at (151, 157) in it, 80 x 25.
xdotool mousemove --window "$window" 191 169 click 1
sleep 0.5
status=$(scripts/wine-exec "$prefix" build/windows/tests/tools/movaro_remote.exe status | iconv -f GBK -t UTF-8)
echo "status line after 一键修改: $status"
import -window root -crop 388x245+766+417 build/screenshots/run-after-change.png
echo "--- $settings"
iconv -f GBK -t UTF-8 "$settings"
echo "---"
scripts/wine-exec "$prefix" build/windows/tests/tools/movaro_remote.exe key 27  # Esc closes
wait
wineserver -k
echo "screenshots: build/screenshots/page-tim-qq.png, page-support.png, choose-directory.png, run-after-change.png"
DEMO
