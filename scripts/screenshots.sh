#!/usr/bin/env bash
# Writes screenshots of the demonstration for people to look at: the main window with the
# "Draw by Code" samples, the library browser and the inspector, taken on a private Xvfb
# display (no desktop needed).
# Usage: scripts/screenshots.sh [folder, default screenshots]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-screenshots}")
scripts/deps.sh ci
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target mycad_demo
mkdir -p "$out"
work=$(mktemp -d)
display=""
for n in $(seq 150 199); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "screenshots: no free X display number" >&2; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
demo=""
cleanup() {
  [ -n "$demo" ] && kill "$demo" 2>/dev/null || true
  kill "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY=$display QT_QPA_PLATFORM=xcb HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work
build/demo/mycad_demo --samples --report-layout "$work/layout.json" >/dev/null 2>&1 &
demo=$!
for _ in $(seq 200); do [ -s "$work/layout.json" ] && break; sleep 0.1; done
[ -s "$work/layout.json" ] || { echo "screenshots: the demonstration did not start" >&2; exit 1; }
sleep 1
import -window root "$work/screen.png"
cp "$work/screen.png" "$out/screen.png"
# Each window cut out of the screen by the place it reported.
for part in window:main-window LibShowFrm:library-browser InspectorFrm:inspector; do
  name=${part%%:*}
  file=${part#*:}
  geometry=$(python3 -c "import json,sys; p=json.load(open(sys.argv[1]))[sys.argv[2]]; print('%dx%d+%d+%d' % (p['width'], p['height'], p['x'], p['y']))" "$work/layout.json" "$name")
  convert "$work/screen.png" -crop "$geometry" +repage "$out/$file.png"
done
echo "screenshots: wrote $(ls "$out" | tr '\n' ' ')to $out"
