#!/usr/bin/env bash
# Benchmarks opening a folder of 100,000 files in tavvel's file list against `ls -1` of
# the same folder, measured side by side in one run (the order alternates each round),
# and prints the medians and their ratio (goal <= 1.5), the longest time the window's
# event loop stood still meanwhile (no frame is missed below 16.7 ms), and the peak
# memory taken beyond opening an empty folder (goal < 60 MiB).
#   files:  the file list alone, from setting Path until the complete list is painted;
#   window: the folder list, then the file list from its Change, as the window does.
# Needs a display; without one it runs itself under xvfb-run.
# Usage: bench/filemanager/listing.sh   (env: BUILD_DIR, ROUNDS, COUNT, WORK)
set -euo pipefail

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
ROUNDS=${ROUNDS:-5}
COUNT=${COUNT:-100000}
mkdir -p "$BUILD_DIR"
WORK=$(mktemp -d "${WORK:-$BUILD_DIR}/bench-listing-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
export GSK_RENDERER=${GSK_RENDERER:-cairo}

echo "building the driver..."
DRIVER=$WORK/listing_driver
c++ -std=c++20 -O2 -I"$ROOT" "$ROOT"/filemanager/lists/*.cpp "$ROOT/common/client_area.cpp" \
  "$ROOT/filemanager/operations/staging_name.cpp" "$ROOT/filemanager/operations/error_text.cpp" \
  "$ROOT/common/dispatch.cpp" "$ROOT/bench/filemanager/listing_driver.cpp" -o "$DRIVER" \
  $(pkg-config --cflags --libs gtkmm-4.0 gio-unix-2.0) -pthread

echo "making a folder of $COUNT files..."
mkdir "$WORK/big" "$WORK/empty"
# Names as folders hold them: numbered photos, documents with spaces, mixed case.
(cd "$WORK/big" && seq 0 $((COUNT - 1)) | awk '
  $1 % 4 == 0 {print "IMG_" $1 ".jpg"; next}
  $1 % 4 == 1 {print "Report " $1 ".pdf"; next}
  $1 % 4 == 2 {print "notes-" $1 ".txt"; next}
  {print "data" $1}' | xargs -d '\n' touch)
ls -1 "$WORK/big" >/dev/null  # warm the cache for both sides

ms() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.3f", (b - a) * 1000}'; }
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {printf "%.3f", (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
field() { sed -n "s/.* $1 \([0-9.]*\).*/\1/p" <<<" $2"; }

ls_ms=(); files_ms=(); window_ms=(); stall_ms=(); window_stall_ms=(); extra_mib=()
run_ls() {
  local start=$EPOCHREALTIME
  ls -1 "$WORK/big" >/dev/null
  ls_ms+=("$(ms "$start" "$EPOCHREALTIME")")
}
run_files() {
  local out empty
  out=$("$DRIVER" "$WORK/big" files)
  [ "$(field rows "$out")" = "$COUNT" ] || { echo "incomplete list: $out" >&2; exit 1; }
  files_ms+=("$(field open_ms "$out")")
  stall_ms+=("$(field longest_stall_ms "$out")")
  empty=$("$DRIVER" "$WORK/empty" files)
  extra_mib+=("$(awk -v a="$(field peak_kib "$out")" -v b="$(field peak_kib "$empty")" \
    'BEGIN {printf "%.1f", (a - b) / 1024}')")
}
run_window() {
  local out
  out=$("$DRIVER" "$WORK/big" window)
  window_ms+=("$(field open_ms "$out")")
  window_stall_ms+=("$(field longest_stall_ms "$out")")
}

for ((round = 0; round < ROUNDS; round++)); do
  if ((round % 2)); then run_files; run_window; run_ls; else run_ls; run_files; run_window; fi
done

ls_median=$(median "${ls_ms[@]}")
files_median=$(median "${files_ms[@]}")
window_median=$(median "${window_ms[@]}")
echo
echo "folder of $COUNT files, $ROUNDS rounds, medians (samples in brackets):"
echo "  ls -1:                 $ls_median ms  [${ls_ms[*]}]"
echo "  file list:             $files_median ms  [${files_ms[*]}]"
echo "  folder + file list:    $window_median ms  [${window_ms[*]}]"
echo "  ratio file list / ls:  $(ratio "$files_median" "$ls_median")  (goal <= 1.5)"
echo "  ratio window / ls:     $(ratio "$window_median" "$ls_median")"
echo "  longest event-loop stall: file list $(median "${stall_ms[@]}") ms," \
  "window $(median "${window_stall_ms[@]}") ms  (a frame is 16.7 ms)"
echo "  peak memory beyond an empty folder: $(median "${extra_mib[@]}") MiB" \
  " [${extra_mib[*]}]  (goal < 60 MiB)"
