#!/usr/bin/env bash
# Takes the README's screenshots: korvo's window with a page loaded, its About dialog,
# and tavvel's window, from the programs built in BUILD_DIR (default build/), into
# docs/screenshots/. Drives the programs as a user would, with xdotool key presses.
#   tools/screenshots.sh [BUILD_DIR]
# It always starts its own virtual display (Xvfb, 1280 x 1024) with a private session
# bus, so the pictures come out the same on every machine.
# Needs xdotool, ImageMagick (import, convert) and python3.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
out=docs/screenshots

# The script runs itself again inside the virtual display, marked by this variable.
if [ -z "${KORVO_SCREENSHOTS_INSIDE:-}" ]; then
  runtime=$(mktemp -d)
  chmod 700 "$runtime"
  trap 'rm -rf "$runtime"' EXIT
  XDG_RUNTIME_DIR=$runtime KORVO_SCREENSHOTS_INSIDE=1 \
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    dbus-run-session -- "$0" "$build"
  exit
fi

work=$(mktemp -d /tmp/korvo-demo.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Waits up to 20 s for a visible window whose title matches $1; prints its id.
window() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
    if [ -n "$id" ]; then echo "$id"; return; fi
    sleep 0.1
  done
  echo "no window titled like '$1' appeared" >&2
  return 1
}

# Saves window $1 as $out/$2.png: stripped of metadata and reduced to a palette, which
# keeps a screenshot of plain controls small without a visible change.
shoot() {
  sleep 1  # let the window finish drawing
  import -window "$1" "$work/shot.png"
  convert "$work/shot.png" -strip -dither None -colors 256 \
    -define png:compression-level=9 "$out/$2.png"
  echo "$out/$2.png: $(identify -format '%wx%h' "$out/$2.png"), $(stat -c %s "$out/$2.png") bytes"
}

mkdir -p "$out" "$work/site" "$work/Documents/Letters" "$work/Documents/Photos"
cat >"$work/site/index.html" <<'HTML'
<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Welcome to Korvo</title></head>
<body style="font-family: sans-serif; margin: 2em">
<h1>Welcome to Korvo</h1>
<p>This page is served from this machine. Type an address in the box above and press
Enter; the title shows "Working..." while the page loads, then the page's name.</p>
<p><a href="index.html">A link back to this page</a></p>
</body></html>
HTML
echo "Shopping: bread, milk" >"$work/Documents/notes.txt"
echo "Budget" >"$work/Documents/budget.csv"
echo "Dear Ann" >"$work/Documents/Letters/ann.txt"

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory "$work/site" "$port" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2>/dev/null && break
  sleep 0.1
done

# korvo takes no command line: the address goes in through its address box (Alt+A).
"$build/browser/korvo" &
pids+=($!)
browser=$(window "Korvo")
xdotool windowfocus --sync "$browser"
xdotool key --window "$browser" alt+a
xdotool type --delay 20 "http://127.0.0.1:$port/"
xdotool key Return
window "^Welcome to Korvo$" >/dev/null
shoot "$browser" korvo

xdotool key --window "$browser" alt+i
about=$(window "^Info$")
shoot "$about" korvo-about

# tavvel opens in the folder it starts in; a click on the second file shows its path.
(cd "$work/Documents" && exec "$build/filemanager/tavvel") &
pids+=($!)
manager=$(window "^File Manager$")
sleep 1
xdotool mousemove --window "$manager" 30 306 click 1
shoot "$manager" tavvel
