#!/usr/bin/env bash
# Shows Kroma on a virtual display and saves a picture of the screen:
#   scripts/screenshot.sh [OUTPUT.png]      (default build/screenshot.png)
# Installs Xvfb and ImageMagick for looking only; the program does not
# need them.
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-build/screenshot.png}
scripts/setup.sh xvfb x11-apps imagemagick
[ -x build/kroma ] || make all

# The first free display number.
n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
display=":$n"

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT

for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
DISPLAY="$display" ./build/kroma &
app=$!
sleep "${WAIT:-3}"
kill -0 "$app" 2>/dev/null || { echo "kroma ended before the picture was taken" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
DISPLAY="$display" import -window root "$out"
echo "$out"
