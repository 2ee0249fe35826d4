#!/usr/bin/env bash
# Time from starting korvo-sysinfo to its window being viewable, median of RUNS starts,
# against a reference measured in the same run: the same tool with WebKitGTK loaded
# into it, which is what linking WebKit only to ask its version would cost.
#   xvfb-run -a dbus-run-session -- bench/sysinfo/start_time.sh [BUILD_DIR]
# Needs xwininfo (x11-utils). Goal: under 300 ms to the window.
set -euo pipefail
build=${1:-build}
tool=$build/sysinfo/korvo-sysinfo
runs=${RUNS:-9}
webkit=$(ls /usr/lib/*/libwebkitgtk-6.0.so.4 2>/dev/null | head -1)

viewable() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null | awk '/"System Information"/ {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q IsViewable && return 0
  done
  return 1
}

# Milliseconds until the window is viewable, for one start of "$@".
once() {
  local start end pid
  start=$(date +%s%N)
  "$@" 2>/dev/null &
  pid=$!
  for _ in $(seq 1 3000); do viewable && break; done
  end=$(date +%s%N)
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

once "$tool" >/dev/null  # the first start warms the caches and the session bus
tool_times=() reference_times=()
for _ in $(seq 1 "$runs"); do
  tool_times+=("$(once "$tool")")
  reference_times+=("$(once env LD_PRELOAD="$webkit" "$tool")")
done
tool_median=$(printf '%s\n' "${tool_times[@]}" | median)
reference_median=$(printf '%s\n' "${reference_times[@]}" | median)
echo "korvo-sysinfo to window: median ${tool_median} ms (goal < 300 ms)"
echo "with WebKitGTK loaded:   median ${reference_median} ms"
awk -v a="$tool_median" -v b="$reference_median" \
  'BEGIN {printf "ratio (tool / with WebKit): %.2f\n", a / b}'
