#!/usr/bin/env bash
# Benchmarks tavvel's start against pcmanfm's and a bare gtkmm 4 window's, interleaved
# in one run on one virtual display, each opening the same folder of 200 files with a
# fresh profile: start to window mapped, start to the window's title, and the PSS of
# all its processes a second later. Prints medians and per-round ratios.
#   bench/filemanager/startup.sh [ROUNDS]   (31 unless told: over a few rounds the median
#   ratio moves by a tenth from run to run here; env: BUILD_DIR)
# Installs pcmanfm from Debian when it is missing (as root or through sudo).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
ROUNDS=${1:-31}

if [ -z "${DISPLAY:-}" ]; then
  runtime=$(mktemp -d)
  chmod 700 "$runtime"
  trap 'rm -rf "$runtime"' EXIT
  status=0
  XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    dbus-run-session -- "$0" "$@" || status=$?
  exit $status
fi

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
if ! command -v pcmanfm > /dev/null; then
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends pcmanfm
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
echo "building tavvel, the bare window and the probe..."
cmake --build "$BUILD_DIR" --target tavvel > /dev/null
c++ -std=c++20 -O2 -I"$ROOT" "$ROOT/bench/filemanager/bare_window.cpp" -o "$WORK/bare_window" \
  $(pkg-config --cflags --libs gtkmm-4.0)
c++ -std=c++20 -O2 "$ROOT/bench/browser/probe.cpp" -o "$WORK/probe" -lX11

python3 "$ROOT/bench/filemanager/startup.py" --work "$WORK" --rounds "$ROUNDS" \
  --tavvel "$BUILD_DIR/filemanager/tavvel"
